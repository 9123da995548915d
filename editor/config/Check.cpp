#include "editor/config/Check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>

#include "editor/config/Encodings.h"
#include "editor/config/FolderRules.h"
#include "editor/config/Numbers.h"
#include "editor/config/Records.h"

IDiskProbe::~IDiskProbe() = default;

std::optional<std::string> IDiskProbe::Expand(const std::string& path) const { return path; }

std::string TFinding::Where() const { return Value.empty() ? Key : Key + "\\" + Value; }

namespace {

// ---------------------------------------------------------------------------
// Text helpers. The check compares names as Windows does, without regard to
// capitals; ANSI letters beyond ASCII are compared as they are.

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// A plain decimal number (digits only, at most nine of them), or nothing.
std::optional<long> DecimalNumber(const std::string& text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  long n = 0;
  for (char c : text) {
    if (!IsDigit(c)) return std::nullopt;
    n = n * 10 + (c - '0');
  }
  return n;
}

bool IsHex(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!IsHexDigit(c)) return false;
  return true;
}

// A drive, ":" and a separator, or \\server\share.
bool IsFullPath(const std::string& path) {
  if (path.size() >= 3 && IsLetter(path[0]) && path[1] == ':' && (path[2] == '\\' || path[2] == '/'))
    return true;
  if (path.size() < 5 || path.compare(0, 2, "\\\\") != 0) return false;
  const std::size_t share = path.find('\\', 2);
  return share != std::string::npos && share > 2 && share + 1 < path.size() && path[share + 1] != '\\';
}

// One spelling for one folder: capitals, "\" for "/", no closing "\".
std::string FolderIdentity(const std::string& path) {
  std::string p = Upper(path);
  for (char& c : p)
    if (c == '/') c = '\\';
  while (p.size() > 1 && p.back() == '\\') p.pop_back();
  return p;
}

// Why the text is no callsign (letters and digits, at least one digit), or
// nothing.
std::optional<std::string> CallsignFault(const std::string& text) {
  bool digit = false;
  for (char c : text) {
    if (!IsLetter(c) && !IsDigit(c)) {
      const unsigned char u = static_cast<unsigned char>(c);
      return u < 0x20 ? std::string("a control character") : "\"" + std::string(1, c) + "\"";
    }
    digit = digit || IsDigit(c);
  }
  if (!digit) return std::string("no digit");
  return std::nullopt;
}

bool IsSsid(const std::string& text) {
  const std::optional<long> n = DecimalNumber(text);
  return n && *n <= 15;
}

// A Maidenhead locator of 4 or 6 characters: field, square, subsquare.
bool IsLocator(const std::string& text) {
  if (text.size() != 4 && text.size() != 6) return false;
  const std::string t = Upper(text);
  if (t[0] < 'A' || t[0] > 'R' || t[1] < 'A' || t[1] > 'R') return false;
  if (!IsDigit(t[2]) || !IsDigit(t[3])) return false;
  return t.size() == 4 || (t[4] >= 'A' && t[4] <= 'X' && t[5] >= 'A' && t[5] <= 'X');
}

// An AX.25 address holds six characters of callsign.
constexpr std::size_t kAx25Callsign = 6;

// ---------------------------------------------------------------------------
// The disk, asked at most once per path.

class TDisk {
 public:
  explicit TDisk(const IDiskProbe& probe) : probe_(probe) {}
  IDiskProbe::TKind Kind(const std::string& path) {
    auto it = kinds_.find(path);
    if (it == kinds_.end()) it = kinds_.emplace(path, probe_.Kind(path)).first;
    return it->second;
  }
  bool CanCreate(const std::string& path) const { return probe_.CanCreate(path); }
  std::optional<std::string> Expand(const std::string& path) const { return probe_.Expand(path); }
  std::vector<std::string> Files(const std::string& folder, const std::string& pattern) const {
    return probe_.Files(folder, pattern);
  }

