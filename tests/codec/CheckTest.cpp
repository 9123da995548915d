// The configuration check, rule by rule: a full configuration that the BBS
// would take as meant gives nothing; each row of a family's table changes
// it in one way and expects exactly the findings that change gives (none
// for a near miss). The disk is a fake that knows a few folders and files.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "editor/config/Check.h"
#include "editor/config/Encodings.h"
#include "editor/config/FolderRules.h"

namespace {

using T = TStationTexts;
using TKind = IDiskProbe::TKind;

std::string Identity(std::string path) {
  for (char& c : path) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c == '/') c = '\\';
  }
  while (path.size() > 1 && path.back() == '\\') path.pop_back();
  return path;
}

std::string Parent(const std::string& path) {
  const std::size_t cut = path.rfind('\\');
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

// Folders and files by their full path, without regard to capitals; the
// environment of %VARIABLE%s. Counts what it is asked.
class TFakeDisk : public IDiskProbe {
 public:
  std::set<std::string> folders, files;  // identities
  std::map<std::string, std::string> variables;
  mutable std::map<std::string, int> kindAsked;
  mutable int listings = 0;

  void AddFolder(const std::string& path) { folders.insert(Identity(path)); }
  void AddFile(const std::string& path) { files.insert(Identity(path)); }
  void Remove(const std::string& path) {
    folders.erase(Identity(path));
    files.erase(Identity(path));
  }

  TKind Kind(const std::string& path) const override {
    ++kindAsked[path];
    return KindOf(path);
  }
  std::vector<std::string> Files(const std::string& folder, const std::string& pattern) const override {
    ++listings;
    std::vector<std::string> names;
    const std::string parent = Identity(folder);
    for (const std::string& file : files) {
      if (Parent(file) != parent) continue;
      const std::string name = file.substr(parent.size() + 1);
      if (pattern == "*") {
        names.push_back(name);
      } else if (pattern == "???.dll") {
        const std::size_t dot = name.find('.');
        if (dot >= 1 && dot <= 3 && name.substr(dot) == ".DLL") names.push_back(name);
      }
    }
    return names;
  }
  bool CanCreate(const std::string& path) const override {
    for (std::string p = Identity(path); !p.empty(); p = Parent(p)) {
      const TKind kind = KindOf(p);
      if (kind != TKind::Missing) return kind == TKind::Folder;
    }
    return false;
  }
  std::optional<std::string> Expand(const std::string& path) const override {
    std::string out;
    for (std::size_t i = 0; i < path.size();) {
      const std::size_t open = path.find('%', i);
      const std::size_t close = open == std::string::npos ? open : path.find('%', open + 1);
      if (close == std::string::npos) {
        out += path.substr(i);
        break;
      }
      auto it = variables.find(path.substr(open + 1, close - open - 1));
      if (it == variables.end()) return std::nullopt;
      out += path.substr(i, open - i) + it->second;
      i = close + 1;
    }
    return out;
  }

 private:
  TKind KindOf(const std::string& path) const {
    const std::string id = Identity(path);
    if (folders.count(id)) return TKind::Folder;
    if (files.count(id)) return TKind::File;
    return TKind::Missing;
  }
};

void SetPort(TConfiguration& c, int i, const char* driver, const char* com, const char* baud,
             const char* hex, const char* channels = "7", const char* fwd = "2",
             const char* disabled = "false") {
  TPortRecord& p = c.PortTable[i];
  SetField(p.Driver, driver);
  SetField(p.Com, com);
  SetField(p.BaudRate, baud);
  SetField(p.HexAddress, hex);
  SetField(p.NumChannels, channels);
  SetField(p.NumFwdChannels, fwd);
  SetField(p.Disabled, disabled);
  SetField(p.Canal, "0");
  SetField(p.Paclen, "250");
  SetField(p.MaxFrame, "4");
  SetField(p.MaxBlock, "50");
  SetField(p.Fwdminute, "00");
  SetField(p.Fwdperiodo, "30");
  SetField(p.Tipopuerto, "G");
  SetField(p.Label, "Info for channel");
}

void SetServer(TConfiguration& c, int i, const char* name, const char* file,
               const char* disabled = "false") {
  TServerRecord& s = c.ServerTable[i];
  SetField(s.Name, name);
  SetField(s.File, file);
  SetField(s.Description, "A server");
  SetField(s.Disabled, disabled);
}

// A station the BBS takes as meant: every folder below C:\BBS in place,
// ten ports of every kind, four servers.
struct TStation {
  TConfiguration c;
  TFakeDisk disk;

  TStation() {
    c.SetText(&T::Editbbsindicativo, "EA5ZZZ");
    c.SetText(&T::Edithroute, "#VAL.ESP.EU");
    c.SetText(&T::Editssid, "3");
    c.SetText(&T::Editlocator, "IM98MM");
    c.SetText(&T::Editciudad, "Valencia");
    c.SetText(&T::Editsysopindicativo, "EA5XX");
    c.SetText(&T::Editsysopnombre, "Pep");
    c.SetText(&T::Directorioraiz, "C:\\BBS");
    c.SetText(&T::Diska, "C:\\BBS\\UsersPub\\A");
    disk.AddFolder("C:\\");
    disk.AddFolder("C:\\BBS");
    const TRootFolders f = DeriveFromRoot("C:\\BBS");
    for (const std::string* folder :
         {&f.Data, &f.Config, &f.Mail, &f.CompresMail, &f.Yapp, &f.Docs, &f.Pg, &f.Filters,
          &f.Servers, &f.Drivers, &f.Diskc, &f.Sounds, &f.Lang, &f.Fwd, &f.Log, &f.Sat, &f.Wp,
          &f.OldMail})
      disk.AddFolder(*folder);
    disk.AddFolder("C:\\BBS\\UsersPub\\A");
    disk.AddFile(f.ImportFile);
    for (const char* dll : {"AGW.dll", "bpq.dll", "KIS.DLL", "PAC.dll", "TCP.dll", "TLN.dll"})
      disk.AddFile("C:\\BBS\\Drivers\\" + std::string(dll));
    disk.AddFile("C:\\BBS\\Drivers\\readme.txt");
    for (const char* exe : {"CONV.EXE", "ping.exe", "WX.EXE"})
      disk.AddFile("C:\\BBS\\Servers\\" + std::string(exe));

    // BPQ, AGW and TCP ports keep the page's default COM 8: no COM port of
    // theirs is opened.
    SetPort(c, 0, "BPQ", "8", "0", "0");
    SetPort(c, 1, "AGW", "8", "0", "0");
    SetPort(c, 2, "TCP", "8", "6300", "0");
    SetPort(c, 3, "TLN", "8", "6301", "0");
    SetPort(c, 4, "KIS", "1", "9600", "3F8");
    SetPort(c, 5, "KIS", "2", "1200", "2F8");
    SetPort(c, 6, "PAC", "3", "19200", "3E8", "10", "10");
    SetPort(c, 7, "TCP", "8", "8080", "0");
    SetPort(c, 8, "KIS", "4", "9600", "2E8", "7", "2", "true");
    SetPort(c, 9, "NON", "", "", "");

    SetServer(c, 0, "CONV", "CONV.EXE");
    SetServer(c, 1, "INTERNAL", "**********");
    SetServer(c, 2, "PING", "PING.EXE");
    SetServer(c, 3, "WX", "WX.EXE");
    c.ServerCount = 4;
  }
};

struct TExpected {
  TSeverity severity;
  std::string where, page, field;
  int row;
  bool operator==(const TExpected& o) const {
    return severity == o.severity && where == o.where && page == o.page && field == o.field &&
           row == o.row;
  }
};
std::ostream& operator<<(std::ostream& out, const TExpected& e) {
  return out << SeverityName(e.severity) << " " << e.where << " (" << e.page << "." << e.field
             << ", row " << e.row << ")";
}

struct TRow {
  const char* name;
  std::function<void(TStation&)> change;
  std::vector<TExpected> expected;
  // A value the first finding's sentence names.
  const char* names = nullptr;
};

void RunRows(const std::vector<TRow>& rows) {
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    TStation station;
    row.change(station);
    const std::vector<TFinding> findings = CheckConfiguration(station.c, station.disk);
    std::vector<TExpected> got;
    for (const TFinding& f : findings) got.push_back({f.Severity, f.Where(), f.Page, f.Field, f.Row});
    EXPECT_EQ(got, row.expected);
    for (const TFinding& f : findings) EXPECT_FALSE(f.Text.empty());
    if (row.names && !findings.empty()) {
      EXPECT_NE(findings[0].Text.find(row.names), std::string::npos) << findings[0].Text;
    }
  }
}

