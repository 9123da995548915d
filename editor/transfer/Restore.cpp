#include "editor/transfer/Restore.h"

#include "editor/config/RegistryKeys.h"
#include "editor/transfer/MountPoint.h"
#include "platform/Registry.h"

LONG MountForRestore(const std::string& file) {
  const LONG freed = FreeMountPoint(kMountKey);
  if (freed != ERROR_SUCCESS) return freed;
  const LONG mounted = TRegistry().LoadKey(kMountKey, file);
  if (mounted == ERROR_SUCCESS) NoteProgress("step", "mounted");
  return mounted;
}

LONG ReplaceStoredTreeWithMounted() {
  TRegistry reg;
  reg.DeleteKey(kNodraxKey);
  // The delete's refusal shows in the copy: a key that stayed takes the
  // file's values over its own, and what the file lacks stays beside them.
  reg.ClearFailure();
  reg.CopyKey(kMountKey, kNodraxKey);
  reg.Flush();
  return reg.FailureCode();
}
