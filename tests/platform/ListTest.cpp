#include <string>
#include <vector>

#include "PlatformFixture.h"

namespace {

class ListTest : public PlatformTest {
 protected:
  HWND EditOf(const TComboBox& combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo.Handle(), &info);
    return info.hwndItem;
  }
};

TEST_F(ListTest, ChoosingAnItemShowsItsTextBeforeOnChangeRuns) {
  auto& combo = Add<TComboBox>({10, 10, 150, 21}, form.get(), "Modopuerto2", TComboStyle::DropDown);
  combo.SetItems({"None", "AGW", "BPQ", "TCP"});
  ShowForm();
  std::vector<std::string> seen;
  combo.OnChange = [&](TObject*) { seen.push_back(combo.Text()); };
  combo.SetFocus();
  Keystroke(EditOf(combo), VK_DOWN);  // the first item
  Keystroke(EditOf(combo), VK_DOWN);
  ASSERT_EQ(2u, seen.size());
  EXPECT_EQ("None", seen[0]);
  EXPECT_EQ("AGW", seen[1]);
  EXPECT_EQ(1, combo.ItemIndex());
}

TEST_F(ListTest, TypingInAComboBoxFiresOnChangeAndItsKeyEvents) {
  auto& combo = Add<TComboBox>({10, 10, 150, 21}, form.get(), "Editfileserver", TComboStyle::DropDown);
  combo.AddItem("INTERNAL SERVER");
  ShowForm();
  int changes = 0;
  TKeyLog keys;
  combo.OnChange = [&](TObject*) { ++changes; };
  LogKeys(combo, keys, '\r');
  TypeChars(EditOf(combo), "ab");
  EXPECT_EQ("ab", combo.Text());
  EXPECT_EQ(2, changes);
  combo.SetFocus();
  EXPECT_TRUE(combo.Focused());
  Keystroke(EditOf(combo), VK_RETURN);
  EXPECT_EQ("ab\r", keys.pressed);
  EXPECT_EQ(std::vector<WORD>{VK_RETURN}, keys.released);
  EXPECT_EQ("ab", combo.Text());
  EXPECT_EQ(&combo, TControl::FromHandle(GetFocus()));
}

TEST_F(ListTest, ProgramSetTextAndIndexFireOnChangeOnce) {
  TComboBox drop(form.get(), "Modopuerto2", TComboStyle::DropDown);
  TComboBox list(form.get(), "Velocidadserie", TComboStyle::DropDownList);
  for (TComboBox* c : {&drop, &list}) c->SetItems({"1200", "9600", "19200"});
  int dropChanges = 0, listChanges = 0;
  drop.OnChange = [&](TObject*) { ++dropChanges; };
  list.OnChange = [&](TObject*) { ++listChanges; };

  drop.SetText("Type of Port");
  EXPECT_EQ("Type of Port", drop.Text());
  drop.SetItemIndex(1);
  EXPECT_EQ("9600", drop.Text());
  drop.SetItemIndex(-1);
  EXPECT_EQ(-1, drop.ItemIndex());
  EXPECT_EQ(3, dropChanges);

  // A list without an edit field shows one of its items or nothing.
  list.SetText("19200");
  EXPECT_EQ(2, list.ItemIndex());
  list.SetText("4800");
  EXPECT_EQ(-1, list.ItemIndex());
  EXPECT_EQ(2, listChanges);

  EXPECT_EQ(3, list.ItemCount());
  EXPECT_EQ("9600", list.Item(1));
  EXPECT_EQ("", list.Item(3));
  list.ClearItems();
  EXPECT_EQ(0, list.ItemCount());

  // The bounds are those of the closed box; the window has room for the list.
  auto& combo = Add<TComboBox>({10, 10, 60, 21}, form.get(), "Comports", TComboStyle::DropDownList);
  const RECT r = combo.BoundsRect();
  EXPECT_EQ(10, r.left);
  EXPECT_EQ(70, r.right);
  EXPECT_LT(r.bottom - r.top, 40);
  RECT dropped;
  SendMessageA(combo.Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  EXPECT_GT(dropped.bottom - dropped.top, 100);  // room for the list
}

TEST_F(ListTest, ListBoxKeepsTheOrderAndReportsSelectionChanges) {
  auto& list = Add<TListBox>({10, 10, 150, 100}, form.get(), "ListBox1");
  for (const char* name : {"Zeta", "Alpha", "Mid"}) list.AddItem(name);
  EXPECT_EQ("Zeta", list.Item(0));
  EXPECT_EQ("Mid", list.Item(2));
  EXPECT_EQ(-1, list.ItemIndex());
  int clicks = 0;
  list.OnClick = [&](TObject*) { ++clicks; };
  list.SetItemIndex(1);  // the program's choice is no click
  EXPECT_EQ(0, clicks);
  EXPECT_EQ(1, list.ItemIndex());
  RECT item;
  SendMessageA(list.Handle(), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  ClickAt(list.Handle(), (item.left + item.right) / 2, (item.top + item.bottom) / 2);
  EXPECT_EQ(1, clicks);
  EXPECT_EQ(2, list.ItemIndex());
}

}  // namespace
