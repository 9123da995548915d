// Long use in one process: the editor left open for days goes through
// thousands of loads, edits and saves, imports and colour choices. Each
// operation must give back every kernel handle, GDI object, window and heap
// block it takes, or the counts climb until Windows refuses the next one.
//
// LongUseTest repeats each operation enough times for a leak of one object
// per operation to show many times over, and runs in every test run;
// LongUseSoakTest repeats them as often as a sysop would in months (2,000
// cycles, 200 imports of each kind), which takes minutes under Wine.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "platform/Registry.h"
#include "support/LoadSaveFixture.h"
#include "support/ProcessCounters.h"

namespace {

using process_counters::TCounts;

const char kFolder[] = "C:\\NodraxLongUse";

class LongUseTest : public LoadSaveFixture {
 protected:
  void SetUp() override {
    LoadSaveFixture::SetUp();
    std::filesystem::remove_all(kFolder);
    std::filesystem::create_directory(kFolder);
    process_counters::ProveCountersWork();
    StoreFullConfiguration();
    OpenEditor();
  }
  void TearDown() override {
    LoadSaveFixture::TearDown();
    std::filesystem::remove_all(kFolder);
  }

  // Every page filled, ten ports and a dozen servers.
  void StoreFullConfiguration() {
    WriteStrings(kConfigKey, {{"BbsCallsign", "EA9ZZB.#CE.ESP.EURO"}, {"SSID", "2"},
                              {"Qth", "Ceuta"}, {"Locator", "IM75JV"}, {"ZipCode", "51001"},
                              {"SysOpCallsign", "EA9ZZC"}, {"SysOpName", "Pedro"},
                              {"Unproto", "5 10 AVPM"}, {"SecurityOptions", "3  0  1023"},
                              {"FirstConOptions", "2050"}, {"WarningMessages", "513"},
                              {"ForwardTypeZub", "OK  10"}, {"ForwardResume", "OK  3"},
                              {"CallsignsInMailBeacon", "B5"}, {"Timeout", "10  20"},
                              {"MaxDownloadYapp", "200  100"}, {"ScrollBuffers", "900  800  700"},
                              {"CopySysOpMessages", "EA9ZZC"}, {"FullLog", "OK"},
                              {"ZubHeader", "[$c] ZUB$E $$:$R"}, {"MaxBids", "10000"},
                              {"BulletinsLifetime", "30"}, {"RouteWpMessages", "EA9ZZB"},
                              {"WindowBackgroundColor", "0"}, {"SentTextColor", "255"}});
    WriteStrings(kFoldersKey, {{"ZubRoot", kTestRoot}, {"UsersPub", "C:\\A,*,*,*,*,*,*,*"}});
    for (int i = 1; i <= 10; ++i)
      WriteStrings(Key(kPortsKey, "Port" + std::to_string(i)),
                   {{"Driver", i % 2 ? "TCP" : "KIS"}, {"BaudRate", "6300"}, {"Com", "1"},
                    {"Label", "Port " + std::to_string(i)}, {"FwdPeriode", "00/30"}});
    for (int i = 0; i < 12; ++i)
      WriteStrings(Key(kServersKey, "SRV" + std::to_string(i)),
                   {{"File", "srv.exe"}, {"Description", "Server"}, {"Disabled", "false"}});
  }

  static std::string File(const std::string& name, const std::string& contents) {
    const std::string path = std::string(kFolder) + "\\" + name;
    std::ofstream(path, std::ios::binary) << contents;
    return path;
  }

  // Runs the operation a few times for what it sets up for good (caches,
  // the first common dialog), then `times` times more; the process must
  // hold the same objects as before, and its heap may differ by what the
  // system's own caches do (a few hundred bytes in all, measured), not by
  // the smallest block per run: 200 runs show a leak of 64 bytes each.
  void ExpectFlat(int times, const std::function<void(int)>& operation) {
    // The script's log of the dialogs asked grows with every run: it is
    // checked and emptied after each.
    auto run = [&](int i) {
      operation(i);
      dialogs.VerifyAndClear();
    };
    for (int i = 0; i < 5; ++i) run(i);
    Pump();
    const TCounts before = process_counters::Now();
    const DWORD start = GetTickCount();
    for (int i = 0; i < times; ++i) run(i);
    Pump();
    const TCounts after = process_counters::Now();
    const DWORD took = GetTickCount() - start;
    std::printf("%d runs, %.1f ms each\n", times, static_cast<double>(took) / times);
    const std::string counts = "before: " + process_counters::Describe(before) +
                               "\nafter:  " + process_counters::Describe(after);
    EXPECT_EQ(before.Handles, after.Handles) << counts;
    EXPECT_EQ(before.Gdi, after.Gdi) << counts;
    EXPECT_EQ(before.User, after.User) << counts;
    EXPECT_LT(after.Heap, before.Heap + 8 * 1024 + static_cast<std::size_t>(times) * 4)
        << counts;
  }

