// Registry contents that other tools, older editors or a damaged hive leave
// behind, under the real registry: every value that the load, the show and
// the import read, crossed with every kind of hostile content. The editor
// neither crashes nor writes past a field, and what it shows and saves
// follows the load's rules, cut at the widths of the records.
#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "editor/config/AnsiText.h"
#include "editor/config/Encodings.h"
#include "editor/config/RegistryKeys.h"
#include "editor/config/Load.h"
#include "editor/config/Save.h"
#include "editor/config/StoredValues.h"
#include "platform/Registry.h"
#include "support/LoadSaveFixture.h"

namespace {

// ---------------------------------------------------------------------------
// The kinds of hostile content. A text value gets the bytes as REG_SZ; an
// integer value gets them too, which is always the wrong type for it.

struct TKind {
  const char* Name;
  DWORD Type;         // of a text value
  std::string Bytes;  // stored exactly, without a terminator unless it has one
};

// Failures name the kind, not its 64 KiB of bytes.
void PrintTo(const TKind& kind, std::ostream* out) { *out << kind.Name; }
std::string KindName(const ::testing::TestParamInfo<TKind>& info) { return info.param.Name; }

std::string AllHighBytes() {
  std::string bytes;
  for (int c = 0x80; c <= 0xFF; ++c) bytes += static_cast<char>(c);
  return bytes + '\0';
}

const std::vector<TKind>& Kinds() {
  static const std::vector<TKind> kinds = {
      {"WrongType", REG_DWORD, std::string("\x39\x30\x00\x00", 4)},
      {"Empty", REG_SZ, ""},  // not even the terminator
      {"Long", REG_SZ, std::string(65536, 'W') + '\0'},
      {"HighBytes", REG_SZ, AllHighBytes()},
      // 511 bytes: exactly what the registry layer's first buffer takes.
      {"NoTerminator", REG_SZ, std::string(511, 'N')},
  };
  return kinds;
}

void StoreRaw(const std::string& path, const std::string& name, DWORD type,
              const std::string& bytes) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                           KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key,
                                           nullptr));
  EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name.c_str(), 0, type,
                                          reinterpret_cast<const BYTE*>(bytes.data()),
                                          static_cast<DWORD>(bytes.size())))
      << path << '\\' << name;
  RegCloseKey(key);
}

// The text a program reading ANSI gets back for a value of the kind, up to
// its first NUL; nothing for a value that is no text.
std::string TextOf(const TKind& kind) {
  if (kind.Type != REG_SZ) return "";
  return kind.Bytes.substr(0, kind.Bytes.find('\0'));
}

std::string Cut(const std::string& text, std::size_t width) { return text.substr(0, width - 1); }

// The kind's content where an integer belongs: text of every sort, or an
// integer value three bytes long.
void StoreIntegerOfKind(const std::string& path, const std::string& name, const TKind& kind) {
  if (kind.Type == REG_SZ)
    StoreRaw(path, name, REG_SZ, kind.Bytes);
  else if (std::string(kind.Name) == "WrongType")
    StoreRaw(path, name, REG_SZ, std::string("12\0", 3));
  else
    StoreRaw(path, name, REG_DWORD, std::string("\x0C\0\0", 3));
}

// The kind's content in a value of either sort.
void StoreOfKind(const std::string& path, const std::string& name, const TKind& kind,
                 bool integer) {
  if (integer)
    StoreIntegerOfKind(path, name, kind);
  else
    StoreRaw(path, name, kind.Type, kind.Bytes);
}

// Folders that a save makes from relative paths land in a scratch folder.
class TScratchCurrentFolder {
 public:
  explicit TScratchCurrentFolder(const std::string& path) {
    std::filesystem::create_directories(path);
    GetCurrentDirectoryA(MAX_PATH, previous_);
    SetCurrentDirectoryA(path.c_str());
  }
  ~TScratchCurrentFolder() { SetCurrentDirectoryA(previous_); }
  TScratchCurrentFolder(const TScratchCurrentFolder&) = delete;
  TScratchCurrentFolder& operator=(const TScratchCurrentFolder&) = delete;

