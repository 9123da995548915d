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
  WriteString(kConfigKey, "BbsCallsign", "X1ABC.ABC.XX.EU");
  WriteString(kConfigKey, "SSID", "4");
  WriteString(kConfigKey, "Qth", "Villaprueba");
  WriteString(kConfigKey, "Locator", "IN70AA");
  WriteString(kConfigKey, "ZipCode", "05001");
  WriteString(kConfigKey, "SysOpCallsign", "X1ABC");
  WriteString(kConfigKey, "SysOpName", "Pedro");
  OpenEditor();
  TForm1& f = Form();
  EXPECT_EQ("X1ABC", f.Editbbsindicativo->Text());
  EXPECT_EQ("ABC.XX.EU", f.Edithroute->Text());
  EXPECT_STREQ("X1ABC.ABC.XX.EU", ConfigRecord->BbsCallsign);
  EXPECT_EQ("4", f.Editssid->Text());
  EXPECT_STREQ("Villaprueba", ConfigRecord->Qth);
  EXPECT_STREQ("IN70AA", ConfigRecord->Locator);
  EXPECT_STREQ("05001", ConfigRecord->ZipCode);
  EXPECT_STREQ("X1ABC", ConfigRecord->SysOpCallsign);
  EXPECT_STREQ("Pedro", ConfigRecord->SysOpName);

  // Without a dot the whole text is the callsign and the route one blank.
  WriteString(kConfigKey, "BbsCallsign", "X1ABC");
  Reload();
  EXPECT_EQ("X1ABC", f.Editbbsindicativo->Text());
  EXPECT_EQ(" ", f.Edithroute->Text());
}

TEST_F(LoadTest, TheLoadItselfMarksNothingChanged) {
  WriteString(kConfigKey, "FullLog", "OK");
  WriteString(kConfigKey, "SecurityOptions", "1023  1023  1023");
  WriteString(kConfigKey, "Unproto", "1 2 AVPM");
  OpenEditor();
  EXPECT_TRUE(Form().Log->Checked());
  EXPECT_TRUE(Form().Specialsys->Checked());
  EXPECT_FALSE(ConfigModified);
}

TEST_F(LoadTest, SwitchesNeedOkAndLoseToNo) {
  CreateEmptyConfig();
  OpenEditor();
  TForm1& f = Form();
  f.Log->SetChecked(true);
  f.Indicacioncanales->SetChecked(true);
  f.Modotest->SetChecked(true);
  f.Datosusuario->SetChecked(false);
  WriteString(kConfigKey, "FullLog", "NOK");            // both: unchecked
  WriteString(kConfigKey, "ChannelsIndication", "YES");  // neither: as it was
  WriteString(kConfigKey, "TestMode", "NO");
  WriteString(kConfigKey, "Hroute", "OK");
  WriteString(kConfigKey, "UserGivesInformation", "NO");  // never read
  Reload();
  EXPECT_FALSE(f.Log->Checked());
  EXPECT_TRUE(f.Indicacioncanales->Checked());
  EXPECT_FALSE(f.Modotest->Checked());
  EXPECT_TRUE(f.Datosusuario->Checked());
}

