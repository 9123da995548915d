#include "editor/transfer/BackupSecurity.h"

#include <sddl.h>

#include "platform/Registry.h"

// 0x1200a9: read, list, traverse, attributes, synchronize.
const char kBackupFolderSddl[] =
    "O:BAD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";
const char kBackupFileSddl[] = "O:BAD:PAI(A;;FA;;;SY)(A;;FA;;;BA)(A;;FR;;;BU)";

TBackupSecurity::TBackupSecurity(TFor what) {
  const char* sddl = what == TFor::Folder ? kBackupFolderSddl : kBackupFileSddl;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor_,
                                                            nullptr))
    descriptor_ = nullptr;
  attributes_ = {sizeof attributes_, descriptor_, FALSE};
}

TBackupSecurity::~TBackupSecurity() {
  if (descriptor_) LocalFree(descriptor_);
}

LONG MakeProtectedBackupFolder(const std::string& folder) {
  TBackupSecurity security(TBackupSecurity::TFor::Folder);
  if (!security.Descriptor()) return static_cast<LONG>(GetLastError());
  // Made with the list from its birth, so that no handle opened under the
  // rights of the root outlives it.
  if (CreateDirectoryA(folder.c_str(), security.Attributes())) return ERROR_SUCCESS;
  const DWORD made = GetLastError();
  if (made != ERROR_ALREADY_EXISTS) return static_cast<LONG>(made);
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return ERROR_DIRECTORY;
  // SetFileSecurityA stores the list as given, its protection included, on
  // the folder alone; the backups in it keep their own.
  return SetFileSecurityA(folder.c_str(), OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                          security.Descriptor())
             ? ERROR_SUCCESS
             : static_cast<LONG>(GetLastError());
}

LONG SaveProtectedBackup(const std::string& key, const std::string& file) {
  TBackupSecurity security(TBackupSecurity::TFor::File);
  if (!security.Descriptor()) return static_cast<LONG>(GetLastError());
  LONG rc = TRegistry().SaveKey(key, file, security.Attributes());
  // Wine refuses any security attributes here with ERROR_UNKNOWN_REVISION,
  // which no valid descriptor earns on Windows. There the file is saved
  // with the default security, which in the protected Backup folder leaves
  // users no way in, and is given its list at once.
  if (rc != ERROR_UNKNOWN_REVISION) return rc;
  rc = TRegistry().SaveKey(key, file);
  if (rc == ERROR_SUCCESS &&
      !SetFileSecurityA(file.c_str(), OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                        security.Descriptor())) {
    rc = static_cast<LONG>(GetLastError());
    DeleteFileA(file.c_str());
  }
  return rc;
}