 private:
  char previous_[MAX_PATH] = "";
};

// ---------------------------------------------------------------------------
// Where the values go. The names come from the editor's own table of what
// the load and the import read; the ports and servers stand for every port
// and server key, and the older folder key is read by the same code as
// Folders.

std::string KeyOf(const TReadValues& row, const std::string& root, const std::string& sub) {
  std::string key = row.Key;
  const std::size_t star = key.find('*');
  if (star != std::string::npos) key = key.substr(0, star) + sub;
  return root + key;
}

const char* const kHostilePorts[] = {"Port1", "Port10"};
const char* const kHostileServers[] = {"Alpha", "Beta"};

// Writes every value of the table below root: texts with the kind's
// content, integers with a valid number.
void StoreTable(const std::string& root, const TKind& kind) {
  for (const TReadValues& row : ReadValueTable()) {
    if (row.Key == "\\Directories") continue;  // its presence would change the flow
    std::vector<std::string> keys;
    if (row.Key == "\\Ports\\*")
      keys.assign(std::begin(kHostilePorts), std::end(kHostilePorts));
    else if (row.Key == "\\Servers\\*")
      keys.assign(std::begin(kHostileServers), std::end(kHostileServers));
    else
      keys.push_back("");
    for (const std::string& sub : keys) {
      for (const std::string& name : row.Names) {
        if (!row.Integers)
          StoreRaw(KeyOf(row, root, sub), name, kind.Type, kind.Bytes);
        else
          StoreRaw(KeyOf(row, root, sub), name, REG_DWORD, std::string("\x07\0\0\0", 4));
      }
    }
  }
}

// ---------------------------------------------------------------------------
// The records, with guard bytes around each, and every text field of the
// tables checked to end within its width.

struct TFieldSpan {
  const char* Name;
  std::size_t Offset, Width;
};
#define SPAN(T, f) TFieldSpan{#f, offsetof(T, f), sizeof(T::f)}

const std::vector<TFieldSpan> kPortSpans = {
    SPAN(TPortRecord, PortKey), SPAN(TPortRecord, Com), SPAN(TPortRecord, Driver),
    SPAN(TPortRecord, BaudRate), SPAN(TPortRecord, HexAddress), SPAN(TPortRecord, Disabled),
    SPAN(TPortRecord, NumChannels), SPAN(TPortRecord, Canal), SPAN(TPortRecord, Paclen),
    SPAN(TPortRecord, MaxFrame), SPAN(TPortRecord, NumFwdChannels), SPAN(TPortRecord, MaxBlock),
    SPAN(TPortRecord, Fwdperiodo), SPAN(TPortRecord, Fwdminute), SPAN(TPortRecord, Mode),
    SPAN(TPortRecord, Unprotos), SPAN(TPortRecord, Yapp), SPAN(TPortRecord, Gateway),
    SPAN(TPortRecord, Rdonly), SPAN(TPortRecord, Tipopuerto), SPAN(TPortRecord, Label)};
const std::vector<TFieldSpan> kServerSpans = {
    SPAN(TServerRecord, Name), SPAN(TServerRecord, File), SPAN(TServerRecord, Description),
    SPAN(TServerRecord, Disabled)};
#undef SPAN

std::string FieldAt(const void* record, const TFieldSpan& span) {
  const char* field = static_cast<const char*>(record) + span.Offset;
  return std::string(field, strnlen(field, span.Width));
}

template <class T>
struct TGuarded {
  unsigned char Before[256];
  T Value;
  unsigned char After[256];
};

