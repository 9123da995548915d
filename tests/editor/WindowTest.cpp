// The main window as a whole: frame, pages, status bar, menu, clock, the
// check of the stored version, the stored position, closing, and errors
// that escape a handler.
#include <windows.h>
#include <commctrl.h>

#include <stdexcept>

#include "editor/app/About.h"
#include "editor/config/Configuration.h"
#include "editor/config/Load.h"
#include "platform/Application.h"
#include "support/EditorFixture.h"

namespace {

// The lines of a text, each without the CR before its LF.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (char c : text) {
    std::string& line = lines.back();
    if (c != '\n') {
      line += c;
      continue;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.emplace_back();
  }
  return lines;
}

RECT WindowRect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

}  // namespace

// ---------------------------------------------------------------------------
// Frame, pages and status bar.

using WindowFrameTest = EditorTest;

TEST_F(WindowFrameTest, FixedFrameWithoutMaximiseBoxAndTheStoredClientSize) {
  const LONG style = GetWindowLongA(FormHandle(), GWL_STYLE);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the window must not be resizable";

  RECT client;
  GetClientRect(FormHandle(), &client);
  EXPECT_EQ(396, client.right - client.left);
  EXPECT_EQ(407, client.bottom - client.top);

  EXPECT_EQ("Nodrax configuration  1.5.3", WindowText(FormHandle()));
}

TEST_F(WindowFrameTest, PageControlHoldsThirteenTabsOnSeveralRowsAndAHiddenAprsPage) {
  HWND tabs = Form().Pagina->Handle();
  const RECT r = WindowRect(tabs);
  EXPECT_EQ(396, r.right - r.left);
  EXPECT_EQ(387, r.bottom - r.top);
  EXPECT_TRUE(GetWindowLongA(tabs, GWL_STYLE) & TCS_MULTILINE);
  EXPECT_GT(SendMessageA(tabs, TCM_GETROWCOUNT, 0, 0), 1);

  const std::vector<std::string> expected = {
      "General",        "Folders",    "ZubDos Virtual Disks", "Unproto Frames",
      "First Connection Options", "Security", "Warnings",    "Forwarding",
      "Miscellaneous I", "Colours",   "Servers",              "Ports",
      "Miscellaneous II"};
  ASSERT_EQ(static_cast<LRESULT>(expected.size()), SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(expected[i], TabCaption(i)) << "tab " << i;

  // The APRS page exists, but nothing shows it.
  ASSERT_EQ(14u, Form().Pagina->Pages().size());
  TTabSheet* aprs = Form().FindSheet("Hojaaprs");
  ASSERT_NE(nullptr, aprs);
  EXPECT_FALSE(aprs->TabVisible);
  EXPECT_FALSE(IsWindowVisible(aprs->Handle()));
}

TEST_F(WindowFrameTest, StatusBarHasPanelsOf280And50Pixels) {
  HWND bar = Form().StatusBar1->Handle();
  int edges[4] = {};
  ASSERT_EQ(2, SendMessageA(bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)));
  EXPECT_EQ(280, edges[0]);
  EXPECT_EQ(330, edges[1]);
  // It lies below the page control, along the bottom of the client area.
  RECT bar_rect = WindowRect(bar), client;
  MapWindowPoints(nullptr, FormHandle(), reinterpret_cast<POINT*>(&bar_rect), 2);
  GetClientRect(FormHandle(), &client);
  EXPECT_EQ(client.bottom, bar_rect.bottom);
  EXPECT_EQ(PanelText(0), "");
}

TEST_F(WindowFrameTest, ClockTimerRunsEverySecond) {
  ASSERT_TRUE(Form().Timer1);
  EXPECT_TRUE(Form().Timer1->Enabled());
  EXPECT_EQ(1000u, Form().Timer1->Interval());
  // A real tick within a little more than its interval.
  const DWORD start = GetTickCount();
  while (PanelText(1).empty() && GetTickCount() - start < 3000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    Pump();
  }
  const std::string text = PanelText(1);
  ASSERT_EQ(21u, text.size()) << text;
  EXPECT_EQ("Local Time:  ", text.substr(0, 13));
  EXPECT_EQ(':', text[15]);
  EXPECT_EQ(':', text[18]);
}

// ---------------------------------------------------------------------------
// The clock.

struct ClockCase {
  WORD hour, minute, second;
  const char* shown;
};

void PrintTo(const ClockCase& c, std::ostream* os) { *os << c.shown; }

