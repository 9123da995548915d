// The check window over the main window, driven with real keys and
// clicks: the finding under the selection goes to the caller, the window
// stays open for the next one, keeps its size across openings and lays
// itself out again at another DPI.
#include <windows.h>

#include <string>
#include <vector>

#include "editor/app/CheckWindow.h"
#include "editor/app/PortsPage.h"
#include "editor/config/DiskProbe.h"
#include "editor/config/RegistryKeys.h"
#include "platform/Registry.h"
#include "support/EditorFixture.h"

namespace {

std::vector<TFinding> TwoFindings() {
  return {
      {TSeverity::Warning, "Config", "Locator", "Hojageneral", "Editlocator", -1,
       "No QTH locator is set."},
      {TSeverity::Error, "Ports\\Port3", "Com", "Hojapuertosbbs", "Comports", 2,
       "Ports 1 and 3 are both on COM1."},
  };
}

std::string ItemText(HWND list, int row, int column) {
  char text[256] = "";
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

SIZE ClientSize(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return SIZE{r.right, r.bottom};
}

// Gives the window this client size in pixels, as dragging its frame would.
void Resize(HWND hwnd, int width, int height) {
  RECT client{}, window{};
  GetClientRect(hwnd, &client);
  GetWindowRect(hwnd, &window);
  SetWindowPos(hwnd, nullptr, 0, 0, window.right - window.left + width - client.right,
               window.bottom - window.top + height - client.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

class CheckWindowTest : public EditorTest {
 protected:
  void TearDown() override {
    CloseFindings();
    Pump();
    EditorTest::TearDown();
  }
  TCheckWindow& Open(const std::vector<TFinding>& findings = TwoFindings()) {
    ShowFindings(FormHandle(), findings, [this](const TFinding& f) { went.push_back(f); });
    Pump();
    TCheckWindow* window = FindingsWindow();
    EXPECT_NE(nullptr, window);
    return *window;
  }
  static int Scaled(int length, int dpi) { return MulDiv(length, dpi, 96); }
  std::vector<TFinding> went;
};

}  // namespace

TEST_F(CheckWindowTest, DownAndEnterGoToTheSecondFindingAndTheWindowStaysOpen) {
  TCheckWindow& window = Open();
  HWND list = window.List()->Handle();
  EXPECT_EQ(GetWindow(window.Handle(), GW_OWNER), FormHandle());
  EXPECT_TRUE(GetWindowLongA(window.Handle(), GWL_STYLE) & WS_THICKFRAME);
  ASSERT_EQ(2, SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  EXPECT_EQ("Warning", ItemText(list, 0, 0));
  EXPECT_EQ("Config\\Locator", ItemText(list, 0, 1));
  EXPECT_EQ("No QTH locator is set.", ItemText(list, 0, 2));
  EXPECT_EQ("Error", ItemText(list, 1, 0));
  EXPECT_EQ("Ports\\Port3\\Com", ItemText(list, 1, 1));
  EXPECT_EQ(GetFocus(), list);
  EXPECT_EQ(0, window.Selected());

  Keystroke(window.List(), VK_DOWN);
  EXPECT_EQ(1, window.Selected());
  Keystroke(window.List(), VK_RETURN);
  ASSERT_EQ(1u, went.size());
  EXPECT_EQ("Ports\\Port3\\Com", went[0].Where());
  EXPECT_EQ("Hojapuertosbbs", went[0].Page);
  EXPECT_EQ("Comports", went[0].Field);
  EXPECT_EQ(2, went[0].Row);
  EXPECT_EQ(&window, FindingsWindow()) << "the window stays open while the sysop fixes";

  // A double-click on the first row.
  RECT row{};
  row.left = LVIR_BOUNDS;
  ASSERT_TRUE(SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)));
  const LPARAM at = MAKELPARAM(row.left + 40, (row.top + row.bottom) / 2);
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
  SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
  Pump();
  ASSERT_EQ(2u, went.size());
  EXPECT_EQ("Config\\Locator", went[1].Where());

  // Escape closes it.
  Keystroke(window.List(), VK_ESCAPE);
  EXPECT_EQ(nullptr, FindingsWindow());
}

TEST_F(CheckWindowTest, KeepsItsSizeAcrossTwoOpeningsAndTheListFillsIt) {
  TCheckWindow& first = Open();
  const int dpi = first.Dpi();
  SIZE client = ClientSize(first.Handle());
  EXPECT_EQ(Scaled(TCheckWindow::kDefaultWidth, dpi), client.cx);
  EXPECT_EQ(Scaled(TCheckWindow::kDefaultHeight, dpi), client.cy);

  Resize(first.Handle(), Scaled(500, dpi), Scaled(300, dpi));
  Pump();
  const RECT list = first.List()->BoundsRect();
  EXPECT_NEAR(Scaled(500 - 8, dpi), list.right, 1);
  const RECT close = first.CloseButton->BoundsRect();
  EXPECT_NEAR(Scaled(300 - 8, dpi), close.bottom, 1);
  EXPECT_LT(list.bottom, close.top);
  CloseFindings();
  Pump();
  EXPECT_EQ(nullptr, FindingsWindow());

  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(kWindowKey));
  EXPECT_EQ(500, reg.ReadInteger("CheckWidth"));
  EXPECT_EQ(300, reg.ReadInteger("CheckHeight"));
  reg.CloseKey();

  TCheckWindow& second = Open();
  client = ClientSize(second.Handle());
  EXPECT_EQ(Scaled(500, dpi), client.cx);
  EXPECT_EQ(Scaled(300, dpi), client.cy);
}

// Under Wine a window never moves to a monitor of another DPI: the message
// that Windows sends then is sent here.
TEST_F(CheckWindowTest, AnotherDpiScalesTheSizeTheIconsAndTheLayout) {
  TCheckWindow& window = Open();
  const int dpi = window.Dpi(), other = dpi == 96 ? 144 : 96;
  Resize(window.Handle(), Scaled(480, dpi), Scaled(240, dpi));
  Pump();
  RECT at{};
  GetWindowRect(window.Handle(), &at);
  RECT suggested{at.left, at.top, at.left + MulDiv(at.right - at.left, other, dpi),
                 at.top + MulDiv(at.bottom - at.top, other, dpi)};
  SendMessageA(window.Handle(), WM_DPICHANGED, MAKEWPARAM(other, other),
               reinterpret_cast<LPARAM>(&suggested));
  Pump();
  EXPECT_EQ(other, window.Dpi());
  const SIZE client = ClientSize(window.Handle());
  EXPECT_EQ(Scaled(480, other), client.cx);
  EXPECT_EQ(Scaled(240, other), client.cy);
  const RECT list = window.List()->BoundsRect();
  EXPECT_NEAR(Scaled(480 - 8, other), list.right, 1);
  int cx = 0, cy = 0;
  HIMAGELIST icons = reinterpret_cast<HIMAGELIST>(
      SendMessageA(window.List()->Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  ASSERT_TRUE(ImageList_GetIconSize(icons, &cx, &cy));
  EXPECT_EQ(Scaled(16, other), cx);
  EXPECT_EQ(2, ImageList_GetImageCount(icons));
}

TEST_F(CheckWindowTest, NothingToReportSaysSoInABox) {
  Open();
  AnswerMessage(IDOK);
  ShowFindings(FormHandle(), {}, [this](const TFinding& f) { went.push_back(f); });
  Pump();
  ExpectOnlyMessage("The configuration check found nothing to report: no errors, no warnings.",
                    "Nodraxcfg", MB_ICONINFORMATION | MB_OK);
  EXPECT_EQ(nullptr, FindingsWindow()) << "an old list must not stay up";
}

TEST_F(CheckWindowTest, TheCallerMayCheckAgainOrCloseTheWindowFromTheCallback) {
  TCheckWindow& window = Open();
  // Checking again from the callback gives the open window the new list.
  ShowFindings(FormHandle(), TwoFindings(), [this](const TFinding& f) {
    went.push_back(f);
    ShowFindings(FormHandle(), {TwoFindings()[1]}, [this](const TFinding& g) {
      went.push_back(g);
      CloseFindings();
    });
  });
  Pump();
  Keystroke(window.List(), VK_RETURN);
  ASSERT_EQ(&window, FindingsWindow());
  EXPECT_EQ(1, window.Count());
  Keystroke(window.List(), VK_RETURN);
  EXPECT_EQ(2u, went.size());
  EXPECT_EQ(nullptr, FindingsWindow());
  Pump();
}

// The File menu's check, on what the window holds: Enter on a finding shows
// its page, selects its port and puts the caret in its field.
TEST_F(CheckWindowTest, TheMenusCheckLeadsFromAFindingToItsPortAndField) {
  for (int i : {2, 5}) {
    TPortRecord& port = Config().PortTable[i];
    SetField(port.Driver, "KIS");
    SetField(port.Com, "3");
    SetField(port.BaudRate, "9600");
    SetField(port.HexAddress, "3F8");
    SetField(port.Disabled, "false");
  }
  Config().PortsPending = false;
  InvokeMenu("CheckConfiguration1");
  Pump();
  TCheckWindow* window = FindingsWindow();
  ASSERT_NE(nullptr, window);
  const std::vector<TFinding> findings = CheckConfiguration(Config(), TDiskProbe());
  ASSERT_EQ(static_cast<int>(findings.size()), window->Count());
  int clash = -1;
  for (int i = 0; i < window->Count() && clash < 0; ++i)
    if (findings[i].Where() == "Ports\\Port6\\Com") clash = i;
  ASSERT_GE(clash, 0) << "no finding of the second port on COM 3";
  for (int i = 0; i < clash; ++i) Keystroke(window->List(), VK_DOWN);
  Keystroke(window->List(), VK_RETURN);
  Pump();
  EXPECT_EQ("Hojapuertosbbs", ActivePageName());
  EXPECT_EQ(5, Form().Page<TPortsPage>().Puertosbbs->ItemIndex());
  EXPECT_EQ("Comports", FocusedName());

  // The first finding, the callsign, leads to the General page.
  Keystroke(window->List(), VK_HOME);
  Keystroke(window->List(), VK_RETURN);
  Pump();
  EXPECT_EQ("Hojageneral", ActivePageName());
  EXPECT_EQ(findings[0].Field, FocusedName());
}