// Puts the editor's configuration into a guarded block for the life of the
// object, then gives the fixture its own back.
class TGuardedRecords {
 public:
  static constexpr unsigned char kGuard = 0xA5;
  TGuardedRecords() : block_(new TGuarded<TConfiguration>()), saved_(Configuration) {
    memset(block_->Before, kGuard, 256);
    memset(block_->After, kGuard, 256);
    Configuration = &block_->Value;
  }
  ~TGuardedRecords() { Configuration = saved_; }
  TGuardedRecords(const TGuardedRecords&) = delete;
  TGuardedRecords& operator=(const TGuardedRecords&) = delete;

  // Every guard byte as it was, and every text field of the tables ending
  // in a NUL inside its width (the station record's fields are checked
  // through the texts they mirror).
  void ExpectIntact(const std::string& when) const {
    for (const auto* guards : {block_->Before, block_->After})
      for (int i = 0; i < 256; ++i) ASSERT_EQ(kGuard, guards[i]) << when << ": a guard byte changed";
    auto scan = [&](const void* record, const std::vector<TFieldSpan>& spans, int index) {
      for (const TFieldSpan& span : spans)
        EXPECT_LT(FieldAt(record, span).size(), span.Width)
            << when << ": " << span.Name << " of record " << index << " has no terminator";
    };
    for (int i = 0; i < kPortCount; ++i) scan(&block_->Value.PortTable[i], kPortSpans, i);
    for (int i = 0; i < kServerCount; ++i) scan(&block_->Value.ServerTable[i], kServerSpans, i);
  }

 private:
  std::unique_ptr<TGuarded<TConfiguration>> block_;
  TConfiguration* saved_;
};

// ---------------------------------------------------------------------------
// What the window shows of the values that go whole (or their first word)
// into one field: the stored text cut at the field's width.

struct TPlainValue {
  const char* Key;  // below Software\\Nodrax
  const char* Name;
  TStationText Text;  // what the page shows
  TFieldSpan Field;   // of ConfigRecord, which the text mirrors
};
#define P(key, name, control, field) \
  TPlainValue{key, name, &TStationTexts::control, TFieldSpan{#field, offsetof(TConfigRecord, field), \
                                                        sizeof(TConfigRecord::field)}}
const TPlainValue kPlainValues[] = {
    P("Config", "BbsCallsign", Editbbsindicativo, BbsCallsign),
    P("Config", "SSID", Editssid, SSID),
    P("Config", "Qth", Editciudad, Qth),
    P("Config", "Locator", Editlocator, Locator),
    P("Config", "ZipCode", Codpostal, ZipCode),
    P("Config", "SysOpCallsign", Editsysopindicativo, SysOpCallsign),
    P("Config", "SysOpName", Editsysopnombre, SysOpName),
    P("Config", "Unproto", Editbackui, Editbackui),
    P("Config", "Timeout", timeoutusuarios, timeoutusuarios),
    P("Config", "MaxDownloadYapp", yappmax, yappmax),
    P("Config", "ScrollBuffers", buferusuario, buferusuario),
    P("Config", "CopySysOpMessages", Sysopmessage, CopySysOpMessages),
    P("Config", "ZubHeader", Cabecera, ZubHeader),
    P("Config", "MaxBids", Numerobid, MaxBids),
    P("Config", "BulletinsLifetime", Diasboletines, BulletinsLifetime),
    P("Config", "RouteWpMessages", Wpmessage, RouteWpMessages),
    P("Folders", "ZubRoot", Directorioraiz, ZubRoot),
    P("Folders", "Config", Directorioconfig, Config),
    P("Folders", "Data", Directoriodata, Data),
    P("Folders", "Mail", Directoriomensajes, Mail),
    P("Folders", "CompresMail", Directoriomensajesbin, CompresMail),
    P("Folders", "Yapp", Directorioyapp, Yapp),
    P("Folders", "Docs", Directoriodocs, Docs),
    P("Folders", "ImportFile", Ficheroimport, ImportFile),
    P("Folders", "Filters", Filtersdir, Filters),
    P("Folders", "Servers", Serversdir, Servers),
    P("Folders", "Pg", Pgdir, Pg),
    P("Folders", "Drivers", Driversdir, Drivers),
    P("Folders", "UsersPub", Diska, Diska),
};
#undef P

