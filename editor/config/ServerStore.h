// The servers the BBS runs, changed one at a time: unlike every other part
// of the configuration, an add, a change or a delete of a server is written
// to its key below Software\Nodrax\Servers at once, and the save is not
// involved. The server table changes the same way, so that servers taken
// over by an import and not stored yet stay in it.
#pragma once
#include <string>

#include "editor/config/Configuration.h"
#include "editor/config/RegistryKeys.h"

// What the file field of a server shows for the BBS's own server.
inline constexpr char kInternalServer[] = "INTERNAL SERVER";

enum class TServerOutcome {
  Stored,
  Unnamed,      // no name or no program: nothing done
  BadName,      // a "\" would put the key below another server's
  Full,         // a new server, and the table holds the most the BBS runs
  WriteFailed,  // the registry refused; Failure says what and why
};
struct TServerResult {
  TServerOutcome Outcome = TServerOutcome::Stored;
  std::string Failure;
  int Entry = -1;  // the table entry stored or deleted
};

// Adds the server, or changes the one of that name (names compare as the
// registry compares key names, without regard to case). The program is
// kept in capitals, the BBS's own server as its mark.
TServerResult StoreServer(TConfiguration& config, const std::string& name,
                          const std::string& program, const std::string& description,
                          bool disabled, const std::string& root = kNodraxKey);

// Deletes the server of that table entry from the store and the table.
TServerResult DeleteServer(TConfiguration& config, int entry,
                           const std::string& root = kNodraxKey);

// What the file field shows for a stored program.
std::string ShownProgram(const TServerRecord& server);