constexpr TSeverity E = TSeverity::Error;
constexpr TSeverity W = TSeverity::Warning;

TExpected General(TSeverity s, const char* value, const char* field) {
  return {s, std::string("Config\\") + value, "Hojageneral", field, -1};
}
TExpected Port(TSeverity s, int i, const char* value, const char* field) {
  return {s, "Ports\\Port" + std::to_string(i + 1) + "\\" + value, "Hojapuertosbbs", field, i};
}
TExpected Folder(TSeverity s, const char* value, const char* field,
                 const char* page = "Hojadirectorios") {
  return {s, std::string("Folders\\") + value, page, field, -1};
}
TExpected Server(TSeverity s, int i, const std::string& key, const char* value, const char* field) {
  return {s, key + (*value ? std::string("\\") + value : ""), "Hojaservers", field, i};
}

}  // namespace

TEST(CheckTest, FullStationGivesNothingAndProbesTheDiskSparingly) {
  TStation station;
  const std::vector<TFinding> findings = CheckConfiguration(station.c, station.disk);
  for (const TFinding& f : findings) ADD_FAILURE() << FindingLine(f);
  // One listing of the drivers folder, one of the servers folder; each
  // folder asked about once.
  EXPECT_EQ(station.disk.listings, 2);
  for (const auto& [path, times] : station.disk.kindAsked) EXPECT_EQ(times, 1) << path;
  EXPECT_EQ(CheckExitCode(findings), 0);
  EXPECT_EQ(FindingsSummary(findings), "No errors, no warnings.");
}

