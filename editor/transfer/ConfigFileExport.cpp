// Export of the stored configuration into a configuration file: the
// platform's registry saves the key Software\Nodrax as a hive file.
#include <windows.h>

#include <string>

#include "editor/config/RegistryKeys.h"
#include "editor/transfer/Commands.h"
#include "platform/Registry.h"

namespace {

// A name beside the chosen file that no file has yet: the key save refuses
// to write over a file.
std::string FreeNameBeside(const std::string& path) {
  std::string name = path + ".new";
  for (int n = 1; GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; ++n)
    name = path + ".new" + std::to_string(n);
  return name;
}

// Archive alone, the attribute of a plain file; setting it costs more than
// looking, so it is set only where it is not so already.
void MakeArchive(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) != FILE_ATTRIBUTE_ARCHIVE)
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
}

// Over an existing file the key goes into a new file beside it, which
// replaces it only when the save succeeded: a failed export (a privilege not
// held, a full disk) keeps the sysop's previous backup. The file ends with
// the archive attribute alone.
LONG SaveConfigurationFile(const std::string& path) {
  const DWORD before = GetFileAttributesA(path.c_str());
  if (before == INVALID_FILE_ATTRIBUTES) {
    const LONG rc = TRegistry().SaveKey(kNodraxKey, path);
    // What a failed save left is no backup; a file made meanwhile by
    // someone else is not ours to delete.
    if (rc != ERROR_SUCCESS && rc != ERROR_ALREADY_EXISTS) DeleteFileA(path.c_str());
    if (rc == ERROR_SUCCESS) MakeArchive(path);
    return rc;
  }
  const std::string fresh = FreeNameBeside(path);
  LONG rc = TRegistry().SaveKey(kNodraxKey, fresh);
  if (rc != ERROR_SUCCESS) {
    DeleteFileA(fresh.c_str());
    return rc;
  }
  // A read-only, hidden or system file would not be replaced.
  const bool plain = (before & ~DWORD(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL)) == 0;
  if (!plain) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
  if (!MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    rc = static_cast<LONG>(GetLastError());
    DeleteFileA(fresh.c_str());
    if (!plain) SetFileAttributesA(path.c_str(), before);
    return rc;
  }
  MakeArchive(path);
  return ERROR_SUCCESS;
}

}  // namespace

TCommandResult ExportConfigFile(const std::string& path) {
  TCommandResult result;
  result.File = path;
  result.Code = SaveConfigurationFile(path);
  if (result.Code != ERROR_SUCCESS) result.Outcome = TCommandOutcome::Failed;
  return result;
}
