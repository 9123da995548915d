// How the BBS folders follow the root and the data folder, and which folders
// a save creates on disk for one configured path.
#pragma once
#include <string>
#include <string_view>
#include <vector>

struct TRootFolders {
  // Fields on the Folders and ZubDos pages.
  std::string Data, Config, Mail, CompresMail, Yapp, Docs, ImportFile, Pg, Filters,
      Servers, Drivers, Diskc;
  // Record fields with no field on screen.
  std::string Sounds, Lang, Fwd, Log, Sat, Wp, OldMail;
};

// Everything derived from the root folder R. Folders directly below the root
// are joined with one backslash unless R already ends in one; folders below
// the data and config folders always get exactly one.
TRootFolders DeriveFromRoot(std::string_view root);

struct TDataFolders {
  std::string Mail, CompresMail, Docs;
};
TDataFolders DeriveFromData(std::string_view data);

// The folders to create, in order, for a path: the path is split at "\"
// (empty parts skipped); the first part (normally the drive) is the start and
// is not created itself; each further part adds one folder. A path rooted
// without a drive starts at "\" and a network path at "\\server\share\". With
// mailSubfolders, "mail0" .. "mail9" inside the full path follow.
std::vector<std::string> FoldersToCreate(std::string_view path, bool mailSubfolders);
