// The save: the identity check, the encodings and empty-field defaults of
// every value, the folders on disk, the ports and servers, the notification,
// and a save whose writes fail.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "support/LoadSaveFixture.h"

namespace {

class SaveTest : public LoadSaveFixture {
 protected:
  void SetUp() override {
    LoadSaveFixture::SetUp();
    CreateEmptyConfig();
    OpenEditor();
  }
  void SetIdentity() {
    Form().Editbbsindicativo->SetText("X1ABC");
    Form().Edithroute->SetText("ABC.XX.EU");
  }
  void Save() { InvokeMenu("Menusave"); }
  std::string Config(const char* name) { return Text(kConfigKey, name); }
  std::string Folder(const char* name) { return Text(kFoldersKey, name); }
  std::string Port(int n, const char* name) {
    return Text(std::string(kPortsKey) + "\\Port" + std::to_string(n), name);
  }
};

TEST_F(SaveTest, AMissingCallsignOrRouteRefusesTheSave) {
  RemoveNodraxTree();
  ConfigModified = true;
  TNotifyCounter notified;
  Form().Pagina->SetActivePage(Form().Hojacolores);
  AnswerMessage(IDOK);
  EXPECT_FALSE(SaveConfiguration(Form()));
  ASSERT_EQ(1u, Messages().size());
  EXPECT_EQ("BBS must have a Callsign", Messages()[0].text);
  EXPECT_EQ("Nodraxcfg", Messages()[0].caption);
  EXPECT_EQ(static_cast<UINT>(MB_ICONWARNING), Messages()[0].type & MB_ICONMASK);
  EXPECT_EQ("Hojageneral", ActivePageName());
  EXPECT_EQ("Editbbsindicativo", FocusedName());
  EXPECT_TRUE(ConfigModified);
  // Only the Config key was made, and nothing written into it.
  const TStoredTree tree = Dump();
  ASSERT_EQ(1u, tree.size());
  EXPECT_TRUE(tree.count("Config"));
  EXPECT_TRUE(tree.at("Config").empty());

  Form().Editbbsindicativo->SetText("X1ABC");
  Form().Pagina->SetActivePage(Form().Hojacolores);
  AnswerMessage(IDOK);
  Save();
  ASSERT_EQ(2u, Messages().size());
  EXPECT_EQ("BBS must have Hierarcical Route ", Messages()[1].text);
  EXPECT_EQ("Hojageneral", ActivePageName());
  EXPECT_EQ("Edithroute", FocusedName());
  EXPECT_TRUE(ConfigModified);
  EXPECT_EQ(1u, Dump().size());
  EXPECT_EQ(0, notified.Count());
}

TEST_F(SaveTest, EmptyFieldsAreStoredWithTheirDefaults) {
  SetIdentity();
  ConfigModified = true;
  Save();
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(ConfigModified);
  EXPECT_EQ("X1ABC.ABC.XX.EU", Config("BbsCallsign"));
  EXPECT_EQ("0", Config("SSID"));
  EXPECT_EQ("", Form().Editssid->Text());
  EXPECT_EQ("", Config("Locator"));
  EXPECT_EQ("", Config("Qth"));
  EXPECT_EQ("0 0 ", Config("Unproto"));
  EXPECT_EQ("0", Config("FirstConOptions"));
  EXPECT_EQ("0  0  0", Config("SecurityOptions"));
  EXPECT_EQ("0", Config("WarningMessages"));
  EXPECT_EQ("NO  0", Config("ForwardTypeZub"));
  EXPECT_EQ("NO  0", Config("ForwardResume"));
  for (const char* name : {"TestMode", "FullLog", "ChannelsIndication", "UserGivesInformation"})
    EXPECT_EQ("NO", Config(name)) << name;
  EXPECT_EQ("0", Config("CallsignsInMailBeacon"));
  EXPECT_EQ("0", Config("MaxBids"));
  EXPECT_EQ("******", Config("CopySysOpMessages"));
  EXPECT_EQ("", Config("RouteWpMessages"));
  EXPECT_EQ("[$c] ZUB$E $$:$R", Config("ZubHeader"));
  EXPECT_EQ("0  0", Config("Timeout"));
  EXPECT_EQ("0", Config("BulletinsLifetime"));
  EXPECT_EQ("0  0", Config("MaxDownloadYapp"));
  EXPECT_EQ("0  0  0", Config("ScrollBuffers"));
  EXPECT_EQ("FF", Config("TFPCInterrupt"));
  EXPECT_EQ("OK", Config("Hroute"));
  // The colours the window starts with, as signed decimals.
  EXPECT_EQ("65280", Config("SentTextColor"));
  EXPECT_EQ("255", Config("ReceivedTextColor"));
  EXPECT_EQ("16776960", Config("ChannelInfColor"));
  EXPECT_EQ("16777215", Config("MonitorHeaderColor"));
  EXPECT_EQ("8421504", Config("MonitorDataColor"));
  EXPECT_EQ("65535", Config("ConsoleTextColor"));
  EXPECT_EQ("0", Config("WindowBackgroundColor"));
  const TStoredValues values = Values(kConfigKey);
  EXPECT_EQ(35u, values.size());
  for (const auto& [name, value] : values) EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.first) << name;
}

