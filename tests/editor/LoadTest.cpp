// The load: stored values reach the controls (and through them the record),
// the tables and the check boxes; absent ones leave everything as it was;
// older names are carried over.
#include <cstdio>
#include <string>
#include <vector>

#include "editor/config/Load.h"
#include "support/LoadSaveFixture.h"

namespace {

class LoadTest : public LoadSaveFixture {
 protected:
  // The load as the callers run it.
  void Reload() {
    RegistryLoading = true;
    CargaRegistro(Config());
    Form().ShowConfiguration();
    RegistryLoading = false;
  }
};

TEST_F(LoadTest, SplitsTheCallsignFromTheRouteAtTheFirstDot) {
  WriteStrings(kConfigKey, {{"BbsCallsign", "X1ABC.ABC.XX.EU"}, {"SSID", "4"},
                            {"Qth", "Villaprueba"}, {"Locator", "IN70AA"}, {"ZipCode", "05001"},
                            {"SysOpCallsign", "X1ABC"}, {"SysOpName", "Pedro"}});
  OpenEditor();
  TForm1& f = Form();
  ExpectTexts({{f.General().Editbbsindicativo, "X1ABC"}, {f.General().Edithroute, "ABC.XX.EU"}, {f.General().Editssid, "4"}});
  ExpectFields({{"X1ABC.ABC.XX.EU", Configuration->ConfigRecord.BbsCallsign},
                {"Villaprueba", Configuration->ConfigRecord.Qth},
                {"IN70AA", Configuration->ConfigRecord.Locator},
                {"05001", Configuration->ConfigRecord.ZipCode},
                {"X1ABC", Configuration->ConfigRecord.SysOpCallsign},
                {"Pedro", Configuration->ConfigRecord.SysOpName}});

  // Without a dot the whole text is the callsign and the route one blank.
  WriteString(kConfigKey, "BbsCallsign", "X1ABC");
  Reload();
  ExpectTexts({{f.General().Editbbsindicativo, "X1ABC"}, {f.General().Edithroute, " "}});
}

TEST_F(LoadTest, TheLoadItselfMarksNothingChanged) {
  WriteStrings(kConfigKey, {{"FullLog", "OK"}, {"SecurityOptions", "1023  1023  1023"},
                            {"Unproto", "1 2 AVPM"}});
  OpenEditor();
  ExpectChecked(true, {Form().Miscellaneous1().Log, Form().Security().Specialsys});
  EXPECT_FALSE(ConfigModified);
}

TEST_F(LoadTest, SwitchesNeedOkAndLoseToNo) {
  CreateEmptyConfig();
  OpenEditor();
  TForm1& f = Form();
  SetChecked(true, {f.Miscellaneous1().Log, f.Miscellaneous1().Indicacioncanales, f.Miscellaneous1().Modotest});
  f.Miscellaneous1().Datosusuario->SetChecked(false);
  WriteStrings(kConfigKey, {{"FullLog", "NOK"},            // both: unchecked
                            {"ChannelsIndication", "YES"},  // neither: as it was
                            {"TestMode", "NO"},
                            {"Hroute", "OK"},
                            {"UserGivesInformation", "NO"}});  // never read
  Reload();
  ExpectChecked(false, {f.Miscellaneous1().Log, f.Miscellaneous1().Modotest});
  ExpectChecked(true, {f.Miscellaneous1().Indicacioncanales, f.Miscellaneous1().Datosusuario});
}

TEST_F(LoadTest, OptionSetsTickTheirBoxesByBit) {
  WriteStrings(kConfigKey, {{"SecurityOptions", "3  0  1023"}, {"FirstConOptions", "2050"},
                            {"WarningMessages", "513"}, {"ForwardTypeZub", "OK  10"},
                            {"ForwardResume", "NO  2"}, {"Unproto", "5 30 AM"}});
  OpenEditor();
  TForm1& f = Form();
  ExpectChecked(true, {f.Security().Todosmensajesuser, f.Security().Borramensajesuser, f.Security().Todosmensajessys,
                       f.Security().Borramensajessys, f.Security().Syssys, f.Security().Remotesys, f.Security().Labelssys, f.Security().Deletesys,
                       f.Security().Gatewayssys, f.Security().Dossys, f.Security().Alldisksys, f.Security().Specialsys, f.FirstConnection().Pms1, f.FirstConnection().Local1,
                       f.Warnings().Menos1mega, f.Warnings().Held, f.Forwarding().Forwardzub, f.Forwarding().Mbl, f.Forwarding().Caracterh, f.Forwarding().Xprotocol,
                       f.Unproto().Ackui, f.Unproto().Tituloui});
  ExpectChecked(false, {f.Security().Sysuser, f.Security().Todosmensajessysop, f.FirstConnection().Excluido1, f.Warnings().Reject,
                        f.Forwarding().Caractercabecera, f.Forwarding().Compressforward, f.Forwarding().Resume, f.Unproto().Privateui, f.Unproto().Userui});
  ExpectTexts({{f.Unproto().Editbackui, "5"}, {f.Unproto().Editdelayui, "30"}});

  // Desactivado1 has no bit and is left alone; an unknown switch word
  // leaves ZUB Forwarding, but its bits still count.
  f.FirstConnection().Desactivado1->SetChecked(true);
  WriteStrings(kConfigKey, {{"FirstConOptions", "0"}, {"ForwardTypeZub", "MAYBE  4"}});
  Reload();
  ExpectChecked(true, {f.FirstConnection().Desactivado1, f.Forwarding().Forwardzub, f.Forwarding().Caractercabecera});
  ExpectChecked(false, {f.FirstConnection().Pms1, f.Forwarding().Mbl});
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
  OpenEditor();
  TForm1& f = Form();
  EXPECT_TRUE(f.Miscellaneous1().Mailbeacon->Checked());
  ExpectTexts({{f.Miscellaneous1().Indicativosbaliza, "15"},
               {f.Miscellaneous1().Sysopmessage, ""},
               {f.Miscellaneous2().timeoutusuarios, "11"},
               {f.Miscellaneous2().Timeoutforward, "22"},
               {f.Miscellaneous2().yappmax, "300"},
               {f.Miscellaneous2().modemmax, "150"},
               {f.Miscellaneous2().buferusuario, "900"},
               {f.Miscellaneous2().buferconsola, "800"},
               {f.Miscellaneous2().bufermonitor, "700"},
               {f.Miscellaneous1().Cabecera, "[X] HDR"},
               {f.Miscellaneous1().Numerobid, "5000"},
               {f.Miscellaneous2().Diasboletines, "45"},
               {f.Miscellaneous1().Wpmessage, "X1ABC"}});
  EXPECT_STREQ("700", Configuration->ConfigRecord.bufermonitor);
  for (TLabel* label :
       {f.Colours().Sendtext, f.Colours().Receivedtext, f.Colours().Chaninfo, f.Colours().Monhead, f.Colours().Mondata, f.Colours().Consoletext})
    EXPECT_EQ(0x8000000Fu, label->Color()) << label->Name;
  EXPECT_EQ(0x8000000Fu, f.Colours().Panel1->Color());
  for (const auto& [label, colour] :
       {std::pair<TLabel*, COLORREF>{f.Colours().Sendtext, 255}, {f.Colours().Receivedtext, 65280},
        {f.Colours().Monhead, 16711680}, {f.Colours().Mondata, 1}, {f.Colours().Consoletext, 0}, {f.Colours().Chaninfo, 12345}})
    EXPECT_EQ(colour, label->FontColor()) << label->Name;

  WriteStrings(kConfigKey, {{"CallsignsInMailBeacon", "7"}, {"CopySysOpMessages", "X1ABC"}});
  Reload();
  EXPECT_FALSE(f.Miscellaneous1().Mailbeacon->Checked());
  ExpectTexts({{f.Miscellaneous1().Indicativosbaliza, "7"}, {f.Miscellaneous1().Sysopmessage, "X1ABC"}});
}

TEST_F(LoadTest, AbsentValuesAndKeysLeaveEverythingAsItWas) {
  CreateEmptyConfig();
  OpenEditor();
  TForm1& f = Form();
  f.General().Editciudad->SetText("Kept");
  f.Miscellaneous1().Log->SetChecked(true);
  f.Folders().Directorioyapp->SetText("C:\\Kept\\Yapp");
  f.Disks().Diskb->SetText("C:\\Kept\\B");
  Config().Colours.Sendtext = RGB(1, 2, 3);
  WriteString(kConfigKey, "SSID", "9");
  Reload();  // no Folders key: the disks stay too
  ExpectTexts({{f.General().Editssid, "9"},
               {f.General().Editciudad, "Kept"},
               {f.Folders().Directorioyapp, "C:\\Kept\\Yapp"},
               {f.Disks().Diskb, "C:\\Kept\\B"}});
  EXPECT_TRUE(f.Miscellaneous1().Log->Checked());
  EXPECT_EQ(RGB(1, 2, 3), f.Colours().Sendtext->FontColor());
}

TEST_F(LoadTest, AValueOfAnotherTypeIsSkippedAndTheLoadGoesOn) {
  WriteDword(kConfigKey, "Qth", 7);
  WriteStrings(kConfigKey, {{"SysOpName", "Pedro"}, {"ZubHeader", "[X] HDR"}});
  WriteString(kFoldersKey, "ZubRoot", "C:\\NodraxTest\\BBS");
  OpenEditor();
  ExpectTexts({{Form().General().Editciudad, ""},
               {Form().General().Editsysopnombre, "Pedro"},
               {Form().Miscellaneous1().Cabecera, "[X] HDR"},
               {Form().Folders().Directorioraiz, "C:\\NodraxTest\\BBS"}});
}

TEST_F(LoadTest, TextsLongerThanTheirFieldsAreCutAlike) {
  WriteStrings(kConfigKey,
               {{"Qth", std::string(60, 'c')}, {"BbsCallsign", "X1ABC." + std::string(40, 'R')}});
  WriteString(kFoldersKey, "ImportFile", "C:\\" + std::string(100, 'i'));
  WriteStrings(Key(kPortsKey, "Port1"), {{"Label", std::string(70, 'L')}, {"Driver", "TOOLONG"}});
  OpenEditor();
  TForm1& f = Form();
  // Callsign and route share the 34 characters of BbsCallsign.
  ExpectTexts({{f.General().Editciudad, std::string(49, 'c')},
               {f.General().Editbbsindicativo, "X1ABC"},
               {f.General().Edithroute, std::string(28, 'R')}});
  EXPECT_EQ(std::string(49, 'c'), Configuration->ConfigRecord.Qth);
  EXPECT_EQ("X1ABC." + std::string(28, 'R'), Configuration->ConfigRecord.BbsCallsign);
  EXPECT_EQ(79u, f.Folders().Ficheroimport->Text().size());
  EXPECT_EQ(f.Folders().Ficheroimport->Text(), Configuration->ConfigRecord.ImportFile);
  EXPECT_EQ(std::string(49, 'L'), Configuration->PortTable[0].Label);
  EXPECT_STREQ("TOOL", Configuration->PortTable[0].Driver);
}

TEST_F(LoadTest, FoldersOverrideWhatTheRootDerives) {
  const std::string root = kTestRoot;
  WriteStrings(kFoldersKey, {{"ZubRoot", root}, {"Data", "D:\\Datos"}, {"Mail", "E:\\Correo"},
                             {"Yapp", "F:\\Yapp"}, {"Drivers", "G:\\Drv"},
                             {"Sounds", "H:\\NotRead"}});
  CreateEmptyConfig();
  OpenEditor();
  TForm1& f = Form();
  // Binmail and Docs are not stored: derived from the data folder read just before.
  ExpectTexts({{f.Folders().Directorioraiz, root},
               {f.Folders().Directoriodata, "D:\\Datos"},
               {f.Folders().Directoriomensajes, "E:\\Correo"},
               {f.Folders().Directoriomensajesbin, "D:\\Datos\\Binmail"},
               {f.Folders().Directoriodocs, "D:\\Datos\\Docs"},
               {f.Folders().Directorioyapp, "F:\\Yapp"},
               {f.Folders().Driversdir, "G:\\Drv"},
               {f.Folders().Directorioconfig, root + "\\Config"},
               {f.Folders().Pgdir, root + "\\Pg"}});
  // Sounds and its like are never read: the root decides them.
  EXPECT_EQ(root + "\\Sounds", std::string(Configuration->ConfigRecord.Sounds));
  EXPECT_EQ(root + "\\Data\\Log", std::string(Configuration->ConfigRecord.Log));
}

TEST_F(LoadTest, SystemWithoutConfigBecomesConfig) {
  CreateEmptyConfig();
  WriteString(kFoldersKey, "System", "C:\\Old\\Sys");
  OpenEditor();
  EXPECT_EQ("C:\\Old\\Sys", Form().Folders().Directorioconfig->Text());
  ExpectStored(kFoldersKey, {{"Config", "C:\\Old\\Sys"}, {"System", "<none>"}});

  // Beside Config, System is only ignored (the save removes it).
  WriteStrings(kFoldersKey, {{"Config", "C:\\New\\Cfg"}, {"System", "C:\\Other\\Sys"}});
  Reload();
  EXPECT_EQ("C:\\New\\Cfg", Form().Folders().Directorioconfig->Text());
  EXPECT_EQ("C:\\Other\\Sys", Text(kFoldersKey, "System"));
}

TEST_F(LoadTest, ZubDosBecomesUsersPubEmptyItemsAreSkippedAndNoListEmptiesTheDisks) {
  CreateEmptyConfig();
  const std::string disks = "A:\\one,,B:\\two,*,C:\\three,D:\\4,E:\\5,F:\\6,G:\\7";
  WriteString(kFoldersKey, "ZubDos", disks);
  OpenEditor();
  TForm1& f = Form();
  ExpectTexts({{f.Disks().Diska, "A:\\one"},
               {f.Disks().Diskb, "B:\\two"},
               {f.Disks().Diskc, ""},  // "*" keeps its place
               {f.Disks().Diskd, "C:\\three"},
               {f.Disks().Diskh, "G:\\7"}});
  EXPECT_STREQ("", Configuration->ConfigRecord.Diskc);
  ExpectStored(kFoldersKey, {{"UsersPub", disks}, {"ZubDos", "<none>"}});

  // Two commas in a row move the later disks up and leave Diskh empty.
  WriteString(kFoldersKey, "UsersPub", "A:\\1,B:\\2,,C:\\3,D:\\4,E:\\5,F:\\6,G:\\7");
  f.Disks().Diskh->SetText("H:\\old");
  Reload();
  ExpectTexts({{f.Disks().Diskc, "C:\\3"}, {f.Disks().Diskg, "G:\\7"}, {f.Disks().Diskh, ""}});

  // A Folders key with neither value empties all eight disks.
  RemoveNodraxTree();
  WriteString(kFoldersKey, "Pg", "C:\\Pg");
  Reload();
  ExpectTexts({{f.Disks().Diska, ""}, {f.Disks().Diskg, ""}});
}

TEST_F(LoadTest, OnlyDirectoriesIsMovedToFoldersByTheClosingSave) {
  WriteString(kConfigKey, "BbsCallsign", "X1ABC.ABC.XX.EU");
  const std::string root = kTestRoot;
  WriteStrings(kDirectoriesKey,
               {{"ZubRoot", root}, {"Mail", root + "\\Mensajes"}, {"ZubDos", root + "\\A"}});
  TNotifyCounter notified;
  OpenEditor();
  EXPECT_FALSE(KeyExists(kDirectoriesKey));
  ExpectStored(kFoldersKey, {{"ZubRoot", root},
                             {"Mail", root + "\\Mensajes"},
                             {"UsersPub", root + "\\A,*,*,*,*,*,*,*"},
                             {"ZubDos", "<none>"}});
  EXPECT_TRUE(FolderExists(root + "\\Mensajes\\mail9"));
  EXPECT_FALSE(ConfigModified);
  EXPECT_EQ(1, notified.Count());
}

TEST_F(LoadTest, DirectoriesIsReadInPlaceOfFolders) {
  WriteString(kConfigKey, "BbsCallsign", "X1ABC.ABC.XX.EU");
  WriteStrings(kFoldersKey, {{"ZubRoot", "C:\\NodraxTest\\Other"}, {"Pg", "C:\\FromFolders"}});
  WriteStrings(kDirectoriesKey, {{"ZubRoot", kTestRoot}, {"Pg", "C:\\FromDirectories"}});
  OpenEditor();
  EXPECT_EQ("C:\\FromDirectories", Form().Folders().Pgdir->Text());
  ExpectStored(kFoldersKey, {{"Pg", "C:\\FromDirectories"}, {"ZubRoot", kTestRoot}});
}

TEST_F(LoadTest, AnOlderKeyWithoutARootLosesNoFolderInTheMove) {
  // With an empty root the save keeps the stored folders: those that only
  // the older key holds move over before it goes.
  WriteString(kConfigKey, "BbsCallsign", "X1ABC.ABC.XX.EU");
  WriteStrings(kDirectoriesKey,
               {{"Pg", "C:\\Old\\Pg"}, {"Sounds", "C:\\Old\\Sounds"}, {"Drivers", "C:\\Old\\Drv"}});
  WriteString(kFoldersKey, "Drivers", "C:\\Kept\\Drv");
  OpenEditor();
  EXPECT_FALSE(KeyExists(kDirectoriesKey));
  ExpectStored(kFoldersKey, {{"Pg", "C:\\Old\\Pg"},
                             {"Sounds", "C:\\Old\\Sounds"},
                             {"Drivers", "C:\\Kept\\Drv"},
                             {"ZubRoot", ""}});
}

TEST_F(LoadTest, OnlyThePortKeyNumberedSevenFillsOnlyEntrySeven) {
  CreateEmptyConfig();
  WriteStrings(Key(kPortsKey, "Port7"),
               {{"Driver", "TNC"}, {"Com", "3"}, {"HexAddress", "3F8"}, {"BaudRate", "9600"},
                {"NumChannels", "8"}, {"Canal", "2"}, {"Paclen", "236"}, {"MaxFrame", "7"},
                {"NumFwdChannels", "4"}, {"MaxBlock", "2048"}, {"FwdPeriode", "15/60 extra"},
                {"Mode", "BWLU"}, {"Label", "VHF 1200"}, {"Disabled", "true"}});
  OpenEditor();
  const TPortRecord& p = Configuration->PortTable[6];
  ExpectFields({{"Port7", p.PortKey},
                {"TNC", p.Driver},
                {"3", p.Com},
                {"3F8", p.HexAddress},
                {"9600", p.BaudRate},
                {"8", p.NumChannels},
                {"2", p.Canal},
                {"236", p.Paclen},
                {"7", p.MaxFrame},
                {"4", p.NumFwdChannels},
                {"2048", p.MaxBlock},
                {"15", p.Fwdminute},
                {"60", p.Fwdperiodo},
                {"L", p.Unprotos},
                {"", p.Yapp},
                {"W", p.Gateway},
                {"", p.Rdonly},
                {"U", p.Tipopuerto},  // U before G before B
                {"VHF 1200", p.Label},
                {"true", p.Disabled}});
  for (int i = 0; i < kPortCount; ++i) {
    if (i == 6) continue;
    SCOPED_TRACE(i);
    ExpectFields({{"", Configuration->PortTable[i].PortKey},
                  {"", Configuration->PortTable[i].Driver},
                  {"false", Configuration->PortTable[i].Disabled}});
  }
}

TEST_F(LoadTest, PortKeysThatNumberNoEntryAreSkipped) {
  CreateEmptyConfig();
  for (const char* name : {"Port0", "Port11", "Port100", "Portal", "Port-1", "Port07x"})
    WriteString(Key(kPortsKey, name), "Driver", "BAD");
  WriteString(Key(kPortsKey, "Port10"), "Driver", "TCP");
  WriteString(Key(kPortsKey, "port2"), "Driver", "KISS");
  OpenEditor();
  ExpectFields({{"Port10", Configuration->PortTable[9].PortKey},
                {"TCP", Configuration->PortTable[9].Driver},
                {"port2", Configuration->PortTable[1].PortKey},
                {"KISS", Configuration->PortTable[1].Driver}});
  for (int i : {0, 2, 3, 4, 5, 6, 7, 8}) EXPECT_STREQ("", Configuration->PortTable[i].Driver) << i;
}

TEST_F(LoadTest, ServersFillTheTableInRegistryOrderUpToAHundred) {
  CreateEmptyConfig();
  for (int i = 0; i < 105; ++i) {
    char name[16];
    snprintf(name, sizeof name, "Srv%03d", i);
    WriteString(Key(kServersKey, name), "File", "srv.exe");
  }
  WriteStrings(Key(kServersKey, "Srv000"), {{"Description", "First"}, {"Disabled", "true"}});
  OpenEditor();
  ASSERT_EQ(100, Configuration->ServerCount);
  const std::vector<std::string> names = SubKeys(kServersKey);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(names[i], Configuration->ServerTable[i].Name) << i;
  ExpectFields({{"SRV.EXE", Configuration->ServerTable[0].File},
                {"First", Configuration->ServerTable[0].Description},
                {"true", Configuration->ServerTable[0].Disabled}});
}

TEST_F(LoadTest, ServersAloneEmptyTheCountAndRefuseNamesTooLongToKeep) {
  CreateEmptyConfig();
  WriteString(Key(kServersKey, "A"), "File", "a.exe");
  WriteStrings(Key(kServersKey, "B"), {{"File", "b.exe"}, {"Description", "Bee"}});
  OpenEditor();
  ASSERT_EQ(2, Configuration->ServerCount);

  // Another server in place of B gets nothing of B's.
  RemoveNodraxTree();
  WriteString(Key(kServersKey, "A"), "File", "a2.exe");
  CreateKey(Key(kServersKey, "C"));
  WriteString(Key(kServersKey, "AVeryLongServerName"), "File", "x.exe");
  CargaServidores(Config());
  ASSERT_EQ(2, Configuration->ServerCount);
  ExpectFields({{"A", Configuration->ServerTable[0].Name},
                {"A2.EXE", Configuration->ServerTable[0].File},
                {"C", Configuration->ServerTable[1].Name},
                {"", Configuration->ServerTable[1].File},
                {"", Configuration->ServerTable[1].Description}});

  RemoveNodraxTree();
  CargaServidores(Config());
  EXPECT_EQ(0, Configuration->ServerCount);
}

TEST_F(LoadTest, AKeyTheSysopMayNotWriteIsStillRead) {
  WriteString(kConfigKey, "BbsCallsign", "X1ABC.ABC.XX.EU");
  WriteString(kFoldersKey, "System", "C:\\Old\\Sys");
  Deny(kFoldersKey, KEY_SET_VALUE);
  OpenEditor();
  EXPECT_EQ("C:\\Old\\Sys", Form().Folders().Directorioconfig->Text());
  EXPECT_EQ("C:\\Old\\Sys", Text(kFoldersKey, "System"));
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