class ClockTest : public EditorTest, public ::testing::WithParamInterface<ClockCase> {};

TEST_P(ClockTest, ShowsTwoDigitsForEachPart) {
  const ClockCase c = GetParam();
  Form().LocalClock = [c] { return SYSTEMTIME{2024, 3, 0, 9, c.hour, c.minute, c.second, 0}; };
  Form().Timer1->Tick();
  EXPECT_EQ(c.shown, PanelText(1));
  EXPECT_EQ("", PanelText(0)) << "the clock has panel 1 to itself";
}

INSTANTIATE_TEST_SUITE_P(TimesOfDay, ClockTest,
                         ::testing::Values(ClockCase{0, 0, 0, "Local Time:  00:00:00"},
                                           ClockCase{9, 5, 7, "Local Time:  09:05:07"},
                                           ClockCase{10, 10, 10, "Local Time:  10:10:10"},
                                           ClockCase{23, 59, 59, "Local Time:  23:59:59"}));

// ---------------------------------------------------------------------------
// The menu.

namespace {
struct MenuRow {
  const char* name;
  const char* caption;  // "-" for a separator
};
const MenuRow kFileMenu[] = {
    {"Menuimport", "&Import old INIT.SRV"},
    {"Importsys", "I&mport old PORT(S).SYS"},
    {"N1", "-"},
    {"ReloadRegistry1", "&Reload Registry"},
    {"ReloadDriversDir1", "Reload &Drivers Dir"},
    {"CheckConfiguration1", "C&heck Configuration"},
    {"N4", "-"},
    {"ImportConfig1", "Import &Config"},
    {"ExportConfig1", "&Export Config"},
    {"DeleteConfig1", "De&lete Config"},
    {"RestoreBackup1", "Restore &Backup"},
    {"N3", "-"},
    {"Menusave", "&Save"},
    {"SaveExit1", "S&ave && Exit"},
    {"N2", "-"},
    {"Menuexit", "&Exit"},
};

std::string MenuText(HMENU menu, UINT position) {
  char text[128] = "";
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}
}  // namespace

using MenuTest = EditorTest;

TEST_F(MenuTest, BarAndFileMenuCarryTheStoredCaptionsInOrder) {
  HMENU bar = GetMenu(FormHandle());
  ASSERT_NE(nullptr, bar);
  ASSERT_EQ(2, GetMenuItemCount(bar));
  EXPECT_EQ("&File", MenuText(bar, 0));
  EXPECT_EQ("&About", MenuText(bar, 1));

  HMENU file = GetSubMenu(bar, 0);
  ASSERT_NE(nullptr, file);
  ASSERT_EQ(static_cast<int>(std::size(kFileMenu)), GetMenuItemCount(file));
  for (UINT i = 0; i < std::size(kFileMenu); ++i) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID;
    ASSERT_TRUE(GetMenuItemInfoA(file, i, TRUE, &info));
    const MenuRow& row = kFileMenu[i];
    if (std::string(row.caption) == "-") {
      EXPECT_TRUE(info.fType & MFT_SEPARATOR) << row.name;
      continue;
    }
    EXPECT_EQ(row.caption, MenuText(file, i)) << row.name;
    TMenuItem* item = MenuItem(row.name);
    ASSERT_NE(nullptr, item) << row.name;
    EXPECT_EQ(row.caption, item->Caption);
    EXPECT_EQ(item->Command(), info.wID) << row.name;
  }
}

TEST_F(MenuTest, AnItemIsEnabledExactlyWhenItHasSomethingToDo) {
  HMENU bar = GetMenu(FormHandle());
  std::vector<std::string> names = {"About1"};
  for (const MenuRow& row : kFileMenu)
    if (std::string(row.caption) != "-") names.push_back(row.name);
  for (const std::string& name : names) {
    TMenuItem* item = MenuItem(name);
    ASSERT_NE(nullptr, item) << name;
    const UINT state = GetMenuState(bar, item->Command(), MF_BYCOMMAND);
    ASSERT_NE(static_cast<UINT>(-1), state) << name;
    const bool grayed = state & (MF_GRAYED | MF_DISABLED);
    EXPECT_EQ(item->Enabled(), !grayed) << name << ": the menu and the item disagree";
    EXPECT_EQ(static_cast<bool>(item->OnClick), item->Enabled())
        << name << ": an item without an action must be disabled, one with an action enabled";
  }
  // The lifecycle of this window is there: reload, save, save & exit, exit.
  for (const char* name : {"ReloadRegistry1", "Menusave", "SaveExit1", "Menuexit"})
    EXPECT_TRUE(MenuItem(name)->Enabled()) << name;
}

