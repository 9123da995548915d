// The load and the save of the configuration under hostile registry
// contents (config/HostileContent.h), without a window: nothing is written
// past a field, what the load takes follows its rules, cut at the widths of
// the records, and the save stores it back as it was taken.
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "config/HostileContent.h"
#include "editor/config/Load.h"
#include "editor/config/Save.h"
#include "support/RegistryTree.h"

namespace {

using namespace hostile;

class HostileKeysTest : public RegistryTreeFixture {};

TEST_F(HostileKeysTest, EveryValueTheLoadReadsIsInTheTableOfReadValues) {
  StoreTable(kNodraxKey, Kinds()[4]);
  ExpectAllInTheTable(ReadsOf([] {
    CargaRegistro(Config());
    TCarriedOverSettings carried;
    ReadCarriedOverSettings(carried, kNodraxKey);
    CheckLoadedValueTypes(kNodraxKey);
  }));
}

// The editor's tables, from which the load, the save and the import's check
// of a file take their lists, against the lists of these tests: the same
// values read, of the same types, and each text field of its width.
TEST(HostileTablesTest, TheEditorsTablesReadEveryValueAndKeepEveryWidth) {
  auto flat = [](const std::vector<TReadValues>& table) {
    std::set<std::string> values;
    for (const TReadValues& row : table)
      for (const std::string& name : row.Names)
        values.insert(row.Key + '|' + name + (row.Integers ? " (integer)" : " (text)"));
    return values;
  };
  EXPECT_EQ(flat(ReadValues()), flat(ReadValueTable()));

  std::map<std::string, const TStoredValue*> rows;
  for (const auto* table : {&ConfigValues(), &FolderValues()})
    for (const TStoredValue& v : *table)
      if (v.Loaded && v.TextCount > 0 && v.Encoding != TEncoding::MailBeacon) rows[v.Name] = &v;
  for (const TPlainValue& v : PlainValues()) {
    EXPECT_EQ(v.Width, MirroredField(v.Text).Width) << v.Name;
    if (v.Name == "UsersPub") continue;  // its eight parts below
    const auto row = rows.find(v.Name);
    ASSERT_NE(rows.end(), row) << v.Name << " is read into no text field";
    EXPECT_TRUE((row->second->Texts[0] == v.Text)) << v.Name << " goes into another field";
    rows.erase(row);
  }
  for (const auto& [name, row] : rows) ADD_FAILURE() << name << " is not among the plain values";
  for (const auto& [text, width] : OtherMirroredWidths())
    EXPECT_EQ(width, MirroredField(text).Width) << MirroredField(text).Offset;
  const TRecordField identity = NODRAX_RECORD_FIELD(BbsCallsign);
  EXPECT_EQ(kBbsCallsignWidth, identity.Width);

  std::map<std::string, TPortField> ports;
  for (const TPortValue& v : PortValues())
    if (v.Encoding == TPortEncoding::Text) ports[v.Name] = v.Field;
  for (const TPortText& v : PortTexts()) {
    const auto port = ports.find(v.Name);
    ASSERT_NE(ports.end(), port) << v.Name << " is not stored whole";
    EXPECT_EQ(v.Width, port->second.Width) << v.Name;
    EXPECT_EQ(v.Field.Offset, port->second.Offset) << v.Name << " goes into another field";
    ports.erase(port);
  }
  for (const auto& [name, field] : ports) ADD_FAILURE() << name << " is not among the port texts";
  EXPECT_EQ(kFwdminuteWidth, sizeof(TPortRecord::Fwdminute));
  EXPECT_EQ(kServerNameWidth, sizeof(TServerRecord::Name));
  const std::map<std::string, std::size_t> servers = {
      {"File", kServerFileWidth}, {"Description", kServerDescriptionWidth},
      {"Disabled", kServerDisabledWidth}};
  ASSERT_EQ(servers.size(), ServerValues().size());
  for (const TServerValue& v : ServerValues()) {
    ASSERT_EQ(1u, servers.count(v.Name)) << v.Name;
    EXPECT_EQ(servers.at(v.Name), v.Field.Width) << v.Name;
  }
}

class HostileRegistryTest : public RegistryTreeFixture,
                            public ::testing::WithParamInterface<TKind> {};

// The load of every value with the kind's content, the save of what it
// took, and the load of that again.
TEST_P(HostileRegistryTest, LoadTakesAndSaveStoresEveryValueCutAtItsWidth) {
  const TKind& kind = GetParam();
  StoreTable(kNodraxKey, kind);
  TGuardedRecords records;
  EXPECT_NO_THROW(CargaRegistro(Config())) << "the load reports nothing";
  ExpectLoadedAsTheRulesSay(kind, records);

  GiveIdentity();
  const auto taken = PlainShown();
  TScratchCurrentFolder scratch(std::string(kTestFolder) + "\\Current");
  const TSaveResult saved = SaveConfiguration(Config());
  records.ExpectIntact("after the save");
  EXPECT_EQ(TSaveOutcome::Saved, saved.Outcome) << saved.Failure;
  // Nothing of the long texts goes back: every text the save wrote fits.
  for (const auto& [key, values] : Dump()) {
    if (key == "Options" || key.find("Sounds") == 0 || key == "HouseKeeping") continue;
    for (const auto& [name, typed] : values)
      if (typed.first == REG_SZ) {
        EXPECT_LT(typed.second.size(), 120u) << key << '\\' << name;
      }
  }
  CargaRegistro(Config());
  for (const auto& [name, text] : PlainShown())
    if (!taken.at(name).empty()) {
      EXPECT_EQ(taken.at(name), text) << name << " changed in the save";
    }
  records.ExpectIntact("after the second load");
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostileRegistryTest, ::testing::ValuesIn(Kinds()), KindName);

// A file with any one value of another type than the load and the import
// read it as is refused before anything is deleted, naming the value; every
// kind of content is of another type for an integer.
TEST_F(HostileKeysTest, AnyValueOfAnotherTypeRefusesTheFileNamingIt) {
  int checked = 0;
  for (const TReadValues& row : ReadValues()) {
    for (const std::string& name : row.Names) {
      for (const TKind& kind : Kinds()) {
        if (!row.Integers && kind.Type == REG_SZ) continue;  // a text of any content is a text
        RemoveNodraxTree();
        StoreOfKind(KeyOf(row, kNodraxKey, row.Key == "\\Ports\\*" ? "Port2" : "Srv"), name, kind,
                    row.Integers);
        try {
          TCarriedOverSettings carried;
          ReadCarriedOverSettings(carried, kNodraxKey);
          CheckLoadedValueTypes(kNodraxKey);
          ADD_FAILURE() << row.Key << '\\' << name << " (" << kind.Name << ") was taken";
        } catch (const ERegistryException& e) {
          EXPECT_EQ("Invalid data type for '" + name + "'", e.what());
        }
        ++checked;
        if (!row.Integers) break;  // one wrong type is enough for a text
      }
    }
  }
  EXPECT_GT(checked, 100);
}

// The folders a root derives are cut at their fields' widths as a loaded
// folder is: a stored root as long as its field (longer than a typed one)
// gave folders longer than the save stores, and so did a typed root of 79
// characters for the third disk.
TEST_F(HostileKeysTest, FoldersDerivedFromALongRootHoldWhatTheSaveStores) {
  WriteString(kFoldersKey, "ZubRoot", "C:\\" + std::string(120, 'R'));
  CargaRegistro(Config());
  std::vector<std::pair<TStationText, std::size_t>> folders = {{&TStationTexts::Diskc, 80}};
  for (const TPlainValue& v : FolderPlainValues())
    if (v.Name != "UsersPub") folders.push_back({v.Text, v.Width});
  ASSERT_EQ(13u, folders.size());
  for (const std::string root : {"stored", "typed"}) {
    for (std::size_t i = 0; i < folders.size(); ++i) {
      const auto& [folder, width] = folders[i];
      EXPECT_LT((Config().Texts.*folder).size(), width) << root << " root, folder " << i;
      EXPECT_EQ(FieldText(Config().ConfigRecord, MirroredField(folder)), Config().Texts.*folder)
          << root << " root, folder " << i;
    }
    Config().SetText(&TStationTexts::Directorioraiz, "C:\\" + std::string(76, 'T'));
  }
  EXPECT_EQ(79u, Config().Texts.Diskc.size());
}

// Port keys that number no port, more servers than the table holds, server
// names longer than any field, and a Config key that may be read but not
// written.
TEST_F(HostileKeysTest, KeysBeyondTheTablesAreSkippedAndAReadOnlyConfigFailsTheSaveNamingIt) {
  WriteString(kConfigKey, "BbsCallsign", "X1ABC.ABC.XX.EU");
  for (const char* name : {"Port", "Port99", "PortX", "Port010", "Port0"})
    WriteString(Key(kPortsKey, name), "Driver", "BAD");
  WriteString(Key(kPortsKey, "Port3"), "Driver", "TCP");
  for (int i = 0; i < 150; ++i) {
    char name[16];
    snprintf(name, sizeof name, "S%03d", i);
    WriteString(Key(kServersKey, name), "File", "s.exe");
  }
  const std::string longName(200, 'L');
  WriteStrings(Key(kServersKey, longName), {{"File", "long.exe"}, {"Description", "Long"}});
  Deny(kConfigKey, KEY_SET_VALUE);
  TGuardedRecords records;
  CargaRegistro(Config());
  records.ExpectIntact("after the load");
  EXPECT_STREQ("TCP", Config().PortTable[2].Driver);
  for (int i : {0, 1, 3, 4, 5, 6, 7, 8, 9}) EXPECT_STREQ("", Config().PortTable[i].Driver) << i;
  ASSERT_EQ(100, Config().ServerCount);
  for (int i = 0; i < Config().ServerCount; ++i)
    EXPECT_NE('L', Config().ServerTable[i].Name[0]) << i;

  // The save stores everything it may and says which key refused it; no
  // server key gets a cut name.
  const TSaveResult saved = SaveConfiguration(Config());
  records.ExpectIntact("after the save");
  EXPECT_EQ(TSaveOutcome::WriteFailed, saved.Outcome);
  EXPECT_NE(std::string::npos, saved.Failure.find("Software\\Nodrax\\Config")) << saved.Failure;
  EXPECT_EQ(151u, SubKeys(kServersKey).size());
  EXPECT_EQ("long.exe", Text(Key(kServersKey, longName), "File"));
  EXPECT_EQ("TCP", Text(Key(kPortsKey, "Port3"), "Driver"));
  EXPECT_EQ("BAD", Text(Key(kPortsKey, "Port99"), "Driver"));
}

}  // namespace
