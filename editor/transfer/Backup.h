// Backups of the stored configuration, taken before a command replaces or
// deletes it: the same hive file as an export, so that "Import Config" puts
// one back. They go into <root>\Backup as Nodrax-YYYYMMDD-HHMMSS.zub (local
// time; a second one within the same second gets "-2", then "-3"...), and
// the ten newest stay.
#pragma once
#include <windows.h>

#include <string>

inline constexpr int kBackupsKept = 10;

struct TBackupResult {
  // ERROR_SUCCESS, or why no backup was written (a folder that cannot be
  // made, a save the platform refused, a full disk...).
  LONG Code = ERROR_SUCCESS;
  // The backup written; empty when nothing was stored (nothing to keep) or
  // on a failure.
  std::string File;
  // The folder it went into or was meant to go into.
  std::string Folder;
};

// The BBS root folder as stored (ZubRoot of Folders, or of the older
// Directories key when that is present, as the load reads it); empty when
// none is stored, or when the stored one is no full path (a drive or a
// network share): a relative root would put the backups wherever the
// process happens to stand.
// A root stored through a %VARIABLE% (REG_EXPAND_SZ, or a text an
// installer wrote) is expanded; one naming a variable that is not set is
// none.
std::string StoredRootFolder();
// The root as a folder the backups can go below: expanded, and a full path;
// empty otherwise.
std::string UsableRoot(const std::string& root);

// Saves Software\Nodrax into the root's Backup folder (made with its parents
// when missing) under the name for `at`, then deletes the backups of that
// folder beyond the ten newest by when they were written. The file
// is written under a temporary name and moved to its own only once it is
// complete, so that a backup cut short never passes for one. Files that are
// not named as backups are never touched; nor is the backup just written,
// nor `spared` (the file being imported: restoring the oldest backup must
// not delete it on the way).
TBackupResult BackUpStoredConfiguration(const std::string& root, const SYSTEMTIME& at,
                                        const std::string& spared = "");
