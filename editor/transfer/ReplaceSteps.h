// The window's side of the steps before the stored configuration is deleted
// or replaced ("Import Config", "Delete Config"): the backup named in the
// status bar or, when it fails, the sysop's choice; and the import's mount
// point freed of what a crashed import left there.
#pragma once
#include <string>

class TForm1;

enum class TReplacement { Import, Delete };

// Backs the stored tree up into the BBS root's Backup folder (the stored
// root, else the one the window shows) and names the backup in the status
// bar. When no backup can be written, asks the sysop whether to go on
// without one (No is the default). Returns whether the command may delete
// the stored tree: true with nothing stored, with a backup, or after Yes.
// The import names the file it takes, which the pruning of old backups
// spares.
bool BackUpBeforeReplacing(TForm1& form, TReplacement replacement,
                           const std::string& importing = "");

// While one lives, the stored tree is covered (backed up, or the sysop chose
// to go on without a backup): the deletion that the import runs takes no
// second backup of the same tree.
class TStoreCovered {
 public:
  TStoreCovered() { ++depth_; }
  ~TStoreCovered() { --depth_; }
  TStoreCovered(const TStoreCovered&) = delete;
  TStoreCovered& operator=(const TStoreCovered&) = delete;
  static bool Now() { return depth_ > 0; }

 private:
  static inline int depth_ = 0;
};

// Frees the import's mount point of a file an earlier import left mounted.
// When it cannot, says so under the caption and returns false.
bool FreeImportMountPoint(TForm1& form, const char* caption);
