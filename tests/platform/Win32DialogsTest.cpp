// The real system dialogs behind the seam, answered by a second thread that
// finds the dialog window and presses one of its buttons, as a user would.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "gtest/gtest.h"
#include "platform/Dialogs.h"

namespace {

struct TSeenDialog {
  std::string caption;
  std::string text;  // the message of a message box
};

// Waits for a dialog of this process captioned `caption`, notes what it
// shows, then sends it the command `button`.
class TDialogAnswerer {
 public:
  TDialogAnswerer(std::string caption, int button)
      : caption_(std::move(caption)), button_(button), thread_([this] { Run(); }) {}
  ~TDialogAnswerer() { Join(); }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  bool Found() const { return found_; }
  const TSeenDialog& Seen() const { return seen_; }

 private:
  void Run() {
    for (int i = 0; i < 250 && !found_; ++i) {
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
    char text[512] = "";
    GetDlgItemTextA(hwnd, 0xFFFF, text, sizeof text);  // a message box's message
    me->seen_ = {caption, text};
    me->found_ = true;
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(me->button_, BN_CLICKED), 0);
    return FALSE;
  }

  const std::string caption_;
  const int button_;
  TSeenDialog seen_;
  std::atomic<bool> found_{false};
  std::thread thread_;
};

TEST(Win32DialogsTest, MessageBoxShowsTheTextAndReturnsTheButtonPressed) {
  TWin32Dialogs dialogs;
  TDialogAnswerer user("Nodraxcfg", IDNO);
  const int answer = dialogs.MessageBox(nullptr, "Save Configuration?", "Nodraxcfg",
                                        MB_ICONQUESTION | MB_YESNOCANCEL);
  user.Join();
  ASSERT_TRUE(user.Found());
  EXPECT_EQ("Save Configuration?", user.Seen().text);
  EXPECT_EQ(IDNO, answer);
}

TEST(Win32DialogsTest, CancelledDialogsChangeNothing) {
  TWin32Dialogs dialogs;
  {
    TDialogAnswerer user("Open Import Nodrax File", IDCANCEL);
    TFileDialogRequest request;
    request.title = "Open Import Nodrax File";
    request.fileName = "kept";
    EXPECT_FALSE(dialogs.OpenFile(request));
    user.Join();
    EXPECT_TRUE(user.Found());
    EXPECT_EQ("kept", request.fileName);
  }
  {
    TDialogAnswerer user("Color", IDCANCEL);
    COLORREF colour = RGB(1, 2, 3);
    EXPECT_FALSE(dialogs.ChooseColour(nullptr, colour));
    user.Join();
    EXPECT_TRUE(user.Found());
    EXPECT_EQ(RGB(1, 2, 3), colour);
  }
  {
    TDialogAnswerer user("Browse for Folder", IDCANCEL);
    std::string folder = "C:\\kept";
    EXPECT_FALSE(dialogs.BrowseFolder(nullptr, "Select the BBS root folder", folder));
    user.Join();
    EXPECT_TRUE(user.Found());
    EXPECT_EQ("C:\\kept", folder);
  }
}

}  // namespace

namespace {

TEST(Win32DialogsTest, SaveDialogProposesTheNameAndAddsTheDefaultExtension) {
  TWin32Dialogs dialogs;
  TFileDialogRequest request;
  request.title = "Saving Nodrax config file";
  request.filter = "Nodrax config files (*.zub)|*.zub";
  request.defaultExt = "zub";
  request.initialDir = "C:\\";
  request.fileName = "ea9zzb";
  {
    TDialogAnswerer user(request.title, IDCANCEL);
    TFileDialogRequest cancelled = request;
    EXPECT_FALSE(dialogs.SaveFile(cancelled));
    EXPECT_TRUE(user.Found());
  }
  TDialogAnswerer user(request.title, IDOK);
  ASSERT_TRUE(dialogs.SaveFile(request));
  EXPECT_TRUE(user.Found());
  EXPECT_EQ("C:\\ea9zzb.zub", request.fileName);
}

}  // namespace