TEST_F(SaveTest, OptionSetsAreSumsOfTheTickedWeights) {
  TForm1& f = Form();
  SetIdentity();
  f.Pms1->SetChecked(true);
  f.Local1->SetChecked(true);
  f.Forwardzub->SetChecked(true);
  f.Mbl->SetChecked(true);
  f.Caracterh->SetChecked(true);
  f.Todosmensajesuser->SetChecked(true);
  f.Borramensajesuser->SetChecked(true);
  for (TCheckBox* box : {f.Todosmensajessys, f.Borramensajessys, f.Syssys, f.Remotesys,
                         f.Labelssys, f.Deletesys, f.Gatewayssys, f.Dossys, f.Alldisksys,
                         f.Specialsys})
    box->SetChecked(true);
  f.Compressforward->SetChecked(true);
  f.Resume->SetChecked(true);
  f.Xprotocol->SetChecked(true);
  f.Held->SetChecked(true);
  f.Pingpong->SetChecked(true);
  f.Mailbeacon->SetChecked(true);
  f.Indicativosbaliza->SetText("15");
  Save();
  EXPECT_EQ("2050", Config("FirstConOptions"));
  EXPECT_EQ("OK  10", Config("ForwardTypeZub"));
  EXPECT_EQ("3  0  1023", Config("SecurityOptions"));
  EXPECT_EQ("OK  3", Config("ForwardResume"));
  EXPECT_EQ("520", Config("WarningMessages"));
  EXPECT_EQ("B15", Config("CallsignsInMailBeacon"));
  // The flag words and totals of the record follow the boxes.
  EXPECT_EQ(8, ConfigRecord->Mbl);
  EXPECT_EQ(2, ConfigRecord->Caracterh);
  EXPECT_EQ(0, ConfigRecord->Deldata);
  EXPECT_EQ(10, ConfigRecord->ForwardTotal);
  EXPECT_EQ(2048, ConfigRecord->Pms1);
  EXPECT_EQ(2050, ConfigRecord->FirstConTotal);
  EXPECT_EQ(1023, ConfigRecord->SystemTotal);
  EXPECT_STREQ("3  0  1023", ConfigRecord->SecurityOptions);
  EXPECT_STREQ("OK", ConfigRecord->Forwardzub);
  EXPECT_STREQ("B", ConfigRecord->Mailbeacon);

  // Disabled forces 0 whatever else is ticked; the boxes stay as they are.
  f.Desactivado1->SetChecked(true);
  Save();
  EXPECT_EQ("0", Config("FirstConOptions"));
  EXPECT_TRUE(f.Pms1->Checked());
}

TEST_F(SaveTest, UnprotoJoinsBackDelayAndLetters) {
  TForm1& f = Form();
  SetIdentity();
  f.Editbackui->SetText("5");
  f.Editdelayui->SetText("30");
  f.Ackui->SetChecked(true);
  f.Tituloui->SetChecked(true);
  Save();
  EXPECT_EQ("5 30 AM", Config("Unproto"));
  EXPECT_STREQ("A", ConfigRecord->Ackui);
  EXPECT_STREQ("", ConfigRecord->Privateui);

  f.Ackui->SetChecked(false);
  f.Tituloui->SetChecked(false);
  Save();
  EXPECT_EQ("5 30 ", Config("Unproto"));

}

