// The load: stored values reach the controls (and through them the record),
// the tables and the check boxes; absent ones leave everything as it was;
// older names are carried over.
#include <cstdio>
#include <string>
#include <vector>

#include "editor/config/Cargaregistro.h"
#include "support/LoadSaveFixture.h"

namespace {

class LoadTest : public LoadSaveFixture {
 protected:
  // The load as the callers run it.
  void Reload() {
    RegistryLoading = true;
    CargaRegistro(Form());
    RegistryLoading = false;
  }
};

TEST_F(LoadTest, SplitsTheCallsignFromTheRouteAtTheFirstDot) {
  WriteStrings(kConfigKey, {{"BbsCallsign", "X1ABC.ABC.XX.EU"}, {"SSID", "4"},
                            {"Qth", "Villaprueba"}, {"Locator", "IN70AA"}, {"ZipCode", "05001"},
                            {"SysOpCallsign", "X1ABC"}, {"SysOpName", "Pedro"}});
  OpenEditor();
  TForm1& f = Form();
  ExpectTexts({{f.Editbbsindicativo, "X1ABC"}, {f.Edithroute, "ABC.XX.EU"}, {f.Editssid, "4"}});
  ExpectFields({{"X1ABC.ABC.XX.EU", ConfigRecord->BbsCallsign},
                {"Villaprueba", ConfigRecord->Qth},
                {"IN70AA", ConfigRecord->Locator},
                {"05001", ConfigRecord->ZipCode},
                {"X1ABC", ConfigRecord->SysOpCallsign},
                {"Pedro", ConfigRecord->SysOpName}});

  // Without a dot the whole text is the callsign and the route one blank.
  WriteString(kConfigKey, "BbsCallsign", "X1ABC");
  Reload();
  ExpectTexts({{f.Editbbsindicativo, "X1ABC"}, {f.Edithroute, " "}});
}

TEST_F(LoadTest, TheLoadItselfMarksNothingChanged) {
  WriteStrings(kConfigKey, {{"FullLog", "OK"}, {"SecurityOptions", "1023  1023  1023"},
                            {"Unproto", "1 2 AVPM"}});
  OpenEditor();
  ExpectChecked(true, {Form().Log, Form().Specialsys});
  EXPECT_FALSE(ConfigModified);
}

TEST_F(LoadTest, SwitchesNeedOkAndLoseToNo) {
  CreateEmptyConfig();
  OpenEditor();
  TForm1& f = Form();
  SetChecked(true, {f.Log, f.Indicacioncanales, f.Modotest});
  f.Datosusuario->SetChecked(false);
  WriteStrings(kConfigKey, {{"FullLog", "NOK"},            // both: unchecked
                            {"ChannelsIndication", "YES"},  // neither: as it was
                            {"TestMode", "NO"},
                            {"Hroute", "OK"},
                            {"UserGivesInformation", "NO"}});  // never read
  Reload();
  ExpectChecked(false, {f.Log, f.Modotest});
  ExpectChecked(true, {f.Indicacioncanales, f.Datosusuario});
}

TEST_F(LoadTest, OptionSetsTickTheirBoxesByBit) {
  WriteStrings(kConfigKey, {{"SecurityOptions", "3  0  1023"}, {"FirstConOptions", "2050"},
                            {"WarningMessages", "513"}, {"ForwardTypeZub", "OK  10"},
                            {"ForwardResume", "NO  2"}, {"Unproto", "5 30 AM"}});
  OpenEditor();
  TForm1& f = Form();
  ExpectChecked(true, {f.Todosmensajesuser, f.Borramensajesuser, f.Todosmensajessys,
                       f.Borramensajessys, f.Syssys, f.Remotesys, f.Labelssys, f.Deletesys,
                       f.Gatewayssys, f.Dossys, f.Alldisksys, f.Specialsys, f.Pms1, f.Local1,
                       f.Menos1mega, f.Held, f.Forwardzub, f.Mbl, f.Caracterh, f.Xprotocol,
                       f.Ackui, f.Tituloui});
  ExpectChecked(false, {f.Sysuser, f.Todosmensajessysop, f.Excluido1, f.Reject,
                        f.Caractercabecera, f.Compressforward, f.Resume, f.Privateui, f.Userui});
  ExpectTexts({{f.Editbackui, "5"}, {f.Editdelayui, "30"}});

  // Desactivado1 has no bit and is left alone; an unknown switch word
  // leaves ZUB Forwarding, but its bits still count.
  f.Desactivado1->SetChecked(true);
  WriteStrings(kConfigKey, {{"FirstConOptions", "0"}, {"ForwardTypeZub", "MAYBE  4"}});
  Reload();
  ExpectChecked(true, {f.Desactivado1, f.Forwardzub, f.Caractercabecera});
  ExpectChecked(false, {f.Pms1, f.Mbl});
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
  EXPECT_TRUE(f.Mailbeacon->Checked());
  ExpectTexts({{f.Indicativosbaliza, "15"},
               {f.Sysopmessage, ""},
               {f.timeoutusuarios, "11"},
               {f.Timeoutforward, "22"},
               {f.yappmax, "300"},
               {f.modemmax, "150"},
               {f.buferusuario, "900"},
               {f.buferconsola, "800"},
               {f.bufermonitor, "700"},
               {f.Cabecera, "[X] HDR"},
               {f.Numerobid, "5000"},
               {f.Diasboletines, "45"},
               {f.Wpmessage, "X1ABC"}});
  EXPECT_STREQ("700", ConfigRecord->bufermonitor);
  for (TLabel* label :
       {f.Sendtext, f.Receivedtext, f.Chaninfo, f.Monhead, f.Mondata, f.Consoletext})
    EXPECT_EQ(0x8000000Fu, label->Color()) << label->Name;
  EXPECT_EQ(0x8000000Fu, f.Panel1->Color());
  for (const auto& [label, colour] :
       {std::pair<TLabel*, COLORREF>{f.Sendtext, 255}, {f.Receivedtext, 65280},
        {f.Monhead, 16711680}, {f.Mondata, 1}, {f.Consoletext, 0}, {f.Chaninfo, 12345}})
    EXPECT_EQ(colour, label->FontColor()) << label->Name;

  WriteStrings(kConfigKey, {{"CallsignsInMailBeacon", "7"}, {"CopySysOpMessages", "X1ABC"}});
  Reload();
  EXPECT_FALSE(f.Mailbeacon->Checked());
  ExpectTexts({{f.Indicativosbaliza, "7"}, {f.Sysopmessage, "X1ABC"}});
}

TEST_F(LoadTest, AbsentValuesAndKeysLeaveEverythingAsItWas) {
  CreateEmptyConfig();
  OpenEditor();
  TForm1& f = Form();
  f.Editciudad->SetText("Kept");
  f.Log->SetChecked(true);
  f.Directorioyapp->SetText("C:\\Kept\\Yapp");
  f.Diskb->SetText("C:\\Kept\\B");
  f.Sendtext->SetFontColor(RGB(1, 2, 3));
  WriteString(kConfigKey, "SSID", "9");
  Reload();  // no Folders key: the disks stay too
  ExpectTexts({{f.Editssid, "9"},
               {f.Editciudad, "Kept"},
               {f.Directorioyapp, "C:\\Kept\\Yapp"},
               {f.Diskb, "C:\\Kept\\B"}});
  EXPECT_TRUE(f.Log->Checked());
  EXPECT_EQ(RGB(1, 2, 3), f.Sendtext->FontColor());
}

TEST_F(LoadTest, AValueOfAnotherTypeIsSkippedAndTheLoadGoesOn) {
  WriteDword(kConfigKey, "Qth", 7);
  WriteStrings(kConfigKey, {{"SysOpName", "Pedro"}, {"ZubHeader", "[X] HDR"}});
  WriteString(kFoldersKey, "ZubRoot", "C:\\NodraxTest\\BBS");
  OpenEditor();
  ExpectTexts({{Form().Editciudad, ""},
               {Form().Editsysopnombre, "Pedro"},
               {Form().Cabecera, "[X] HDR"},
               {Form().Directorioraiz, "C:\\NodraxTest\\BBS"}});
}

TEST_F(LoadTest, TextsLongerThanTheirFieldsAreCutAlike) {
  WriteStrings(kConfigKey,
               {{"Qth", std::string(60, 'c')}, {"BbsCallsign", "X1ABC." + std::string(40, 'R')}});
  WriteString(kFoldersKey, "ImportFile", "C:\\" + std::string(100, 'i'));
  WriteStrings(Key(kPortsKey, "Port1"), {{"Label", std::string(70, 'L')}, {"Driver", "TOOLONG"}});
  OpenEditor();
  TForm1& f = Form();
  // Callsign and route share the 34 characters of BbsCallsign.
  ExpectTexts({{f.Editciudad, std::string(49, 'c')},
               {f.Editbbsindicativo, "X1ABC"},
               {f.Edithroute, std::string(28, 'R')}});
  EXPECT_EQ(std::string(49, 'c'), ConfigRecord->Qth);
  EXPECT_EQ("X1ABC." + std::string(28, 'R'), ConfigRecord->BbsCallsign);
  EXPECT_EQ(79u, f.Ficheroimport->Text().size());
  EXPECT_EQ(f.Ficheroimport->Text(), ConfigRecord->ImportFile);
  EXPECT_EQ(std::string(49, 'L'), PortTable[0].Label);
  EXPECT_STREQ("TOOL", PortTable[0].Driver);
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
  ExpectTexts({{f.Directorioraiz, root},
               {f.Directoriodata, "D:\\Datos"},
               {f.Directoriomensajes, "E:\\Correo"},
               {f.Directoriomensajesbin, "D:\\Datos\\Binmail"},
               {f.Directoriodocs, "D:\\Datos\\Docs"},
               {f.Directorioyapp, "F:\\Yapp"},
               {f.Driversdir, "G:\\Drv"},
               {f.Directorioconfig, root + "\\Config"},
               {f.Pgdir, root + "\\Pg"}});
  // Sounds and its like are never read: the root decides them.
  EXPECT_EQ(root + "\\Sounds", std::string(ConfigRecord->Sounds));
  EXPECT_EQ(root + "\\Data\\Log", std::string(ConfigRecord->Log));
}

TEST_F(LoadTest, SystemWithoutConfigBecomesConfig) {
  CreateEmptyConfig();
  WriteString(kFoldersKey, "System", "C:\\Old\\Sys");
  OpenEditor();
  EXPECT_EQ("C:\\Old\\Sys", Form().Directorioconfig->Text());
  ExpectStored(kFoldersKey, {{"Config", "C:\\Old\\Sys"}, {"System", "<none>"}});

  // Beside Config, System is only ignored (the save removes it).
  WriteStrings(kFoldersKey, {{"Config", "C:\\New\\Cfg"}, {"System", "C:\\Other\\Sys"}});
  Reload();
  EXPECT_EQ("C:\\New\\Cfg", Form().Directorioconfig->Text());
  EXPECT_EQ("C:\\Other\\Sys", Text(kFoldersKey, "System"));
}

TEST_F(LoadTest, ZubDosBecomesUsersPubEmptyItemsAreSkippedAndNoListEmptiesTheDisks) {
  CreateEmptyConfig();
  const std::string disks = "A:\\one,,B:\\two,*,C:\\three,D:\\4,E:\\5,F:\\6,G:\\7";
  WriteString(kFoldersKey, "ZubDos", disks);
  OpenEditor();
  TForm1& f = Form();
  ExpectTexts({{f.Diska, "A:\\one"},
               {f.Diskb, "B:\\two"},
               {f.Diskc, ""},  // "*" keeps its place
               {f.Diskd, "C:\\three"},
               {f.Diskh, "G:\\7"}});
  EXPECT_STREQ("", ConfigRecord->Diskc);
  ExpectStored(kFoldersKey, {{"UsersPub", disks}, {"ZubDos", "<none>"}});

  // Two commas in a row move the later disks up and leave Diskh empty.
  WriteString(kFoldersKey, "UsersPub", "A:\\1,B:\\2,,C:\\3,D:\\4,E:\\5,F:\\6,G:\\7");
  f.Diskh->SetText("H:\\old");
  Reload();
  ExpectTexts({{f.Diskc, "C:\\3"}, {f.Diskg, "G:\\7"}, {f.Diskh, ""}});

  // A Folders key with neither value empties all eight disks.
  RemoveNodraxTree();
  WriteString(kFoldersKey, "Pg", "C:\\Pg");
  Reload();
  ExpectTexts({{f.Diska, ""}, {f.Diskg, ""}});
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
  EXPECT_EQ("C:\\FromDirectories", Form().Pgdir->Text());
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
  const TPortRecord& p = PortTable[6];
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
    ExpectFields({{"", PortTable[i].PortKey},
                  {"", PortTable[i].Driver},
                  {"false", PortTable[i].Disabled}});
  }
}