 private:
  const IDiskProbe& probe_;
  std::map<std::string, IDiskProbe::TKind> kinds_;
};

using TKind = IDiskProbe::TKind;

// A stored folder the check can look into: set, its variables set, a full
// path and not a file; its expanded path.
std::optional<std::string> UsableFolder(TDisk& disk, const std::string& stored) {
  if (stored.empty()) return std::nullopt;
  const std::optional<std::string> path = disk.Expand(stored);
  if (!path || !IsFullPath(*path) || disk.Kind(*path) == TKind::File) return std::nullopt;
  return path;
}

// ---------------------------------------------------------------------------

class TCheck {
 public:
  TCheck(const TConfiguration& c, const IDiskProbe& probe) : c_(c), r_(c.ConfigRecord), disk_(probe) {}

  std::vector<TFinding> Run() {
    Identity();
    Ports();
    Folders();
    Servers();
    return std::move(findings_);
  }

 private:
  void Add(TSeverity severity, std::string key, std::string value, const char* page,
           const char* field, int row, std::string text) {
    findings_.push_back(TFinding{severity, std::move(key), std::move(value), page, field, row,
                                 std::move(text)});
  }

  // --- Identity ------------------------------------------------------------

  void Station(TSeverity severity, const char* value, const char* field, std::string text) {
    Add(severity, "Config", value, "Hojageneral", field, -1, std::move(text));
  }

  void Identity() {
    const std::string& callsign = c_.Texts.Editbbsindicativo;
    const std::string& route = c_.Texts.Edithroute;
    if (callsign.empty()) {
      Station(TSeverity::Error, "BbsCallsign", "Editbbsindicativo",
              "The BBS callsign is empty: the save refuses to store the configuration.");
    } else if (const auto fault = CallsignFault(callsign)) {
      Station(TSeverity::Error, "BbsCallsign", "Editbbsindicativo",
              "The BBS callsign " + Quoted(callsign) + " is not a callsign: it has " + *fault +
                  ", and a callsign is letters and digits with at least one digit.");
    } else if (callsign.size() > kAx25Callsign) {
      Station(TSeverity::Warning, "BbsCallsign", "Editbbsindicativo",
              "The BBS callsign " + Quoted(callsign) + " has " + std::to_string(callsign.size()) +
                  " characters, but an AX.25 address holds 6.");
    }
    if (route.empty()) {
      Station(TSeverity::Error, "BbsCallsign", "Edithroute",
              "The H-route is empty: the save refuses to store the configuration.");
    } else if (std::any_of(route.begin(), route.end(), IsWhiteSpace)) {
      Station(TSeverity::Error, "BbsCallsign", "Edithroute",
              "The H-route " + Quoted(route) +
                  " holds a blank: the next load keeps the route only up to it.");
    } else if (!callsign.empty()) {
      const std::string whole = callsign + "." + route;
      const std::string stored = FieldText(r_.BbsCallsign);
      if (stored != whole)
        Station(TSeverity::Error, "BbsCallsign", "Edithroute",
                "The BBS callsign and H-route " + Quoted(whole) + " take " +
                    std::to_string(whole.size()) + " characters, but BbsCallsign holds " +
                    std::to_string(sizeof r_.BbsCallsign - 1) + ": " + Quoted(stored) +
                    " is stored.");
    }

    const std::string ssid = c_.Texts.Editssid.empty() ? "0" : FieldText(r_.SSID);
    if (!IsSsid(ssid))
      Station(TSeverity::Error, "SSID", "Editssid",
              "The SSID " + Quoted(ssid) + " is not a number from 0 to 15.");

    const std::string locator = FieldText(r_.Locator);
    if (locator.empty())
      Station(TSeverity::Warning, "Locator", "Editlocator", "No QTH locator is set.");
    else if (!IsLocator(locator))
      Station(TSeverity::Warning, "Locator", "Editlocator",
              "The QTH locator " + Quoted(locator) +
                  " is not a Maidenhead locator of 4 or 6 characters, such as IM98 or IM98MM.");

    const std::string sysop = FieldText(r_.SysOpCallsign);
    const std::size_t dash = sysop.find('-');
    const std::string base = sysop.substr(0, dash);
    if (sysop.empty()) {
      Station(TSeverity::Warning, "SysOpCallsign", "Editsysopindicativo",
              "No sysop callsign is set.");
    } else if (const auto fault = CallsignFault(base)) {
      Station(TSeverity::Warning, "SysOpCallsign", "Editsysopindicativo",
              "The sysop callsign " + Quoted(sysop) + " is not a callsign: it has " + *fault +
                  ", and a callsign is letters and digits with at least one digit, then "
                  "perhaps \"-\" and an SSID.");
    } else if (dash != std::string::npos && !IsSsid(sysop.substr(dash + 1))) {
      Station(TSeverity::Warning, "SysOpCallsign", "Editsysopindicativo",
              "The SSID " + Quoted(sysop.substr(dash + 1)) + " of the sysop callsign " +
                  Quoted(sysop) + " is not a number from 0 to 15.");
    } else if (base.size() > kAx25Callsign) {
      Station(TSeverity::Warning, "SysOpCallsign", "Editsysopindicativo",
              "The sysop callsign " + Quoted(base) + " has " + std::to_string(base.size()) +
                  " characters, but an AX.25 address holds 6.");
    }
  }

