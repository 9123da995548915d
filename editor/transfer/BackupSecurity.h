// Who may change the backups of the stored configuration. "Import Config"
// puts a backup back whole, with the BBS's own HouseKeeping commands and the
// server programs in it, which the BBS then runs: a user who could edit a
// backup could have the sysop restore commands of the user's choosing. So
// only administrators and SYSTEM may write the Backup folder and the files
// in it, and users may read them.
#pragma once
#include <windows.h>

#include <string>

// A security descriptor made from SDDL text, with attributes that carry it
// into a call that creates a file or folder; freed with the object.
class TBackupSecurity {
 public:
  enum class TFor { Folder, File };
  explicit TBackupSecurity(TFor what);
  ~TBackupSecurity();
  TBackupSecurity(const TBackupSecurity&) = delete;
  TBackupSecurity& operator=(const TBackupSecurity&) = delete;

  // Null when the descriptor could not be made; the creation then fails
  // rather than fall back to the rights the root folder passes on.
  SECURITY_ATTRIBUTES* Attributes() { return descriptor_ ? &attributes_ : nullptr; }
  PSECURITY_DESCRIPTOR Descriptor() const { return descriptor_; }

 private:
  PSECURITY_DESCRIPTOR descriptor_ = nullptr;
  SECURITY_ATTRIBUTES attributes_{};
};

// The access lists, owned by the Administrators and protected from what the
// folders above pass on (a BBS root that users write to would pass that on):
// full access for SYSTEM and the Administrators, reading for users; the
// folder's list is inherited by the files made in it.
extern const char kBackupFolderSddl[];
extern const char kBackupFileSddl[];

// Makes the Backup folder (its parents must exist) with its access list, or
// gives an existing one, made by an older editor or by anyone the root
// allowed, the same owner and list. ERROR_SUCCESS, or the platform's code;
// without administrator rights the owner cannot be set and this fails.
LONG MakeProtectedBackupFolder(const std::string& folder);

// Saves the registry key into a new backup file that has the file's access
// list from its creation. ERROR_SUCCESS, or the code of the save or of the
// list.
LONG SaveProtectedBackup(const std::string& key, const std::string& file);