TEST_F(SaveTest, CompoundValuesFillOnlyTheirEmptyPartsWithZero) {
  TForm1& f = Form();
  SetIdentity();
  f.timeoutusuarios->SetText("11");
  f.modemmax->SetText("150");
  f.buferconsola->SetText("800");
  f.Consoletext->SetColor(0x8000000F);
  f.Sendtext->SetFontColor(RGB(1, 2, 3));
  Save();
  EXPECT_EQ("11  0", Config("Timeout"));
  EXPECT_EQ("0  150", Config("MaxDownloadYapp"));
  EXPECT_EQ("0  800  0", Config("ScrollBuffers"));
  EXPECT_EQ("-2147483633", Config("WindowBackgroundColor"));
  EXPECT_EQ(std::to_string(RGB(1, 2, 3)), Config("SentTextColor"));
}

TEST_F(SaveTest, AnEmptyDiskIsStoredAsAStar) {
  TForm1& f = Form();
  SetIdentity();
  TEdit* disks[] = {f.Diska, f.Diskb, f.Diskc, f.Diskd, f.Diske, f.Diskf, f.Diskg, f.Diskh};
  for (int i = 0; i < 8; ++i) disks[i]->SetText(std::string(1, static_cast<char>('A' + i)) + ":\\d");
  f.Diskb->SetText("");
  Save();
  EXPECT_EQ("A:\\d,*,C:\\d,D:\\d,E:\\d,F:\\d,G:\\d,H:\\d", Folder("UsersPub"));
  EXPECT_STREQ("*", ConfigRecord->Diskb);
  EXPECT_EQ("", f.Diskb->Text());
}

TEST_F(SaveTest, ADiskFolderWithACommaIsNotStoredAndTheSaveSaysSo) {
  TForm1& f = Form();
  SetIdentity();
  WriteString(kFoldersKey, "UsersPub", "A:\\old,*,*,*,*,*,*,*");
  f.Diska->SetText("A:\\one,two");
  ConfigModified = true;
  TNotifyCounter notified;
  AnswerMessage(IDOK);
  Save();
  ASSERT_EQ(1u, Messages().size());
  EXPECT_EQ("Nodraxcfg", Messages()[0].caption);
  EXPECT_NE(std::string::npos, Messages()[0].text.find("Software\\Nodrax\\Folders"));
  EXPECT_EQ("A:\\old,*,*,*,*,*,*,*", Folder("UsersPub"));
  EXPECT_TRUE(ConfigModified);
  EXPECT_EQ(0, notified.Count());
  EXPECT_EQ("X1ABC.ABC.XX.EU", Config("BbsCallsign"));  // the rest is stored
}

TEST_F(SaveTest, FoldersAreWrittenAndCreatedWithTheMailSubfolders) {
  TForm1& f = Form();
  SetIdentity();
  const std::string root = kTestRoot;
  f.Directorioraiz->SetText(root);
  f.Ficheroimport->SetText(root + "\\In\\Mail.in");
  Save();
  EXPECT_EQ(root, Folder("ZubRoot"));
  EXPECT_EQ(root + "\\Data", Folder("Data"));
  EXPECT_EQ(root + "\\Config", Folder("Config"));
  EXPECT_EQ(root + "\\UsersPub\\Yapp", Folder("Yapp"));
  EXPECT_EQ(root + "\\Data\\Docs", Folder("Docs"));
  EXPECT_EQ(root + "\\In\\Mail.in", Folder("ImportFile"));
  EXPECT_EQ(root + "\\Filters", Folder("Filters"));
  EXPECT_EQ(root + "\\Servers", Folder("Servers"));
  EXPECT_EQ(root + "\\Pg", Folder("Pg"));
  EXPECT_EQ(root + "\\Drivers", Folder("Drivers"));
  EXPECT_EQ(root + "\\Sounds", Folder("Sounds"));
  EXPECT_EQ(root + "\\Config\\Lang", Folder("Lang"));
  EXPECT_EQ(root + "\\Data\\Log", Folder("Log"));
  EXPECT_EQ(root + "\\Data\\Sat", Folder("Sat"));
  EXPECT_EQ(root + "\\Data\\Wp", Folder("Wp"));
  EXPECT_EQ(root + "\\Data\\OldMail", Folder("OldMail"));
  EXPECT_EQ(root + "\\Config\\Fwd", Folder("Fwd"));
  EXPECT_EQ(root + "\\Data\\Mail", Folder("Mail"));
  EXPECT_EQ(root + "\\Data\\Binmail", Folder("CompresMail"));
  EXPECT_EQ("*,*," + root + "\\UsersPub,*,*,*,*,*", Folder("UsersPub"));
  for (const char* sub : {"", "\\Data", "\\Config", "\\UsersPub\\Yapp", "\\Data\\Docs",
                          "\\Filters", "\\Servers", "\\Pg", "\\Drivers", "\\Sounds",
                          "\\Config\\Lang", "\\Data\\Log", "\\Data\\Sat", "\\Data\\Wp",
                          "\\Data\\OldMail", "\\Config\\Fwd"})
    EXPECT_TRUE(FolderExists(root + sub)) << sub;
  for (int digit = 0; digit < 10; ++digit) {
    const std::string mail = "\\mail" + std::to_string(digit);
    EXPECT_TRUE(FolderExists(root + "\\Data\\Mail" + mail)) << mail;
    EXPECT_TRUE(FolderExists(root + "\\Data\\Binmail" + mail)) << mail;
  }
  EXPECT_FALSE(FolderExists(root + "\\Data\\mail0"));
  EXPECT_FALSE(FolderExists(root + "\\In\\Mail.in"));
  EXPECT_FALSE(FolderExists(root + "\\In"));
  // The disk folder is stored, not made.
  EXPECT_FALSE(FolderExists(root + "\\UsersPub\\mail0"));
}