TEST_F(LoadTest, OptionSetsTickTheirBoxesByBit) {
  WriteString(kConfigKey, "SecurityOptions", "3  0  1023");
  WriteString(kConfigKey, "FirstConOptions", "2050");
  WriteString(kConfigKey, "WarningMessages", "513");
  WriteString(kConfigKey, "ForwardTypeZub", "OK  10");
  WriteString(kConfigKey, "ForwardResume", "NO  2");
  WriteString(kConfigKey, "Unproto", "5 30 AM");
  OpenEditor();
  TForm1& f = Form();
  EXPECT_TRUE(f.Todosmensajesuser->Checked());
  EXPECT_TRUE(f.Borramensajesuser->Checked());
  EXPECT_FALSE(f.Sysuser->Checked());
  EXPECT_FALSE(f.Todosmensajessysop->Checked());
  for (TCheckBox* box : {f.Todosmensajessys, f.Borramensajessys, f.Syssys, f.Remotesys,
                         f.Labelssys, f.Deletesys, f.Gatewayssys, f.Dossys, f.Alldisksys,
                         f.Specialsys})
    EXPECT_TRUE(box->Checked()) << box->Name;
  EXPECT_TRUE(f.Pms1->Checked());
  EXPECT_TRUE(f.Local1->Checked());
  EXPECT_FALSE(f.Excluido1->Checked());
  EXPECT_TRUE(f.Menos1mega->Checked());
  EXPECT_TRUE(f.Held->Checked());
  EXPECT_FALSE(f.Reject->Checked());
  EXPECT_TRUE(f.Forwardzub->Checked());
  EXPECT_TRUE(f.Mbl->Checked());
  EXPECT_TRUE(f.Caracterh->Checked());
  EXPECT_FALSE(f.Caractercabecera->Checked());
  EXPECT_FALSE(f.Compressforward->Checked());
  EXPECT_FALSE(f.Resume->Checked());
  EXPECT_TRUE(f.Xprotocol->Checked());
  EXPECT_EQ("5", f.Editbackui->Text());
  EXPECT_EQ("30", f.Editdelayui->Text());
  EXPECT_TRUE(f.Ackui->Checked());
  EXPECT_FALSE(f.Privateui->Checked());
  EXPECT_FALSE(f.Userui->Checked());
  EXPECT_TRUE(f.Tituloui->Checked());

  // Desactivado1 has no bit and is left alone; an unknown switch word
  // leaves ZUB Forwarding, but its bits still count.
  f.Desactivado1->SetChecked(true);
  WriteString(kConfigKey, "FirstConOptions", "0");
  WriteString(kConfigKey, "ForwardTypeZub", "MAYBE  4");
  Reload();
  EXPECT_TRUE(f.Desactivado1->Checked());
  EXPECT_FALSE(f.Pms1->Checked());
  EXPECT_TRUE(f.Forwardzub->Checked());
  EXPECT_FALSE(f.Mbl->Checked());
  EXPECT_TRUE(f.Caractercabecera->Checked());
}

TEST_F(LoadTest, TextsWithStandInsAndColours) {
  WriteString(kConfigKey, "CallsignsInMailBeacon", "B15");
  WriteString(kConfigKey, "CopySysOpMessages", "******");
  WriteString(kConfigKey, "Timeout", "11  22");
  WriteString(kConfigKey, "MaxDownloadYapp", "300  150");
  WriteString(kConfigKey, "ScrollBuffers", "900  800  700");
  WriteString(kConfigKey, "ZubHeader", "[X] HDR");
  WriteString(kConfigKey, "MaxBids", "5000");
  WriteString(kConfigKey, "BulletinsLifetime", "45");
  WriteString(kConfigKey, "RouteWpMessages", "X1ABC");
  WriteString(kConfigKey, "WindowBackgroundColor", "-2147483633");
  WriteString(kConfigKey, "SentTextColor", "255");
  WriteString(kConfigKey, "ReceivedTextColor", "65280");
  WriteString(kConfigKey, "MonitorHeaderColor", "16711680");
  WriteString(kConfigKey, "MonitorDataColor", "1");
  WriteString(kConfigKey, "ConsoleTextColor", "not a colour");
  WriteString(kConfigKey, "ChannelInfColor", "12345");
  OpenEditor();
  TForm1& f = Form();
  EXPECT_TRUE(f.Mailbeacon->Checked());
  EXPECT_EQ("15", f.Indicativosbaliza->Text());
  EXPECT_EQ("", f.Sysopmessage->Text());
  EXPECT_EQ("11", f.timeoutusuarios->Text());
  EXPECT_EQ("22", f.Timeoutforward->Text());
  EXPECT_EQ("300", f.yappmax->Text());
  EXPECT_EQ("150", f.modemmax->Text());
  EXPECT_EQ("900", f.buferusuario->Text());
  EXPECT_EQ("800", f.buferconsola->Text());
  EXPECT_EQ("700", f.bufermonitor->Text());
  EXPECT_EQ("[X] HDR", f.Cabecera->Text());
  EXPECT_EQ("5000", f.Numerobid->Text());
  EXPECT_EQ("45", f.Diasboletines->Text());
  EXPECT_EQ("X1ABC", f.Wpmessage->Text());
  EXPECT_STREQ("700", ConfigRecord->bufermonitor);
  for (TLabel* label : {f.Sendtext, f.Receivedtext, f.Chaninfo, f.Monhead, f.Mondata,
                        f.Consoletext})
    EXPECT_EQ(0x8000000Fu, label->Color()) << label->Name;
  EXPECT_EQ(0x8000000Fu, f.Panel1->Color());
  EXPECT_EQ(255u, f.Sendtext->FontColor());
  EXPECT_EQ(65280u, f.Receivedtext->FontColor());
  EXPECT_EQ(16711680u, f.Monhead->FontColor());
  EXPECT_EQ(1u, f.Mondata->FontColor());
  EXPECT_EQ(0u, f.Consoletext->FontColor());
  EXPECT_EQ(12345u, f.Chaninfo->FontColor());

  WriteString(kConfigKey, "CallsignsInMailBeacon", "7");
  WriteString(kConfigKey, "CopySysOpMessages", "X1ABC");
  Reload();
  EXPECT_FALSE(f.Mailbeacon->Checked());
  EXPECT_EQ("7", f.Indicativosbaliza->Text());
  EXPECT_EQ("X1ABC", f.Sysopmessage->Text());
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
  EXPECT_EQ("9", f.Editssid->Text());
  EXPECT_EQ("Kept", f.Editciudad->Text());
  EXPECT_TRUE(f.Log->Checked());
  EXPECT_EQ(RGB(1, 2, 3), f.Sendtext->FontColor());
  EXPECT_EQ("C:\\Kept\\Yapp", f.Directorioyapp->Text());
  EXPECT_EQ("C:\\Kept\\B", f.Diskb->Text());
}

