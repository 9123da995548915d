// The configuration check: what a sysop runs before starting the BBS. It
// reads a configuration object as the save would store it, and the folders
// it names on disk, and returns what the BBS would not take, or would take
// but probably not as meant. Each finding says which stored value it
// concerns and which page and field edit that value.
//
// Plain C++, no Windows: the disk is reached through IDiskProbe
// (editor/config/DiskProbe.h is the Windows one), so the check builds
// natively for its tests and fuzzing. The rules and their reasons are
// listed in README.md, "Configuration check".
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "editor/config/Configuration.h"

enum class TSeverity {
  Error,    // the BBS will not work as configured
  Warning,  // it will, but probably not as meant
};

struct TFinding {
  TSeverity Severity = TSeverity::Error;
  // The registry key below Software\Nodrax ("Config", "Folders",
  // "Ports\Port3", "Servers\PING") and the value's name ("Com"); the value
  // is empty when the finding concerns the key itself (a server's name).
  std::string Key;
  std::string Value;
  // The tab sheet (Hojageneral, Hojadirectorios, Hojadirectorioszub,
  // Hojapuertosbbs, Hojaservers) and the control on it that edits the value.
  std::string Page;
  std::string Field;
  // The port (0-9, PortTable) or the server (ServerTable index) to select
  // before focusing Field; -1 for the station's values.
  int Row = -1;
  // One sentence naming the values involved.
  std::string Text;

  // Key and value as the registry shows them: "Ports\Port3\Com".
  std::string Where() const;
};

// What the check asks of the disk. Paths are as stored, after Expand.
class IDiskProbe {
 public:
  virtual ~IDiskProbe();
  enum class TKind { Missing, File, Folder };
  // What the path names (one attribute query).
  virtual TKind Kind(const std::string& path) const = 0;
  // The names (no folder) of the files, not folders, of the folder that
  // match the pattern ("???.dll", "*"), in the order the system lists them;
  // none when the folder cannot be listed.
  virtual std::vector<std::string> Files(const std::string& folder,
                                         const std::string& pattern) const = 0;
  // Whether the save could make the missing folder: the nearest part of
  // the path that exists is a folder.
  virtual bool CanCreate(const std::string& path) const = 0;
  // The path with its %VARIABLE% parts expanded, as the save expands them
  // before it makes a folder; nothing when a variable is not set. The
  // default takes the path as it is.
  virtual std::optional<std::string> Expand(const std::string& path) const;
};

// The findings for the configuration, identity first, then the ports in
// use, the folders and the servers, each family in a fixed order. The
// disk is probed sparingly: one query per folder (more only for a missing
// one), one listing of the drivers folder and one of the servers folder.
// Tables that the editor's start left pending (PortsPending,
// ServersPending) must be read before (PortsNeeded, ServersNeeded).
std::vector<TFinding> CheckConfiguration(const TConfiguration& config, const IDiskProbe& disk);

// "error" or "warning".
const char* SeverityName(TSeverity severity);
// One line of the command line's report: "error: Ports\Port2\Com: <text>".
std::string FindingLine(const TFinding& finding);
// The closing line: "2 errors, 1 warning." or "No errors, no warnings.".
std::string FindingsSummary(const std::vector<TFinding>& findings);
// The exit code of "Nodraxcfg /check": 0 nothing found, 1 warnings only,
// 2 any error.
int CheckExitCode(const std::vector<TFinding>& findings);
