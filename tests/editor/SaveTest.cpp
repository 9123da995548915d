// The save: the identity check, the encodings and empty-field defaults of
// every value, the folders on disk, the ports and servers, the notification,
// and a save whose writes fail.
#include <algorithm>
#include <fstream>
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
    Form().General().Editbbsindicativo->SetText("X1ABC");
    Form().General().Edithroute->SetText("ABC.XX.EU");
  }
  void Save() { InvokeMenu("Menusave"); }
  static std::string Config(const std::string& name) { return Text(kConfigKey, name); }
  static std::string Folder(const std::string& name) { return Text(kFoldersKey, name); }
  static std::string PortKey(int n) { return Key(kPortsKey, "Port" + std::to_string(n)); }
  // A refused or failed save keeps the changes and tells no other program.
  static void ExpectNotSaved(TNotifyCounter& notified) {
    EXPECT_TRUE(ConfigModified);
    EXPECT_EQ(0, notified.Count());
  }
  // Every box of a refused or failed save is the same warning.
  static void ExpectWarning(const TAskedMessage& m, std::initializer_list<std::string> parts) {
    EXPECT_EQ("Nodraxcfg", m.caption) << m.text;
    EXPECT_EQ(static_cast<UINT>(MB_ICONWARNING), m.type & MB_ICONMASK) << m.text;
    for (const std::string& part : parts) EXPECT_NE(std::string::npos, m.text.find(part)) << m.text;
  }
};

TEST_F(SaveTest, AMissingCallsignOrRouteRefusesTheSave) {
  RemoveNodraxTree();
  ConfigModified = true;
  TNotifyCounter notified;
  Form().Pagina->SetActivePage(Form().Hojacolores);
  AnswerMessage(IDOK);
  EXPECT_FALSE(Form().Save());
  ASSERT_EQ(1u, Messages().size());
  EXPECT_EQ("BBS must have a Callsign", Messages()[0].text);
  ExpectWarning(Messages()[0], {});
  EXPECT_EQ("Hojageneral", ActivePageName());
  EXPECT_EQ("Editbbsindicativo", FocusedName());
  ExpectNotSaved(notified);
  // Only the Config key was made, and nothing written into it.
  const TStoredTree tree = Dump();
  ASSERT_EQ(1u, tree.size());
  EXPECT_TRUE(tree.count("Config"));
  EXPECT_TRUE(tree.at("Config").empty());

  Form().General().Editbbsindicativo->SetText("X1ABC");
  Form().Pagina->SetActivePage(Form().Hojacolores);
  AnswerMessage(IDOK);
  Save();
  ASSERT_EQ(2u, Messages().size());
  EXPECT_EQ("BBS must have Hierarcical Route ", Messages()[1].text);
  EXPECT_EQ("Hojageneral", ActivePageName());
  EXPECT_EQ("Edithroute", FocusedName());
  ExpectWarning(Messages()[1], {});
  EXPECT_EQ(1u, Dump().size());
  ExpectNotSaved(notified);
}

TEST_F(SaveTest, EmptyFieldsAreStoredWithTheirDefaults) {
  SetIdentity();
  ConfigModified = true;
  Save();
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(ConfigModified);
  EXPECT_EQ("", Form().General().Editssid->Text());
  // The colours are those the window starts with, as signed decimals.
  ExpectStored(kConfigKey,
               {{"BbsCallsign", "X1ABC.ABC.XX.EU"}, {"SSID", "0"},
                {"Locator", ""},                    {"Qth", ""},
                {"Unproto", "0 0 "},                {"FirstConOptions", "0"},
                {"SecurityOptions", "0  0  0"},     {"WarningMessages", "0"},
                {"ForwardTypeZub", "NO  0"},        {"ForwardResume", "NO  0"},
                {"TestMode", "NO"},                 {"FullLog", "NO"},
                {"ChannelsIndication", "NO"},       {"UserGivesInformation", "NO"},
                {"CallsignsInMailBeacon", "0"},     {"MaxBids", "0"},
                {"CopySysOpMessages", "******"},    {"RouteWpMessages", ""},
                {"ZubHeader", "[$c] ZUB$E $$:$R"},  {"Timeout", "0  0"},
                {"BulletinsLifetime", "0"},         {"MaxDownloadYapp", "0  0"},
                {"ScrollBuffers", "0  0  0"},       {"TFPCInterrupt", "FF"},
                {"Hroute", "OK"},                   {"SentTextColor", "65280"},
                {"ReceivedTextColor", "255"},       {"ChannelInfColor", "16776960"},
                {"MonitorHeaderColor", "16777215"}, {"MonitorDataColor", "8421504"},
                {"ConsoleTextColor", "65535"},      {"WindowBackgroundColor", "0"}});
  const TStoredValues values = Values(kConfigKey);
  EXPECT_EQ(35u, values.size());
  for (const auto& [name, value] : values)
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.first) << name;
}