// The port values that go whole into their field.
const std::vector<TFieldSpan>& PlainPortSpans() {
  static const std::vector<TFieldSpan> spans = [] {
    std::vector<TFieldSpan> plain;
    for (const TFieldSpan& span : kPortSpans)
      for (const char* name : {"Driver", "Com", "HexAddress", "BaudRate", "NumChannels", "Canal",
                               "Paclen", "MaxFrame", "NumFwdChannels", "MaxBlock", "Label",
                               "Disabled"})
        if (std::string(span.Name) == name) plain.push_back(span);
    return plain;
  }();
  return spans;
}

class HostileRegistryTest : public LoadSaveFixture, public ::testing::WithParamInterface<TKind> {
 protected:
  // Checks what the window and the tables hold after a load of the table's
  // values stored with the kind's content. After a save and a load of what
  // it stored (an import), an empty text has become its stand-in and Hroute
  // "OK": those are left out, and so is a callsign given in the file.
  void ExpectLoadedAsTheRulesSay(const TKind& kind, const TGuardedRecords& records,
                                 bool saved = false) {
    records.ExpectIntact("after the load");
    TForm1& f = Form();
    const std::string text = TextOf(kind);
    if (saved && text.empty()) return;
    for (const TPlainValue& v : kPlainValues) {
      const std::string field = FieldAt(&Config().ConfigRecord, v.Field);
      EXPECT_LT(field.size(), v.Field.Width) << v.Field.Name << " has no terminator";
      if (std::string(v.Name) == "BbsCallsign") {
        if (!saved) {
          EXPECT_EQ(Cut(text, v.Field.Width), Config().Texts.*v.Text);
        }
        continue;  // its field holds the route too
      }
      // The window shows what the save stores.
      EXPECT_EQ(Cut(text, v.Field.Width), Config().Texts.*v.Text) << v.Key << '\\' << v.Name;
      EXPECT_EQ(Config().Texts.*v.Text, field) << v.Key << '\\' << v.Name;
    }
    // Nothing in any content is a number, a switch word or a mode letter
    // but the W of the long texts, which is the gateway's.
    for (TCheckBox* box : {f.Miscellaneous1().Log, f.Miscellaneous1().Indicacioncanales, f.Miscellaneous1().Modotest, f.Unproto().Ackui, f.Forwarding().Forwardzub,
                           f.Forwarding().Compressforward, f.Miscellaneous1().Mailbeacon, f.FirstConnection().Pms1, f.Warnings().Held, f.Security().Specialsys,
                           f.Forwarding().Xprotocol, f.Miscellaneous1().Testcallsign, saved ? f.Miscellaneous1().Log : f.Miscellaneous1().Datosusuario})
      EXPECT_EQ(box == f.Miscellaneous1().Mailbeacon && !text.empty(), box->Checked()) << box->Name;
    if (kind.Type == REG_SZ) {
      EXPECT_EQ(0u, f.Colours().Panel1->Color());
      EXPECT_EQ(0u, f.Colours().Chaninfo->FontColor());
    }
    for (const char* port : kHostilePorts) {
      const int index = *PortIndexFromKeyName(port);
      const TPortRecord& p = Configuration->PortTable[index];
      EXPECT_STREQ(port, p.PortKey);
      for (const TFieldSpan& span : PlainPortSpans()) {
        // A value of another type is absent, and the reset port is enabled.
        const bool reset = kind.Type != REG_SZ && std::string(span.Name) == "Disabled";
        EXPECT_EQ(reset ? "false" : Cut(text, span.Width), FieldAt(&p, span))
            << port << '\\' << span.Name;
      }
      EXPECT_EQ(Cut(text, sizeof p.Fwdminute), p.Fwdminute);
      EXPECT_EQ(text[0] == 'W' ? "W" : "", std::string(p.Gateway));
    }
    ASSERT_EQ(2, Configuration->ServerCount);
    for (int i = 0; i < 2; ++i) {
      const TServerRecord& s = Configuration->ServerTable[i];
      EXPECT_EQ(kHostileServers[i], std::string(s.Name));
      EXPECT_EQ(Capitals(Cut(text, sizeof s.File)), s.File);
      EXPECT_EQ(Cut(text, sizeof s.Description), s.Description);
      EXPECT_EQ(Cut(text, sizeof s.Disabled), s.Disabled);
    }
  }