// ---------------------------------------------------------------------------
// The stored version.

struct VersionCase {
  const char* stored;  // nullptr: no Version value
  bool warns;
  bool windowKey = true;  // false: not even the editor's own key
};

class VersionCheckTest : public EditorFixture, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionCheckTest, WarnsOnlyWhenTheStoredVersionIsNewer) {
  CreateEmptyConfig();
  if (GetParam().stored)
    WriteString(kWindowKey, "Version", GetParam().stored);
  else if (GetParam().windowKey)
    CreateKey(kWindowKey);
  if (GetParam().warns) AnswerMessage(IDOK);
  OpenEditor();
  ASSERT_TRUE(EditorOpen());

  const auto shown = Messages();
  if (!GetParam().warns) {
    EXPECT_TRUE(shown.empty()) << shown.front().text;
    return;
  }
  ASSERT_EQ(1u, shown.size());
  EXPECT_EQ("Nodrax configuration", shown[0].caption);
  EXPECT_EQ(static_cast<UINT>(MB_ICONWARNING | MB_OK), shown[0].type);
  const std::vector<std::string> lines = Lines(shown[0].text);
  ASSERT_EQ(2u, lines.size()) << shown[0].text;
  EXPECT_EQ("This is an older version than you used for set this ZUB.", lines[0]);
  // Where newer versions are published: the project's own address.
  EXPECT_EQ(std::string("Download the new version at ") + kProjectMail, lines[1]);
  // Editing goes on as usual.
  Type(Form().Page<TGeneralPage>().Editciudad, "Lugo");
  EXPECT_EQ("Lugo", FieldText(Config().ConfigRecord.Qth));
}

INSTANTIATE_TEST_SUITE_P(StoredVersions, VersionCheckTest,
                         ::testing::Values(VersionCase{"1.6.0", true},
                                           VersionCase{"1.5.10", true},  // numbers, not text
                                           VersionCase{"2", true},       // missing parts are 0
                                           VersionCase{"1.5.3", false},
                                           VersionCase{"1.4.9", false},
                                           VersionCase{"0.9.9", false},
                                           VersionCase{"1.5", false},
                                           VersionCase{nullptr, false},
                                           VersionCase{nullptr, false, false}));

// ---------------------------------------------------------------------------
// The stored position.

using PositionTest = EditorFixture;

TEST_F(PositionTest, RestoredFromLeftAndTop) {
  CreateEmptyConfig();
  WriteDword(kWindowKey, "Left", 123);
  WriteDword(kWindowKey, "Top", 77);
  OpenEditor();
  EXPECT_EQ(123, WindowRect(FormHandle()).left);
  EXPECT_EQ(77, WindowRect(FormHandle()).top);
}