TEST_F(SaveTest, OptionSetsAreSumsOfTheTickedWeights) {
  TForm1& f = Form();
  SetIdentity();
  SetChecked(true, {f.FirstConnection().Pms1, f.FirstConnection().Local1, f.Forwarding().Forwardzub, f.Forwarding().Mbl, f.Forwarding().Caracterh, f.Security().Todosmensajesuser,
                    f.Security().Borramensajesuser, f.Security().Todosmensajessys, f.Security().Borramensajessys, f.Security().Syssys,
                    f.Security().Remotesys, f.Security().Labelssys, f.Security().Deletesys, f.Security().Gatewayssys, f.Security().Dossys, f.Security().Alldisksys,
                    f.Security().Specialsys, f.Forwarding().Compressforward, f.Forwarding().Resume, f.Forwarding().Xprotocol, f.Warnings().Held, f.Warnings().Pingpong,
                    f.Miscellaneous1().Mailbeacon});
  f.Miscellaneous1().Indicativosbaliza->SetText("15");
  Save();
  ExpectStored(kConfigKey, {{"FirstConOptions", "2050"},
                            {"ForwardTypeZub", "OK  10"},
                            {"SecurityOptions", "3  0  1023"},
                            {"ForwardResume", "OK  3"},
                            {"WarningMessages", "520"},
                            {"CallsignsInMailBeacon", "B15"}});
  // The flag words and totals of the record follow the boxes.
  EXPECT_EQ(8, Configuration->ConfigRecord.Mbl);
  EXPECT_EQ(2, Configuration->ConfigRecord.Caracterh);
  EXPECT_EQ(0, Configuration->ConfigRecord.Deldata);
  EXPECT_EQ(10, Configuration->ConfigRecord.ForwardTotal);
  EXPECT_EQ(2048, Configuration->ConfigRecord.Pms1);
  EXPECT_EQ(2050, Configuration->ConfigRecord.FirstConTotal);
  EXPECT_EQ(1023, Configuration->ConfigRecord.SystemTotal);
  ExpectFields({{"3  0  1023", Configuration->ConfigRecord.SecurityOptions},
                {"OK", Configuration->ConfigRecord.Forwardzub},
                {"B", Configuration->ConfigRecord.Mailbeacon}});

  // Disabled forces 0 whatever else is ticked; the boxes stay as they are.
  f.FirstConnection().Desactivado1->SetChecked(true);
  Save();
  EXPECT_EQ("0", Config("FirstConOptions"));
  EXPECT_TRUE(f.FirstConnection().Pms1->Checked());
}

TEST_F(SaveTest, UnprotoJoinsBackDelayAndLetters) {
  TForm1& f = Form();
  SetIdentity();
  f.Unproto().Editbackui->SetText("5");
  f.Unproto().Editdelayui->SetText("30");
  SetChecked(true, {f.Unproto().Ackui, f.Unproto().Tituloui});
  Save();
  EXPECT_EQ("5 30 AM", Config("Unproto"));
  ExpectFields({{"A", Configuration->ConfigRecord.Ackui}, {"", Configuration->ConfigRecord.Privateui}});

  SetChecked(false, {f.Unproto().Ackui, f.Unproto().Tituloui});
  Save();
  EXPECT_EQ("5 30 ", Config("Unproto"));
}

TEST_F(SaveTest, CompoundValuesFillOnlyTheirEmptyPartsWithZero) {
  TForm1& f = Form();
  SetIdentity();
  f.Miscellaneous2().timeoutusuarios->SetText("11");
  f.Miscellaneous2().modemmax->SetText("150");
  f.Miscellaneous2().buferconsola->SetText("800");
  Configuration->Colours.Background = 0x8000000F;
  Configuration->Colours.Sendtext = RGB(1, 2, 3);
  Save();
  ExpectStored(kConfigKey, {{"Timeout", "11  0"},
                            {"MaxDownloadYapp", "0  150"},
                            {"ScrollBuffers", "0  800  0"},
                            {"WindowBackgroundColor", "-2147483633"},
                            {"SentTextColor", std::to_string(RGB(1, 2, 3))}});
}