TEST_F(SaveTest, AnEmptyRootClearsEightFoldersAndKeepsTheRest) {
  SetIdentity();
  WriteString(kFoldersKey, "Pg", "C:\\Keep\\Pg");
  WriteString(kFoldersKey, "Mail", "C:\\Old\\Mail");
  WriteString(kFoldersKey, "Sounds", "C:\\Keep\\Sounds");
  WriteString(kFoldersKey, "ZubDos", "A:\\old");
  WriteString(kFoldersKey, "System", "C:\\Old\\Sys");
  WriteString(std::string(kDirectoriesKey) + "\\Sub", "Data", "C:\\Old");
  Save();
  for (const char* name :
       {"Mail", "CompresMail", "ZubRoot", "Config", "Yapp", "Docs", "Data", "ImportFile"})
    EXPECT_EQ("", Folder(name)) << name;
  EXPECT_EQ("C:\\Keep\\Pg", Folder("Pg"));
  EXPECT_EQ("C:\\Keep\\Sounds", Folder("Sounds"));
  EXPECT_EQ("<none>", Folder("Filters"));
  EXPECT_EQ("*,*,*,*,*,*,*,*", Folder("UsersPub"));
  EXPECT_EQ("<none>", Folder("ZubDos"));
  EXPECT_EQ("<none>", Folder("System"));
  EXPECT_FALSE(KeyExists(kDirectoriesKey));
}

TEST_F(SaveTest, PortsInUseGetKeysWithDefaultsAndTheOthersLoseTheirs) {
  SetIdentity();
  CreateKey(std::string(kPortsKey) + "\\Port3");
  CreateKey(std::string(kPortsKey) + "\\Port5");
  CreateKey(std::string(kPortsKey) + "\\Port12");
  SetField(PortTable[0].Driver, "TNC");
  SetField(PortTable[2].Driver, "NON");
  SetField(PortTable[2].Label, "Gone");
  SetField(PortTable[9].Driver, "TCP");
  SetField(PortTable[9].Unprotos, "L");
  SetField(PortTable[9].Rdonly, "R");
  SetField(PortTable[9].Tipopuerto, "B");
  SetField(PortTable[9].Fwdminute, "15");
  Save();

  EXPECT_EQ((std::vector<std::string>{"Port0", "Port1", "Port10", "Port12"}),
            [&] {
              std::vector<std::string> names = SubKeys(kPortsKey);
              std::sort(names.begin(), names.end());
              return names;
            }());
  EXPECT_EQ("TNC", Port(1, "Driver"));
  for (const auto& [name, text] : {std::pair<const char*, const char*>{"Com", "0"},
                                   {"HexAddress", "0"},
                                   {"BaudRate", "0"},
                                   {"NumChannels", "3"},
                                   {"Canal", "1"},
                                   {"Paclen", "80"},
                                   {"MaxFrame", "3"},
                                   {"NumFwdChannels", "0"},
                                   {"MaxBlock", "10"},
                                   {"Disabled", "false"},
                                   {"FwdPeriode", "00/30"},
                                   {"Mode", "G"},
                                   {"Label", "Default"}})
    EXPECT_EQ(text, Port(1, name)) << name;
  EXPECT_EQ(14u, Values(std::string(kPortsKey) + "\\Port1").size());
  EXPECT_STREQ("", PortTable[0].Mode);

  EXPECT_EQ("15/30", Port(10, "FwdPeriode"));
  EXPECT_EQ("LRB", Port(10, "Mode"));
  EXPECT_STREQ("LRB", PortTable[9].Mode);

  // The pseudo-port, with its fixed values.
  const std::string port0 = std::string(kPortsKey) + "\\Port0";
  EXPECT_EQ("00/01", Text(port0, "FwdPeriode"));
  EXPECT_EQ("----", Text(port0, "Mode"));
  EXPECT_EQ("File-fwd.", Text(port0, "Label"));
  EXPECT_EQ("0", Text(port0, "Driver"));
  EXPECT_EQ(14u, Values(port0).size());
}