  // The save must pass its identity check: a content that leaves the
  // callsign or the route empty gets one typed in.
  void GiveIdentity() {
    if (Form().General().Editbbsindicativo->Text().empty()) Form().General().Editbbsindicativo->SetText("X1ABC");
    if (Form().General().Edithroute->Text().empty()) Form().General().Edithroute->SetText("ABC");
  }

  // The window's plain fields as shown now.
  std::map<std::string, std::string> PlainShown() {
    std::map<std::string, std::string> shown;
    for (const TPlainValue& v : kPlainValues) shown[v.Name] = Config().Texts.*v.Text;
    return shown;
  }
};

// The values the load, the show and the import ask the registry for are all
// in the editor's table (or are the window's own): a value read and missing
// from it would escape both this test and the import's check of a file.
TEST_F(LoadSaveFixture, EveryValueReadIsInTheTableOfReadValues) {
  static std::set<std::string>* asked = nullptr;
  std::set<std::string> names;
  asked = &names;
  struct TUnhook {
    ~TUnhook() { RegistryValueReadHook = nullptr; }
  } unhook;
  RegistryValueReadHook = [](const std::string& key, const std::string& name) {
    const std::size_t nodrax = key.find("Nodrax");
    std::string below = nodrax == std::string::npos ? key : key.substr(nodrax + 6);
    for (const char* table : {"\\Ports\\", "\\Servers\\"}) {
      const std::size_t at = below.find(table);
      if (at == 0) below = below.substr(0, std::string(table).size()) + "*";
    }
    asked->insert(below + "|" + name);
  };
  StoreTable("Software\\Nodrax", Kinds()[4]);
  StoreRaw("Software\\Nodrax\\Folders", "Drivers", REG_SZ, std::string("C:\\") + '\0');
  OpenEditor();
  Form().ReloadRegistry1Click(nullptr);
  TCarriedOverSettings carried;
  ReadCarriedOverSettings(carried, kNodraxKey);
  CheckLoadedValueTypes(kNodraxKey);
  RegistryValueReadHook = nullptr;

  std::set<std::string> known = {"\\Windows\\Nodraxcfg|Version", "\\Windows\\Nodraxcfg|Left",
                                 "\\Windows\\Nodraxcfg|Top"};
  for (const TReadValues& row : ReadValueTable())
    for (const std::string& name : row.Names) known.insert(row.Key + "|" + name);
  for (const std::string& read : names) EXPECT_EQ(1u, known.count(read)) << read;
  EXPECT_GT(names.size(), 60u) << "the hook saw too little to prove anything";
}