TEST_F(LoadTest, AValueOfAnotherTypeIsSkippedAndTheLoadGoesOn) {
  WriteDword(kConfigKey, "Qth", 7);
  WriteString(kConfigKey, "SysOpName", "Pedro");
  WriteString(kConfigKey, "ZubHeader", "[X] HDR");
  WriteString(kFoldersKey, "ZubRoot", "C:\\NodraxTest\\BBS");
  OpenEditor();
  EXPECT_EQ("", Form().Editciudad->Text());
  EXPECT_EQ("Pedro", Form().Editsysopnombre->Text());
  EXPECT_EQ("[X] HDR", Form().Cabecera->Text());
  EXPECT_EQ("C:\\NodraxTest\\BBS", Form().Directorioraiz->Text());
}

TEST_F(LoadTest, TextsLongerThanTheirFieldsAreCutAlike) {
  const std::string longCity(60, 'c');
  WriteString(kConfigKey, "Qth", longCity);
  WriteString(kConfigKey, "BbsCallsign", "X1ABC." + std::string(40, 'R'));
  WriteString(kFoldersKey, "ImportFile", "C:\\" + std::string(100, 'i'));
  WriteString(kPortsKey + std::string("\\Port1"), "Label", std::string(70, 'L'));
  WriteString(kPortsKey + std::string("\\Port1"), "Driver", "TOOLONG");
  OpenEditor();
  TForm1& f = Form();
  EXPECT_EQ(std::string(49, 'c'), f.Editciudad->Text());
  EXPECT_EQ(std::string(49, 'c'), ConfigRecord->Qth);
  // Callsign and route share the 34 characters of BbsCallsign.
  EXPECT_EQ("X1ABC", f.Editbbsindicativo->Text());
  EXPECT_EQ(std::string(28, 'R'), f.Edithroute->Text());
  EXPECT_EQ("X1ABC." + std::string(28, 'R'), ConfigRecord->BbsCallsign);
  EXPECT_EQ(79u, f.Ficheroimport->Text().size());
  EXPECT_EQ(f.Ficheroimport->Text(), ConfigRecord->ImportFile);
  EXPECT_EQ(std::string(49, 'L'), PortTable[0].Label);
  EXPECT_STREQ("TOOL", PortTable[0].Driver);
}