  // --- Ports ---------------------------------------------------------------

  enum class TClass { BpqAgw, TcpTln, Serial };
  static TClass ClassOf(const std::string& driver) {
    if (driver == "BPQ" || driver == "AGW") return TClass::BpqAgw;
    if (driver == "TCP" || driver == "TLN") return TClass::TcpTln;
    return TClass::Serial;
  }

  // A port's value as the save stores it: its default when empty.
  static std::string Stored(const char* name, std::string text) {
    return text.empty() ? std::string(PortDefault(name)) : text;
  }

  static bool Disabled(const TPortRecord& port) { return FieldText(port.Disabled) == "true"; }

  void Port(int i, TSeverity severity, const char* value, const char* field, std::string text) {
    // The BBS does not open a disabled port: what is wrong with it only
    // shows the day it is enabled again.
    if (Disabled(c_.PortTable[i])) severity = TSeverity::Warning;
    Add(severity, "Ports\\" + PortKeyName(i), value, "Hojapuertosbbs", field, i, std::move(text));
  }

  // The types that the Ports page offers for the drivers folder's ???.dll
  // files (editor/ports/PortsPage.cpp): capitals up to the first "."; after
  // the first file a name with "_" keeps only the part from it.
  static std::set<std::string> DriverTypes(const std::vector<std::string>& files) {
    std::set<std::string> types;
    bool first = true;
    for (const std::string& file : files) {
      std::string name = Upper(file);
      // The file's own name counts too: a type typed as the file is named
      // names a driver that is there.
      types.insert(name.substr(0, name.find('.')));
      if (!first) {
        const std::size_t underscore = name.find('_');
        if (underscore != std::string::npos) name = name.substr(underscore);
        types.insert(name.substr(0, name.find('.')));
      }
      first = false;
    }
    return types;
  }