TEST_F(SaveTest, AnEmptyDiskIsStoredAsAStar) {
  TForm1& f = Form();
  SetIdentity();
  TEdit* disks[] = {f.Disks().Diska, f.Disks().Diskb, f.Disks().Diskc, f.Disks().Diskd, f.Disks().Diske, f.Disks().Diskf, f.Disks().Diskg, f.Disks().Diskh};
  for (int i = 0; i < 8; ++i)
    disks[i]->SetText(std::string(1, static_cast<char>('A' + i)) + ":\\d");
  f.Disks().Diskb->SetText("");
  Save();
  EXPECT_EQ("A:\\d,*,C:\\d,D:\\d,E:\\d,F:\\d,G:\\d,H:\\d", Folder("UsersPub"));
  EXPECT_STREQ("*", Configuration->ConfigRecord.Diskb);
  EXPECT_EQ("", f.Disks().Diskb->Text());
}

TEST_F(SaveTest, ADiskFolderWithACommaIsNotStoredAndTheSaveSaysSo) {
  TForm1& f = Form();
  SetIdentity();
  WriteString(kFoldersKey, "UsersPub", "A:\\old,*,*,*,*,*,*,*");
  f.Disks().Diska->SetText("A:\\one,two");
  ConfigModified = true;
  TNotifyCounter notified;
  AnswerMessage(IDOK);
  Save();
  ASSERT_EQ(1u, Messages().size());
  ExpectWarning(Messages()[0], {"Software\\Nodrax\\Folders"});
  EXPECT_EQ("A:\\old,*,*,*,*,*,*,*", Folder("UsersPub"));
  ExpectNotSaved(notified);
  EXPECT_EQ("X1ABC.ABC.XX.EU", Config("BbsCallsign"));  // the rest is stored
}

TEST_F(SaveTest, FoldersAreWrittenAndCreatedWithTheMailSubfolders) {
  TForm1& f = Form();
  SetIdentity();
  const std::string root = kTestRoot;
  f.Folders().Directorioraiz->SetText(root);
  f.Folders().Ficheroimport->SetText(root + "\\In\\Mail.in");
  Save();
  // Every folder but the import file is made as well as stored.
  const TNamedTexts folders = {
      {"ZubRoot", ""},           {"Data", "\\Data"},           {"Config", "\\Config"},
      {"Yapp", "\\UsersPub\\Yapp"}, {"Docs", "\\Data\\Docs"},     {"ImportFile", "\\In\\Mail.in"},
      {"Filters", "\\Filters"},   {"Servers", "\\Servers"},     {"Pg", "\\Pg"},
      {"Drivers", "\\Drivers"},   {"Sounds", "\\Sounds"},       {"Lang", "\\Config\\Lang"},
      {"Log", "\\Data\\Log"},     {"Sat", "\\Data\\Sat"},       {"Wp", "\\Data\\Wp"},
      {"OldMail", "\\Data\\OldMail"}, {"Fwd", "\\Config\\Fwd"},   {"Mail", "\\Data\\Mail"},
      {"CompresMail", "\\Data\\Binmail"}};
  for (const auto& [name, sub] : folders) {
    EXPECT_EQ(root + sub, Folder(name)) << name;
    if (name != "ImportFile") {
      EXPECT_TRUE(FolderExists(root + sub)) << sub;
    }
  }
  EXPECT_EQ("*,*," + root + "\\UsersPub,*,*,*,*,*", Folder("UsersPub"));
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
  WriteStrings(kFoldersKey, {{"Pg", "C:\\Keep\\Pg"},
                             {"Mail", "C:\\Old\\Mail"},
                             {"Sounds", "C:\\Keep\\Sounds"},
                             {"ZubDos", "A:\\old"},
                             {"System", "C:\\Old\\Sys"}});
  WriteString(Key(kDirectoriesKey, "Sub"), "Data", "C:\\Old");
  Save();
  ExpectStored(kFoldersKey, {{"Mail", ""},      {"CompresMail", ""},  {"ZubRoot", ""},
                             {"Config", ""},    {"Yapp", ""},         {"Docs", ""},
                             {"Data", ""},      {"ImportFile", ""},   {"Pg", "C:\\Keep\\Pg"},
                             {"Sounds", "C:\\Keep\\Sounds"},        {"Filters", "<none>"},
                             {"UsersPub", "*,*,*,*,*,*,*,*"}, {"ZubDos", "<none>"},
                             {"System", "<none>"}});
  EXPECT_FALSE(KeyExists(kDirectoriesKey));
}