TEST_F(SaveTest, Port0IsWrittenOnceAndAResetTableRemovesEveryPortKey) {
  SetIdentity();
  SetField(PortTable[3].Driver, "KISS");
  Save();
  const std::string port0 = std::string(kPortsKey) + "\\Port0";
  WriteString(port0, "Label", "Changed by the BBS");
  Borraports();
  Save();
  EXPECT_EQ("Changed by the BBS", Text(port0, "Label"));
  EXPECT_EQ((std::vector<std::string>{"Port0"}), SubKeys(kPortsKey));
}

TEST_F(SaveTest, ServersInUseAreWrittenWithTheFileInCapitals) {
  SetIdentity();
  CreateKey(std::string(kServersKey) + "\\Kept");
  SetField(ServerTable[0].Name, "Pms");
  SetField(ServerTable[0].File, "pms.exe");
  SetField(ServerTable[0].Description, "Mailbox");
  SetField(ServerTable[0].Disabled, "false");
  SetField(ServerTable[1].Name, "Int");
  SetField(ServerTable[1].File, "INTERNAL SERVER");
  SetField(ServerTable[1].Disabled, "true");
  SetField(ServerTable[2].Name, "Unused");  // beyond the count
  ServerCount = 2;
  Save();
  const std::string pms = std::string(kServersKey) + "\\Pms";
  EXPECT_EQ("PMS.EXE", Text(pms, "File"));
  EXPECT_STREQ("PMS.EXE", ServerTable[0].File);
  EXPECT_EQ("Mailbox", Text(pms, "Description"));
  EXPECT_EQ("false", Text(pms, "Disabled"));
  EXPECT_EQ("INTERNAL SERVER", Text(std::string(kServersKey) + "\\Int", "File"));
  EXPECT_EQ("true", Text(std::string(kServersKey) + "\\Int", "Disabled"));
  EXPECT_TRUE(KeyExists(std::string(kServersKey) + "\\Kept"));
  EXPECT_FALSE(KeyExists(std::string(kServersKey) + "\\Unused"));
  EXPECT_TRUE(Values(kServersKey).empty());
}

TEST_F(SaveTest, SavingTwiceWritesTheSameValues) {
  TForm1& f = Form();
  SetIdentity();
  f.Directorioraiz->SetText(kTestRoot);
  f.Diskb->SetText("B:\\x");
  f.Mbl->SetChecked(true);
  SetField(PortTable[4].Driver, "AGW");
  Save();
  const TStoredTree first = Dump();
  Save();
  EXPECT_EQ(first, Dump());
  EXPECT_EQ(kTestRoot, Folder("ZubRoot"));
}

TEST_F(SaveTest, FlushingOnceLeavesTheSameValuesAsFlushingEachKey) {
  TForm1& f = Form();
  SetIdentity();
  f.Directorioraiz->SetText(kTestRoot);
  SetField(PortTable[0].Driver, "TNC");
  SetField(ServerTable[0].Name, "Pms");
  ServerCount = 1;
  Save();
  const TStoredTree eachKey = Dump();
  RemoveNodraxTree();
  SaveFlushesOnce = true;
  EXPECT_TRUE(SaveConfiguration(f));
  EXPECT_EQ(eachKey, Dump());
}

TEST_F(SaveTest, ASuccessfulSavePostsTheNotificationWithZeroParameters) {
  SetIdentity();
  ConfigModified = true;
  TNotifyCounter notified;
  EXPECT_TRUE(SaveConfiguration(Form()));
  EXPECT_FALSE(ConfigModified);
  EXPECT_EQ(0, notified.Seen());  // posted, not sent
  EXPECT_EQ(1, notified.Count());
  EXPECT_EQ(0u, notified.LastW());
  EXPECT_EQ(0, notified.LastL());
}