  void Ports() {
    const std::string driversFolder = FieldText(r_.Drivers);
    if (const std::optional<std::string> folder = UsableFolder(disk_, driversFolder)) {
      if (disk_.Kind(*folder) == TKind::Folder) driverFiles_ = disk_.Files(*folder, "???.dll");
    }
    const std::set<std::string> types = DriverTypes(driverFiles_);

    std::map<long, int> comUsers, tcpUsers;  // the first port on each COM port, TCP port
    for (int i = 0; i < kPortCount; ++i) {
      const TPortRecord& port = c_.PortTable[i];
      if (!PortInUse(port)) continue;
      const std::string number = std::to_string(i + 1);
      const std::string driver = FieldText(port.Driver);

      // No driver list means the folder's own finding says why.
      if (!types.empty() && !types.count(Upper(driver)))
        Port(i, TSeverity::Error, "Driver", "Modopuerto2",
             "Port " + number + " has the type " + Quoted(driver) + ", but the drivers folder " +
                 driversFolder + " holds no " + driver + ".dll.");

      const auto clash = [&](std::map<long, int>& users, long n, const char* value,
                             const char* field, const std::string& what) {
        const auto [it, first] = users.emplace(n, i);
        if (first) return;
        const int other = it->second;
        const bool disabled = Disabled(port) || Disabled(c_.PortTable[other]);
        Port(i, disabled ? TSeverity::Warning : TSeverity::Error, value, field,
             "Ports " + std::to_string(other + 1) + " and " + number + " " + what + ".");
      };

      switch (ClassOf(driver)) {
        case TClass::BpqAgw:
          break;
        case TClass::TcpTln: {
          const std::string text = Stored("BaudRate", FieldText(port.BaudRate));
          const std::optional<long> n = DecimalNumber(text);
          if (!n || *n < 1 || *n > 65535)
            Port(i, TSeverity::Error, "BaudRate", "Direccionserie",
                 "The " + driver + " port number " + Quoted(text) + " of port " + number +
                     " is not a number from 1 to 65535.");
          else
            clash(tcpUsers, *n, "BaudRate", "Direccionserie",
                  "both listen on TCP port " + std::to_string(*n));
          break;
        }
        case TClass::Serial: {
          const std::string com = Stored("Com", FieldText(port.Com));
          const std::optional<long> n = DecimalNumber(com);
          if (!n || *n < 1 || *n > 255)
            Port(i, TSeverity::Error, "Com", "Comports",
                 "Serial port " + number + " has no COM port: Com is " + Quoted(com) + ".");
          else
            clash(comUsers, *n, "Com", "Comports", "are both on COM" + std::to_string(*n));
          const std::string speed = Stored("BaudRate", FieldText(port.BaudRate));
          const std::optional<long> bauds = DecimalNumber(speed);
          if (!bauds || *bauds == 0)
            Port(i, TSeverity::Error, "BaudRate", "Velocidadserie",
                 "Serial port " + number + " has no speed: BaudRate is " + Quoted(speed) + ".");
          const std::string address = Stored("HexAddress", FieldText(port.HexAddress));
          if (!IsHex(address))
            Port(i, TSeverity::Error, "HexAddress", "Direccionserie",
                 "The I/O address " + Quoted(address) + " of port " + number +
                     " is not hexadecimal.");
          break;
        }
      }

      const int64_t channels = ReadNumber(Stored("NumChannels", FieldText(port.NumChannels)));
      const int64_t forwarding =
          ReadNumber(Stored("NumFwdChannels", FieldText(port.NumFwdChannels)));
      if (forwarding > channels)
        Port(i, TSeverity::Error, "NumFwdChannels", "Numcanalesfwd",
             "Port " + number + " has " + std::to_string(forwarding) +
                 " forwarding channels but only " + std::to_string(channels) + " channels.");
    }
  }

  // --- Folders -------------------------------------------------------------

  enum class TRole { Folder, ImportFile, Disk };
  struct TFolderRow {
    const char* Value;
    TRecordField Field;
    const char* Page;
    const char* Control;
    const char* Label;
    TRole Role;
    TStationText Text;  // the field on a page; nullptr for those the root alone gives
  };

  void Folder(TSeverity severity, const TFolderRow& row, std::string text) {
    Add(severity, "Folders", row.Value, row.Page, row.Control, -1, std::move(text));
  }

