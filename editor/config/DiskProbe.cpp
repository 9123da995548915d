#include "editor/config/DiskProbe.h"

#include <windows.h>

#include "platform/Registry.h"

IDiskProbe::TKind TDiskProbe::Kind(const std::string& path) const {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return TKind::Missing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? TKind::Folder : TKind::File;
}

std::vector<std::string> TDiskProbe::Files(const std::string& folder,
                                           const std::string& pattern) const {
  std::vector<std::string> names;
  if (folder.empty()) return names;
  const bool separated = folder.back() == '\\' || folder.back() == '/';
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + (separated ? "" : "\\") + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

bool TDiskProbe::CanCreate(const std::string& path) const {
  // The save makes each missing part below the first one that exists; a
  // drive that is not there, or a file on the way, stops it.
  std::string part = path;
  for (;;) {
    while (!part.empty() && (part.back() == '\\' || part.back() == '/')) part.pop_back();
    const std::size_t cut = part.find_last_of("\\/");
    if (cut == std::string::npos) return false;
    part.resize(cut);
    // "C:" alone is the drive's current folder: its root is "C:\".
    const std::string probe = part.size() == 2 && part[1] == ':' ? part + "\\" : part;
    const TKind kind = Kind(probe);
    if (kind != TKind::Missing) return kind == TKind::Folder;
    if (probe.size() == 3 && probe[1] == ':') return false;  // no such drive
  }
}

std::optional<std::string> TDiskProbe::Expand(const std::string& path) const {
  return ExpandVariables(path);
}
