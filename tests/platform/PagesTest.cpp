#include <string>
#include <vector>

#include "PlatformFixture.h"

namespace {

class PagesTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    pages = std::make_unique<TPageControl>(form.get(), "Pagina");
    pages->SetBounds(0, 1, 396, 250);
    general = std::make_unique<TTabSheet>(pages.get(), "Hojageneral", "General");
    folders = std::make_unique<TTabSheet>(pages.get(), "Hojadirectorios", "Folders");
    aprs = std::make_unique<TTabSheet>(pages.get(), "Hojaaprs", "APRS", false);
  }
  void TearDown() override {
    aprs.reset();
    folders.reset();
    general.reset();
    pages.reset();
    PlatformTest::TearDown();
  }

  int TabCount() const { return static_cast<int>(SendMessageA(pages->Handle(), TCM_GETITEMCOUNT, 0, 0)); }
  int SelectedTab() const { return static_cast<int>(SendMessageA(pages->Handle(), TCM_GETCURSEL, 0, 0)); }
  std::string TabCaption(int index) const {
    char text[64] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(pages->Handle(), TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return text;
  }

  std::unique_ptr<TPageControl> pages;
  std::unique_ptr<TTabSheet> general, folders, aprs;
};

TEST_F(PagesTest, TheFirstSheetIsActiveAndAHiddenTabSheetGetsNoTab) {
  EXPECT_EQ(2, TabCount());
  EXPECT_EQ("General", TabCaption(0));
  EXPECT_EQ("Folders", TabCaption(1));
  EXPECT_EQ(general.get(), pages->ActivePage());
  EXPECT_EQ(3u, pages->Pages().size());
  pages->SetActivePage(aprs.get());
  EXPECT_EQ(general.get(), pages->ActivePage());
  EXPECT_FALSE(aprs->Visible());

  pages->SetActivePage(folders.get());
  EXPECT_EQ(folders.get(), pages->ActivePage());
  EXPECT_TRUE(folders->Visible());
  EXPECT_FALSE(general->Visible());
  EXPECT_FALSE(aprs->Visible());
  EXPECT_EQ(1, SelectedTab());
}

TEST_F(PagesTest, ClickingATabActivatesItsSheet) {
  ShowForm();
  RECT tab;
  SendMessageA(pages->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
  ClickAt(pages->Handle(), (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  Pump();
  EXPECT_EQ(folders.get(), pages->ActivePage());
  EXPECT_TRUE(folders->Visible());
  EXPECT_FALSE(general->Visible());
}

TEST_F(PagesTest, SheetsLieOverTheDisplayAreaAboveTheTabControl) {
  ShowForm();
  const RECT display = pages->DisplayRect();
  EXPECT_EQ(display.left, general->BoundsRect().left);
  EXPECT_EQ(display.top, general->BoundsRect().top);
  EXPECT_EQ(display.right, general->BoundsRect().right);
  EXPECT_EQ(display.bottom, general->BoundsRect().bottom);
  RECT tabs;
  GetClientRect(pages->Handle(), &tabs);
  EXPECT_GT(display.top, 1);  // below the row of tabs
  POINT middle{(display.left + display.right) / 2, (display.top + display.bottom) / 2};
  ClientToScreen(form->Handle(), &middle);
  EXPECT_EQ(general->Handle(), WindowFromPoint(middle));
}

TEST_F(PagesTest, ManyTabsWrapIntoRows) {
  std::vector<std::unique_ptr<TTabSheet>> more;
  for (const char* caption : {"ZubDos Virtual Disks", "Unproto Frames", "First Connection Options",
                              "Security", "Warnings", "Forwarding", "Miscellaneous I"})
    more.push_back(std::make_unique<TTabSheet>(pages.get(), caption, caption));
  EXPECT_GT(pages->RowCount(), 1);
  // The display area shrank with the rows, and the sheets followed it.
  EXPECT_EQ(pages->DisplayRect().top, general->BoundsRect().top);
  more.clear();
}

TEST_F(PagesTest, CtrlTabTurnsThePagesAroundThoseWithTabs) {
  TEdit field(general.get(), "Editbbsindicativo");
  field.SetBounds(10, 10, 100, 21);
  TEdit folder(folders.get(), "Directorioraiz");
  folder.SetBounds(10, 10, 100, 21);
  ShowForm();
  field.SetFocus();
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  Keystroke(field.Handle(), VK_TAB);
  EXPECT_EQ(folders.get(), pages->ActivePage());
  EXPECT_TRUE(folder.Focused());
  Keystroke(folder.Handle(), VK_TAB);  // past the hidden APRS sheet, round to the first
  EXPECT_EQ(general.get(), pages->ActivePage());
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  Keystroke(field.Handle(), VK_TAB);
  EXPECT_EQ(folders.get(), pages->ActivePage());
  keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
}

TEST_F(PagesTest, TheFocusLeavesASheetThatIsHidden) {
  TEdit field(general.get(), "Editbbsindicativo");
  field.SetBounds(10, 10, 100, 21);
  ShowForm();
  field.SetFocus();
  ASSERT_TRUE(field.Focused());
  pages->SetActivePage(folders.get());
  HWND focus = GetFocus();
  EXPECT_FALSE(focus == field.Handle() || IsChild(general->Handle(), focus));
}

}  // namespace
