#include <vector>

#include "PlatformFixture.h"

namespace {

using ButtonTest = PlatformTest;

TEST_F(ButtonTest, SetCheckedFiresOnClickOnlyWhenTheStateChanges) {
  TCheckBox box(form.get(), "Cachebids", "Cache BIDs");
  int clicks = 0;
  box.OnClick = [&](TObject* sender) {
    EXPECT_EQ(&box, sender);
    ++clicks;
  };
  box.SetChecked(false);
  EXPECT_EQ(0, clicks);
  box.SetChecked(true);
  box.SetChecked(true);
  EXPECT_EQ(1, clicks);
  EXPECT_TRUE(box.Checked());
  box.SetChecked(false);
  EXPECT_EQ(2, clicks);
  EXPECT_FALSE(box.Checked());
}

TEST_F(ButtonTest, ClickTogglesTheBoxAndFiresOnClick) {
  auto& box = Add<TCheckBox>({10, 10, 100, 17}, form.get(), "Log", "Log");
  ShowForm();  // a window that is not shown ignores BM_CLICK
  std::vector<bool> seen;
  box.OnClick = [&](TObject*) { seen.push_back(box.Checked()); };
  SendMessageA(box.Handle(), BM_CLICK, 0, 0);
  SendMessageA(box.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ((std::vector<bool>{true, false}), seen);
}

TEST_F(ButtonTest, SpaceOnACheckBoxIsAKeyPressThenAClick) {
  auto& box = Add<TCheckBox>({10, 10, 120, 17}, form.get(), "Forwardzub", "ZUB forward");
  ShowForm();
  std::vector<char> order;  // 'k' key press, 'c' click
  box.OnKeyPress = [&](TObject*, char& key) {
    if (key == ' ') {
      order.push_back('k');
      key = 0;
    }
  };
  box.OnClick = [&](TObject*) { order.push_back('c'); };
  box.SetFocus();
  Keystroke(box.Handle(), VK_SPACE);
  EXPECT_EQ((std::vector<char>{'k', 'c'}), order);
  EXPECT_TRUE(box.Checked());
}

TEST_F(ButtonTest, ButtonClickAndEnterOnAFocusedButtonFireOnClick) {
  auto& button = Add<TButton>({10, 10, 100, 25}, form.get(), "Botonaddserver", "Add Server");
  ShowForm();
  int clicks = 0;
  button.OnClick = [&](TObject*) { ++clicks; };
  SendMessageA(button.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(1, clicks);
  button.SetFocus();
  Keystroke(button.Handle(), VK_RETURN);
  EXPECT_EQ(2, clicks);
}

TEST_F(ButtonTest, SpeedButtonClicksWithoutTakingTheFocus) {
  auto& field = Add<TEdit>({120, 10, 150, 21}, form.get(), "Directorioraiz");
  auto& browse = Add<TSpeedButton>({10, 10, 100, 21}, form.get(), "Speedroot", "BBS Root dir:");
  ShowForm();
  EXPECT_FALSE(GetWindowLongPtrA(browse.Handle(), GWL_STYLE) & WS_TABSTOP);
  int clicks = 0;
  browse.OnClick = [&](TObject*) { ++clicks; };
  field.SetFocus();
  ClickMiddle(browse.Handle());
  EXPECT_EQ(1, clicks);
  EXPECT_TRUE(field.Focused());
  SendMessageA(browse.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(2, clicks);
  // Pressed, then released outside: no click.
  SendMessageA(browse.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(browse.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500, 5));
  SendMessageA(browse.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
  EXPECT_EQ(2, clicks);
  EXPECT_EQ("BBS Root dir:", browse.Text());
}

TEST_F(ButtonTest, RadioGroupFiresOnClickWhenTheChoiceChanges) {
  TRadioGroup group(form.get(), "Tipopuerto", "Mode", {"Users", "Guest", "BBS"});
  group.SetBounds(10, 10, 150, 90);
  ShowForm();
  std::vector<int> seen;
  group.OnClick = [&](TObject*) { seen.push_back(group.ItemIndex()); };
  EXPECT_EQ(-1, group.ItemIndex());
  group.SetItemIndex(1);
  group.SetItemIndex(1);
  EXPECT_EQ(std::vector<int>{1}, seen);
  EXPECT_EQ(BST_CHECKED, SendMessageA(group.ItemHandle(1), BM_GETCHECK, 0, 0));

  // The user picks "BBS": the other buttons untick.
  SendMessageA(group.ItemHandle(2), BM_CLICK, 0, 0);
  EXPECT_EQ((std::vector<int>{1, 2}), seen);
  EXPECT_EQ(BST_UNCHECKED, SendMessageA(group.ItemHandle(1), BM_GETCHECK, 0, 0));
  // Clicking the chosen one again changes nothing.
  SendMessageA(group.ItemHandle(2), BM_CLICK, 0, 0);
  EXPECT_EQ((std::vector<int>{1, 2}), seen);

  group.SetItemIndex(-1);
  EXPECT_EQ((std::vector<int>{1, 2, -1}), seen);
  for (int i = 0; i < group.ItemCount(); ++i)
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(group.ItemHandle(i), BM_GETCHECK, 0, 0));
  group.SetItemIndex(7);  // out of range: nothing chosen
  EXPECT_EQ(-1, group.ItemIndex());
  group.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(group.ItemHandle(0)));
}

}  // namespace