TEST_F(SaveTest, PortsInUseGetKeysWithDefaultsAndTheOthersLoseTheirs) {
  SetIdentity();
  for (int n : {3, 5, 12}) CreateKey(PortKey(n));
  SetField(Configuration->PortTable[0].Driver, "TNC");
  SetField(Configuration->PortTable[2].Driver, "NON");
  SetField(Configuration->PortTable[2].Label, "Gone");
  SetField(Configuration->PortTable[9].Driver, "TCP");
  SetField(Configuration->PortTable[9].Unprotos, "L");
  SetField(Configuration->PortTable[9].Rdonly, "R");
  SetField(Configuration->PortTable[9].Tipopuerto, "B");
  SetField(Configuration->PortTable[9].Fwdminute, "15");
  Save();

  std::vector<std::string> names = SubKeys(kPortsKey);
  std::sort(names.begin(), names.end());
  EXPECT_EQ((std::vector<std::string>{"Port0", "Port1", "Port10", "Port12"}), names);
  ExpectStored(PortKey(1), {{"Driver", "TNC"},       {"Com", "0"},         {"HexAddress", "0"},
                            {"BaudRate", "0"},        {"NumChannels", "3"}, {"Canal", "1"},
                            {"Paclen", "80"},         {"MaxFrame", "3"},    {"NumFwdChannels", "0"},
                            {"MaxBlock", "10"},       {"Disabled", "false"},
                            {"FwdPeriode", "00/30"},  {"Mode", "G"},        {"Label", "Default"}});
  EXPECT_EQ(14u, Values(PortKey(1)).size());
  EXPECT_STREQ("", Configuration->PortTable[0].Mode);

  ExpectStored(PortKey(10), {{"FwdPeriode", "15/30"}, {"Mode", "LRB"}});
  EXPECT_STREQ("LRB", Configuration->PortTable[9].Mode);

  // The pseudo-port, with its fixed values.
  ExpectStored(PortKey(0), {{"FwdPeriode", "00/01"}, {"Mode", "----"}, {"Label", "File-fwd."},
                            {"Driver", "0"}});
  EXPECT_EQ(14u, Values(PortKey(0)).size());
}

TEST_F(SaveTest, Port0IsWrittenOnceAndAResetTableRemovesEveryPortKey) {
  SetIdentity();
  SetField(Configuration->PortTable[3].Driver, "KISS");
  Save();
  WriteString(PortKey(0), "Label", "Changed by the BBS");
  Configuration->Borraports();
  Save();
  EXPECT_EQ("Changed by the BBS", Text(PortKey(0), "Label"));
  EXPECT_EQ((std::vector<std::string>{"Port0"}), SubKeys(kPortsKey));
}

TEST_F(SaveTest, ServersInUseAreWrittenWithTheFileInCapitals) {
  SetIdentity();
  CreateKey(Key(kServersKey, "Kept"));
  // Name, file, description, disabled; the third is beyond the count.
  const char* const servers[][4] = {{"Pms", "pms.exe", "Mailbox", "false"},
                                    {"Int", "INTERNAL SERVER", "", "true"},
                                    {"Unused", "", "", ""}};
  for (int i = 0; i < 3; ++i) {
    SetField(Configuration->ServerTable[i].Name, servers[i][0]);
    SetField(Configuration->ServerTable[i].File, servers[i][1]);
    SetField(Configuration->ServerTable[i].Description, servers[i][2]);
    SetField(Configuration->ServerTable[i].Disabled, servers[i][3]);
  }
  Configuration->ServerCount = 2;
  Save();
  ExpectStored(Key(kServersKey, "Pms"),
               {{"File", "PMS.EXE"}, {"Description", "Mailbox"}, {"Disabled", "false"}});
  EXPECT_STREQ("PMS.EXE", Configuration->ServerTable[0].File);
  ExpectStored(Key(kServersKey, "Int"), {{"File", "INTERNAL SERVER"}, {"Disabled", "true"}});
  EXPECT_TRUE(KeyExists(Key(kServersKey, "Kept")));
  EXPECT_FALSE(KeyExists(Key(kServersKey, "Unused")));
  EXPECT_TRUE(Values(kServersKey).empty());
}

