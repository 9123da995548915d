#include "editor/transfer/Backup.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "editor/config/FolderRules.h"
#include "editor/config/RegistryKeys.h"
#include "editor/transfer/BackupSecurity.h"
#include "platform/Registry.h"

namespace {

const char kPrefix[] = "Nodrax-";
const char kExtension[] = ".zub";

bool IsFullPath(const std::string& path) {
  auto slash = [](char c) { return c == '\\' || c == '/'; };
  if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
      slash(path[2]))
    return true;
  return path.size() > 2 && slash(path[0]) && slash(path[1]);  // \\server\share
}

bool Digits(const std::string& text, std::size_t from, std::size_t count) {
  if (from + count > text.size()) return false;
  for (std::size_t i = from; i < from + count; ++i)
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  return true;
}

// Whether the name is one the backups are given,
// Nodrax-YYYYMMDD-HHMMSS[-n].zub: pruning leaves every other file alone.
bool NamedAsBackup(const std::string& name) {
  const std::size_t prefix = sizeof kPrefix - 1, extension = sizeof kExtension - 1;
  const std::size_t stampEnd = prefix + 15;  // YYYYMMDD-HHMMSS
  if (name.size() < stampEnd + extension || _strnicmp(name.c_str(), kPrefix, prefix) != 0 ||
      _stricmp(name.c_str() + name.size() - extension, kExtension) != 0 ||
      !Digits(name, prefix, 8) || name[prefix + 8] != '-' || !Digits(name, prefix + 9, 6))
    return false;
  const std::size_t tail = name.size() - extension - stampEnd;  // "" or "-n"
  return tail == 0 || (tail >= 2 && tail <= 5 && name[stampEnd] == '-' &&
                       Digits(name, stampEnd + 1, tail - 1) && name[stampEnd + 1] != '0');
}

std::string Stamp(const SYSTEMTIME& at) {
  char text[32];
  std::snprintf(text, sizeof text, "%04u%02u%02u-%02u%02u%02u", at.wYear % 10000u, at.wMonth % 100u,
                at.wDay % 100u, at.wHour % 100u, at.wMinute % 100u, at.wSecond % 100u);
  return text;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FullPath(const std::string& path) {
  char full[MAX_PATH * 2];
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return length && length < sizeof full ? std::string(full, length) : path;
}

// The backups of the folder beyond the newest, the one just written and the
// spared one apart. Newest by when each was written, not by its name: the
// name holds the local clock of its moment, which may have been set back
// since, and "-n" names are given again once pruned.
void Prune(const std::string& folder, const std::string& written, const std::string& spared) {
  const std::string sparedPath = spared.empty() ? "" : FullPath(spared);
  struct TFound {
    ULONGLONG Written;
    std::string Name;
  };
  std::vector<TFound> others;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "\\" + kPrefix + "*" + kExtension).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    // The pattern also matches through short names (Nodrax-~1.ZUB for a
    // ".zubx"): the long name decides.
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && NamedAsBackup(name) &&
        _stricmp(name.c_str(), written.c_str()) != 0 &&
        _stricmp(FullPath(folder + "\\" + name).c_str(), sparedPath.c_str()) != 0)
      others.push_back({(ULONGLONG{found.ftLastWriteTime.dwHighDateTime} << 32) |
                            found.ftLastWriteTime.dwLowDateTime,
                        name});
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(others.begin(), others.end(), [](const TFound& a, const TFound& b) {
    return a.Written != b.Written ? a.Written > b.Written : a.Name > b.Name;
  });
  // A file that cannot be deleted (read-only, open) stays; the next backup
  // tries again.
  for (std::size_t i = kBackupsKept - 1; i < others.size(); ++i)
    DeleteFileA((folder + "\\" + others[i].Name).c_str());
}

}  // namespace

std::string StoredRootFolder() {
  TRegistry reg;
  const char* key = reg.KeyExists(kDirectoriesKey) ? kDirectoriesKey : kFoldersKey;
  std::string root;
  try {
    if (!reg.OpenKeyReadOnly(key) || !reg.TryReadString("ZubRoot", root)) return "";
  } catch (const ERegistryException&) {
    return "";  // a ZubRoot of another type is no root
  }
  return UsableRoot(root);
}

std::string UsableRoot(const std::string& root) {
  const std::optional<std::string> expanded = ExpandVariables(root);
  return expanded && IsFullPath(*expanded) ? *expanded : "";
}

TBackupResult BackUpStoredConfiguration(const std::string& root, const SYSTEMTIME& at,
                                        const std::string& spared) {
  TBackupResult result;
  const std::string usable = UsableRoot(root);
  std::string base = usable.empty() ? root : usable;
  while (!base.empty() && (base.back() == '\\' || base.back() == '/')) base.pop_back();
  result.Folder = base + "\\Backup";
  if (!TRegistry().KeyExists(kNodraxKey)) return result;  // nothing stored, nothing to keep
  if (usable.empty()) {
    result.Code = ERROR_BAD_PATHNAME;
    return result;
  }
  for (const std::string& folder : FoldersToCreate(result.Folder, false))
    if (folder != result.Folder) CreateDirectoryA(folder.c_str(), nullptr);  // existing: no error
  if ((result.Code = MakeProtectedBackupFolder(result.Folder)) != ERROR_SUCCESS) return result;
  const DWORD attributes = GetFileAttributesA(result.Folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    result.Code = attributes == INVALID_FILE_ATTRIBUTES ? static_cast<LONG>(GetLastError())
                                                        : ERROR_DIRECTORY;
    return result;
  }

  const std::string name = result.Folder + "\\" + kPrefix + Stamp(at);
  std::string partial = name + kExtension + ".new";
  for (int n = 2; Exists(partial); ++n) partial = name + kExtension + ".new" + std::to_string(n);
  result.Code = SaveProtectedBackup(kNodraxKey, partial);
  if (result.Code != ERROR_SUCCESS) {
    // Another's file of that name is not ours to delete.
    if (result.Code != ERROR_ALREADY_EXISTS) DeleteFileA(partial.c_str());
    return result;
  }
  // A move never replaces a file: two backups within one second, even of
  // two processes, each get a name of their own.
  for (unsigned place = 1; place <= 9999; ++place) {
    const std::string file = name + (place > 1 ? "-" + std::to_string(place) : "") + kExtension;
    if (MoveFileA(partial.c_str(), file.c_str())) {
      result.Code = ERROR_SUCCESS;
      result.File = file;
      Prune(result.Folder, file.substr(result.Folder.size() + 1), spared);
      return result;
    }
    result.Code = static_cast<LONG>(GetLastError());
    if (result.Code != ERROR_ALREADY_EXISTS && result.Code != ERROR_FILE_EXISTS) break;
  }
  DeleteFileA(partial.c_str());
  return result;
}
