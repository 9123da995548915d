// Saving a configuration object into the registry tree, and making on disk
// the folders it names. No window takes part: the window's save command
// shows what the result says.
#pragma once
#include <string>

#include "editor/config/Configuration.h"
#include "editor/config/RegistryKeys.h"

class TRegistry;

enum class TSaveOutcome {
  Saved,
  NoCallsign,   // refused: the BBS would have no callsign; nothing written but the Config key
  NoRoute,      // refused: no hierarchical route
  WriteFailed,  // written as far as the registry let it; Failure says what was not
};
struct TSaveResult {
  TSaveOutcome Outcome = TSaveOutcome::Saved;
  std::string Failure;  // the warning for WriteFailed
};

// The one save: Config, the servers, the folders (made on disk), the ports
// (the keys of ports not in use deleted), each in the fixed order the BBS's
// tools expect; the composed values and flag words of ConfigRecord are set
// on the way. The identity is checked after Config is opened (and made).
// The writes are made durable by one flush after the last: a flush writes
// the whole hive, so that one covers every key the save wrote.
TSaveResult SaveConfiguration(TConfiguration& config, const std::string& root = kNodraxKey);

// Writes the whole record into the four keys of the BBS below root, each
// key made when missing, in the order the BBS's own tools write them.
void WriteCarriedOverSettings(const TCarriedOverSettings& settings,
                              const std::string& root = kNodraxKey);

// The warning text for the first write that the registry refused: the key,
// below HKEY_LOCAL_MACHINE, and the platform's text for the refusal. Every
// operation that writes the configuration reports a refusal with it, after
// saying what was not stored.
std::string FailedWriteText(const TRegistry& reg);
