// The keys of the stored configuration below HKEY_LOCAL_MACHINE, as absolute
// paths of the registry layer (leading "\").
#pragma once
#include <string>

inline constexpr char kNodraxKey[] = "\\Software\\Nodrax";
inline constexpr char kConfigKey[] = "\\Software\\Nodrax\\Config";
inline constexpr char kFoldersKey[] = "\\Software\\Nodrax\\Folders";
// The older name of Folders: read in its place when present, never written.
inline constexpr char kDirectoriesKey[] = "\\Software\\Nodrax\\Directories";
inline constexpr char kPortsKey[] = "\\Software\\Nodrax\\Ports";
inline constexpr char kServersKey[] = "\\Software\\Nodrax\\Servers";
// The editor's own state: its version and window position.
inline constexpr char kWindowKey[] = "\\Software\\Nodrax\\Windows\\Nodraxcfg";

// A configuration file is read while mounted here, below HKEY_LOCAL_MACHINE.
inline constexpr char kMountKey[] = "\\Nodrax";
// The same key below another root (kNodraxKey or kMountKey): the part of the
// path after "\Software\Nodrax", put after the root.
inline std::string KeyBelow(const std::string& root, const char* key) {
  return root + (key + (sizeof kNodraxKey - 1));
}

// Where a command that replaces the stored tree notes that it is under way
// (editor/transfer/ReplaceJournal.h): beside the tree, not in it, as the
// command deletes the tree. Nothing of the BBS reads it.
inline constexpr char kJournalKey[] = "\\Software\\Nodraxcfg\\Replacing";