TEST_F(PositionTest, AMissingCoordinateStaysWhereTheSystemPutIt) {
  CreateEmptyConfig();
  WriteDword(kWindowKey, "Left", 211);
  OpenEditor();
  EXPECT_EQ(211, WindowRect(FormHandle()).left);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(PositionTest, ClosingStoresVersionAndPosition) {
  CreateEmptyConfig();
  WriteString(kWindowKey, "Version", "1.0.0");
  OpenEditor();
  Form().SetPosition(140, 96);
  ASSERT_TRUE(RequestClose());
  EXPECT_EQ("1.5.3", ReadString(kWindowKey, "Version").value_or("(none)"));
  EXPECT_EQ(140u, ReadDword(kWindowKey, "Left").value_or(0xFFFF));
  EXPECT_EQ(96u, ReadDword(kWindowKey, "Top").value_or(0xFFFF));
}

// ---------------------------------------------------------------------------
// Closing.

using CloseTest = EditorTest;

TEST_F(CloseTest, WithoutChangesClosesWithoutAskingEvenWithoutCallsign) {
  ASSERT_EQ("", WindowText(Form().Page<TGeneralPage>().Editbbsindicativo));
  ASSERT_FALSE(Modified());
  EXPECT_TRUE(RequestClose());
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(Doc().LetGone()) << "only No at the question lets the changes go";
  EXPECT_EQ("1.5.3", ReadString(kWindowKey, "Version").value_or(""));
}

TEST_F(CloseTest, ChangesWithoutCallsignAreRefusedOnTheCallsign) {
  Form().Pagina->SetActivePage(Form().FindSheet("Hojadirectorios"));
  Type(Form().Page<TFoldersPage>().Directorioraiz, "C:\\BBS");
  ASSERT_TRUE(Modified());
  AnswerMessage(IDOK);
  EXPECT_FALSE(RequestClose());
  ExpectOnlyMessage("BBS must have a Callsign", "Nodraxcfg", MB_ICONWARNING | MB_OK);
  EXPECT_EQ("Hojageneral", ActivePageName());
  EXPECT_EQ("Editbbsindicativo", FocusedName());
  EXPECT_TRUE(Modified());
}

TEST_F(CloseTest, ChangesWithoutHRouteAreRefusedAfterStoringThePosition) {
  Form().SetPosition(150, 88);
  Type(Form().Page<TGeneralPage>().Editbbsindicativo, "EA4ZZZ");
  Form().Pagina->SetActivePage(Form().FindSheet("Hojaforward"));
  ASSERT_TRUE(Modified());
  AnswerMessage(IDOK);
  EXPECT_FALSE(RequestClose());
  ExpectOnlyMessage("BBS must have Hierarcical Route ", "Nodraxcfg", MB_ICONWARNING | MB_OK);
  EXPECT_EQ("Hojageneral", ActivePageName());
  EXPECT_EQ("Edithroute", FocusedName());
  // The refused close wrote the editor's own key all the same.
  EXPECT_EQ("1.5.3", ReadString(kWindowKey, "Version").value_or(""));
  EXPECT_EQ(150u, ReadDword(kWindowKey, "Left").value_or(0));
  EXPECT_EQ(88u, ReadDword(kWindowKey, "Top").value_or(0));
  EXPECT_FALSE(ReadString(kConfigKey, "BbsCallsign")) << "nothing was saved";
}

// A complete identity, typed, so that the close asks.
class CloseQuestionTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    Type(Form().Page<TGeneralPage>().Editbbsindicativo, "EA4ZZZ");
    Type(Form().Page<TGeneralPage>().Edithroute, "#MAD.ESP.EU");
    ASSERT_TRUE(Modified());
  }
  void ExpectQuestion() {
    ExpectOnlyMessage("Save Configuration?", "Nodraxcfg", MB_ICONQUESTION | MB_YESNOCANCEL);
  }
};

TEST_F(CloseQuestionTest, CancelKeepsTheWindowAndEverythingInIt) {
  AnswerMessage(IDCANCEL);
  EXPECT_FALSE(RequestClose());
  ExpectQuestion();
  EXPECT_TRUE(Modified());
  ASSERT_FALSE(Doc().LetGone());
  EXPECT_EQ("EA4ZZZ.#MAD.ESP.EU", FieldText(Config().ConfigRecord.BbsCallsign));
  EXPECT_FALSE(ReadString(kConfigKey, "BbsCallsign")) << "Cancel saves nothing";
  // Still a working window.
  Type(Form().Page<TGeneralPage>().Editciudad, "Madrid");
  EXPECT_EQ("Madrid", FieldText(Config().ConfigRecord.Qth));
}

TEST_F(CloseQuestionTest, NoClosesWithoutSavingAndReleasesTheRecords) {
  AnswerMessage(IDNO);
  EXPECT_TRUE(RequestClose());
  ExpectQuestion();
  EXPECT_TRUE(Doc().LetGone());
  EXPECT_FALSE(ReadString(kConfigKey, "BbsCallsign")) << "No saves nothing";
  EXPECT_EQ("1.5.3", ReadString(kWindowKey, "Version").value_or(""));
}

TEST_F(CloseQuestionTest, ExitFromTheMenuAsksTheSameQuestion) {
  AnswerMessage(IDCANCEL);
  InvokeMenu("Menuexit");
  ExpectQuestion();
  EXPECT_TRUE(EditorOpen());
}

// ---------------------------------------------------------------------------
// Errors that escape a handler.

using HandlerErrorTest = EditorTest;

TEST_F(HandlerErrorTest, IsShownWithItsOwnTextAndTheEditorKeepsRunning) {
  Form().Page<TGeneralPage>().Editciudad->OnChange = [](TObject*) {
    throw std::runtime_error("The city list is locked by another program");
  };
  AnswerMessage(IDOK);
  Type(Form().Page<TGeneralPage>().Editciudad, "L");
  const auto shown = Messages();
  ASSERT_EQ(1u, shown.size());
  EXPECT_EQ("The city list is locked by another program", shown[0].text);
  EXPECT_EQ("Nodrax configuration tool", shown[0].caption);
  EXPECT_EQ(static_cast<UINT>(MB_OK), shown[0].type & MB_TYPEMASK);
  ASSERT_TRUE(EditorOpen());
  // The other handlers still work.
  Type(Form().Page<TGeneralPage>().Editlocator, "in80");
  EXPECT_EQ("IN80", FieldText(Config().ConfigRecord.Locator));
  EXPECT_TRUE(Modified());
}