// The load of every value with the kind's content, the save of what it
// showed, and the load of that again.
TEST_P(HostileRegistryTest, LoadShowsAndSaveStoresEveryValueCutAtItsWidth) {
  const TKind& kind = GetParam();
  StoreTable("Software\\Nodrax", kind);
  CreateEmptyConfig();
  TGuardedRecords records;
  OpenEditor();
  EXPECT_TRUE(Messages().empty()) << "the load reports nothing";
  ExpectLoadedAsTheRulesSay(kind, records);

  // The ports page shows each of the ports and stores back nothing but the
  // defaults it puts into empty fields.
  ClickTab(Form().Hojapuertosbbs);
  for (const char* port : kHostilePorts) {
    const int index = *PortIndexFromKeyName(port);
    const TPortRecord before = Configuration->PortTable[index];
    SendMessageA(Form().Ports().Puertosbbs->ItemHandle(index), BM_CLICK, 0, 0);
    Pump();
    for (const TFieldSpan& span : kPortSpans) {
      if (FieldAt(&before, span).empty()) continue;
      EXPECT_EQ(FieldAt(&before, span), FieldAt(&Configuration->PortTable[index], span))
          << port << '\\' << span.Name;
    }
  }
  EXPECT_TRUE(Messages().empty());
  records.ExpectIntact("after showing the ports");

  GiveIdentity();
  const std::map<std::string, std::string> shown = PlainShown();
  TScratchCurrentFolder scratch(std::string(kTestFolder) + "\\Current");
  Form().MenusaveClick(nullptr);
  records.ExpectIntact("after the save");
  EXPECT_TRUE(Messages().empty()) << Messages()[0].text;
  EXPECT_FALSE(ConfigModified);
  // Nothing of the long texts goes back: every text the save wrote fits.
  for (const auto& [key, values] : Dump()) {
    if (key == "Options" || key.find("Sounds") == 0 || key == "HouseKeeping") continue;
    for (const auto& [name, typed] : values)
      if (typed.first == REG_SZ) {
        EXPECT_LT(typed.second.size(), 120u) << key << '\\' << name;
      }
  }
  Form().ReloadRegistry1Click(nullptr);
  for (const auto& [name, text] : PlainShown())
    if (!shown.at(name).empty()) {
      EXPECT_EQ(shown.at(name), text) << name << " changed in the save";
    }
  records.ExpectIntact("after the second load");
}

// The same contents in a configuration file: the import takes what the
// load takes, and the BBS's own texts are cut at their widths. (A value of
// another type refuses the file: below.)
using HostileImportTest = HostileRegistryTest;

TEST_P(HostileImportTest, ImportOfAFileTakesWhatTheLoadTakes) {
  const TKind& kind = GetParam();
  const std::string folder = "C:\\NodraxHostile", file = folder + "\\hostile.zub";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directory(folder);
  StoreTable("Software\\Nodrax", kind);
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
  EXPECT_FALSE(ConfigModified);
  ExpectLoadedAsTheRulesSay(kind, records, true);
  const std::string text = TextOf(kind);
  EXPECT_EQ(Cut(text, 50), Text("Software\\Nodrax\\HouseKeeping", "PreCmdFile"));
  EXPECT_EQ(Cut(text, 100), Text("Software\\Nodrax\\HouseKeeping", "BadRouT"));
  EXPECT_EQ(Cut(text, 100), Text("Software\\Nodrax\\Sounds\\SysopCall", "File"));
  EXPECT_EQ(7u, ReadDword("Software\\Nodrax\\Options", "Gateway").value_or(0));
  std::filesystem::remove_all(folder);
}

std::vector<TKind> TextKinds() {
  std::vector<TKind> texts;
  for (const TKind& kind : Kinds())
    if (kind.Type == REG_SZ) texts.push_back(kind);
  return texts;
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostileImportTest, ::testing::ValuesIn(TextKinds()), KindName);

INSTANTIATE_TEST_SUITE_P(Kinds, HostileRegistryTest, ::testing::ValuesIn(Kinds()), KindName);

