// The load into the configuration object, without a window: stored values
// reach its texts, boxes, colours, record and tables; absent ones leave it
// as it was; older names and the older folder key are carried over.
#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "editor/config/Load.h"
#include "editor/config/Save.h"
#include "support/RegistryTree.h"

namespace {

using T = TStationTexts;
using B = TStationBoxes;

class LoadTest : public RegistryTreeFixture {
 protected:
  static bool Load() { return CargaRegistro(Config()); }
  // Members hold no names: a failure tells the text or box by its place.
  static void ExpectTexts(std::initializer_list<std::pair<TStationText, std::string>> expected) {
    int place = 0;
    for (const auto& [text, value] : expected)
      EXPECT_EQ(value, Config().Texts.*text) << "text " << place++ << " of the list";
  }
  static void ExpectBoxes(bool ticked, std::initializer_list<TStationBox> boxes) {
    int place = 0;
    for (TStationBox box : boxes)
      EXPECT_EQ(ticked, Config().Boxes.*box) << "box " << place++ << " of the list";
  }
};

TEST_F(LoadTest, SplitsTheCallsignFromTheRouteAtTheFirstDot) {
  WriteStrings(kConfigKey, {{"BbsCallsign", "X1ABC.ABC.XX.EU"}, {"SSID", "4"},
                            {"Qth", "Villaprueba"}, {"Locator", "IN70AA"}, {"ZipCode", "05001"},
                            {"SysOpCallsign", "X1ABC"}, {"SysOpName", "Pedro"}});
  Load();
  ExpectTexts(
      {{&T::Editbbsindicativo, "X1ABC"}, {&T::Edithroute, "ABC.XX.EU"}, {&T::Editssid, "4"}});
  const TConfigRecord& r = Config().ConfigRecord;
  ExpectFields({{"X1ABC.ABC.XX.EU", r.BbsCallsign}, {"Villaprueba", r.Qth}, {"IN70AA", r.Locator},
                {"05001", r.ZipCode}, {"X1ABC", r.SysOpCallsign}, {"Pedro", r.SysOpName}});

  // Without a dot the whole text is the callsign and the route one blank.
  WriteString(kConfigKey, "BbsCallsign", "X1ABC");
  Load();
  ExpectTexts({{&T::Editbbsindicativo, "X1ABC"}, {&T::Edithroute, " "}});
}

TEST_F(LoadTest, SwitchesNeedOkAndLoseToNo) {
  Config().Boxes.Log = Config().Boxes.Indicacioncanales = Config().Boxes.Modotest = true;
  Config().Boxes.Datosusuario = false;
  WriteStrings(kConfigKey, {{"FullLog", "NOK"},            // both: cleared
                            {"ChannelsIndication", "YES"},  // neither: as it was
                            {"TestMode", "NO"}, {"Hroute", "OK"},
                            {"UserGivesInformation", "NO"}});  // never read
  Load();
  ExpectBoxes(false, {&B::Log, &B::Modotest});
  ExpectBoxes(true, {&B::Indicacioncanales, &B::Datosusuario});
}

TEST_F(LoadTest, OptionSetsTickTheirBoxesByBit) {
  WriteStrings(kConfigKey, {{"SecurityOptions", "3  0  1023"}, {"FirstConOptions", "2050"},
                            {"WarningMessages", "513"}, {"ForwardTypeZub", "OK  10"},
                            {"ForwardResume", "NO  2"}, {"Unproto", "5 30 AM"}});
  Load();
  ExpectBoxes(true, {&B::Todosmensajesuser, &B::Borramensajesuser, &B::Todosmensajessys,
                     &B::Borramensajessys, &B::Syssys, &B::Remotesys, &B::Labelssys,
                     &B::Deletesys, &B::Gatewayssys, &B::Dossys, &B::Alldisksys, &B::Specialsys,
                     &B::Pms1, &B::Local1, &B::Menos1mega, &B::Held, &B::Forwardzub, &B::Mbl,
                     &B::Caracterh, &B::Xprotocol, &B::Ackui, &B::Tituloui});
  ExpectBoxes(false, {&B::Sysuser, &B::Todosmensajessysop, &B::Excluido1, &B::Reject,
                      &B::Caractercabecera, &B::Compressforward, &B::Resume, &B::Privateui,
                      &B::Userui});
  ExpectTexts({{&T::Editbackui, "5"}, {&T::Editdelayui, "30"}});

  // Desactivado1 has no bit and is left alone; an unknown switch word
  // leaves ZUB Forwarding, but its bits still count.
  Config().Boxes.Desactivado1 = true;
  WriteStrings(kConfigKey, {{"FirstConOptions", "0"}, {"ForwardTypeZub", "MAYBE  4"}});
  Load();
  ExpectBoxes(true, {&B::Desactivado1, &B::Forwardzub, &B::Caractercabecera});
  ExpectBoxes(false, {&B::Pms1, &B::Mbl});
}

TEST_F(LoadTest, TextsWithStandInsAndColours) {
  WriteStrings(kConfigKey,
               {{"CallsignsInMailBeacon", "B15"},     {"CopySysOpMessages", "******"},
                {"Timeout", "11  22"},                {"MaxDownloadYapp", "300  150"},
                {"ScrollBuffers", "900  800  700"},   {"ZubHeader", "[X] HDR"},
                {"MaxBids", "5000"},                  {"BulletinsLifetime", "45"},
                {"RouteWpMessages", "X1ABC"},         {"WindowBackgroundColor", "-2147483633"},
                {"SentTextColor", "255"},             {"ReceivedTextColor", "65280"},
                {"MonitorHeaderColor", "16711680"},   {"MonitorDataColor", "1"},
                {"ConsoleTextColor", "not a colour"}, {"ChannelInfColor", "12345"}});
  Load();
  EXPECT_TRUE(Config().Boxes.Mailbeacon);
  ExpectTexts({{&T::Indicativosbaliza, "15"}, {&T::Sysopmessage, ""}, {&T::timeoutusuarios, "11"},
               {&T::Timeoutforward, "22"}, {&T::yappmax, "300"}, {&T::modemmax, "150"},
               {&T::buferusuario, "900"}, {&T::buferconsola, "800"}, {&T::bufermonitor, "700"},
               {&T::Cabecera, "[X] HDR"}, {&T::Numerobid, "5000"}, {&T::Diasboletines, "45"},
               {&T::Wpmessage, "X1ABC"}});
  EXPECT_STREQ("700", Config().ConfigRecord.bufermonitor);
  const TConsoleColours& c = Config().Colours;
  EXPECT_EQ(0x8000000Fu, c.Background);
  for (const auto& [colour, expected] :
       {std::pair<uint32_t, uint32_t>{c.Sendtext, 255}, {c.Receivedtext, 65280},
        {c.Monhead, 16711680}, {c.Mondata, 1}, {c.Consoletext, 0}, {c.Chaninfo, 12345}})
    EXPECT_EQ(expected, colour);

  WriteStrings(kConfigKey, {{"CallsignsInMailBeacon", "7"}, {"CopySysOpMessages", "X1ABC"}});
  Load();
  EXPECT_FALSE(Config().Boxes.Mailbeacon);
  ExpectTexts({{&T::Indicativosbaliza, "7"}, {&T::Sysopmessage, "X1ABC"}});
}

TEST_F(LoadTest, AbsentValuesAndKeysLeaveEverythingAsItWas) {
  Config().SetText(&T::Editciudad, "Kept");
  Config().SetText(&T::Directorioyapp, "C:\\Kept\\Yapp");
  Config().SetText(&T::Diskb, "C:\\Kept\\B");
  Config().Boxes.Log = true;
  Config().Colours.Sendtext = RGB(1, 2, 3);
  WriteString(kConfigKey, "SSID", "9");
  Load();  // no Folders key: the disks stay too
  ExpectTexts({{&T::Editssid, "9"}, {&T::Editciudad, "Kept"},
               {&T::Directorioyapp, "C:\\Kept\\Yapp"}, {&T::Diskb, "C:\\Kept\\B"}});
  EXPECT_TRUE(Config().Boxes.Log);
  EXPECT_EQ(RGB(1, 2, 3), Config().Colours.Sendtext);
}

TEST_F(LoadTest, AValueOfAnotherTypeIsSkippedAndTheLoadGoesOn) {
  WriteDword(kConfigKey, "Qth", 7);
  WriteStrings(kConfigKey, {{"SysOpName", "Pedro"}, {"ZubHeader", "[X] HDR"}});
  WriteString(kFoldersKey, "ZubRoot", "C:\\NodraxTest\\BBS");
  EXPECT_NO_THROW(Load());
  ExpectTexts({{&T::Editciudad, ""}, {&T::Editsysopnombre, "Pedro"}, {&T::Cabecera, "[X] HDR"},
               {&T::Directorioraiz, "C:\\NodraxTest\\BBS"}});
}

TEST_F(LoadTest, TextsLongerThanTheirFieldsAreCutAlike) {
  WriteStrings(kConfigKey,
               {{"Qth", std::string(60, 'c')}, {"BbsCallsign", "X1ABC." + std::string(40, 'R')}});
  WriteString(kFoldersKey, "ImportFile", "C:\\" + std::string(100, 'i'));
  WriteStrings(Key(kPortsKey, "Port1"), {{"Label", std::string(70, 'L')}, {"Driver", "TOOLONG"}});
  Load();
  // Callsign and route share the 34 characters of BbsCallsign.
  ExpectTexts({{&T::Editciudad, std::string(49, 'c')}, {&T::Editbbsindicativo, "X1ABC"},
               {&T::Edithroute, std::string(28, 'R')}});
  const TConfigRecord& r = Config().ConfigRecord;
  EXPECT_EQ(std::string(49, 'c'), r.Qth);
  EXPECT_EQ("X1ABC." + std::string(28, 'R'), r.BbsCallsign);
  EXPECT_EQ(79u, Config().Texts.Ficheroimport.size());
  EXPECT_EQ(Config().Texts.Ficheroimport, r.ImportFile);
  EXPECT_EQ(std::string(49, 'L'), Config().PortTable[0].Label);
  EXPECT_STREQ("TOOL", Config().PortTable[0].Driver);
}

TEST_F(LoadTest, FoldersOverrideWhatTheRootDerives) {
  const std::string root = kTestRoot;
  WriteStrings(kFoldersKey, {{"ZubRoot", root}, {"Data", "D:\\Datos"}, {"Mail", "E:\\Correo"},
                             {"Yapp", "F:\\Yapp"}, {"Drivers", "G:\\Drv"},
                             {"Sounds", "H:\\NotRead"}});
  Load();
  // Binmail and Docs are not stored: derived from the data folder read just before.
  ExpectTexts({{&T::Directorioraiz, root}, {&T::Directoriodata, "D:\\Datos"},
               {&T::Directoriomensajes, "E:\\Correo"},
               {&T::Directoriomensajesbin, "D:\\Datos\\Binmail"},
               {&T::Directoriodocs, "D:\\Datos\\Docs"}, {&T::Directorioyapp, "F:\\Yapp"},
               {&T::Driversdir, "G:\\Drv"}, {&T::Directorioconfig, root + "\\Config"},
               {&T::Pgdir, root + "\\Pg"}});
  // Sounds and its like are never read: the root decides them.
  EXPECT_EQ(root + "\\Sounds", std::string(Config().ConfigRecord.Sounds));
  EXPECT_EQ(root + "\\Data\\Log", std::string(Config().ConfigRecord.Log));
}

TEST_F(LoadTest, SystemWithoutConfigBecomesConfig) {
  WriteString(kFoldersKey, "System", "C:\\Old\\Sys");
  Load();
  ExpectTexts({{&T::Directorioconfig, "C:\\Old\\Sys"}});
  ExpectStored(kFoldersKey, {{"Config", "C:\\Old\\Sys"}, {"System", "<none>"}});

  // Beside Config, System is only ignored (the save removes it).
  WriteStrings(kFoldersKey, {{"Config", "C:\\New\\Cfg"}, {"System", "C:\\Other\\Sys"}});
  Load();
  ExpectTexts({{&T::Directorioconfig, "C:\\New\\Cfg"}});
  EXPECT_EQ("C:\\Other\\Sys", Text(kFoldersKey, "System"));
}

TEST_F(LoadTest, ZubDosBecomesUsersPubEmptyItemsAreSkippedAndNoListEmptiesTheDisks) {
  const std::string disks = "A:\\one,,B:\\two,*,C:\\three,D:\\4,E:\\5,F:\\6,G:\\7";
  WriteString(kFoldersKey, "ZubDos", disks);
  Load();
  ExpectTexts({{&T::Diska, "A:\\one"}, {&T::Diskb, "B:\\two"},
               {&T::Diskc, ""},  // "*" keeps its place
               {&T::Diskd, "C:\\three"}, {&T::Diskh, "G:\\7"}});
  EXPECT_STREQ("", Config().ConfigRecord.Diskc);
  ExpectStored(kFoldersKey, {{"UsersPub", disks}, {"ZubDos", "<none>"}});

  // Two commas in a row move the later disks up and leave Diskh empty.
  WriteString(kFoldersKey, "UsersPub", "A:\\1,B:\\2,,C:\\3,D:\\4,E:\\5,F:\\6,G:\\7");
  Config().SetText(&T::Diskh, "H:\\old");
  Load();
  ExpectTexts({{&T::Diskc, "C:\\3"}, {&T::Diskg, "G:\\7"}, {&T::Diskh, ""}});

  // A Folders key with neither value empties all eight disks.
  RemoveNodraxTree();
  WriteString(kFoldersKey, "Pg", "C:\\Pg");
  Load();
  ExpectTexts({{&T::Diska, ""}, {&T::Diskg, ""}});
}

// The older key Directories is read in place of Folders, whatever Folders
// holds; the save that follows writes Folders and removes it, and with an
// empty root keeps the folders that only the older key holds.
TEST_F(LoadTest, TheOlderKeyDirectoriesIsReadAndTheSaveMovesItToFolders) {
  // The save makes the folders: all of them below the test folder.
  const std::string root = kTestRoot, old = std::string(kTestFolder) + "\\Old";
  struct TCase {
    TNamedTexts Folders, Directories;
    TStationText Text;
    std::string Shown;
    TNamedTexts Stored;  // in Folders after the save
  };
  const TCase cases[] = {
      {{},
       {{"ZubRoot", root}, {"Mail", root + "\\Mensajes"}, {"ZubDos", root + "\\A"}},
       &T::Directoriomensajes, root + "\\Mensajes",
       {{"ZubRoot", root}, {"Mail", root + "\\Mensajes"},
        {"UsersPub", root + "\\A,*,*,*,*,*,*,*"}, {"ZubDos", "<none>"}}},
      {{{"ZubRoot", "C:\\NodraxTest\\Other"}, {"Pg", old + "\\FromFolders"}},
       {{"ZubRoot", root}, {"Pg", old + "\\FromDirectories"}},
       &T::Pgdir, old + "\\FromDirectories",
       {{"Pg", old + "\\FromDirectories"}, {"ZubRoot", root}}},
      // Without a root.
      {{{"Drivers", old + "\\Kept"}},
       {{"Pg", old + "\\Pg"}, {"Sounds", old + "\\Sounds"}, {"Drivers", old + "\\Drv"}},
       &T::Pgdir, old + "\\Pg",
       {{"Pg", old + "\\Pg"}, {"Sounds", old + "\\Sounds"}, {"Drivers", old + "\\Kept"},
        {"ZubRoot", ""}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Shown);
    RemoveNodraxTree();
    NewDocument();
    WriteString(kConfigKey, "BbsCallsign", "X1ABC.ABC.XX.EU");
    WriteStrings(kFoldersKey, c.Folders);
    WriteStrings(kDirectoriesKey, c.Directories);
    EXPECT_TRUE(Load());
    EXPECT_EQ(c.Shown, Config().Texts.*c.Text);
    EXPECT_EQ(TSaveOutcome::Saved, SaveConfiguration(Config()).Outcome);
    EXPECT_FALSE(KeyExists(kDirectoriesKey));
    ExpectStored(kFoldersKey, c.Stored);
  }
  EXPECT_TRUE(FolderExists(root + "\\Mensajes\\mail9"));
}

TEST_F(LoadTest, OnlyThePortKeyNumberedSevenFillsOnlyEntrySeven) {
  WriteStrings(Key(kPortsKey, "Port7"),
               {{"Driver", "TNC"}, {"Com", "3"}, {"HexAddress", "3F8"}, {"BaudRate", "9600"},
                {"NumChannels", "8"}, {"Canal", "2"}, {"Paclen", "236"}, {"MaxFrame", "7"},
                {"NumFwdChannels", "4"}, {"MaxBlock", "2048"}, {"FwdPeriode", "15/60 extra"},
                {"Mode", "BWLU"}, {"Label", "VHF 1200"}, {"Disabled", "true"}});
  Load();
  const TPortRecord& p = Config().PortTable[6];
  ExpectFields({{"Port7", p.PortKey},  {"TNC", p.Driver},   {"3", p.Com},
                {"3F8", p.HexAddress}, {"9600", p.BaudRate}, {"8", p.NumChannels},
                {"2", p.Canal},        {"236", p.Paclen},    {"7", p.MaxFrame},
                {"4", p.NumFwdChannels}, {"2048", p.MaxBlock}, {"15", p.Fwdminute},
                {"60", p.Fwdperiodo},  {"L", p.Unprotos},    {"", p.Yapp},
                {"W", p.Gateway},      {"", p.Rdonly},
                {"U", p.Tipopuerto},  // U before G before B
                {"VHF 1200", p.Label}, {"true", p.Disabled}});
  for (int i = 0; i < kPortCount; ++i) {
    if (i == 6) continue;
    SCOPED_TRACE(i);
    const TPortRecord& other = Config().PortTable[i];
    ExpectFields({{"", other.PortKey}, {"", other.Driver}, {"false", other.Disabled}});
  }
}

TEST_F(LoadTest, PortKeysThatNumberNoEntryAreSkipped) {
  for (const char* name : {"Port0", "Port11", "Port100", "Portal", "Port-1", "Port07x"})
    WriteString(Key(kPortsKey, name), "Driver", "BAD");
  WriteString(Key(kPortsKey, "Port10"), "Driver", "TCP");
  WriteString(Key(kPortsKey, "port2"), "Driver", "KISS");
  Load();
  const TPortRecord* p = Config().PortTable;
  ExpectFields({{"Port10", p[9].PortKey}, {"TCP", p[9].Driver},
                {"port2", p[1].PortKey},  {"KISS", p[1].Driver}});
  for (int i : {0, 2, 3, 4, 5, 6, 7, 8}) EXPECT_STREQ("", p[i].Driver) << i;
}

TEST_F(LoadTest, ServersFillTheTableInRegistryOrderUpToAHundred) {
  for (int i = 0; i < 105; ++i) {
    char name[16];
    snprintf(name, sizeof name, "Srv%03d", i);
    WriteString(Key(kServersKey, name), "File", "srv.exe");
  }
  WriteStrings(Key(kServersKey, "Srv000"), {{"Description", "First"}, {"Disabled", "true"}});
  Load();
  ASSERT_EQ(100, Config().ServerCount);
  const std::vector<std::string> names = SubKeys(kServersKey);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(names[i], Config().ServerTable[i].Name) << i;
  const TServerRecord& first = Config().ServerTable[0];
  ExpectFields({{"SRV.EXE", first.File}, {"First", first.Description}, {"true", first.Disabled}});
}

TEST_F(LoadTest, ServersAloneEmptyTheCountAndRefuseNamesTooLongToKeep) {
  WriteString(Key(kServersKey, "A"), "File", "a.exe");
  WriteStrings(Key(kServersKey, "B"), {{"File", "b.exe"}, {"Description", "Bee"}});
  Load();
  ASSERT_EQ(2, Config().ServerCount);

  // Another server in place of B gets nothing of B's.
  RemoveNodraxTree();
  WriteString(Key(kServersKey, "A"), "File", "a2.exe");
  CreateKey(Key(kServersKey, "C"));
  // 15 characters are one more than the field holds before its terminator.
  for (const char* name : {"AVeryLongServerName", "Fifteen_Letters"})
    WriteString(Key(kServersKey, name), "File", "x.exe");
  CargaServidores(Config());
  ASSERT_EQ(2, Config().ServerCount);
  const TServerRecord* s = Config().ServerTable;
  ExpectFields({{"A", s[0].Name}, {"A2.EXE", s[0].File}, {"C", s[1].Name}, {"", s[1].File},
                {"", s[1].Description}});

  RemoveNodraxTree();
  CargaServidores(Config());
  EXPECT_EQ(0, Config().ServerCount);
}

TEST_F(LoadTest, AKeyThatMayNotBeWrittenIsStillRead) {
  WriteString(kFoldersKey, "System", "C:\\Old\\Sys");
  Deny(kFoldersKey, KEY_SET_VALUE);
  EXPECT_NO_THROW(Load());
  ExpectTexts({{&T::Directorioconfig, "C:\\Old\\Sys"}});
  EXPECT_EQ("C:\\Old\\Sys", Text(kFoldersKey, "System"));
}

}  // namespace