TEST(CheckTest, Identity) {
  const auto text = [](TStationText field, const char* value) {
    return [field, value](TStation& s) { s.c.SetText(field, value); };
  };
  RunRows({
      {"no callsign", text(&T::Editbbsindicativo, ""),
       {General(E, "BbsCallsign", "Editbbsindicativo")}, "empty"},
      {"no route", text(&T::Edithroute, ""), {General(E, "BbsCallsign", "Edithroute")}, "empty"},
      {"callsign with a dash", text(&T::Editbbsindicativo, "EA5-ZZ"),
       {General(E, "BbsCallsign", "Editbbsindicativo")}, "\"EA5-ZZ\""},
      {"callsign without a digit", text(&T::Editbbsindicativo, "EAZZZ"),
       {General(E, "BbsCallsign", "Editbbsindicativo")}, "no digit"},
      {"near miss: digit first", text(&T::Editbbsindicativo, "2E0AAA"), {}},
      {"callsign of 7", text(&T::Editbbsindicativo, "EA5ZZZZ"),
       {General(W, "BbsCallsign", "Editbbsindicativo")}, "7 characters"},
      {"near miss: callsign of 6", text(&T::Editbbsindicativo, "EA5ZZY"), {}},
      {"route with a blank", text(&T::Edithroute, "#VAL .ESP"),
       {General(E, "BbsCallsign", "Edithroute")}, "\"#VAL .ESP\""},
      {"route cut by the field", text(&T::Edithroute, "#VALENCIA.ESP.EU.EURO.WORLD1"),
       {General(E, "BbsCallsign", "Edithroute")}, "35 characters"},
      {"near miss: route that just fits", text(&T::Edithroute, "#VALENCIA.ESP.EU.EURO.WORLD"), {}},
      {"SSID 16", text(&T::Editssid, "16"), {General(E, "SSID", "Editssid")}, "\"16\""},
      {"SSID not a number", text(&T::Editssid, "1A"), {General(E, "SSID", "Editssid")}},
      {"near miss: SSID 15", text(&T::Editssid, "15"), {}},
      {"near miss: no SSID is 0", text(&T::Editssid, ""), {}},
      {"no locator", text(&T::Editlocator, ""), {General(W, "Locator", "Editlocator")}},
      {"locator of 5", text(&T::Editlocator, "IM98M"), {General(W, "Locator", "Editlocator")},
       "\"IM98M\""},
      {"locator beyond R", text(&T::Editlocator, "SM98"), {General(W, "Locator", "Editlocator")}},
      {"locator subsquare beyond X", text(&T::Editlocator, "IM98MY"),
       {General(W, "Locator", "Editlocator")}},
      {"near miss: locator of 4", text(&T::Editlocator, "IM98"), {}},
      {"near miss: locator in small letters", text(&T::Editlocator, "im98mm"), {}},
      {"no sysop callsign", text(&T::Editsysopindicativo, ""),
       {General(W, "SysOpCallsign", "Editsysopindicativo")}},
      {"sysop callsign without a digit", text(&T::Editsysopindicativo, "EAXX"),
       {General(W, "SysOpCallsign", "Editsysopindicativo")}, "\"EAXX\""},
      {"sysop SSID 16", text(&T::Editsysopindicativo, "EA5XX-16"),
       {General(W, "SysOpCallsign", "Editsysopindicativo")}, "\"16\""},
      {"sysop callsign of 7", text(&T::Editsysopindicativo, "EA5XXXX"),
       {General(W, "SysOpCallsign", "Editsysopindicativo")}},
      {"near miss: sysop callsign with SSID 15", text(&T::Editsysopindicativo, "EA5XX-15"), {}},
  });
}

