// The steps before and after the stored configuration is deleted or
// replaced ("Import Config", "Delete Config", "Restore
// Backup"): the question about unsaved changes, asked before anything is
// deleted; the backup named to the host or, when it fails, the sysop's
// choice; the note that the command is under way; and the import's
// mount point freed of what a cut-short command left there.
#pragma once
#include <string>

class IHost;
class TDocument;

enum class TReplacement { Import, Delete, Restore };

// What the sysop said of the window's unsaved changes.
enum class TPendingChanges {
  None,     // there were none
  Save,     // Yes: they go into the store after the delete
  Discard,  // No
  Cancel,   // Cancel, or Yes to changes the save would refuse: nothing happens
};

// With changes pending, asks "Configuration has changed. Save?". A Yes to a
// configuration without a callsign or route warns, shows the field and
// counts as Cancel: the save after the delete would refuse it, and by then
// the stored configuration would be gone.
TPendingChanges AskAboutChanges(TDocument& document, IHost& host);

// The root whose Backup folder holds this station's backups: the stored
// root, else the one the window shows (a store without a root, values of
// the BBS alone or a foreign tree, still deserves its backup, and the root
// the sysop sees is where the next save would put the BBS); expanded, and
// empty when neither is a full path.
std::string BackupRoot(const TDocument& document);

// Backs the stored tree up into the BBS root's Backup folder (the stored
// root, else the one the window shows) and names the backup to the host. When no backup can be written, asks the sysop whether to go on
// without one (No is the default). Returns whether the command may delete
// the stored tree: true with nothing stored, with a backup, or after Yes;
// `written` gets the backup's path ("" for none). The command names the
// file it takes, which the pruning of old backups spares.
bool BackUpBeforeReplacing(TDocument& document, IHost& host, TReplacement replacement, const std::string& taking,
                           std::string& written);

// Notes that the command is under way, with the backup it took.
void BeginReplacing(IHost& host, TReplacement replacement, const std::string& backup);

// Frees the import's mount point of a file a cut-short command left
// mounted. When it cannot, says so under the caption and returns false.
bool FreeImportMountPoint(IHost& host, const char* caption,
                          const char* nothingDone = "Nothing was imported.");

// The delete that Delete Config and Import Config share, after their
// question, backup and note: the tree goes, the changes are saved into the
// emptied store when the sysop said so, and the configuration is loaded
// from the store.
void DeleteStoredConfiguration(TDocument& document, IHost& host, TPendingChanges changes);
