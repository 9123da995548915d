// The save of the configuration object: the identity check, the encodings
// and empty-field defaults of every value, the folders on disk, the ports
// and servers, and a save whose writes fail.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "config/StoredConfiguration.h"
#include "editor/config/Load.h"
#include "platform/Registry.h"

namespace {

using T = TStationTexts;
using B = TStationBoxes;

class SaveTest : public RegistryTreeFixture {
 protected:
  static void SetIdentity() {
    Config().SetText(&T::Editbbsindicativo, "X1ABC");
    Config().SetText(&T::Edithroute, "ABC.XX.EU");
  }
  static TSaveResult Save() { return SaveConfiguration(Config()); }
  static void ExpectSaved() { EXPECT_EQ(TSaveOutcome::Saved, Save().Outcome); }
  static std::string Stored(const std::string& name) { return Text(kConfigKey, name); }
  static std::string Folder(const std::string& name) { return Text(kFoldersKey, name); }
  static std::string PortKey(int n) { return Key(kPortsKey, "Port" + std::to_string(n)); }
};

bool Holds(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Nothing is stored for a BBS without a callsign and a route: the save
// opens (and so makes) Config, and writes nothing into it.
TEST_F(SaveTest, AMissingCallsignOrRouteRefusesTheSaveAndWritesNothing) {
  struct { const char *Callsign, *Route; TSaveOutcome Outcome; } const cases[] = {
      {"", "", TSaveOutcome::NoCallsign}, {"", "ABC.XX.EU", TSaveOutcome::NoCallsign},
      {"X1ABC", "", TSaveOutcome::NoRoute}};
  for (const auto& c : cases) {
    RemoveNodraxTree();
    Config().SetText(&T::Editbbsindicativo, c.Callsign);
    Config().SetText(&T::Edithroute, c.Route);
    Config().SetText(&T::Directorioraiz, kTestRoot);
    EXPECT_EQ(c.Outcome, Save().Outcome) << c.Callsign << '.' << c.Route;
    EXPECT_EQ((TStoredTree{{"Config", {}}}), Dump()) << c.Callsign << '.' << c.Route;
    EXPECT_FALSE(FolderExists(kTestRoot));
  }
}

TEST_F(SaveTest, EmptyFieldsAreStoredWithTheirDefaults) {
  SetIdentity();
  ExpectSaved();
  EXPECT_EQ("", Config().Texts.Editssid);
  // The colours are those a new configuration starts with, as signed
  // decimals.
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
  SetIdentity();
  for (TStationBox box :
       {&B::Pms1, &B::Local1, &B::Forwardzub, &B::Mbl, &B::Caracterh, &B::Todosmensajesuser,
        &B::Borramensajesuser, &B::Todosmensajessys, &B::Borramensajessys, &B::Syssys,
        &B::Remotesys, &B::Labelssys, &B::Deletesys, &B::Gatewayssys, &B::Dossys,
        &B::Alldisksys, &B::Specialsys, &B::Compressforward, &B::Resume, &B::Xprotocol,
        &B::Held, &B::Pingpong, &B::Mailbeacon})
    Config().Boxes.*box = true;
  Config().SetText(&T::Indicativosbaliza, "15");
  ExpectSaved();
  ExpectStored(kConfigKey, {{"FirstConOptions", "2050"},
                            {"ForwardTypeZub", "OK  10"},
                            {"SecurityOptions", "3  0  1023"},
                            {"ForwardResume", "OK  3"},
                            {"WarningMessages", "520"},
                            {"CallsignsInMailBeacon", "B15"}});
  // The flag words and totals of the record follow the boxes.
  const TConfigRecord& r = Config().ConfigRecord;
  EXPECT_EQ((std::vector<int32_t>{8, 2, 0, 10, 2048, 2050, 1023}),
            (std::vector<int32_t>{r.Mbl, r.Caracterh, r.Deldata, r.ForwardTotal, r.Pms1,
                                  r.FirstConTotal, r.SystemTotal}));
  ExpectFields({{"3  0  1023", r.SecurityOptions}, {"OK", r.Forwardzub}, {"B", r.Mailbeacon}});

  // Disabled forces 0 whatever else is ticked; the boxes stay as they are.
  Config().Boxes.Desactivado1 = true;
  ExpectSaved();
  EXPECT_EQ("0", Stored("FirstConOptions"));
  EXPECT_TRUE(Config().Boxes.Pms1);
}

// Unproto joins back, delay and letters; the spaced values fill only their
// empty parts with 0; an empty disk is "*" in UsersPub and in the record,
// while its field stays empty.
TEST_F(SaveTest, ComposedValuesJoinTheirPartsWithStandInsForEmptyOnes) {
  SetIdentity();
  const std::pair<TStationText, const char*> texts[] = {
      {&T::Editbackui, "5"},   {&T::Editdelayui, "30"}, {&T::timeoutusuarios, "11"},
      {&T::modemmax, "150"},   {&T::buferconsola, "800"}, {&T::Diska, "A:\\d"},
      {&T::Diskb, "B:\\d"},    {&T::Diskc, "C:\\d"},    {&T::Diskh, "H:\\d"}};
  for (const auto& [field, text] : texts) Config().SetText(field, text);
  Config().SetText(&T::Diskb, "");
  Config().Boxes.Ackui = Config().Boxes.Tituloui = true;
  Config().Colours.Background = 0x8000000F;
  Config().Colours.Sendtext = RGB(1, 2, 3);
  ExpectSaved();
  ExpectStored(kConfigKey, {{"Unproto", "5 30 AM"},
                            {"Timeout", "11  0"},
                            {"MaxDownloadYapp", "0  150"},
                            {"ScrollBuffers", "0  800  0"},
                            {"WindowBackgroundColor", "-2147483633"},
                            {"SentTextColor", std::to_string(RGB(1, 2, 3))}});
  ExpectFields({{"A", Config().ConfigRecord.Ackui}, {"", Config().ConfigRecord.Privateui},
                {"*", Config().ConfigRecord.Diskb}});
  EXPECT_EQ("A:\\d,*,C:\\d,*,*,*,*,H:\\d", Folder("UsersPub"));
  EXPECT_EQ("", Config().Texts.Diskb);

  Config().Boxes.Ackui = Config().Boxes.Tituloui = false;
  ExpectSaved();
  EXPECT_EQ("5 30 ", Stored("Unproto"));
}

// A write the registry refuses, or virtual disks that cannot be stored (a
// "," inside a disk's folder would split it into two disks at the next
// load), fail the save, each named in its text; the rest is still stored.
TEST_F(SaveTest, AFailedWriteIsReportedAndTheRestIsStored) {
  const std::string oldDisks = "A:\\old,*,*,*,*,*,*,*";
  const std::string configFailure = "HKEY_LOCAL_MACHINE\\Software\\Nodrax\\Config";
  const std::string disksFailure = "HKEY_LOCAL_MACHINE\\Software\\Nodrax\\Folders";
  struct { bool Denied, Comma; } const cases[] = {{true, false}, {false, true}, {true, true}};
  for (const auto& c : cases) {
    const std::string which = std::string(c.Denied ? "denied " : "") + (c.Comma ? "comma" : "");
    RemoveNodraxTree();
    RemoveTestFolder();
    CreateEmptyConfig();
    WriteString(kFoldersKey, "UsersPub", oldDisks);
    if (c.Denied) Deny(kConfigKey, KEY_SET_VALUE);
    SetIdentity();
    Config().SetText(&T::Directorioraiz, kTestRoot);
    Config().SetText(&T::Diska, c.Comma ? "A:\\one,two" : "A:\\one");

    const TSaveResult result = Save();
    EXPECT_EQ(TSaveOutcome::WriteFailed, result.Outcome) << which;
    EXPECT_EQ(c.Denied, Holds(result.Failure, configFailure)) << result.Failure;
    EXPECT_EQ(c.Denied, Holds(result.Failure, SystemErrorMessage(ERROR_ACCESS_DENIED)))
        << result.Failure;
    EXPECT_EQ(c.Comma, Holds(result.Failure, disksFailure)) << result.Failure;
    EXPECT_EQ(c.Denied ? "<none>" : "X1ABC.ABC.XX.EU", Stored("BbsCallsign")) << which;
    EXPECT_EQ(c.Comma ? oldDisks : "A:\\one,*," + std::string(kTestRoot) + "\\UsersPub,*,*,*,*,*",
              Folder("UsersPub"))
        << which;
    EXPECT_EQ(kTestRoot, Folder("ZubRoot")) << which;
    EXPECT_TRUE(FolderExists(std::string(kTestRoot) + "\\Data\\Mail\\mail0")) << which;
    EXPECT_TRUE(KeyExists(PortKey(0))) << which;
  }
}

TEST_F(SaveTest, FoldersAreWrittenAndCreatedWithTheMailSubfolders) {
  SetIdentity();
  const std::string root = kTestRoot;
  Config().SetText(&T::Directorioraiz, root);
  Config().SetText(&T::Ficheroimport, root + "\\In\\Mail.in");
  ExpectSaved();
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
    EXPECT_EQ(name != "ImportFile", FolderExists(root + sub)) << sub;
  }
  EXPECT_EQ("*,*," + root + "\\UsersPub,*,*,*,*,*", Folder("UsersPub"));
  for (int digit = 0; digit < 10; ++digit) {
    const std::string mail = "\\mail" + std::to_string(digit);
    EXPECT_TRUE(FolderExists(root + "\\Data\\Mail" + mail)) << mail;
    EXPECT_TRUE(FolderExists(root + "\\Data\\Binmail" + mail)) << mail;
  }
  EXPECT_FALSE(FolderExists(root + "\\Data\\mail0"));
  EXPECT_FALSE(FolderExists(root + "\\In"));
  // The disk folder is stored, not made.
  EXPECT_FALSE(FolderExists(root + "\\UsersPub\\mail0"));
}

// A root stored through a variable (as an installer may write it) is
// loaded as written and saved the same way, every folder it gives kept
// for expanding, while the folders are made where it points. A variable
// that is not set makes no folder at all, never one named after it.
TEST_F(SaveTest, FoldersGivenThroughAVariableStayOneAndAreMadeWhereItPoints) {
  SetEnvironmentVariableA("NODRAX_TEST_FOLDER", kTestFolder);
  struct TRow { const char* root; bool set; };
  for (const TRow row : {TRow{"%NODRAX_TEST_FOLDER%\\BBS", true}, TRow{"%NODRAX_NOT_SET%\\BBS", false}}) {
    SCOPED_TRACE(row.root);
    RemoveNodraxTree();
    RemoveTestFolder();
    const std::string root = row.root;
    WriteRaw(kFoldersKey, "ZubRoot", REG_EXPAND_SZ, root + '\0');
    CargaRegistro(Config());
    EXPECT_EQ(Config().Texts.Directorioraiz, root);
    SetIdentity();
    Config().SetText(&T::Directoriodata, root + "\\Data");
    ExpectSaved();
    for (const char* name : {"ZubRoot", "Data", "Mail", "Config", "Drivers"}) {
      const auto stored = Values(kFoldersKey).at(name);
      EXPECT_EQ(stored.first, DWORD{REG_EXPAND_SZ}) << name;
      EXPECT_EQ(stored.second.substr(0, root.size()), root) << name;
    }
    EXPECT_EQ(row.set, FolderExists(std::string(kTestRoot) + "\\Data\\Mail\\mail9"));
    EXPECT_FALSE(std::filesystem::exists("%NODRAX_NOT_SET%"));
  }
  // Changed to a plain folder, it is stored as plain text again.
  Config().SetText(&T::Directorioraiz, kTestRoot);
  ExpectSaved();
  EXPECT_EQ(Values(kFoldersKey).at("ZubRoot").first, DWORD{REG_SZ});
}

TEST_F(SaveTest, AnEmptyRootClearsEightFoldersAndKeepsTheRest) {
  SetIdentity();
  WriteStrings(kFoldersKey, {{"Pg", "C:\\Keep\\Pg"},
                             {"Mail", "C:\\Old\\Mail"},
                             {"Sounds", "C:\\Keep\\Sounds"},
                             {"ZubDos", "A:\\old"},
                             {"System", "C:\\Old\\Sys"}});
  WriteString(Key(kDirectoriesKey, "Sub"), "Data", "C:\\Old");
  ExpectSaved();
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
  TPortRecord* ports = Config().PortTable;
  SetField(ports[0].Driver, "TNC");
  SetField(ports[2].Driver, "NON");
  SetField(ports[2].Label, "Gone");
  SetField(ports[9].Driver, "TCP");
  SetField(ports[9].Unprotos, "L");
  SetField(ports[9].Rdonly, "R");
  SetField(ports[9].Tipopuerto, "B");
  SetField(ports[9].Fwdminute, "15");
  ExpectSaved();

  std::vector<std::string> names = SubKeys(kPortsKey);
  std::sort(names.begin(), names.end());
  EXPECT_EQ((std::vector<std::string>{"Port0", "Port1", "Port10", "Port12"}), names);
  ExpectStored(PortKey(1), {{"Driver", "TNC"},       {"Com", "0"},         {"HexAddress", "0"},
                            {"BaudRate", "0"},        {"NumChannels", "3"}, {"Canal", "1"},
                            {"Paclen", "80"},         {"MaxFrame", "3"},    {"NumFwdChannels", "0"},
                            {"MaxBlock", "10"},       {"Disabled", "false"},
                            {"FwdPeriode", "00/30"},  {"Mode", "G"},        {"Label", "Default"}});
  EXPECT_EQ(14u, Values(PortKey(1)).size());
  EXPECT_STREQ("", ports[0].Mode);

  ExpectStored(PortKey(10), {{"FwdPeriode", "15/30"}, {"Mode", "LRB"}});
  EXPECT_STREQ("LRB", ports[9].Mode);

  // The pseudo-port, with its fixed values.
  ExpectStored(PortKey(0), {{"FwdPeriode", "00/01"}, {"Mode", "----"}, {"Label", "File-fwd."},
                            {"Driver", "0"}});
  EXPECT_EQ(14u, Values(PortKey(0)).size());

  // Port0 is written once; a reset table removes the key of every port it
  // holds (Port12 numbers none).
  WriteString(PortKey(0), "Label", "Changed by the BBS");
  Config().Borraports();
  ExpectSaved();
  EXPECT_EQ("Changed by the BBS", Text(PortKey(0), "Label"));
  names = SubKeys(kPortsKey);
  std::sort(names.begin(), names.end());
  EXPECT_EQ((std::vector<std::string>{"Port0", "Port12"}), names);
}

TEST_F(SaveTest, ServersInUseAreWrittenWithTheFileInCapitals) {
  SetIdentity();
  CreateKey(Key(kServersKey, "Kept"));
  // Name, file, description, disabled; the third is beyond the count.
  const char* const servers[][4] = {{"Pms", "pms.exe", "Mailbox", "false"},
                                    {"Int", "INTERNAL SERVER", "", "true"},
                                    {"Unused", "", "", ""}};
  TServerRecord* table = Config().ServerTable;
  for (int i = 0; i < 3; ++i) {
    SetField(table[i].Name, servers[i][0]);
    SetField(table[i].File, servers[i][1]);
    SetField(table[i].Description, servers[i][2]);
    SetField(table[i].Disabled, servers[i][3]);
  }
  Config().ServerCount = 2;
  ExpectSaved();
  ExpectStored(Key(kServersKey, "Pms"),
               {{"File", "PMS.EXE"}, {"Description", "Mailbox"}, {"Disabled", "false"}});
  EXPECT_STREQ("PMS.EXE", table[0].File);
  ExpectStored(Key(kServersKey, "Int"), {{"File", "INTERNAL SERVER"}, {"Disabled", "true"}});
  EXPECT_TRUE(KeyExists(Key(kServersKey, "Kept")));
  EXPECT_FALSE(KeyExists(Key(kServersKey, "Unused")));
  EXPECT_TRUE(Values(kServersKey).empty());
}

// The editor's start leaves the ports and servers for later; a save before
// anything read them still writes them back as a load takes them (a port
// not read would count as unused, and its key would go).
TEST_F(SaveTest, TablesTheLoadLeftPendingAreReadBeforeTheSave) {
  WriteStrings(Key(kServersKey, "Pms"), {{"File", "pms.exe"}, {"Description", "Mail"}});
  WriteStrings(PortKey(4), {{"Driver", "KISS"}, {"Label", "Vhf"}});
  CargaRegistro(Config(), kNodraxKey, TTables::OnNeed);
  EXPECT_EQ(0, Config().ServerCount);
  EXPECT_STREQ("", Config().PortTable[3].Driver);
  SetIdentity();
  ExpectSaved();
  EXPECT_EQ(1, Config().ServerCount);
  ExpectStored(Key(kServersKey, "Pms"), {{"File", "PMS.EXE"}, {"Description", "Mail"}});
  ExpectStored(PortKey(4), {{"Driver", "KISS"}, {"Label", "Vhf"}});
}

// A second save over the stored tree, and a save into an emptied one, leave
// the same values as the first.
TEST_F(SaveTest, SavingAgainWritesTheSameValues) {
  SetIdentity();
  Config().SetText(&T::Directorioraiz, kTestRoot);
  Config().SetText(&T::Diskb, "B:\\x");
  Config().Boxes.Mbl = true;
  SetField(Config().PortTable[0].Driver, "TNC");
  SetField(Config().PortTable[4].Driver, "AGW");
  SetField(Config().ServerTable[0].Name, "Pms");
  Config().ServerCount = 1;
  ExpectSaved();
  const TStoredTree first = Dump();
  ExpectSaved();
  EXPECT_EQ(first, Dump());
  EXPECT_EQ(kTestRoot, Folder("ZubRoot"));
  RemoveNodraxTree();
  ExpectSaved();
  EXPECT_EQ(first, Dump());
}

}  // namespace