TEST(CheckTest, Ports) {
  const auto field = [](int i, char(TPortRecord::*f)[5], const char* value) {
    return [=](TStation& s) { SetField(s.c.PortTable[i].*f, value); };
  };
  const auto baud = [](int i, const char* value) {
    return [=](TStation& s) { SetField(s.c.PortTable[i].BaudRate, value); };
  };
  const auto hex = [](int i, const char* value) {
    return [=](TStation& s) { SetField(s.c.PortTable[i].HexAddress, value); };
  };
  const auto channels = [](int i, const char* all, const char* fwd) {
    return [=](TStation& s) {
      SetField(s.c.PortTable[i].NumChannels, all);
      SetField(s.c.PortTable[i].NumFwdChannels, fwd);
    };
  };
  using P = TPortRecord;
  RunRows({
      {"two serial ports on COM1", field(5, &P::Com, "1"), {Port(E, 5, "Com", "Comports")},
       "Ports 5 and 6 are both on COM1"},
      {"COM 01 is COM1", field(6, &P::Com, "01"), {Port(E, 6, "Com", "Comports")}},
      {"a disabled port on COM1", field(8, &P::Com, "1"), {Port(W, 8, "Com", "Comports")}},
      {"near miss: a BPQ port on the serial port's number", field(0, &P::Com, "1"), {}},
      {"serial port on COM0", field(4, &P::Com, "0"), {Port(E, 4, "Com", "Comports")}, "\"0\""},
      {"serial port without COM", field(4, &P::Com, ""), {Port(E, 4, "Com", "Comports")}},
      {"TCP ports on one number", baud(7, "6300"), {Port(E, 7, "BaudRate", "Direccionserie")},
       "TCP port 6300"},
      {"TLN port on the TCP port's number", baud(3, "6300"),
       {Port(E, 3, "BaudRate", "Direccionserie")}},
      {"near miss: the next number", baud(7, "6302"), {}},
      {"TCP port number of the page's default", baud(2, "3F8"),
       {Port(E, 2, "BaudRate", "Direccionserie")}, "\"3F8\""},
      {"TCP port number 0", baud(2, "0"), {Port(E, 2, "BaudRate", "Direccionserie")}},
      {"TCP port number none", baud(2, ""), {Port(E, 2, "BaudRate", "Direccionserie")}},
      {"TCP port number 65536", baud(2, "65536"), {Port(E, 2, "BaudRate", "Direccionserie")}},
      {"near miss: TCP port number 65535", baud(2, "65535"), {}},
      {"near miss: TCP port number 1", baud(2, "1"), {}},
      {"type without its DLL", field(6, &P::Driver, "XYZ"), {Port(E, 6, "Driver", "Modopuerto2")},
       "XYZ.dll"},
      {"disabled port's type without its DLL", field(8, &P::Driver, "XYZ"),
       {Port(W, 8, "Driver", "Modopuerto2")}},
      {"near miss: the type in small letters", field(6, &P::Driver, "pac"), {}},
      {"near miss: a port not in use on COM1 and TCP port 6300",
       [](TStation& s) {
         SetField(s.c.PortTable[9].Com, "1");
         SetField(s.c.PortTable[9].BaudRate, "6300");
       },
       {}},
      {"serial port without a speed", baud(4, ""), {Port(E, 4, "BaudRate", "Velocidadserie")}},
      {"serial port at speed 0", baud(4, "0"), {Port(E, 4, "BaudRate", "Velocidadserie")}},
      {"near miss: serial port at 300 bauds", baud(4, "300"), {}},
      {"I/O address not hexadecimal", hex(4, "3G8"), {Port(E, 4, "HexAddress", "Direccionserie")},
       "\"3G8\""},
      {"near miss: I/O address in small letters", hex(4, "2f8"), {}},
      {"near miss: no I/O address is 0", hex(4, ""), {}},
      {"more forwarding channels than channels", channels(2, "2", "3"),
       {Port(E, 2, "NumFwdChannels", "Numcanalesfwd")}, "3 forwarding channels but only 2"},
      {"forwarding channels above the default 3", channels(2, "", "4"),
       {Port(E, 2, "NumFwdChannels", "Numcanalesfwd")}},
      {"near miss: as many forwarding channels as channels", channels(2, "", "3"), {}},
  });
}

