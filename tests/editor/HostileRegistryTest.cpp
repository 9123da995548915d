// Hostile registry contents (config/HostileContent.h) as the window meets
// them: what it reads besides the load, the ports page showing hostile
// ports, the import command of a file holding them, the editor's own window
// key, positions off every monitor, and more servers than the table holds.
// What the load and the save make of the contents is tested on the
// configuration object (tests/config/HostileRegistryTest.cpp).
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "config/HostileContent.h"
#include "platform/Registry.h"
#include "support/LoadSaveFixture.h"

namespace {

using namespace hostile;

// The window reads nothing of the tree but what the load reads and its own
// window state. (The ports and servers are read when their pages are first
// shown.)
TEST_F(LoadSaveFixture, EveryValueTheWindowReadsIsInTheTableOfReadValuesOrItsOwn) {
  StoreTable(kNodraxKey, Kinds()[4]);
  StoreRaw(kFoldersKey, "Drivers", REG_SZ, std::string("C:\\") + '\0');
  const auto reads = ReadsOf([this] {
    OpenEditor();
    ClickTab(Form().FindSheet("Hojaservers"));
    ClickTab(Form().FindSheet("Hojapuertosbbs"));
    Form().ReloadRegistry1Click(nullptr);
  });
  ExpectAllInTheTable(reads, {"\\Windows\\Nodraxcfg|Version", "\\Windows\\Nodraxcfg|Left",
                              "\\Windows\\Nodraxcfg|Top"});
}

class HostileRegistryTest : public LoadSaveFixture, public ::testing::WithParamInterface<TKind> {};

// The opening reports nothing; the ports page shows each of the ports and
// stores back nothing but the defaults it puts into empty fields.
TEST_P(HostileRegistryTest, OpeningSaysNothingAndThePortsPageShowsEachPort) {
  StoreTable(kNodraxKey, GetParam());
  CreateEmptyConfig();
  TGuardedRecords records;
  OpenEditor();
  EXPECT_TRUE(Messages().empty()) << "the load reports nothing";
  ClickTab(Form().FindSheet("Hojapuertosbbs"));
  for (const char* port : kHostilePorts) {
    const int index = *PortIndexFromKeyName(port);
    const TPortRecord before = Config().PortTable[index];
    SendMessageA(Form().Page<TPortsPage>().Puertosbbs->ItemHandle(index), BM_CLICK, 0, 0);
    Pump();
    for (const TFieldSpan& span : kPortSpans) {
      if (FieldAt(&before, span).empty()) continue;
      EXPECT_EQ(FieldAt(&before, span), FieldAt(&Config().PortTable[index], span))
          << port << '\\' << span.Name;
    }
  }
  EXPECT_TRUE(Messages().empty());
  records.ExpectIntact("after showing the ports");
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostileRegistryTest, ::testing::ValuesIn(Kinds()), KindName);

// The same contents in a configuration file: the import takes what the
// load takes, and the BBS's own texts are cut at their widths. (A value of
// another type refuses the file: tests/config.)
using HostileImportTest = HostileRegistryTest;

TEST_P(HostileImportTest, ImportOfAFileTakesWhatTheLoadTakes) {
  const TKind& kind = GetParam();
  const std::string file = std::string(kTestFolder) + "\\hostile.zub";
  std::filesystem::create_directories(kTestFolder);
  StoreTable(kNodraxKey, kind);
  WriteString(kConfigKey, "BbsCallsign", "X1ABC.ABC.EU");  // so that the save takes the file
  ASSERT_EQ(ERROR_SUCCESS, TRegistry().SaveKey(kNodraxKey, file));
  RemoveNodraxTree();
  CreateEmptyConfig();
  TGuardedRecords records;
  OpenEditor();

  TScratchCurrentFolder scratch(std::string(kTestFolder) + "\\Current");
  dialogs.ExpectOpenFile(file);
  // The store replaced names no BBS root to keep its backup in.
  dialogs.ExpectMessageBoxContaining("Nodraxcfg", "no BBS root folder",
                                     MB_ICONWARNING | MB_YESNO | MB_DEFBUTTON2, IDYES);
  dialogs.ExpectMessageBox("Import Config File", SystemErrorMessage(ERROR_SUCCESS), MB_OK, IDOK);
  InvokeMenu("ImportConfig1");
  EXPECT_FALSE(Modified());
  ExpectLoadedAsTheRulesSay(kind, records, true);
  const std::string text = TextOf(kind);
  EXPECT_EQ(Cut(text, 50), Text("Software\\Nodrax\\HouseKeeping", "PreCmdFile"));
  EXPECT_EQ(Cut(text, 100), Text("Software\\Nodrax\\HouseKeeping", "BadRouT"));
  EXPECT_EQ(Cut(text, 100), Text("Software\\Nodrax\\Sounds\\SysopCall", "File"));
  EXPECT_EQ(7u, ReadDword("Software\\Nodrax\\Options", "Gateway").value_or(0));
}

// The kinds of text: all but the first.
INSTANTIATE_TEST_SUITE_P(Kinds, HostileImportTest,
                         ::testing::ValuesIn(Kinds().begin() + 1, Kinds().end()), KindName);

// ---------------------------------------------------------------------------
// The show: the editor's own values, each hostile in turn. The version
// check and the driver list must run whatever the position holds.

class HostileWindowStateTest : public LoadSaveFixture,
                               public ::testing::WithParamInterface<TKind> {};

TEST_P(HostileWindowStateTest, ShowPlacesChecksTheVersionAndListsTheDrivers) {
  const TKind& kind = GetParam();
  const std::string drivers = std::string(kTestFolder) + "\\Drv";
  struct TRow {
    const char* Name;
    bool Integer;
  };
  for (const TRow& row : {TRow{"Version", false}, TRow{"Left", true}, TRow{"Top", true}}) {
    SCOPED_TRACE(row.Name);
    std::filesystem::create_directories(drivers);
    std::ofstream(drivers + "\\TCP.dll") << "MZ";
    CreateEmptyConfig();
    WriteString(kFoldersKey, "Drivers", drivers);
    WriteString(kWindowKey, "Version", "9.9.9");
    WriteDword(kWindowKey, "Left", 123);
    WriteDword(kWindowKey, "Top", 77);
    StoreOfKind(kWindowKey, row.Name, kind, row.Integer);
    const bool newer = row.Integer;  // none of the contents reads as a newer version
    if (newer)
      dialogs.ExpectMessageBoxContaining("Nodrax configuration", "older version",
                                         MB_ICONWARNING | MB_OK, IDOK);
    OpenEditor();
    EXPECT_EQ(newer ? 1u : 0u, Messages().size());
    EXPECT_EQ(2, Form().Page<TPortsPage>().Modopuerto2->ItemCount()) << "the driver list was not filled";
    RECT at{};
    GetWindowRect(FormHandle(), &at);
    if (std::string(row.Name) != "Left") {
      EXPECT_EQ(123, at.left);
    }
    if (std::string(row.Name) != "Top") {
      EXPECT_EQ(77, at.top);
    }
    ASSERT_TRUE(RequestClose());
    // The close writes the position over what was there, as integers.
    if (row.Integer) {
      EXPECT_TRUE(ReadDword(kWindowKey, row.Name).has_value()) << row.Name;
    }
    TearDown();
    SetUp();
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostileWindowStateTest, ::testing::ValuesIn(Kinds()), KindName);

// A position that no monitor shows, stored by an editor on a monitor that
// is gone or by any other tool, brings the window back onto the screen; a
// window closed while minimised stores where it stood before.
TEST_F(LoadSaveFixture, APositionOffEveryMonitorComesBackOnScreen) {
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  for (const POINT stored : {POINT{-32000, -32000}, POINT{0x7FFFFFF0, 50}, POINT{40, 5000},
                             POINT{-2000, 100}}) {
    SCOPED_TRACE(std::to_string(stored.x) + "," + std::to_string(stored.y));
    CreateEmptyConfig();
    WriteDword(kWindowKey, "Left", static_cast<DWORD>(stored.x));
    WriteDword(kWindowKey, "Top", static_cast<DWORD>(stored.y));
    OpenEditor();
    RECT at{};
    GetWindowRect(FormHandle(), &at);
    EXPECT_GE(at.left, screen.left);
    EXPECT_GE(at.top, screen.top);
    EXPECT_LE(at.right, screen.right);
    EXPECT_LE(at.bottom, screen.bottom);
    TearDown();
    SetUp();
  }
  CreateEmptyConfig();
  WriteDword(kWindowKey, "Left", 150);
  WriteDword(kWindowKey, "Top", 60);
  OpenEditor();
  ShowWindow(FormHandle(), SW_MINIMIZE);
  Pump();
  ASSERT_TRUE(IsIconic(FormHandle()));
  ASSERT_TRUE(RequestClose());
  EXPECT_EQ(150u, ReadDword(kWindowKey, "Left").value_or(0));
  EXPECT_EQ(60u, ReadDword(kWindowKey, "Top").value_or(0));
}

// More servers than the table holds: the servers page lists the hundred the
// load took; a save that the Config key refuses warns naming it and keeps
// the changes marked.
TEST_F(LoadSaveFixture, AHundredServersAreListedAndARefusedSaveSaysWhichKeyAndKeepsTheMark) {
  WriteString(kConfigKey, "BbsCallsign", "X1ABC.ABC.XX.EU");
  for (int i = 0; i < 150; ++i)
    WriteString(Key(kServersKey, "S" + std::to_string(1000 + i)), "File", "s.exe");
  Deny(kConfigKey, KEY_SET_VALUE);
  OpenEditor();
  EXPECT_EQ(100, Form().Page<TServersPage>().ListBox1->ItemCount());
  SetModified(true);
  dialogs.ExpectMessageBoxContaining("Nodraxcfg", "Software\\Nodrax\\Config",
                                     MB_ICONWARNING | MB_OK, IDOK);
  Form().MenusaveClick(nullptr);
  EXPECT_TRUE(Modified());
}

}  // namespace
