#include <string>
#include <tuple>
#include <vector>

#include "PlatformFixture.h"

namespace {

class PagesTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    pages = &Add<TPageControl>({0, 1, 396, 250}, form.get(), "Pagina");
    general = &Own<TTabSheet>(pages, "Hojageneral", "General");
    folders = &Own<TTabSheet>(pages, "Hojadirectorios", "Folders");
    aprs = &Own<TTabSheet>(pages, "Hojaaprs", "APRS", false);
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

  TPageControl* pages = nullptr;
  TTabSheet *general = nullptr, *folders = nullptr, *aprs = nullptr;
};

TEST_F(PagesTest, TheFirstSheetIsActiveAndAHiddenTabSheetGetsNoTab) {
  EXPECT_EQ(2, TabCount());
  EXPECT_EQ("General", TabCaption(0));
  EXPECT_EQ("Folders", TabCaption(1));
  EXPECT_EQ(general, pages->ActivePage());
  EXPECT_EQ(3u, pages->Pages().size());
  pages->SetActivePage(aprs);
  EXPECT_EQ(general, pages->ActivePage());
  EXPECT_FALSE(aprs->Visible());

  pages->SetActivePage(folders);
  EXPECT_EQ(folders, pages->ActivePage());
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
  EXPECT_EQ(folders, pages->ActivePage());
  EXPECT_TRUE(folders->Visible());
  EXPECT_FALSE(general->Visible());
}

TEST_F(PagesTest, SheetsLieOverTheDisplayAreaAboveTheTabControl) {
  ShowForm();
  const RECT display = pages->DisplayRect();
  const RECT sheet = general->BoundsRect();
  EXPECT_EQ(std::tie(display.left, display.top, display.right, display.bottom),
            std::tie(sheet.left, sheet.top, sheet.right, sheet.bottom));
  EXPECT_GT(display.top, 1);  // below the row of tabs
  POINT middle{(display.left + display.right) / 2, (display.top + display.bottom) / 2};
  ClientToScreen(form->Handle(), &middle);
  EXPECT_EQ(general->Handle(), WindowFromPoint(middle));
}

TEST_F(PagesTest, ManyTabsWrapIntoRows) {
  std::vector<std::unique_ptr<TTabSheet>> more;
  for (const char* caption : {"ZubDos Virtual Disks", "Unproto Frames", "First Connection Options",
                              "Security", "Warnings", "Forwarding", "Miscellaneous I"})
    more.push_back(std::make_unique<TTabSheet>(pages, caption, caption));
  EXPECT_GT(pages->RowCount(), 1);
  // The display area shrank with the rows, and the sheets followed it.
  EXPECT_EQ(pages->DisplayRect().top, general->BoundsRect().top);
  more.clear();
}

TEST_F(PagesTest, CtrlTabTurnsThePagesAroundThoseWithTabs) {
  auto& field = Add<TEdit>({10, 10, 100, 21}, general, "Editbbsindicativo");
  auto& folder = Add<TEdit>({10, 10, 100, 21}, folders, "Directorioraiz");
  ShowForm();
  field.SetFocus();
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  Keystroke(field.Handle(), VK_TAB);
  EXPECT_EQ(folders, pages->ActivePage());
  EXPECT_TRUE(folder.Focused());
  Keystroke(folder.Handle(), VK_TAB);  // past the hidden APRS sheet, round to the first
  EXPECT_EQ(general, pages->ActivePage());
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  Keystroke(field.Handle(), VK_TAB);
  EXPECT_EQ(folders, pages->ActivePage());
  keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
}

TEST_F(PagesTest, TheFocusLeavesASheetThatIsHidden) {
  auto& field = Add<TEdit>({10, 10, 100, 21}, general, "Editbbsindicativo");
  ShowForm();
  field.SetFocus();
  ASSERT_TRUE(field.Focused());
  pages->SetActivePage(folders);
  HWND focus = GetFocus();
  EXPECT_FALSE(focus == field.Handle() || IsChild(general->Handle(), focus));
}

}  // namespace
