#include "editor/transfer/Restore.h"

#include "editor/config/RegistryKeys.h"
#include "editor/transfer/MountPoint.h"
#include "platform/Registry.h"

namespace {
LONG Mount(const std::string& file) {
  const LONG freed = FreeMountPoint(kMountKey);
  if (freed != ERROR_SUCCESS) return freed;
  const LONG mounted = TRegistry().LoadKey(kMountKey, file);
  if (mounted == ERROR_SUCCESS) NoteProgress("step", "mounted");
  return mounted;
}
}  // namespace

LONG CheckRestorable(const std::string& file) {
  const LONG mounted = Mount(file);
  if (mounted == ERROR_SUCCESS) TMountedFile unmounted(kMountKey);
  return mounted;
}

LONG ReplaceStoredTreeWith(const std::string& file) {
  TRegistry reg;
  // Deleted before the file is mounted: with a hive mounted, Wine takes
  // some fifteen times as long over every key of the tree.
  reg.DeleteKey(kNodraxKey);
  const LONG mounted = Mount(file);
  if (mounted != ERROR_SUCCESS) return mounted;
  const TMountedFile unmounted(kMountKey);
  // The delete's refusal shows in the copy: a key that stayed takes the
  // file's values over its own, and what the file lacks stays beside them.
  reg.ClearFailure();
  reg.CopyKey(kMountKey, kNodraxKey);
  reg.Flush();
  return reg.FailureCode();
}
