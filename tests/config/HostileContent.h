// Registry contents that other tools, older editors or a damaged hive leave
// behind: every value that the load and the import read, stored with every
// kind of hostile content, and what the configuration must hold afterwards.
// Shared by the tests of the configuration object and by the window's tests
// of the import and the ports page.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "editor/config/AnsiText.h"
#include "editor/config/Configuration.h"
#include "editor/config/Encodings.h"
#include "editor/config/Load.h"
#include "editor/config/StoredValues.h"
#include "platform/Registry.h"
#include "support/RegistryTree.h"

namespace hostile {

// The kinds of hostile content. A text value gets the bytes as REG_SZ; an
// integer value gets them too, which is always the wrong type for it.

struct TKind {
  const char* Name;
  DWORD Type;         // of a text value
  std::string Bytes;  // stored exactly, without a terminator unless it has one
};

// Failures name the kind, not its 64 KiB of bytes.
inline void PrintTo(const TKind& kind, std::ostream* out) { *out << kind.Name; }
inline std::string KindName(const ::testing::TestParamInfo<TKind>& i) { return i.param.Name; }

// The kinds; all but the first are texts.
inline const std::vector<TKind>& Kinds() {
  static const std::vector<TKind> kinds = [] {
    std::string high;
    for (int c = 0x80; c <= 0xFF; ++c) high += static_cast<char>(c);
    return std::vector<TKind>{
        {"WrongType", REG_DWORD, std::string("\x39\x30\x00\x00", 4)},
        {"Empty", REG_SZ, ""},  // not even the terminator
        {"Long", REG_SZ, std::string(65536, 'W') + '\0'},
        {"HighBytes", REG_SZ, high + '\0'},
        // 511 bytes: exactly what the registry layer's first buffer takes.
        {"NoTerminator", REG_SZ, std::string(511, 'N')},
    };
  }();
  return kinds;
}

// The text a program reading ANSI gets back for a value of the kind, up to
// its first NUL; nothing for a value that is no text.
inline std::string TextOf(const TKind& kind) {
  if (kind.Type != REG_SZ) return "";
  return kind.Bytes.substr(0, kind.Bytes.find('\0'));
}

inline std::string Cut(const std::string& text, std::size_t width) {
  return text.substr(0, width - 1);
}

inline void StoreRaw(const std::string& path, const std::string& name, DWORD type,
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

// The kind's content in a value of either sort. Where an integer belongs,
// every text is of the wrong type, and the value of the wrong type is a text.
inline void StoreOfKind(const std::string& path, const std::string& name, const TKind& kind,
                        bool integer) {
  if (integer && kind.Type != REG_SZ)
    StoreRaw(path, name, REG_SZ, std::string("12\0", 3));
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

// What these tests hold the editor to, written down from the BBS's layout
// of the tree and the widths of its records, not taken from the editor's
// own tables: a value that a table loses, or a width it gets wrong, fails
// here. The tables are checked against these lists once
// (tests/config/HostileRegistryTest.cpp).

// Every value that the load and the import read, by key below the root;
// "\Ports\*" and "\Servers\*" stand for each port and server key.
inline const std::vector<TReadValues>& ReadValues() {
  static const std::vector<TReadValues> values = [] {
    const std::vector<std::string> folders = {
        "ZubRoot", "Config", "System", "Data",    "Mail",    "CompresMail", "Yapp",  "Docs",
        "ImportFile", "Filters", "Servers", "Pg", "Drivers", "UsersPub",    "ZubDos"};
    const std::vector<std::string> sounds = {"Delay", "Enabled", "Repeat"};
    return std::vector<TReadValues>{
        {"\\Config",
         {"BbsCallsign", "SSID", "Qth", "Locator", "ZipCode", "SysOpCallsign", "SysOpName",
          "Unproto", "SecurityOptions", "FirstConOptions", "WarningMessages", "ForwardTypeZub",
          "ForwardResume", "CallsignsInMailBeacon", "Timeout", "MaxDownloadYapp",
          "ScrollBuffers", "CopySysOpMessages", "FullLog", "ChannelsIndication", "TestMode",
          "Hroute", "ZubHeader", "MaxBids", "BulletinsLifetime", "RouteWpMessages",
          "WindowBackgroundColor", "SentTextColor", "ReceivedTextColor", "MonitorHeaderColor",
          "MonitorDataColor", "ConsoleTextColor", "ChannelInfColor"},
         false},
        {"\\Folders", folders, false},
        {"\\Directories", folders, false},
        {"\\Ports\\*",
         {"Driver", "Com", "HexAddress", "BaudRate", "NumChannels", "Canal", "Paclen", "MaxFrame",
          "NumFwdChannels", "MaxBlock", "FwdPeriode", "Mode", "Label", "Disabled"},
         false},
        {"\\Servers\\*", {"File", "Description", "Disabled"}, false},
        {"\\Options",
         {"AskBeforeClose", "DispInpExp", "Gateway", "Justify", "MinSysTray", "Separators",
          "SplashScreen", "SysopRing"},
         true},
        {"\\Sounds\\Connection", sounds, true},
        {"\\Sounds\\Connection", {"File"}, false},
        {"\\Sounds\\SysopCall", sounds, true},
        {"\\Sounds\\SysopCall", {"File"}, false},
        {"\\HouseKeeping",
         {"Activated", "ClrUser", "EpurMess", "EpurWP", "Hour", "MaintInf", "PostCmd", "PreCmd",
          "ArchBull", "ArchOldFmt", "ArchPers", "BadFwdD", "BadRouD", "PN2X", "PY2X", "PF2K",
          "PY2K", "PK2A", "BN2X", "BS2X", "BY2X", "BF2X", "BX2K", "BK2A", "MaxRetLines"},
         true},
        {"\\HouseKeeping",
         {"PostCmdFile", "PreCmdFile", "ReportClrUser", "ReportEpurMess", "ReportEpurWP",
          "ReportMaintInf", "BadFwdT", "BadRouT"},
         false},
    };
  }();
  return values;
}

// The station values that go whole, or their first word, into one text
// field: the field gets the stored text cut at its width (the terminator
// counted). AfterEmptySave is what a load shows after a save stored the
// field empty with an empty root: the save's stand-in for an empty field.
// (The folders that such a save leaves out keep what the window showed: an
// empty root over an empty root is no change, and derives nothing.)
struct TPlainValue {
  std::string Name;
  TStationText Text;
  std::size_t Width;
  std::string AfterEmptySave;
};
inline const std::vector<TPlainValue>& ConfigPlainValues() {
  using T = TStationTexts;
  static const std::vector<TPlainValue> values = {
      {"SSID", &T::Editssid, 3, "0"},
      {"Locator", &T::Editlocator, 10, ""},
      {"Qth", &T::Editciudad, 50, ""},
      {"ZipCode", &T::Codpostal, 10, ""},
      {"SysOpCallsign", &T::Editsysopindicativo, 15, ""},
      {"SysOpName", &T::Editsysopnombre, 50, ""},
      {"Unproto", &T::Editbackui, 20, "0"},
      {"MaxBids", &T::Numerobid, 8, "0"},
      {"CopySysOpMessages", &T::Sysopmessage, 80, ""},  // "******" stored, read as none
      {"RouteWpMessages", &T::Wpmessage, 100, ""},
      {"ZubHeader", &T::Cabecera, 20, "[$c] ZUB$E $$:$R"},
      {"Timeout", &T::timeoutusuarios, 8, "0"},
      {"BulletinsLifetime", &T::Diasboletines, 75, "0"},
      {"MaxDownloadYapp", &T::yappmax, 12, "0"},
      {"ScrollBuffers", &T::buferusuario, 10, "0"},
  };
  return values;
}
inline const std::vector<TPlainValue>& FolderPlainValues() {
  using T = TStationTexts;
  static const std::vector<TPlainValue> values = {
      {"ZubRoot", &T::Directorioraiz, 90, ""},
      {"Data", &T::Directoriodata, 100, ""},
      {"Config", &T::Directorioconfig, 100, ""},
      {"Yapp", &T::Directorioyapp, 100, ""},
      {"Docs", &T::Directoriodocs, 100, ""},
      {"ImportFile", &T::Ficheroimport, 80, ""},
      {"Filters", &T::Filtersdir, 100, ""},
      {"Servers", &T::Serversdir, 100, ""},
      {"Pg", &T::Pgdir, 100, ""},
      {"Drivers", &T::Driversdir, 100, ""},
      {"Mail", &T::Directoriomensajes, 100, ""},
      {"CompresMail", &T::Directoriomensajesbin, 100, ""},
      {"UsersPub", &T::Diska, 80, ""},  // the first of the disks
  };
  return values;
}
inline std::vector<TPlainValue> PlainValues() {
  std::vector<TPlainValue> plain = ConfigPlainValues();
  plain.insert(plain.end(), FolderPlainValues().begin(), FolderPlainValues().end());
  return plain;
}
// The other text fields that mirror a control, and BbsCallsign.
inline const std::vector<std::pair<TStationText, std::size_t>>& OtherMirroredWidths() {
  using T = TStationTexts;
  static const std::vector<std::pair<TStationText, std::size_t>> widths = {
      {&T::Editdelayui, 20}, {&T::Timeoutforward, 8}, {&T::modemmax, 12},
      {&T::buferconsola, 10}, {&T::bufermonitor, 10}, {&T::Indicativosbaliza, 6},
      {&T::Diskb, 80},       {&T::Diskc, 80},        {&T::Diskd, 80},
      {&T::Diske, 80},       {&T::Diskf, 80},        {&T::Diskg, 80},
      {&T::Diskh, 80}};
  return widths;
}
constexpr std::size_t kBbsCallsignWidth = 35;

// The values of a port key that go whole into one field, with its width.
struct TPortText {
  const char* Name;
  TPortField Field;
  std::size_t Width;
};
inline const std::vector<TPortText>& PortTexts() {
#define P(name, width) TPortText{#name, NODRAX_PORT_FIELD(name), width}
  static const std::vector<TPortText> texts = {
      P(Com, 5),     P(Driver, 5), P(HexAddress, 15),    P(BaudRate, 10),
      P(NumChannels, 3), P(Canal, 3), P(Paclen, 4),       P(MaxFrame, 2),
      P(NumFwdChannels, 5), P(MaxBlock, 6), P(Disabled, 6), P(Label, 50)};
#undef P
  return texts;
}
constexpr std::size_t kFwdminuteWidth = 4;
constexpr std::size_t kServerNameWidth = 15, kServerFileWidth = 20,
                      kServerDescriptionWidth = 100, kServerDisabledWidth = 6;

// Where the values go: the ports and servers stand for every port and
// server key, and the older folder key is read by the same code as
// Folders.

inline std::string KeyOf(const TReadValues& row, const std::string& root,
                         const std::string& sub) {
  std::string key = row.Key;
  const std::size_t star = key.find('*');
  if (star != std::string::npos) key = key.substr(0, star) + sub;
  return root + key;
}

inline const char* const kHostilePorts[] = {"Port1", "Port10"};
inline const char* const kHostileServers[] = {"Alpha", "Beta"};

// Writes every value of the table below root: texts with the kind's
// content, integers with a valid number.
inline void StoreTable(const std::string& root, const TKind& kind) {
  for (const TReadValues& row : ReadValues()) {
    if (row.Key == "\\Directories") continue;  // its presence would change the flow
    std::vector<std::string> keys;
    if (row.Key == "\\Ports\\*")
      keys.assign(std::begin(kHostilePorts), std::end(kHostilePorts));
    else if (row.Key == "\\Servers\\*")
      keys.assign(std::begin(kHostileServers), std::end(kHostileServers));
    else
      keys.push_back("");
    for (const std::string& sub : keys)
      for (const std::string& name : row.Names)
        StoreRaw(KeyOf(row, root, sub), name, row.Integers ? REG_DWORD : kind.Type,
                 row.Integers ? std::string("\x07\0\0\0", 4) : kind.Bytes);
  }
}

// The values that `run` reads below Software\Nodrax, as "<key below it>|
// <name>" with "*" for each port and server key.
inline std::set<std::string> ReadsOf(const std::function<void()>& run) {
  static std::set<std::string>* reads = nullptr;
  std::set<std::string> names;
  reads = &names;
  RegistryValueReadHook = [](const std::string& key, const std::string& name) {
    const std::size_t nodrax = key.find("Nodrax");
    std::string below = nodrax == std::string::npos ? key : key.substr(nodrax + 6);
    for (const std::string table : {"\\Ports\\", "\\Servers\\"})
      if (below.find(table) == 0) below = table + "*";
    reads->insert(below + "|" + name);
  };
  struct TUnhook {
    ~TUnhook() { RegistryValueReadHook = nullptr; }
  } unhook;
  run();
  return names;
}

// Every value read is among those of the layout or among `others`: one read
// and missing from it would escape these tests and the import's check of a
// file.
inline void ExpectAllInTheTable(const std::set<std::string>& reads,
                                std::set<std::string> others = {}) {
  for (const TReadValues& row : ReadValues())
    for (const std::string& name : row.Names) others.insert(row.Key + "|" + name);
  for (const std::string& read : reads) EXPECT_EQ(1u, others.count(read)) << read;
  EXPECT_GT(reads.size(), 60u) << "the hook saw too little to prove anything";
}

// The records, with guard bytes around them, and every text field of the
// tables checked to end within its width.

struct TFieldSpan {
  const char* Name;
  std::size_t Offset, Width;
};
#define P(f) TFieldSpan{#f, offsetof(TPortRecord, f), sizeof(TPortRecord::f)}
inline const std::vector<TFieldSpan> kPortSpans = {
    P(PortKey),  P(Com),        P(Driver),    P(BaudRate), P(HexAddress), P(Disabled),
    P(NumChannels), P(Canal),   P(Paclen),    P(MaxFrame), P(NumFwdChannels), P(MaxBlock),
    P(Fwdperiodo), P(Fwdminute), P(Mode),     P(Unprotos), P(Yapp),       P(Gateway),
    P(Rdonly),   P(Tipopuerto), P(Label)};
#undef P
#define S(f) TFieldSpan{#f, offsetof(TServerRecord, f), sizeof(TServerRecord::f)}
inline const std::vector<TFieldSpan> kServerSpans = {S(Name), S(File), S(Description),
                                                     S(Disabled)};
#undef S

inline std::string FieldAt(const void* record, const TFieldSpan& span) {
  const char* field = static_cast<const char*>(record) + span.Offset;
  return std::string(field, strnlen(field, span.Width));
}

// Puts the editor's document into a guarded block for the life of the
// object, then gives the test its own back.
class TGuardedRecords {
 public:
  static constexpr unsigned char kGuard = 0xA5;
  TGuardedRecords() : block_(new TGuarded()), saved_(CurrentDocument()) {
    memset(block_->Before, kGuard, sizeof block_->Before);
    memset(block_->After, kGuard, sizeof block_->After);
    CurrentDocument() = &block_->Value;
  }
  ~TGuardedRecords() { CurrentDocument() = saved_; }
  TGuardedRecords(const TGuardedRecords&) = delete;
  TGuardedRecords& operator=(const TGuardedRecords&) = delete;

  // Every guard byte as it was, and every text field of the tables ending
  // in a NUL inside its width (the station record's fields are checked
  // through the texts they mirror).
  void ExpectIntact(const std::string& when) const {
    for (const auto* guards : {block_->Before, block_->After})
      for (int i = 0; i < 256; ++i)
        ASSERT_EQ(kGuard, guards[i]) << when << ": a guard byte changed";
    auto scan = [&](const void* record, const std::vector<TFieldSpan>& spans, int index) {
      for (const TFieldSpan& span : spans)
        EXPECT_LT(FieldAt(record, span).size(), span.Width)
            << when << ": " << span.Name << " of record " << index << " has no terminator";
    };
    for (int i = 0; i < kPortCount; ++i) scan(&block_->Value.Config().PortTable[i], kPortSpans, i);
    for (int i = 0; i < kServerCount; ++i) scan(&block_->Value.Config().ServerTable[i], kServerSpans, i);
  }

 private:
  struct TGuarded {
    unsigned char Before[256];
    TDocument Value;
    unsigned char After[256];
  };
  std::unique_ptr<TGuarded> block_;
  TDocument* saved_;
};

// The plain fields as the configuration holds them now.
inline std::map<std::string, std::string> PlainShown() {
  std::map<std::string, std::string> shown;
  for (const TPlainValue& v : PlainValues()) shown[v.Name] = CurrentDocument()->Config().Texts.*v.Text;
  return shown;
}

// The save must pass its identity check: a content that leaves the
// callsign or the route empty gets one typed in.
inline void GiveIdentity() {
  TConfiguration& c = CurrentDocument()->Config();
  if (c.Texts.Editbbsindicativo.empty()) c.SetText(&TStationTexts::Editbbsindicativo, "X1ABC");
  if (c.Texts.Edithroute.empty()) c.SetText(&TStationTexts::Edithroute, "ABC");
}

// Checks what the configuration holds after a load of the table's values
// stored with the kind's content. After a save and a load of what it stored
// (an import), an empty text has become its stand-in, Hroute "OK" and the
// ports without a driver gone; a callsign given in the file is left out.
inline void ExpectLoadedAsTheRulesSay(const TKind& kind, const TGuardedRecords& records,
                                      bool saved = false) {
  records.ExpectIntact("after the load");
  // The tables an editor's start left for later, read as their pages would.
  PortsNeeded(CurrentDocument()->Config());
  ServersNeeded(CurrentDocument()->Config());
  const TConfiguration& c = CurrentDocument()->Config();
  const std::string text = TextOf(kind);
  const bool storedEmpty = saved && text.empty();
  const TRecordField identity = NODRAX_RECORD_FIELD(BbsCallsign);
  EXPECT_LT(FieldText(c.ConfigRecord, identity).size(), kBbsCallsignWidth);
  if (!saved) {
    EXPECT_EQ(Cut(text, kBbsCallsignWidth), c.Texts.Editbbsindicativo);
  }
  for (const TPlainValue& v : PlainValues()) {
    const std::string stored = FieldText(c.ConfigRecord, MirroredField(v.Text));
    EXPECT_LT(stored.size(), v.Width) << v.Name << " has no terminator";
    // What the pages show is what the save stores.
    EXPECT_EQ(storedEmpty ? v.AfterEmptySave : Cut(text, v.Width), c.Texts.*v.Text) << v.Name;
    // An unused disk is "*" in the record from the save on; the page shows
    // it empty.
    const bool unusedDisk = storedEmpty && v.Text == &TStationTexts::Diska;
    EXPECT_EQ(unusedDisk ? "*" : c.Texts.*v.Text, stored) << v.Name;
  }
  // Nothing in any content is a number, a switch word or a mode letter
  // but the W of the long texts, which is the gateway's.
  using B = TStationBoxes;
  const TStationBox boxes[] = {&B::Log,          &B::Indicacioncanales, &B::Modotest,
                               &B::Ackui,        &B::Forwardzub,        &B::Compressforward,
                               &B::Mailbeacon,   &B::Pms1,              &B::Held,
                               &B::Specialsys,   &B::Xprotocol,         &B::Testcallsign,
                               saved ? &B::Log : &B::Datosusuario};
  for (std::size_t i = 0; i < std::size(boxes); ++i)
    EXPECT_EQ(boxes[i] == &B::Mailbeacon && !text.empty(), c.Boxes.*boxes[i]) << "box " << i;
  if (kind.Type == REG_SZ) {
    EXPECT_EQ(0u, c.Colours.Background);
    EXPECT_EQ(0u, c.Colours.Chaninfo);
  }
  for (const char* port : kHostilePorts) {
    const TPortRecord& p = c.PortTable[*PortIndexFromKeyName(port)];
    // A port without a driver has no key after a save: it comes back reset.
    EXPECT_EQ(storedEmpty ? "" : port, std::string(p.PortKey));
    for (const TPortText& v : PortTexts()) {
      // A value of another type is absent, and the reset port is enabled.
      const bool reset = (kind.Type != REG_SZ || storedEmpty) && std::string(v.Name) == "Disabled";
      EXPECT_EQ(reset ? "false" : Cut(text, v.Width), FieldText(p, v.Field))
          << port << '\\' << v.Name;
    }
    EXPECT_EQ(Cut(text, kFwdminuteWidth), p.Fwdminute);
    EXPECT_EQ(text[0] == 'W' ? "W" : "", std::string(p.Gateway));
  }
  ASSERT_EQ(2, c.ServerCount);
  for (int i = 0; i < 2; ++i) {
    const TServerRecord& s = c.ServerTable[i];
    EXPECT_EQ(kHostileServers[i], std::string(s.Name));
    EXPECT_EQ(Capitals(Cut(text, kServerFileWidth)), s.File);
    EXPECT_EQ(Cut(text, kServerDescriptionWidth), s.Description);
    EXPECT_EQ(Cut(text, kServerDisabledWidth), s.Disabled);
  }
}

}  // namespace hostile
