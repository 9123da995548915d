// Hosts the editor's main window inside a test, the way the process entry
// does, on a clean Software\Nodrax tree, with every message box and system
// dialog answered by a script. Input goes to the controls as real window
// messages, so the controls' own handling (limits, upper case, key events)
// takes part.
//
// A test arranges the registry and the command tail first, then opens the
// window with OpenEditor(); EditorTest does that at once for the tests that
// only need a plain window (an empty Config key, so no first-run defaults).
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/app/Pages.h"
#include "editor/config/Configuration.h"
#include "support/RegistryTree.h"
#include "support/ScriptedDialogs.h"

class EditorFixture : public RegistryTreeFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // --- The window -------------------------------------------------------
  // Creates TForm1, shows it (FormShow), activates it as the system does
  // (FormActivate) and handles the messages that follow.
  void OpenEditor();
  // Destroys the window without asking, as a new start of the editor
  // would find it: OpenEditor() then makes a new one.
  void DestroyEditor();
  TForm1& Form() { return *form_; }
  bool EditorOpen() const { return form_ && !form_->Closed(); }
  HWND FormHandle() const { return form_ ? form_->Handle() : nullptr; }
  // The close box: WM_CLOSE to the form. Returns whether the window closed.
  bool RequestClose();
  // Handles the messages waiting now.
  static void Pump();

  // --- Input, as real messages to the control's window -------------------
  // Each character: WM_KEYDOWN, WM_CHAR, WM_KEYUP.
  void Type(TControl* control, const std::string& text);
  // One key to the control, focusing it first: WM_KEYDOWN, then WM_CHAR
  // when ch is not 0, then WM_KEYUP to the control focused by then.
  void PressKey(TControl* control, WORD virtualKey, char ch = 0);
  void PressEnter(TControl* control) { PressKey(control, VK_RETURN, '\r'); }
  // Tab: the press through the message loop (its dialog navigation moves
  // the focus), the release to the control focused then.
  void PressTab(TControl* control);
  void PressSpace(TControl* control) { PressKey(control, VK_SPACE, ' '); }
  // Selects the whole text and deletes it with Backspace.
  void Erase(TControl* control);
  // Places the text on the clipboard and sends WM_PASTE (a paste with the
  // mouse: no key events).
  void Paste(TControl* control, const std::string& text);
  // Buttons and check boxes: BM_CLICK. Anything else: WM_LBUTTONDOWN and
  // WM_LBUTTONUP at the middle of its client area (labels notify
  // STN_CLICKED from it).
  void Click(TControl* control);
  // A key as the keyboard gives it: WM_KEYDOWN, then WM_KEYUP, posted and
  // run through the application's message loop, which translates them into
  // characters and does the dialog navigation.
  void Keystroke(TControl* control, WORD virtualKey);
  // A click on the page's tab (WM_LBUTTONDOWN/UP on the tab control).
  void ClickTab(TTabSheet* page);
  // Clicks the tab of the page that holds the control, unless it is shown.
  void SelectPageOf(TControl* control);
  static TTabSheet* SheetOf(TControl* control);
  // WM_COMMAND with the item's command id to the form, as the menu does.
  void InvokeMenu(const std::string& itemName);
  TMenuItem* MenuItem(const std::string& itemName);

  // --- Reading the window ----------------------------------------------
  // SB_GETTEXT of the status bar, without the tabs that align it.
  std::string PanelText(int panel);
  // The window text as Windows holds it.
  static std::string WindowText(HWND hwnd);
  static std::string WindowText(const TControl* control) { return WindowText(control->Handle()); }
  // The control that has the keyboard focus, or nullptr.
  TControl* FocusedControl() const;
  std::string FocusedName() const;
  std::string ActivePageName() const;
  TControl* Control(const std::string& name);
  // Control(name), with the page that holds it shown.
  TControl* ShownControl(const std::string& name);
  // The caption of the index-th visible tab, as the tab control holds it.
  std::string TabCaption(int index);

  // --- Dialogs, answered by the script in the order they come ------------
  // A dialog that comes without an answer queued fails the test (and is
  // cancelled); an answer that no dialog takes fails it at the end. Tests
  // that want to check caption, text and type as the dialog comes use
  // dialogs.ExpectMessageBox() and the others directly.
  struct TAskedMessage {
    std::string text, caption;
    UINT type;
  };
  // The next message box gets this answer (IDOK, IDYES, IDNO, IDCANCEL).
  void AnswerMessage(int answer);
  // The next folder browse returns this path; nullopt cancels it.
  void AnswerBrowse(std::optional<std::string> path);
  // The next file-open dialog returns this path; nullopt cancels it.
  void AnswerOpenFile(std::optional<std::string> path);
  // The next colour dialog returns this colour; nullopt cancels it.
  void AnswerColour(std::optional<COLORREF> colour);
  // What was asked so far.
  std::vector<TAskedMessage> Messages() const;
  std::vector<std::string> BrowseTitles() const;
  std::vector<TFileDialogRequest> OpenRequests() const;
  std::vector<COLORREF> ColourPresets() const;
  // Exactly `times` message boxes were shown, each with this text, caption
  // and type.
  void ExpectOnlyMessage(const std::string& text, const std::string& caption, UINT type,
                         size_t times = 1);

  TScriptedDialogs dialogs;

 private:
  void Release(HWND pressed, WORD virtualKey);

  std::unique_ptr<TForm1> form_;
  IDialogs* previousDialogs_ = nullptr;
};

// A plain window: empty Config key, no start code, opened in SetUp.
class EditorTest : public EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    CreateEmptyConfig();
    OpenEditor();
  }
};