TEST(CheckTest, Folders) {
  const auto text = [](TStationText field, const char* value) {
    return [field, value](TStation& s) { s.c.SetText(field, value); };
  };
  RunRows({
      // The emptied root gives disk C "\UsersPub", which is no full path.
      {"no root", text(&T::Directorioraiz, ""),
       {Folder(E, "ZubRoot", "Directorioraiz"),
        Folder(E, "UsersPub", "Diskc", "Hojadirectorioszub")}},
      {"no PG folder", text(&T::Pgdir, ""), {Folder(E, "Pg", "Pgdir")}},
      {"relative PG folder", text(&T::Pgdir, "Pg"), {Folder(E, "Pg", "Pgdir")}, "\"Pg\""},
      {"PG folder on a drive without a separator", text(&T::Pgdir, "C:Pg"),
       {Folder(E, "Pg", "Pgdir")}},
      {"near miss: PG folder on a share",
       [](TStation& s) {
         s.disk.AddFolder("\\\\RADIO\\BBS");
         s.c.SetText(&T::Pgdir, "\\\\radio\\bbs\\Pg");
       },
       {}},
      {"PG folder that is a file",
       [](TStation& s) {
         s.disk.Remove("C:\\BBS\\Pg");
         s.disk.AddFile("C:\\BBS\\Pg");
       },
       {Folder(E, "Pg", "Pgdir")}, "C:\\BBS\\Pg"},
      {"PG folder on a drive that does not exist", text(&T::Pgdir, "Q:\\BBS\\Pg"),
       {Folder(E, "Pg", "Pgdir")}, "Q:\\BBS\\Pg"},
      {"PG folder below a file",
       [](TStation& s) {
         s.disk.AddFile("C:\\BBS\\Notes");
         s.c.SetText(&T::Pgdir, "C:\\BBS\\Notes\\Pg");
       },
       {Folder(E, "Pg", "Pgdir")}},
      {"near miss: PG folder that the save makes", text(&T::Pgdir, "C:\\BBS\\New\\Pg"), {}},
      {"PG folder that the save cannot split", text(&T::Pgdir, "C:/BBS/New/Pg"),
       {Folder(E, "Pg", "Pgdir")}},
      {"near miss: PG folder written with \"/\" that exists", text(&T::Pgdir, "C:/BBS/Pg/"), {}},
      {"a folder only the root gives is a file",
       [](TStation& s) {
         s.disk.Remove("C:\\BBS\\Data\\Log");
         s.disk.AddFile("C:\\BBS\\Data\\Log");
       },
       {Folder(E, "Log", "Directorioraiz")}},
      {"PG folder with a variable not set", text(&T::Pgdir, "%BBSPG%\\Pg"),
       {Folder(E, "Pg", "Pgdir")}, "%BBSPG%"},
      {"near miss: PG folder with a variable set",
       [](TStation& s) {
         s.disk.variables["BBS"] = "C:\\BBS";
         s.c.SetText(&T::Pgdir, "%BBS%\\Pg");
       },
       {}},
      {"import file that is a folder", text(&T::Ficheroimport, "C:\\BBS\\Data"),
       {Folder(E, "ImportFile", "Ficheroimport")}},
      {"near miss: import file not there yet", text(&T::Ficheroimport, "C:\\BBS\\Other.in"), {}},
      {"messages and compressed messages in one folder",
       text(&T::Directoriomensajesbin, "c:\\bbs\\data\\mail\\"),
       {Folder(E, "CompresMail", "Directoriomensajesbin")}, "messages folder"},
      {"docs in the data folder", text(&T::Directoriodocs, "C:\\BBS\\Data"),
       {Folder(W, "Docs", "Directoriodocs")}, "data folder"},
      {"near miss: docs in a folder of the data folder", text(&T::Directoriodocs, "C:\\BBS\\Data\\Doc"),
       {}},
      {"drivers folder without a driver",
       [](TStation& s) {
         for (const char* dll : {"AGW.dll", "bpq.dll", "KIS.DLL", "PAC.dll", "TCP.dll", "TLN.dll"})
           s.disk.Remove("C:\\BBS\\Drivers\\" + std::string(dll));
       },
       {Folder(E, "Drivers", "Driversdir")}, "???.dll"},
      {"drivers folder that the save makes", text(&T::Driversdir, "C:\\BBS\\Drv"),
       {Folder(E, "Drivers", "Driversdir")}},
      {"near miss: drivers folder with one driver",
       [](TStation& s) {
         for (const char* dll : {"AGW.dll", "bpq.dll", "KIS.DLL", "PAC.dll", "TLN.dll"})
           s.disk.Remove("C:\\BBS\\Drivers\\" + std::string(dll));
         for (int i = 0; i < kPortCount; ++i)
           if (std::string(s.c.PortTable[i].Driver) != "TCP") SetField(s.c.PortTable[i].Driver, "NON");
       },
       {}},
      {"virtual disk holding a comma", text(&T::Diskb, "C:\\A,B"),
       {Folder(E, "UsersPub", "Diskb", "Hojadirectorioszub")}, "\",\""},
      {"virtual disk that does not exist", text(&T::Diskb, "C:\\Nowhere"),
       {Folder(W, "UsersPub", "Diskb", "Hojadirectorioszub")}, "Virtual disk B"},
      {"relative virtual disk", text(&T::Diskb, "Disk"),
       {Folder(E, "UsersPub", "Diskb", "Hojadirectorioszub")}},
      {"near miss: virtual disk not in use", text(&T::Diskb, ""), {}},
  });
}

