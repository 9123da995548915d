// A user at a real system dialog: a second thread waits for a dialog of this
// process with the caption, notes what it shows, then presses one of its
// buttons. The test thread meanwhile sits in the dialog's own message loop.
#pragma once
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "platform/Dialogs.h"

struct TSeenDialog {
  std::string caption;
  std::string text;  // the message of a message box
  int defaultButton = 0;  // the id of the default push button, 0 for none
};

class TDialogAnswerer {
 public:
  TDialogAnswerer(std::string caption, int button)
      : caption_(std::move(caption)), button_(button), thread_([this] { Run(); }) {}
  ~TDialogAnswerer() { Join(); }
  TDialogAnswerer(const TDialogAnswerer&) = delete;
  TDialogAnswerer& operator=(const TDialogAnswerer&) = delete;
  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  bool Found() const { return found_; }
  const TSeenDialog& Seen() const { return seen_; }

 private:
  // Every caller waits for a dialog that does come, and a dialog left
  // unanswered holds the test until CTest's time-out: the first folder
  // browser of a new Wine prefix took more than five seconds on a busy
  // machine, so the user looks for a minute.
  void Run() {
    for (int i = 0; i < 3000 && !found_; ++i) {
      EnumWindows(&TDialogAnswerer::Visit, reinterpret_cast<LPARAM>(this));
      if (!found_) Sleep(20);
    }
  }
  static BOOL CALLBACK Visit(HWND hwnd, LPARAM self) {
    auto* me = reinterpret_cast<TDialogAnswerer*>(self);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    char cls[32] = "", caption[256] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    GetWindowTextA(hwnd, caption, sizeof caption);
    if (process != GetCurrentProcessId() || std::string(cls) != "#32770" ||
        me->caption_ != caption || !IsWindowVisible(hwnd))
      return TRUE;
    char text[1024] = "";
    GetDlgItemTextA(hwnd, 0xFFFF, text, sizeof text);  // a message box's message
    me->seen_ = {caption, text, 0};
    EnumChildWindows(hwnd, &TDialogAnswerer::NoteDefault, reinterpret_cast<LPARAM>(&me->seen_));
    me->found_ = true;
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(me->button_, BN_CLICKED), 0);
    return FALSE;
  }
  // A message box marks its default button by style (DM_GETDEFID keeps
  // answering IDOK under Wine).
  static BOOL CALLBACK NoteDefault(HWND child, LPARAM seen) {
    char cls[32] = "";
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Button") == 0 &&
        (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
      reinterpret_cast<TSeenDialog*>(seen)->defaultButton = GetDlgCtrlID(child);
    return TRUE;
  }

  const std::string caption_;
  const int button_;
  TSeenDialog seen_;
  std::atomic<bool> found_{false};
  std::thread thread_;
};

// Message boxes real, every other dialog passed to a script (a test's file
// dialog answered without a window), so that a command's own box can be
// opened for real.
class TRealMessageBoxes : public IDialogs {
 public:
  explicit TRealMessageBoxes(IDialogs& script) : script_(script) {}
  int MessageBox(HWND owner, const std::string& text, const std::string& caption,
                 UINT type) override {
    return real_.MessageBox(owner, text, caption, type);
  }
  bool OpenFile(TFileDialogRequest& request) override { return script_.OpenFile(request); }
  bool SaveFile(TFileDialogRequest& request) override { return script_.SaveFile(request); }
  bool BrowseFolder(HWND owner, const std::string& title, std::string& path) override {
    return script_.BrowseFolder(owner, title, path);
  }
  bool ChooseColour(HWND owner, COLORREF& colour) override {
    return script_.ChooseColour(owner, colour);
  }
  void ShellOpen(HWND owner, const std::string& target, int showCommand) override {
    script_.ShellOpen(owner, target, showCommand);
  }

 private:
  IDialogs& script_;
  TWin32Dialogs real_;
};