TEST_F(EditorFixture, APositionStoredAsTextNoLongerStopsTheShow) {
  // The registry layer refuses a window position stored as text; the show
  // takes it for absent instead of ending there with an error.
  CreateEmptyConfig();
  WriteString(kWindowKey, "Left", "120");
  OpenEditor();
  EXPECT_TRUE(Messages().empty());
  ASSERT_TRUE(EditorOpen());
  EXPECT_TRUE(IsWindowVisible(FormHandle()));
  Type(Form().Page<TGeneralPage>().Editciudad, "Vigo");
  EXPECT_EQ("Vigo", FieldText(Config().ConfigRecord.Qth));
  EXPECT_TRUE(Modified());
}

// ---------------------------------------------------------------------------
// Reload from the registry.

class ReloadTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    // What a reload would bring back.
    WriteString(kConfigKey, "Qth", "Lugo");
    WriteString(kConfigKey, "BbsCallsign", "EB1AAA.#GAL.ESP");
  }
  // Edits in the window and in the port table, not yet saved.
  void Edit() {
    Type(Form().Page<TGeneralPage>().Editbbsindicativo, "EA4ZZZ");
    // As the Ports page would: the table is read before it is edited.
    PortsNeeded(Config());
    SetField(Config().PortTable[2].Driver, "KIS");
    ASSERT_TRUE(Modified());
  }
  void ExpectQuestion(int answer) {
    dialogs.ExpectMessageBox("Nodraxcfg", "Configuration has changed. Save?",
                             MB_ICONQUESTION | MB_YESNOCANCEL, answer);
  }
  void ExpectEditsKept() {
    EXPECT_EQ("EA4ZZZ", WindowText(Form().Page<TGeneralPage>().Editbbsindicativo));
    EXPECT_EQ("", WindowText(Form().Page<TGeneralPage>().Editciudad)) << "the stored city came back";
    EXPECT_EQ("KIS", FieldText(Config().PortTable[2].Driver));
    EXPECT_TRUE(Modified());
  }
};

TEST_F(ReloadTest, WithoutChangesReloadsWithoutAsking) {
  InvokeMenu("ReloadRegistry1");
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ("Lugo", WindowText(Form().Page<TGeneralPage>().Editciudad));
  EXPECT_EQ("Lugo", FieldText(Config().ConfigRecord.Qth));
  EXPECT_FALSE(Modified());
}

TEST_F(ReloadTest, CancelChangesNothingThePortTableIncluded) {
  Edit();
  ExpectQuestion(IDCANCEL);
  InvokeMenu("ReloadRegistry1");
  ExpectEditsKept();
}

TEST_F(ReloadTest, NoDiscardsTheChangesAndLoads) {
  Edit();
  ExpectQuestion(IDNO);
  InvokeMenu("ReloadRegistry1");
  EXPECT_EQ("EB1AAA", WindowText(Form().Page<TGeneralPage>().Editbbsindicativo));
  EXPECT_EQ("Lugo", WindowText(Form().Page<TGeneralPage>().Editciudad));
  EXPECT_EQ("", FieldText(Config().PortTable[2].Driver)) << "the port table is reset";
  EXPECT_FALSE(Modified());
  EXPECT_EQ("EB1AAA.#GAL.ESP", ReadString(kConfigKey, "BbsCallsign").value_or(""))
      << "No saves nothing";
}

TEST_F(ReloadTest, YesWithARefusedSaveKeepsTheChanges) {
  // No H-route: the save refuses with its warning. Loading over the window
  // then would lose what the sysop just asked to keep.
  Edit();
  ExpectQuestion(IDYES);
  dialogs.ExpectMessageBox("Nodraxcfg", "BBS must have Hierarcical Route ",
                           MB_ICONWARNING | MB_OK, IDOK);
  InvokeMenu("ReloadRegistry1");
  ExpectEditsKept();
  EXPECT_EQ("EB1AAA.#GAL.ESP", ReadString(kConfigKey, "BbsCallsign").value_or(""));
}
