// Putting a backup back whole: Software\Nodrax made exactly the tree of a
// configuration file, every key, value and type, and nothing more. Unlike
// "Import Config", nothing is read through the load or saved over it, so
// that values no page shows, other programs' keys and the BBS's own come
// back as they were.
#pragma once
#include <windows.h>

#include <string>

// Whether the registry takes the file as a configuration file: it is
// mounted and unmounted again at the mount point, freed first of what a
// cut-short command left there. ERROR_SUCCESS, or why not (not a hive, the
// mount point held by another program...).
LONG CheckRestorable(const std::string& file);

// Deletes the stored tree, then mounts the file and copies its tree in the
// stored one's place, makes it durable and unmounts the file.
// ERROR_SUCCESS, or the mount's refusal or the first write the registry
// refused.
LONG ReplaceStoredTreeWith(const std::string& file);