TEST_F(LoadTest, PortKeysThatNumberNoEntryAreSkipped) {
  CreateEmptyConfig();
  for (const char* name : {"Port0", "Port11", "Port100", "Portal", "Port-1", "Port07x"})
    WriteString(Key(kPortsKey, name), "Driver", "BAD");
  WriteString(Key(kPortsKey, "Port10"), "Driver", "TCP");
  WriteString(Key(kPortsKey, "port2"), "Driver", "KISS");
  OpenEditor();
  ExpectFields({{"Port10", PortTable[9].PortKey},
                {"TCP", PortTable[9].Driver},
                {"port2", PortTable[1].PortKey},
                {"KISS", PortTable[1].Driver}});
  for (int i : {0, 2, 3, 4, 5, 6, 7, 8}) EXPECT_STREQ("", PortTable[i].Driver) << i;
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
  ASSERT_EQ(100, ServerCount);
  const std::vector<std::string> names = SubKeys(kServersKey);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(names[i], ServerTable[i].Name) << i;
  ExpectFields({{"SRV.EXE", ServerTable[0].File},
                {"First", ServerTable[0].Description},
                {"true", ServerTable[0].Disabled}});
}

TEST_F(LoadTest, ServersAloneEmptyTheCountAndRefuseNamesTooLongToKeep) {
  CreateEmptyConfig();
  WriteString(Key(kServersKey, "A"), "File", "a.exe");
  WriteStrings(Key(kServersKey, "B"), {{"File", "b.exe"}, {"Description", "Bee"}});
  OpenEditor();
  ASSERT_EQ(2, ServerCount);

  // Another server in place of B gets nothing of B's.
  RemoveNodraxTree();
  WriteString(Key(kServersKey, "A"), "File", "a2.exe");
  CreateKey(Key(kServersKey, "C"));
  WriteString(Key(kServersKey, "AVeryLongServerName"), "File", "x.exe");
  CargaServidores(Form());
  ASSERT_EQ(2, ServerCount);
  ExpectFields({{"A", ServerTable[0].Name},
                {"A2.EXE", ServerTable[0].File},
                {"C", ServerTable[1].Name},
                {"", ServerTable[1].File},
                {"", ServerTable[1].Description}});

  RemoveNodraxTree();
  CargaServidores(Form());
  EXPECT_EQ(0, ServerCount);
}

TEST_F(LoadTest, AKeyTheSysopMayNotWriteIsStillRead) {
  WriteString(kConfigKey, "BbsCallsign", "X1ABC.ABC.XX.EU");
  WriteString(kFoldersKey, "System", "C:\\Old\\Sys");
  Deny(kFoldersKey, KEY_SET_VALUE);
  OpenEditor();
  EXPECT_EQ("C:\\Old\\Sys", Form().Directorioconfig->Text());
  EXPECT_EQ("C:\\Old\\Sys", Text(kFoldersKey, "System"));
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