TEST_F(LoadTest, FoldersOverrideWhatTheRootDerives) {
  const std::string root = kTestRoot;
  WriteString(kFoldersKey, "ZubRoot", root);
  WriteString(kFoldersKey, "Data", "D:\\Datos");
  WriteString(kFoldersKey, "Mail", "E:\\Correo");
  WriteString(kFoldersKey, "Yapp", "F:\\Yapp");
  WriteString(kFoldersKey, "Drivers", "G:\\Drv");
  WriteString(kFoldersKey, "Sounds", "H:\\NotRead");
  CreateEmptyConfig();
  OpenEditor();
  TForm1& f = Form();
  EXPECT_EQ(root, f.Directorioraiz->Text());
  EXPECT_EQ("D:\\Datos", f.Directoriodata->Text());
  EXPECT_EQ("E:\\Correo", f.Directoriomensajes->Text());
  // Not stored: derived from the data folder read just before.
  EXPECT_EQ("D:\\Datos\\Binmail", f.Directoriomensajesbin->Text());
  EXPECT_EQ("D:\\Datos\\Docs", f.Directoriodocs->Text());
  EXPECT_EQ("F:\\Yapp", f.Directorioyapp->Text());
  EXPECT_EQ("G:\\Drv", f.Driversdir->Text());
  EXPECT_EQ(root + "\\Config", f.Directorioconfig->Text());
  EXPECT_EQ(root + "\\Pg", f.Pgdir->Text());
  // Sounds and its like are never read: the root decides them.
  EXPECT_EQ(root + "\\Sounds", std::string(ConfigRecord->Sounds));
  EXPECT_EQ(root + "\\Data\\Log", std::string(ConfigRecord->Log));
}

TEST_F(LoadTest, SystemWithoutConfigBecomesConfig) {
  CreateEmptyConfig();
  WriteString(kFoldersKey, "System", "C:\\Old\\Sys");
  OpenEditor();
  EXPECT_EQ("C:\\Old\\Sys", Form().Directorioconfig->Text());
  EXPECT_EQ("C:\\Old\\Sys", Text(kFoldersKey, "Config"));
  EXPECT_EQ("<none>", Text(kFoldersKey, "System"));

  // Beside Config, System is only ignored (the save removes it).
  WriteString(kFoldersKey, "Config", "C:\\New\\Cfg");
  WriteString(kFoldersKey, "System", "C:\\Other\\Sys");
  Reload();
  EXPECT_EQ("C:\\New\\Cfg", Form().Directorioconfig->Text());
  EXPECT_EQ("C:\\Other\\Sys", Text(kFoldersKey, "System"));
}

TEST_F(LoadTest, ZubDosBecomesUsersPubEmptyItemsAreSkippedAndNoListEmptiesTheDisks) {
  CreateEmptyConfig();
  WriteString(kFoldersKey, "ZubDos", "A:\\one,,B:\\two,*,C:\\three,D:\\4,E:\\5,F:\\6,G:\\7");
  OpenEditor();
  TForm1& f = Form();
  EXPECT_EQ("A:\\one", f.Diska->Text());
  EXPECT_EQ("B:\\two", f.Diskb->Text());
  EXPECT_EQ("", f.Diskc->Text());  // "*" keeps its place
  EXPECT_EQ("C:\\three", f.Diskd->Text());
  EXPECT_EQ("G:\\7", f.Diskh->Text());
  EXPECT_STREQ("", ConfigRecord->Diskc);
  EXPECT_EQ("A:\\one,,B:\\two,*,C:\\three,D:\\4,E:\\5,F:\\6,G:\\7", Text(kFoldersKey, "UsersPub"));
  EXPECT_EQ("<none>", Text(kFoldersKey, "ZubDos"));

  // Two commas in a row move the later disks up and leave Diskh empty.
  WriteString(kFoldersKey, "UsersPub", "A:\\1,B:\\2,,C:\\3,D:\\4,E:\\5,F:\\6,G:\\7");
  f.Diskh->SetText("H:\\old");
  Reload();
  EXPECT_EQ("C:\\3", f.Diskc->Text());
  EXPECT_EQ("G:\\7", f.Diskg->Text());
  EXPECT_EQ("", f.Diskh->Text());

  // A Folders key with neither value empties all eight disks.
  RemoveNodraxTree();
  WriteString(kFoldersKey, "Pg", "C:\\Pg");
  Reload();
  EXPECT_EQ("", f.Diska->Text());
  EXPECT_EQ("", f.Diskg->Text());
}

