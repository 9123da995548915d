// The commands that take configurations in, put them out and replace the
// stored one. Each works on the document and asks and tells through the
// host, so that the window and the command line run the same command; each
// returns what happened, for its host to show or print.
#pragma once
#include <windows.h>

#include <string>

class IHost;
class TDocument;

enum class TCommandOutcome {
  Done,
  Cancelled,  // the sysop said no: nothing changed
  Refused,    // the file, or the key it is read through, cannot be taken: nothing changed
  NoBackup,   // no backup could be taken and the sysop did not go on: nothing changed
  Failed,     // the store could not be written or read as the command needed
};

struct TCommandResult {
  TCommandOutcome Outcome = TCommandOutcome::Done;
  // The platform's code of the step that decided (ERROR_SUCCESS when done).
  LONG Code = ERROR_SUCCESS;
  // The file the command took or wrote.
  std::string File;
  // The backup taken before the store changed; empty when none was (nothing
  // stored, or the sysop went on without one).
  std::string Backup;
  bool Done() const { return Outcome == TCommandOutcome::Done; }
};

// Export: the stored tree into a configuration file. Over an existing file
// the file is replaced only by a complete export.
TCommandResult ExportConfigFile(const std::string& path);

// A backup of the stored tree into <root>\Backup, pruned as every backup;
// File is the backup ("" with nothing stored). Refused with no root.
TCommandResult BackUpConfiguration(TDocument& document, IHost& host);

// Import of a configuration file: refused unless the file mounts, reads and
// gives a callsign and a route; then the changes are asked about, the store
// is backed up, deleted, and filled from the file by the editor's rules, and
// the configuration loaded from the result.
TCommandResult ImportConfigFile(TDocument& document, IHost& host, const std::string& path);

// Deletion of the stored tree, after the question about changes and a
// backup; the configuration is then loaded from the emptied store.
TCommandResult DeleteConfig(TDocument& document, IHost& host);

// Puts a backup (or any configuration file) back whole, byte for byte,
// after a backup of what it replaces; nothing is saved over it. The caller
// has asked the sysop. The configuration is loaded from the result.
TCommandResult RestoreBackup(TDocument& document, IHost& host, const std::string& path);

// At the start: a command that replaces the stored tree and was cut short
// is named, and the backup it took is offered back.
void RecoverInterruptedReplace(IHost& host);

// The folder that holds this station's backups: <root>\Backup, or the root
// of the current drive without a root.
std::string BackupFolder(const TDocument& document);