  // --- The operations ---------------------------------------------------
  void LoadEditSave(int i) {
    Form().ReloadRegistry1Click(nullptr);
    Form().Page<TGeneralPage>().Editciudad->SetText(i % 2 ? "Ceuta" : "Melilla");
    Click(Form().Page<TMiscellaneous1Page>().Log);
    Form().MenusaveClick(nullptr);
    ASSERT_FALSE(Modified()) << "cycle " << i;
  }
  void ImportPortsFile(const std::string& path) {
    AnswerOpenFile(path);
    InvokeMenu("Importsys");
  }
  void ImportInitSrv(const std::string& path) {
    AnswerOpenFile(path);
    InvokeMenu("Menuimport");
  }
  void ImportConfigFile(const std::string& path) {
    SetModified(false);  // the delete's reload would ask first
    AnswerOpenFile(path);
    dialogs.ExpectMessageBox("Import Config File", SystemErrorMessage(ERROR_SUCCESS), MB_OK, IDOK);
    InvokeMenu("ImportConfig1");
  }
  void ChooseColour(int i) {
    AnswerColour(RGB(i % 256, 40, 200 - i % 100));
    Click(i % 2 ? static_cast<TControl*>(Form().Page<TColoursPage>().Panel1) : Form().Page<TColoursPage>().Monhead);
  }

  std::string PortsFile() {
    return File("ports.sys", "1 TCP 0 8000 Net\r\n2 4 1 0 250 4 2 50 00/30 G Net\r\n"
                             "2 KIS 1 9600 VHF\r\n3 2 1 0 236 4 2 50 00/30 U VHF\r\n");
  }
  std::string InitSrvFile() {
    std::string file = "# Init.srv\r\nEA9ZZB.#CE.ESP.EURO\r\n2\r\nIM75JV\r\nCeuta\r\n";
    file += std::string(kTestRoot) + "\\SYSTEM\\\r\n";
    for (int n = 6; n <= 56; ++n) file += "\r\n";
    return File("Init.srv", file + "# servers -- below\r\nWP WP.EXE White pages\r\n");
  }
  std::string ConfigFile() {
    const std::string path = std::string(kFolder) + "\\full.zub";
    EXPECT_EQ(ERROR_SUCCESS, TRegistry().SaveKey("\\Software\\Nodrax", path));
    return path;
  }
};

// The counts used: few enough to stay within seconds, many enough that one
// object left behind per operation shows as dozens.
TEST_F(LongUseTest, LoadEditSaveAndReloadLeaveTheCountsFlat) {
  ExpectFlat(200, [this](int i) { LoadEditSave(i); });
}

TEST_F(LongUseTest, ImportsOfEachKindLeaveTheCountsFlat) {
  const std::string ports = PortsFile(), station = InitSrvFile(), config = ConfigFile();
  ExpectFlat(40, [&](int) { ImportPortsFile(ports); });
  ExpectFlat(40, [&](int) { ImportInitSrv(station); });
  ExpectFlat(20, [&](int) { ImportConfigFile(config); });
}

TEST_F(LongUseTest, ColourChoicesLeaveTheCountsFlat) {
  ExpectFlat(200, [this](int i) { ChooseColour(i); });
}

using LongUseSoakTest = LongUseTest;

TEST_F(LongUseSoakTest, TwoThousandCyclesOfLoadEditSaveAndReload) {
  ExpectFlat(2000, [this](int i) { LoadEditSave(i); });
}

TEST_F(LongUseSoakTest, TwoHundredImportsOfEachKind) {
  const std::string ports = PortsFile(), station = InitSrvFile(), config = ConfigFile();
  ExpectFlat(200, [&](int) { ImportPortsFile(ports); });
  ExpectFlat(200, [&](int) { ImportInitSrv(station); });
  ExpectFlat(200, [&](int) { ImportConfigFile(config); });
}

}  // namespace
