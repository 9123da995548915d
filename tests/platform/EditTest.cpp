#include <string>
#include <vector>

#include "PlatformFixture.h"

namespace {

class EditTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    edit = &Add<TEdit>({10, 10, 150, 21}, form.get(), "Edit1");
    next = &Add<TEdit>({10, 40, 150, 21}, form.get(), "Edit2");
    edit->OnChange = [this](TObject*) { changes.push_back(edit->Text()); };
  }

  TEdit* edit = nullptr;
  TEdit* next = nullptr;
  std::vector<std::string> changes;  // the text at each OnChange
};

TEST_F(EditTest, SetTextFiresOnChangeOnceForANewTextAndNotForTheSameOrNested) {
  edit->SetText("D:\\BBS");
  edit->SetText("D:\\BBS");
  edit->SetText("D:\\BBS2");
  EXPECT_EQ((std::vector<std::string>{"D:\\BBS", "D:\\BBS2"}), changes);
  EXPECT_EQ("D:\\BBS2", edit->Text());

  // The root-folder pattern: one field's change rewrites another.
  int nextChanges = 0;
  next->OnChange = [&](TObject*) { ++nextChanges; };
  edit->OnChange = [&](TObject*) { next->SetText(edit->Text() + "\\Data"); };
  SendMessageA(edit->Handle(), EM_SETSEL, 0, -1);
  TypeChars(edit->Handle(), "C:");
  EXPECT_EQ(2, nextChanges);
  EXPECT_EQ("C:\\Data", next->Text());
}

TEST_F(EditTest, TextSetByOthersAndPastedTextFireOnChange) {
  SendMessageA(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ab"));
  ASSERT_EQ(1u, changes.size());
  EXPECT_EQ("ab", changes[0]);

  ASSERT_TRUE(OpenClipboard(form->Handle()));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 4);
  memcpy(GlobalLock(memory), "XYZ", 4);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
  SendMessageA(edit->Handle(), EM_SETSEL, 2, 2);
  SendMessageA(edit->Handle(), WM_PASTE, 0, 0);
  ASSERT_EQ(2u, changes.size());
  EXPECT_EQ("abXYZ", changes[1]);
}

TEST_F(EditTest, UpperCaseComesBeforeKeyPressWhichMayReplaceOrSwallow) {
  edit->SetUpperCase(true);
  std::string pressed;
  edit->OnKeyPress = [&](TObject*, char& key) {
    pressed += key;
    if (key == 'X') key = 'Y';
    if (key == 'Z') key = 0;
  };
  TypeChars(edit->Handle(), "ea1-xzb");
  EXPECT_EQ("EA1-YB", edit->Text());
  EXPECT_EQ("EA1-XZB", pressed);
  edit->SetText("lower");  // program-set text keeps its case
  EXPECT_EQ("lower", edit->Text());
}

TEST_F(EditTest, OemConvertKeepsOnlyWhatTheOemPageCanHold) {
  const UINT oem = GetOEMCP();
  ASSERT_TRUE(oem == 437 || oem == 850) << "OEM code page " << oem;
  ASSERT_EQ(1252u, GetACP());
  edit->SetOemConvert(true);
  // e acute is in both OEM pages; the euro sign (0x80 in 1252) is in neither.
  TypeChars(edit->Handle(), "a\xE9\x80");
  EXPECT_EQ("a\xE9?", edit->Text());
}

TEST_F(EditTest, MaxLengthLimitsTypingButNotSetText) {
  edit->SetMaxLength(2);
  TypeChars(edit->Handle(), "123");
  EXPECT_EQ("12", edit->Text());
  edit->SetText("a text longer than two");
  EXPECT_EQ("a text longer than two", edit->Text());
}

TEST_F(EditTest, EnterReachesKeyPressThroughTheDialogLoopAndInsertsNothing) {
  ShowForm();
  edit->SetText("abc");
  changes.clear();
  TKeyLog keys;
  LogKeys(*edit, keys, '\r');
  edit->SetFocus();
  Keystroke(edit->Handle(), VK_RETURN);
  EXPECT_EQ("\r", keys.pressed);
  EXPECT_EQ(std::vector<WORD>{VK_RETURN}, keys.released);
  EXPECT_EQ("abc", edit->Text());
  EXPECT_TRUE(changes.empty());
  EXPECT_TRUE(edit->Focused());
}

TEST_F(EditTest, TabMovesToTheNextFieldAndItsReleaseGoesThere) {
  ShowForm();
  std::vector<WORD> releasedInNext;
  next->OnKeyUp = [&](TObject*, WORD& key) { releasedInNext.push_back(key); };
  edit->SetFocus();
  Keystroke(edit->Handle(), VK_TAB);
  EXPECT_TRUE(next->Focused());
  EXPECT_EQ(std::vector<WORD>{VK_TAB}, releasedInNext);
}

}  // namespace