TEST_F(LoadTest, OnlyDirectoriesIsMovedToFoldersByTheClosingSave) {
  WriteString(kConfigKey, "BbsCallsign", "X1ABC.ABC.XX.EU");
  const std::string root = kTestRoot;
  WriteString(kDirectoriesKey, "ZubRoot", root);
  WriteString(kDirectoriesKey, "Mail", root + "\\Mensajes");
  WriteString(kDirectoriesKey, "ZubDos", root + "\\A");
  TNotifyCounter notified;
  OpenEditor();
  EXPECT_FALSE(KeyExists(kDirectoriesKey));
  EXPECT_EQ(root, Text(kFoldersKey, "ZubRoot"));
  EXPECT_EQ(root + "\\Mensajes", Text(kFoldersKey, "Mail"));
  EXPECT_EQ(root + "\\A,*,*,*,*,*,*,*", Text(kFoldersKey, "UsersPub"));
  EXPECT_EQ("<none>", Text(kFoldersKey, "ZubDos"));
  EXPECT_TRUE(FolderExists(root + "\\Mensajes\\mail9"));
  EXPECT_FALSE(ConfigModified);
  EXPECT_EQ(1, notified.Count());
}

TEST_F(LoadTest, DirectoriesIsReadInPlaceOfFolders) {
  WriteString(kConfigKey, "BbsCallsign", "X1ABC.ABC.XX.EU");
  WriteString(kFoldersKey, "ZubRoot", "C:\\NodraxTest\\Other");
  WriteString(kFoldersKey, "Pg", "C:\\FromFolders");
  WriteString(kDirectoriesKey, "ZubRoot", kTestRoot);
  WriteString(kDirectoriesKey, "Pg", "C:\\FromDirectories");
  OpenEditor();
  EXPECT_EQ("C:\\FromDirectories", Form().Pgdir->Text());
  EXPECT_EQ("C:\\FromDirectories", Text(kFoldersKey, "Pg"));
  EXPECT_EQ(kTestRoot, Text(kFoldersKey, "ZubRoot"));
}

TEST_F(LoadTest, AnOlderKeyWithoutARootLosesNoFolderInTheMove) {
  // With an empty root the save keeps the stored folders: those that only
  // the older key holds move over before it goes.
  WriteString(kConfigKey, "BbsCallsign", "X1ABC.ABC.XX.EU");
  WriteString(kDirectoriesKey, "Pg", "C:\\Old\\Pg");
  WriteString(kDirectoriesKey, "Sounds", "C:\\Old\\Sounds");
  WriteString(kDirectoriesKey, "Drivers", "C:\\Old\\Drv");
  WriteString(kFoldersKey, "Drivers", "C:\\Kept\\Drv");
  OpenEditor();
  EXPECT_FALSE(KeyExists(kDirectoriesKey));
  EXPECT_EQ("C:\\Old\\Pg", Text(kFoldersKey, "Pg"));
  EXPECT_EQ("C:\\Old\\Sounds", Text(kFoldersKey, "Sounds"));
  EXPECT_EQ("C:\\Kept\\Drv", Text(kFoldersKey, "Drivers"));
  EXPECT_EQ("", Text(kFoldersKey, "ZubRoot"));
}

TEST_F(LoadTest, OnlyThePortKeyNumberedSevenFillsOnlyEntrySeven) {
  CreateEmptyConfig();
  const std::string port7 = std::string(kPortsKey) + "\\Port7";
  WriteString(port7, "Driver", "TNC");
  WriteString(port7, "Com", "3");
  WriteString(port7, "HexAddress", "3F8");
  WriteString(port7, "BaudRate", "9600");
  WriteString(port7, "NumChannels", "8");
  WriteString(port7, "Canal", "2");
  WriteString(port7, "Paclen", "236");
  WriteString(port7, "MaxFrame", "7");
  WriteString(port7, "NumFwdChannels", "4");
  WriteString(port7, "MaxBlock", "2048");
  WriteString(port7, "FwdPeriode", "15/60 extra");
  WriteString(port7, "Mode", "BWLU");
  WriteString(port7, "Label", "VHF 1200");
  WriteString(port7, "Disabled", "true");
  OpenEditor();
  const TPortRecord& p = PortTable[6];
  EXPECT_STREQ("Port7", p.PortKey);
  EXPECT_STREQ("TNC", p.Driver);
  EXPECT_STREQ("3", p.Com);
  EXPECT_STREQ("3F8", p.HexAddress);
  EXPECT_STREQ("9600", p.BaudRate);
  EXPECT_STREQ("8", p.NumChannels);
  EXPECT_STREQ("2", p.Canal);
  EXPECT_STREQ("236", p.Paclen);
  EXPECT_STREQ("7", p.MaxFrame);
  EXPECT_STREQ("4", p.NumFwdChannels);
  EXPECT_STREQ("2048", p.MaxBlock);
  EXPECT_STREQ("15", p.Fwdminute);
  EXPECT_STREQ("60", p.Fwdperiodo);
  EXPECT_STREQ("L", p.Unprotos);
  EXPECT_STREQ("", p.Yapp);
  EXPECT_STREQ("W", p.Gateway);
  EXPECT_STREQ("", p.Rdonly);
  EXPECT_STREQ("U", p.Tipopuerto);  // U before G before B
  EXPECT_STREQ("VHF 1200", p.Label);
  EXPECT_STREQ("true", p.Disabled);
  for (int i = 0; i < kPortCount; ++i) {
    if (i == 6) continue;
    EXPECT_STREQ("", PortTable[i].PortKey) << i;
    EXPECT_STREQ("", PortTable[i].Driver) << i;
    EXPECT_STREQ("false", PortTable[i].Disabled) << i;
  }
}