// A second save, and a save that flushes once instead of after each key,
// leave the same values as the first.
TEST_F(SaveTest, SavingAgainOrFlushingOnceWritesTheSameValues) {
  TForm1& f = Form();
  SetIdentity();
  f.Folders().Directorioraiz->SetText(kTestRoot);
  f.Disks().Diskb->SetText("B:\\x");
  f.Forwarding().Mbl->SetChecked(true);
  SetField(Configuration->PortTable[0].Driver, "TNC");
  SetField(Configuration->PortTable[4].Driver, "AGW");
  SetField(Configuration->ServerTable[0].Name, "Pms");
  Configuration->ServerCount = 1;
  Save();
  const TStoredTree first = Dump();
  Save();
  EXPECT_EQ(first, Dump());
  EXPECT_EQ(kTestRoot, Folder("ZubRoot"));
  RemoveNodraxTree();
  SaveFlushesOnce = true;
  EXPECT_TRUE(f.Save());
  EXPECT_EQ(first, Dump());
}

TEST_F(SaveTest, ASuccessfulSavePostsTheNotificationWithZeroParametersToEveryProcess) {
  SetIdentity();
  ConfigModified = true;
  const std::string result = std::string(kTestFolder) + "\\notified.txt";
  CreateDirectoryA(kTestFolder, nullptr);
  TNotifyListener listener(result, 20000);
  ASSERT_TRUE(listener.Started());
  TNotifyCounter notified;
  EXPECT_TRUE(Form().Save());
  EXPECT_FALSE(ConfigModified);
  EXPECT_EQ(0, notified.Seen());  // posted, not sent
  EXPECT_EQ(1, notified.Count());
  EXPECT_EQ(0u, notified.LastW());
  EXPECT_EQ(0, notified.LastL());
  // A top-level window of another process hears it too.
  EXPECT_EQ(0u, listener.ExitCode());
  std::ifstream in(result);
  ASSERT_TRUE(in.is_open()) << result;
  std::string text;
  std::getline(in, text);
  EXPECT_EQ("0 0", text);
}

TEST_F(SaveTest, AFailedWriteIsReportedAndKeepsTheChanges) {
  TForm1& f = Form();
  SetIdentity();
  f.Folders().Directorioraiz->SetText(kTestRoot);
  ConfigModified = true;
  Deny(kConfigKey, KEY_SET_VALUE);
  TNotifyCounter notified;
  AnswerMessage(IDOK);
  EXPECT_FALSE(f.Save());
  ASSERT_EQ(1u, Messages().size());
  ExpectWarning(Messages()[0], {"HKEY_LOCAL_MACHINE\\Software\\Nodrax\\Config",
                                SystemErrorMessage(ERROR_ACCESS_DENIED)});
  ExpectNotSaved(notified);
  EXPECT_EQ("<none>", Config("BbsCallsign"));
  // Everything else of the save still happened.
  EXPECT_EQ(kTestRoot, Folder("ZubRoot"));
  EXPECT_TRUE(KeyExists(PortKey(0)));
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
  ExpectWarning(Messages()[1], {"Software\\Nodrax\\Folders"});
  EXPECT_TRUE(EditorOpen());
  EXPECT_TRUE(ConfigModified);
}

TEST_F(SaveTest, EnterInTheLastFieldSavesAfterTheQuestion) {
  SetIdentity();
  ConfigModified = true;
  AnswerMessage(IDYES);
  PressEnter(Form().Miscellaneous2().bufermonitor);
  ASSERT_EQ(1u, Messages().size());
  EXPECT_EQ("Save Configuration?", Messages()[0].text);
  EXPECT_FALSE(ConfigModified);
  EXPECT_EQ("X1ABC.ABC.XX.EU", Config("BbsCallsign"));
}

TEST_F(SaveTest, ReloadAnsweredYesSavesFirstThenLoadsWhatWasSaved) {
  SetIdentity();
  Form().General().Editciudad->SetText("Saved");
  ConfigModified = true;
  AnswerMessage(IDYES);
  InvokeMenu("ReloadRegistry1");
  ASSERT_EQ(1u, Messages().size());
  EXPECT_EQ("Configuration has changed. Save?", Messages()[0].text);
  EXPECT_EQ("Saved", Config("Qth"));
  EXPECT_EQ("Saved", Form().General().Editciudad->Text());
  EXPECT_TRUE(Form().Miscellaneous1().Datosusuario->Checked());  // from Hroute "OK"
  EXPECT_FALSE(ConfigModified);
}

}  // namespace