  static std::string Capitalised(const char* label) {
    std::string text = label;
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 32);
    return text;
  }

  void Folders() {
#define F(value, field, control, label, role, text)                                           \
  TFolderRow {                                                                               \
    value, NODRAX_RECORD_FIELD(field), "Hojadirectorios", control, label, TRole::role, text \
  }
    using T = TStationTexts;
    // In the order of the Folders key (StoredValues.cpp).
    static const TFolderRow kFolders[] = {
        F("ZubRoot", ZubRoot, "Directorioraiz", "root folder", Folder, &T::Directorioraiz),
        F("Data", Data, "Directoriodata", "data folder", Folder, &T::Directoriodata),
        F("Config", Config, "Directorioconfig", "config folder", Folder, &T::Directorioconfig),
        F("Yapp", Yapp, "Directorioyapp", "Yapp folder", Folder, &T::Directorioyapp),
        F("Docs", Docs, "Directoriodocs", "docs folder", Folder, &T::Directoriodocs),
        F("ImportFile", ImportFile, "Ficheroimport", "import file", ImportFile, &T::Ficheroimport),
        F("Filters", Filters, "Filtersdir", "filters folder", Folder, &T::Filtersdir),
        F("Servers", Servers, "Serversdir", "servers folder", Folder, &T::Serversdir),
        F("Pg", Pg, "Pgdir", "PG folder", Folder, &T::Pgdir),
        F("Drivers", Drivers, "Driversdir", "drivers folder", Folder, &T::Driversdir),
        F("Sounds", Sounds, "Directorioraiz", "sounds folder", Folder, nullptr),
        F("Lang", Lang, "Directorioraiz", "language folder", Folder, nullptr),
        F("Log", Log, "Directorioraiz", "log folder", Folder, nullptr),
        F("Sat", Sat, "Directorioraiz", "satellite folder", Folder, nullptr),
        F("Wp", Wp, "Directorioraiz", "WP folder", Folder, nullptr),
        F("OldMail", OldMail, "Directorioraiz", "old messages folder", Folder, nullptr),
        F("Fwd", Fwd, "Directorioraiz", "forwarding folder", Folder, nullptr),
        F("Mail", Mail, "Directoriomensajes", "messages folder", Folder, &T::Directoriomensajes),
        F("CompresMail", CompresMail, "Directoriomensajesbin", "compressed messages folder",
          Folder, &T::Directoriomensajesbin),
    };
#undef F
#define D(letter, name)                                                                    \
  TFolderRow {                                                                             \
    "UsersPub", NODRAX_RECORD_FIELD(Disk##letter), "Hojadirectorioszub", "Disk" #letter, \
        "virtual disk " #name, TRole::Disk, &T::Disk##letter                               \
  }
    static const TFolderRow kDisks[] = {D(a, A), D(b, B), D(c, C), D(d, D),
                                        D(e, E), D(f, F), D(g, G), D(h, H)};
#undef D

    // Without a root the save stores none of the BBS's folders but empty
    // ones: one finding says so.
    if (c_.Texts.Directorioraiz.empty()) {
      Folder(TSeverity::Error, kFolders[0],
             "The root folder is empty: the save then stores the BBS's folders empty.");
    } else {
      std::vector<std::pair<std::string, const TFolderRow*>> seen;  // identity, row
      for (const TFolderRow& row : kFolders) CheckFolder(row, seen);
    }
    for (const TFolderRow& row : kDisks) CheckDisk(row);
  }

  // The stored path with its variables expanded, when that is a full path;
  // else its finding is added and there is nothing more to look at.
  std::optional<std::string> FullPath(const TFolderRow& row, const std::string& stored,
                                      const std::string& name) {
    const std::optional<std::string> path = disk_.Expand(stored);
    if (!path) {
      Folder(TSeverity::Error, row, name + " names a variable that is not set.");
    } else if (!IsFullPath(*path)) {
      Folder(TSeverity::Error, row,
             name + " is not a full path: a drive and \"\\\", or \\\\server\\share.");
      return std::nullopt;
    }
    return path;
  }

  void CheckFolder(const TFolderRow& row,
                   std::vector<std::pair<std::string, const TFolderRow*>>& seen) {
    const std::string stored = FieldText(r_, row.Field);
    const std::string name = "The " + std::string(row.Label) + " " + Quoted(stored);
    if (stored.empty()) {
      // No import file is the BBS's own choice.
      if (row.Role == TRole::Folder)
        Folder(TSeverity::Error, row, "The " + std::string(row.Label) + " is empty.");
      return;
    }
    const std::optional<std::string> path = FullPath(row, stored, name);
    if (!path) return;
    const TKind kind = disk_.Kind(*path);
    if (row.Role == TRole::ImportFile) {
      if (kind == TKind::Folder) Folder(TSeverity::Error, row, name + " is a folder.");
      return;
    }
    if (kind == TKind::File) {
      Folder(TSeverity::Error, row, name + " is a file, not a folder.");
      return;
    }
    // The save makes a folder part by part between "\" separators: a path
    // it cannot split ("C:/BBS/Pg") it does not make at all.
    if (kind == TKind::Missing &&
        (FoldersToCreate(*path, false).empty() || !disk_.CanCreate(*path))) {
      Folder(TSeverity::Error, row, name + " does not exist, and the save cannot make it.");
      return;
    }
    if (std::string(row.Value) == "Drivers" && driverFiles_.empty())
      Folder(TSeverity::Error, row, name + " holds no driver: no file matches ???.dll.");

    // Two folders the BBS keeps apart: the messages and the compressed
    // messages share their file names, so one folder for both loses
    // messages; any other two are probably a slip.
    const std::string identity = FolderIdentity(*path);
    for (const auto& [other, otherRow] : seen) {
      if (other != identity) continue;
      const bool mail = (std::string(row.Value) == "CompresMail" &&
                         std::string(otherRow->Value) == "Mail");
      Folder(mail ? TSeverity::Error : TSeverity::Warning, row,
             name + " is the " + otherRow->Label + " too.");
      break;
    }
    seen.emplace_back(identity, &row);
  }

  void CheckDisk(const TFolderRow& row) {
    if ((c_.Texts.*row.Text).empty()) return;  // not in use: "*"
    const std::string stored = FieldText(r_, row.Field);
    const std::string name = Capitalised(row.Label) + " " + Quoted(stored);
    if (!DiskStorable(stored)) {
      Folder(TSeverity::Error, row,
             name + " holds \",\", which UsersPub cannot hold: the save stores no disk.");
      return;
    }
    const std::optional<std::string> path = FullPath(row, stored, name);
    if (!path) return;
    const TKind kind = disk_.Kind(*path);
    if (kind == TKind::File)
      Folder(TSeverity::Error, row, name + " is a file, not a folder.");
    else if (kind == TKind::Missing)
      Folder(TSeverity::Warning, row, name + " does not exist, and the save does not make it.");
  }

  // --- Servers -------------------------------------------------------------

  void Server(int i, TSeverity severity, const std::string& name, const char* value,
              const char* field, std::string text) {
    Add(severity, name.empty() ? "Servers" : "Servers\\" + name, value, "Hojaservers", field, i,
        std::move(text));
  }

  static bool Internal(const std::string& file) {
    return (!file.empty() && file[0] == '*') || Upper(file) == "INTERNAL SERVER";
  }

  void Servers() {
    const std::string serversFolder = FieldText(r_.Servers);
    std::optional<std::set<std::string>> programs;
    if (const std::optional<std::string> folder = UsableFolder(disk_, serversFolder)) {
      programs.emplace();
      // A missing folder that the save makes holds no program either.
      if (disk_.Kind(*folder) == TKind::Folder)
        for (const std::string& file : disk_.Files(*folder, "*")) programs->insert(Upper(file));
    }

    const int count = c_.ServerCount < 0 ? 0 : c_.ServerCount > kServerCount ? kServerCount
                                                                             : c_.ServerCount;
    std::map<std::string, int> names, files;  // the first server of each
    for (int i = 0; i < count; ++i) {
      const TServerRecord& server = c_.ServerTable[i];
      const std::string name = FieldText(server.Name);
      const std::string file = FieldText(server.File);
      const std::string label = name.empty() ? "server " + std::to_string(i + 1) : Quoted(name);
      const bool disabled = FieldText(server.Disabled) == "true";

      if (name.empty()) {
        Server(i, TSeverity::Error, name, "", "Editaddserver",
               "Server " + std::to_string(i + 1) + " of the list has no name: the save stores it nowhere.");
      } else {
        std::optional<std::string> bad;
        for (char ch : name) {
          if (ch == '\\') bad = "\"\\\"";
          else if (static_cast<unsigned char>(ch) < 0x20) bad = "a control character";
          if (bad) break;
        }
        if (bad) {
          Server(i, TSeverity::Error, name, "", "Editaddserver",
                 "The server name " + Quoted(name) + " holds " + *bad +
                     ", which a registry key name cannot hold.");
        } else if (const auto [it, first] = names.emplace(Upper(name), i); !first) {
          Server(i, TSeverity::Error, name, "", "Editaddserver",
                 "The server name " + Quoted(name) + " is also the name of " +
                     Quoted(FieldText(c_.ServerTable[it->second].Name)) +
                     ": the registry keeps one key for both, whatever their capitals.");
        }
      }

      if (file.empty()) {
        Server(i, TSeverity::Error, name, "File", "Editfileserver",
               "The server " + label + " names no program.");
        continue;
      }
      if (Internal(file)) continue;
      const std::string program = Upper(file);
      if (programs && !programs->count(program))
        Server(i, disabled ? TSeverity::Warning : TSeverity::Error, name, "File", "Editfileserver",
               "The program " + program + " of the server " + label +
                   " is not in the servers folder " + serversFolder + ".");
      if (const auto [it, first] = files.emplace(program, i); !first) {
        const std::string otherName = FieldText(c_.ServerTable[it->second].Name);
        Server(i, TSeverity::Warning, name, "File", "Editfileserver",
               "The servers " +
                   (otherName.empty() ? "server " + std::to_string(it->second + 1)
                                      : Quoted(otherName)) +
                   " and " + label + " both run " + program + ".");
      }
    }
  }

  const TConfiguration& c_;
  const TConfigRecord& r_;
  TDisk disk_;
  std::vector<std::string> driverFiles_;
  std::vector<TFinding> findings_;
};

}  // namespace

std::vector<TFinding> CheckConfiguration(const TConfiguration& config, const IDiskProbe& disk) {
  return TCheck(config, disk).Run();
}

const char* SeverityName(TSeverity severity) {
  return severity == TSeverity::Error ? "error" : "warning";
}

std::string FindingLine(const TFinding& finding) {
  return std::string(SeverityName(finding.Severity)) + ": " + finding.Where() + ": " + finding.Text;
}

std::string FindingsSummary(const std::vector<TFinding>& findings) {
  std::size_t errors = 0, warnings = 0;
  for (const TFinding& f : findings) (f.Severity == TSeverity::Error ? errors : warnings)++;
  const auto count = [](std::size_t n, const char* what) {
    return (n == 0 ? std::string("no ") : std::to_string(n) + " ") + what + (n == 1 ? "" : "s");
  };
  std::string line = count(errors, "error") + ", " + count(warnings, "warning") + ".";
  line[0] = static_cast<char>(line[0] == 'n' ? 'N' : line[0]);
  return line;
}

int CheckExitCode(const std::vector<TFinding>& findings) {
  int code = 0;
  for (const TFinding& f : findings) code = std::max(code, f.Severity == TSeverity::Error ? 2 : 1);
  return code;
}