TEST(CheckTest, Servers) {
  const auto file = [](int i, const char* value, const char* disabled = "false") {
    return [=](TStation& s) {
      SetField(s.c.ServerTable[i].File, value);
      SetField(s.c.ServerTable[i].Disabled, disabled);
    };
  };
  const auto name = [](int i, const char* value) {
    return [=](TStation& s) { SetField(s.c.ServerTable[i].Name, value); };
  };
  RunRows({
      {"program not in the servers folder", file(2, "PONG.EXE"),
       {Server(E, 2, "Servers\\PING", "File", "Editfileserver")}, "PONG.EXE"},
      {"disabled server's program not there", file(2, "PONG.EXE", "true"),
       {Server(W, 2, "Servers\\PING", "File", "Editfileserver")}},
      {"near miss: program in small letters", file(2, "ping.exe"), {}},
      {"near miss: the internal server as typed", file(2, "INTERNAL SERVER"), {}},
      {"no program", file(2, ""), {Server(E, 2, "Servers\\PING", "File", "Editfileserver")}},
      {"two servers run one program", file(3, "conv.exe"),
       {Server(W, 3, "Servers\\WX", "File", "Editfileserver")}, "CONV.EXE"},
      {"near miss: two internal servers", file(3, "**********"), {}},
      {"name with a backslash", name(3, "W\\X"),
       {Server(E, 3, "Servers\\W\\X", "", "Editaddserver")}, "\"\\\""},
      {"name with a control character", name(3, "W\tX"),
       {Server(E, 3, "Servers\\W\tX", "", "Editaddserver")}, "control character"},
      {"no name", name(3, ""), {Server(E, 3, "Servers", "", "Editaddserver")}},
      {"two names but for capitals", name(3, "ping"),
       {Server(E, 3, "Servers\\ping", "", "Editaddserver")}, "\"PING\""},
      {"near miss: names that differ", name(3, "PING2"), {}},
      {"servers folder that the save makes",
       [](TStation& s) { s.c.SetText(&T::Serversdir, "C:\\BBS\\Srv"); },
       {Server(E, 0, "Servers\\CONV", "File", "Editfileserver"),
        Server(E, 2, "Servers\\PING", "File", "Editfileserver"),
        Server(E, 3, "Servers\\WX", "File", "Editfileserver")}},
      {"near miss: servers beyond the count", [](TStation& s) { SetServer(s.c, 4, "X\\Y", ""); }, {}},
  });
}