TEST_F(SaveTest, TheNotificationReachesATopLevelWindowOfAnotherProcess) {
  SetIdentity();
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string listener = exe;
  listener = listener.substr(0, listener.find_last_of('\\') + 1) + "NotifyListener.exe";
  const std::string result = std::string(kTestFolder) + "\\notified.txt";
  CreateDirectoryA(kTestFolder, nullptr);
  const char* readyName = "NodraxTestNotifyListenerReady";
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, readyName);
  ASSERT_NE(nullptr, ready);

  std::string command = "\"" + listener + "\" " + readyName + " \"" + result + "\" 20000";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessA(listener.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &si, &pi))
      << listener;
  const DWORD readyWait = WaitForSingleObject(ready, 20000);
  CloseHandle(ready);
  ASSERT_EQ(WAIT_OBJECT_0, readyWait);

  EXPECT_TRUE(SaveConfiguration(Form()));
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 25000));
  DWORD code = 99;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  EXPECT_EQ(0u, code);
  FILE* in = fopen(result.c_str(), "r");
  ASSERT_NE(nullptr, in);
  char text[64] = {};
  fgets(text, sizeof text, in);
  fclose(in);
  EXPECT_STREQ("0 0", text);
}

TEST_F(SaveTest, AFailedWriteIsReportedAndKeepsTheChanges) {
  TForm1& f = Form();
  SetIdentity();
  f.Directorioraiz->SetText(kTestRoot);
  ConfigModified = true;
  Deny(kConfigKey, KEY_SET_VALUE);
  TNotifyCounter notified;
  AnswerMessage(IDOK);
  EXPECT_FALSE(SaveConfiguration(f));
  ASSERT_EQ(1u, Messages().size());
  const TAskedMessage m = Messages()[0];
  EXPECT_EQ("Nodraxcfg", m.caption);
  EXPECT_EQ(static_cast<UINT>(MB_ICONWARNING), m.type & MB_ICONMASK);
  EXPECT_NE(std::string::npos, m.text.find("HKEY_LOCAL_MACHINE\\Software\\Nodrax\\Config"))
      << m.text;
  EXPECT_NE(std::string::npos, m.text.find(SystemErrorMessage(ERROR_ACCESS_DENIED))) << m.text;
  EXPECT_TRUE(ConfigModified);
  EXPECT_EQ(0, notified.Count());
  EXPECT_EQ("<none>", Config("BbsCallsign"));
  // Everything else of the save still happened.
  EXPECT_EQ(kTestRoot, Folder("ZubRoot"));
  EXPECT_TRUE(KeyExists(std::string(kPortsKey) + "\\Port0"));
}

TEST_F(SaveTest, AFailedSaveAtTheCloseQuestionKeepsTheWindowOpen) {
  SetIdentity();
  ConfigModified = true;
  CreateKey(kFoldersKey);
  Deny(kFoldersKey, KEY_SET_VALUE);
  AnswerMessage(IDYES);  // "Save Configuration?"
  AnswerMessage(IDOK);   // the failure
  EXPECT_FALSE(RequestClose());
  ASSERT_EQ(2u, Messages().size());
  EXPECT_EQ("Save Configuration?", Messages()[0].text);
  EXPECT_NE(std::string::npos, Messages()[1].text.find("Software\\Nodrax\\Folders"));
  EXPECT_TRUE(EditorOpen());
  EXPECT_TRUE(ConfigModified);
}

TEST_F(SaveTest, EnterInTheLastFieldSavesAfterTheQuestion) {
  SetIdentity();
  ConfigModified = true;
  AnswerMessage(IDYES);
  PressEnter(Form().bufermonitor);
  ASSERT_EQ(1u, Messages().size());
  EXPECT_EQ("Save Configuration?", Messages()[0].text);
  EXPECT_FALSE(ConfigModified);
  EXPECT_EQ("X1ABC.ABC.XX.EU", Config("BbsCallsign"));
}

TEST_F(SaveTest, ReloadAnsweredYesSavesFirstThenLoadsWhatWasSaved) {
  SetIdentity();
  Form().Editciudad->SetText("Saved");
  ConfigModified = true;
  AnswerMessage(IDYES);
  InvokeMenu("ReloadRegistry1");
  ASSERT_EQ(1u, Messages().size());
  EXPECT_EQ("Configuration has changed. Save?", Messages()[0].text);
  EXPECT_EQ("Saved", Config("Qth"));
  EXPECT_EQ("Saved", Form().Editciudad->Text());
  EXPECT_TRUE(Form().Datosusuario->Checked());  // from Hroute "OK"
  EXPECT_FALSE(ConfigModified);
}

}  // namespace
