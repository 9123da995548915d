// Putting a backup back whole: Software\Nodrax made exactly the tree of a
// configuration file, every key, value and type, and nothing more. Unlike
// "Import Config", nothing is read through the load or saved over it, so
// that values no page shows, other programs' keys and the BBS's own come
// back as they were.
#pragma once
#include <windows.h>

#include <string>

// Mounts the file at the mount point, freeing first what a cut-short
// command left there. ERROR_SUCCESS, or why the file cannot be taken (not
// a hive, the mount point held by another program...).
LONG MountForRestore(const std::string& file);

// Deletes the stored tree and copies the mounted file's tree in its place,
// then makes it durable. ERROR_SUCCESS, or the first write the registry
// refused.
LONG ReplaceStoredTreeWithMounted();