TEST(CheckTest, FamiliesComeInTheirOrder) {
  TStation station;
  station.c.SetText(&T::Editlocator, "");
  SetField(station.c.PortTable[5].Com, "1");
  station.c.SetText(&T::Pgdir, "Pg");
  SetField(station.c.ServerTable[2].File, "PONG.EXE");
  const std::vector<TFinding> findings = CheckConfiguration(station.c, station.disk);
  ASSERT_EQ(findings.size(), 4u);
  EXPECT_EQ(findings[0].Where(), "Config\\Locator");
  EXPECT_EQ(findings[1].Where(), "Ports\\Port6\\Com");
  EXPECT_EQ(findings[2].Where(), "Folders\\Pg");
  EXPECT_EQ(findings[3].Where(), "Servers\\PING\\File");
}

TEST(CheckTest, LinesSummaryAndExitCode) {
  TFinding error{TSeverity::Error, "Ports\\Port2", "Com", "Hojapuertosbbs", "Comports", 1,
                 "Ports 1 and 2 are both on COM1."};
  TFinding warning{TSeverity::Warning, "Config", "Locator", "Hojageneral", "Editlocator", -1,
                   "No QTH locator is set."};
  EXPECT_EQ(FindingLine(error), "error: Ports\\Port2\\Com: Ports 1 and 2 are both on COM1.");
  EXPECT_EQ(FindingLine(warning), "warning: Config\\Locator: No QTH locator is set.");
  TFinding key{TSeverity::Error, "Servers", "", "Hojaservers", "Editaddserver", 0, "x"};
  EXPECT_EQ(key.Where(), "Servers");
  EXPECT_EQ(FindingsSummary({}), "No errors, no warnings.");
  EXPECT_EQ(FindingsSummary({warning}), "No errors, 1 warning.");
  EXPECT_EQ(FindingsSummary({error, error, warning}), "2 errors, 1 warning.");
  EXPECT_EQ(FindingsSummary({error, warning, warning}), "1 error, 2 warnings.");
  EXPECT_EQ(CheckExitCode({}), 0);
  EXPECT_EQ(CheckExitCode({warning, warning}), 1);
  EXPECT_EQ(CheckExitCode({warning, error}), 2);
}
