// The real system dialogs behind the seam, answered by a second thread that
// finds the dialog window and presses one of its buttons, as a user would.
#include <windows.h>

#include <string>

#include "gtest/gtest.h"
#include "platform/Dialogs.h"
#include "support/DialogAnswerer.h"

namespace {

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