// A file with any one value of another type than the load and the import
// read it as is refused before anything is deleted, naming the value; every
// kind of content is of another type for an integer.
TEST_F(LoadSaveFixture, AnyValueOfAnotherTypeRefusesTheFileNamingIt) {
  int checked = 0;
  for (const TReadValues& row : ReadValueTable()) {
    for (const std::string& name : row.Names) {
      for (const TKind& kind : Kinds()) {
        if (!row.Integers && kind.Type == REG_SZ) continue;  // a text of any content is a text
        RemoveNodraxTree();
        const std::string key = KeyOf(row, "Software\\Nodrax", row.Key == "\\Ports\\*" ? "Port2" : "Srv");
        StoreOfKind(key, name, kind, row.Integers);
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
    EXPECT_EQ(2, Form().Ports().Modopuerto2->ItemCount()) << "the driver list was not filled";
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

// The folders a root derives are cut at their fields' widths as a loaded
// folder is: a stored root as long as its field (longer than a typed one)
// made the window show folders longer than the save stores, and so did a
// typed root of 79 characters for the third disk.
TEST_F(LoadSaveFixture, FoldersDerivedFromALongRootShowWhatTheSaveStores) {
  WriteString(kFoldersKey, "ZubRoot", "C:\\" + std::string(120, 'R'));
  CreateEmptyConfig();
  OpenEditor();
  TForm1& f = Form();
  const TConfigRecord& r = Config().ConfigRecord;
  const std::pair<const TEdit*, const char*> folders[] = {
      {f.Folders().Directorioraiz, r.ZubRoot},        {f.Folders().Directoriodata, r.Data},
      {f.Folders().Directorioconfig, r.Config},       {f.Folders().Directoriomensajes, r.Mail},
      {f.Folders().Directoriomensajesbin, r.CompresMail}, {f.Folders().Directorioyapp, r.Yapp},
      {f.Folders().Directoriodocs, r.Docs},           {f.Folders().Ficheroimport, r.ImportFile},
      {f.Folders().Pgdir, r.Pg},                      {f.Folders().Filtersdir, r.Filters},
      {f.Folders().Serversdir, r.Servers},            {f.Folders().Driversdir, r.Drivers},
      {f.Disks().Diskc, r.Diskc}};
  for (const std::string root : {"", "typed "}) {
    for (const auto& [control, field] : folders) EXPECT_EQ(field, control->Text()) << root << control->Name;
    f.Folders().Directorioraiz->SetText("C:\\" + std::string(76, 'T'));
  }
  EXPECT_EQ(79u, f.Disks().Diskc->Text().size());
}

// ---------------------------------------------------------------------------
// Keys: port keys that number no port, more servers than the table holds,
// server names longer than any field, and a Config key the sysop may read
// but not write.

TEST_F(LoadSaveFixture, KeysBeyondTheTablesAreSkippedAndAReadOnlyConfigIsReportedOnSave) {
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
  OpenEditor();
  records.ExpectIntact("after the load");
  EXPECT_STREQ("TCP", Configuration->PortTable[2].Driver);
  for (int i : {0, 1, 3, 4, 5, 6, 7, 8, 9}) EXPECT_STREQ("", Configuration->PortTable[i].Driver) << i;
  ASSERT_EQ(100, Configuration->ServerCount);
  for (int i = 0; i < Configuration->ServerCount; ++i) EXPECT_NE('L', Configuration->ServerTable[i].Name[0]) << i;
  EXPECT_EQ(100, Form().Servers().ListBox1->ItemCount());

  // The save stores everything it may and says which key refused it; the
  // changes stay marked, and no server key gets a cut name.
  ConfigModified = true;
  dialogs.ExpectMessageBoxContaining("Nodraxcfg", "Software\\Nodrax\\Config",
                                     MB_ICONWARNING | MB_OK, IDOK);
  Form().MenusaveClick(nullptr);
  records.ExpectIntact("after the save");
  EXPECT_TRUE(ConfigModified);
  EXPECT_EQ(151u, SubKeys(kServersKey).size());
  EXPECT_EQ("long.exe", Text(Key(kServersKey, longName), "File"));
  EXPECT_EQ("TCP", Text(Key(kPortsKey, "Port3"), "Driver"));
  EXPECT_EQ("BAD", Text(Key(kPortsKey, "Port99"), "Driver"));
}

}  // namespace