TEST_F(LoadTest, PortKeysThatNumberNoEntryAreSkipped) {
  CreateEmptyConfig();
  for (const char* name : {"Port0", "Port11", "Port100", "Portal", "Port-1", "Port07x"})
    WriteString(std::string(kPortsKey) + "\\" + name, "Driver", "BAD");
  WriteString(std::string(kPortsKey) + "\\Port10", "Driver", "TCP");
  WriteString(std::string(kPortsKey) + "\\port2", "Driver", "KISS");
  OpenEditor();
  EXPECT_STREQ("Port10", PortTable[9].PortKey);
  EXPECT_STREQ("TCP", PortTable[9].Driver);
  EXPECT_STREQ("port2", PortTable[1].PortKey);
  EXPECT_STREQ("KISS", PortTable[1].Driver);
  for (int i : {0, 2, 3, 4, 5, 6, 7, 8}) EXPECT_STREQ("", PortTable[i].Driver) << i;
}

TEST_F(LoadTest, ServersFillTheTableInRegistryOrderUpToAHundred) {
  CreateEmptyConfig();
  for (int i = 0; i < 105; ++i) {
    char name[16];
    snprintf(name, sizeof name, "Srv%03d", i);
    WriteString(std::string(kServersKey) + "\\" + name, "File", "srv.exe");
  }
  WriteString(std::string(kServersKey) + "\\Srv000", "Description", "First");
  WriteString(std::string(kServersKey) + "\\Srv000", "Disabled", "true");
  OpenEditor();
  ASSERT_EQ(100, ServerCount);
  const std::vector<std::string> names = SubKeys(kServersKey);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(names[i], ServerTable[i].Name) << i;
  EXPECT_STREQ("SRV.EXE", ServerTable[0].File);
  EXPECT_STREQ("First", ServerTable[0].Description);
  EXPECT_STREQ("true", ServerTable[0].Disabled);
}

TEST_F(LoadTest, ServersAloneEmptyTheCountAndRefuseNamesTooLongToKeep) {
  CreateEmptyConfig();
  WriteString(std::string(kServersKey) + "\\A", "File", "a.exe");
  WriteString(std::string(kServersKey) + "\\B", "File", "b.exe");
  WriteString(std::string(kServersKey) + "\\B", "Description", "Bee");
  OpenEditor();
  ASSERT_EQ(2, ServerCount);

  // Another server in place of B gets nothing of B's.
  RemoveNodraxTree();
  WriteString(std::string(kServersKey) + "\\A", "File", "a2.exe");
  CreateKey(std::string(kServersKey) + "\\C");
  WriteString(std::string(kServersKey) + "\\AVeryLongServerName", "File", "x.exe");
  CargaServidores(Form());
  ASSERT_EQ(2, ServerCount);
  EXPECT_STREQ("A", ServerTable[0].Name);
  EXPECT_STREQ("A2.EXE", ServerTable[0].File);
  EXPECT_STREQ("C", ServerTable[1].Name);
  EXPECT_STREQ("", ServerTable[1].File);
  EXPECT_STREQ("", ServerTable[1].Description);

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
