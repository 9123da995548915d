// A test double for the dialog seam: the test queues the dialogs it expects,
// in order, with the answer the user gives; each call is checked against the
// next expectation and logged. A call that nothing expects fails the test
// and is answered as cancelled.
//
//   TScriptedDialogs dialogs;
//   TDialogsGuard installed(dialogs);
//   dialogs.ExpectMessageBox("Nodraxcfg", "Save Configuration?",
//                            MB_ICONQUESTION | MB_YESNOCANCEL, IDYES);
//   dialogs.ExpectOpenFile("C:\\in\\Init.srv");
//   ... drive the window ...
//   dialogs.VerifyAndClear();
//   EXPECT_EQ("Open Import Nodrax File", dialogs.Last(TDialogKind::OpenFile)->file.title);
#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

enum class TDialogKind { MessageBox, OpenFile, SaveFile, BrowseFolder, ChooseColour, ShellOpen };

const char* DialogKindName(TDialogKind kind);

// One call of the seam, as the program made it.
struct TDialogCall {
  TDialogKind kind = TDialogKind::MessageBox;
  HWND owner = nullptr;
  std::string text;          // message text; browse title; shell-open target
  std::string caption;       // message caption
  UINT type = 0;             // message type flags; show command of a shell open
  TFileDialogRequest file;   // a file dialog's request, before the answer
  COLORREF colour = 0;       // a colour dialog's preset
  std::string Describe() const;
};

class TScriptedDialogs : public IDialogs {
 public:
  // The answer "the user cancelled" for file, folder and colour dialogs.
  static constexpr std::nullopt_t Cancel = std::nullopt;

  class TExpectation {
   public:
    // Runs while the dialog is "open", before it answers: to look at the
    // program's state at that moment or to act as the user would.
    TExpectation& Then(std::function<void()> action);

   private:
    friend class TScriptedDialogs;
    TExpectation& Answer(std::optional<std::string> path) {
      path_ = std::move(path);
      return *this;
    }
    TDialogKind kind_ = TDialogKind::MessageBox;
    std::optional<std::string> caption_;  // nullopt: any
    std::optional<std::string> text_;     // nullopt: any
    bool textIsFragment_ = false;
    std::optional<UINT> type_;
    int answer_ = IDCANCEL;
    std::optional<std::string> path_;     // file and folder answers
    std::optional<COLORREF> colour_;
    std::function<void()> action_;
  };

  TScriptedDialogs() = default;
  // Fails the test for expectations that no call used.
  ~TScriptedDialogs() override;
  TScriptedDialogs(const TScriptedDialogs&) = delete;
  TScriptedDialogs& operator=(const TScriptedDialogs&) = delete;

  // Message boxes: caption, text and type flags must match exactly.
  TExpectation& ExpectMessageBox(std::string caption, std::string text, UINT type, int answer);
  // The text need only contain the fragment.
  TExpectation& ExpectMessageBoxContaining(std::string caption, std::string fragment, UINT type,
                                           int answer);
  // Any message box; the call is still logged for later checks.
  TExpectation& ExpectAnyMessageBox(int answer);
  // File dialogs answer with the chosen full path, or Cancel.
  TExpectation& ExpectOpenFile(std::optional<std::string> path);
  TExpectation& ExpectSaveFile(std::optional<std::string> path);
  // The folder browser answers with the chosen folder, or Cancel; the
  // second form also checks the title.
  TExpectation& ExpectBrowseFolder(std::optional<std::string> path);
  TExpectation& ExpectBrowseFolder(std::string title, std::optional<std::string> path);
  // The colour dialog answers with the chosen colour, or Cancel.
  TExpectation& ExpectChooseColour(std::optional<COLORREF> colour);
  TExpectation& ExpectShellOpen(std::string target);

  // Every call so far, in order, expected or not.
  const std::vector<TDialogCall>& Calls() const { return calls_; }
  std::vector<TDialogCall> CallsOf(TDialogKind kind) const;
  // The latest call of that kind, or nullptr.
  const TDialogCall* Last(TDialogKind kind) const;
  size_t Pending() const { return expected_.size(); }
  // Fails the test for each expectation left unused, then forgets the
  // expectations and the log.
  void VerifyAndClear();

  int MessageBox(HWND owner, const std::string& text, const std::string& caption,
                 UINT type) override;
  bool OpenFile(TFileDialogRequest& request) override;
  bool SaveFile(TFileDialogRequest& request) override;
  bool BrowseFolder(HWND owner, const std::string& title, std::string& path) override;
  bool ChooseColour(HWND owner, COLORREF& colour) override;
  void ShellOpen(HWND owner, const std::string& target, int showCommand) override;

 private:
  TExpectation& Queue(TDialogKind kind);
  void ReportUnused() const;
  static TDialogCall Call(TDialogKind kind, HWND owner, const std::string& text);
  // A file or folder answer into path; false for a cancel or no expectation.
  static bool Answered(const std::optional<TExpectation>& e, std::string& path);
  // Logs the call and takes the next expectation if it is of the call's
  // kind; nullopt (after a test failure) when none fits.
  std::optional<TExpectation> Take(const TDialogCall& call);
  bool FileDialog(TDialogKind kind, TFileDialogRequest& request);
  static std::string Describe(const TExpectation& expectation);

  std::deque<TExpectation> expected_;  // stable references for Then()
  std::vector<TDialogCall> calls_;
};

// Installs dialogs for a scope and puts the previous ones back.
class TDialogsGuard {
 public:
  explicit TDialogsGuard(IDialogs& dialogs) : previous_(SetDialogs(&dialogs)) {}
  ~TDialogsGuard() { SetDialogs(previous_); }
  TDialogsGuard(const TDialogsGuard&) = delete;
  TDialogsGuard& operator=(const TDialogsGuard&) = delete;

 private:
  IDialogs* previous_;
};
