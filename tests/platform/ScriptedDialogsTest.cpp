// The scripted dialogs are what the window tests trust to notice a wrong or
// missing question; these check that they do.
#include <gtest/gtest-spi.h>

#include <memory>

#include "platform/Dialogs.h"
#include "support/ScriptedDialogs.h"

namespace {

TEST(ScriptedDialogsTest, AnswersTheExpectedCallsInOrderAndLogsThem) {
  IDialogs* before = &Dialogs();
  TScriptedDialogs dialogs;
  auto installed = std::make_unique<TDialogsGuard>(dialogs);
  int openedAtAnswer = -1;
  dialogs
      .ExpectMessageBox("Nodraxcfg", "Save Configuration?", MB_ICONQUESTION | MB_YESNOCANCEL,
                        IDNO)
      .Then([&] { openedAtAnswer = static_cast<int>(dialogs.Calls().size()); });
  dialogs.ExpectOpenFile("C:\\old\\Init.srv");
  dialogs.ExpectChooseColour(TScriptedDialogs::Cancel);
  EXPECT_EQ(IDNO, Dialogs().MessageBox(nullptr, "Save Configuration?", "Nodraxcfg",
                                       MB_ICONQUESTION | MB_YESNOCANCEL));
  TFileDialogRequest request;
  request.title = "Open Import Nodrax File";
  request.initialDir = "C:\\BBS";
  EXPECT_TRUE(Dialogs().OpenFile(request));
  EXPECT_EQ("C:\\old\\Init.srv", request.fileName);
  COLORREF colour = RGB(1, 2, 3);
  EXPECT_FALSE(Dialogs().ChooseColour(nullptr, colour));
  EXPECT_EQ(RGB(1, 2, 3), colour);

  ASSERT_NE(nullptr, dialogs.Last(TDialogKind::OpenFile));
  EXPECT_EQ("C:\\BBS", dialogs.Last(TDialogKind::OpenFile)->file.initialDir);
  EXPECT_EQ("", dialogs.Last(TDialogKind::OpenFile)->file.fileName);  // as asked
  EXPECT_EQ(RGB(1, 2, 3), dialogs.Last(TDialogKind::ChooseColour)->colour);
  EXPECT_EQ(3u, dialogs.Calls().size());
  EXPECT_EQ(0u, dialogs.Pending());
  EXPECT_EQ(1, openedAtAnswer);  // Then ran while the box was up
  dialogs.VerifyAndClear();
  EXPECT_TRUE(dialogs.Calls().empty());
  installed.reset();
  EXPECT_EQ(before, &Dialogs());
}

TEST(ScriptedDialogsTest, AnUnexpectedCallFailsAndIsAnsweredAsCancelled) {
  TScriptedDialogs dialogs;
  TDialogsGuard installed(dialogs);
  int answer = 0;
  EXPECT_NONFATAL_FAILURE(
      answer = Dialogs().MessageBox(nullptr, "BBS must have a Callsign", "Nodraxcfg", MB_OK),
      "BBS must have a Callsign");
  EXPECT_EQ(IDCANCEL, answer);
  std::string path = "unchanged";
  dialogs.ExpectOpenFile("C:\\x");
  bool browsed = true;
  EXPECT_NONFATAL_FAILURE(browsed = Dialogs().BrowseFolder(nullptr, "Search for ZUB Directories",
                                                           path),
                          "file-open dialog");
  EXPECT_FALSE(browsed);
  EXPECT_EQ("unchanged", path);
  EXPECT_EQ(1u, dialogs.Pending());  // the open-file expectation is still there
  EXPECT_NONFATAL_FAILURE(dialogs.VerifyAndClear(), "never asked");
}

TEST(ScriptedDialogsTest, DifferentDetailsFailButTheScriptGoesOn) {
  TScriptedDialogs dialogs;
  TDialogsGuard installed(dialogs);
  dialogs.ExpectMessageBox("Nodraxcfg", "BBS must have Hierarcical Route ", MB_ICONWARNING | MB_OK,
                           IDOK);
  int answer = 0;
  EXPECT_NONFATAL_FAILURE(answer = Dialogs().MessageBox(nullptr, "BBS must have Hierarcical Route",
                                                        "Nodraxcfg", MB_ICONWARNING | MB_OK),
                          "Hierarcical Route ");
  EXPECT_EQ(IDOK, answer);
  dialogs.ExpectMessageBoxContaining("Nodrax configuration", "Download the new version at ",
                                     MB_ICONWARNING | MB_OK, IDOK);
  EXPECT_EQ(IDOK, Dialogs().MessageBox(nullptr, "Older.\nDownload the new version at somewhere",
                                       "Nodrax configuration", MB_ICONWARNING | MB_OK));
}

}  // namespace
