#include "editor/transfer/MountPoint.h"

#include "platform/Registry.h"

LONG FreeMountPoint(const std::string& key) {
  TRegistry reg;
  if (!reg.KeyExists(key)) return ERROR_SUCCESS;
  const LONG rc = reg.UnLoadKey(key);
  if (!reg.KeyExists(key)) return ERROR_SUCCESS;
  // An unload that reports success while the key stays has still not freed it.
  return rc != ERROR_SUCCESS ? rc : ERROR_ACCESS_DENIED;
}

TMountedFile::~TMountedFile() {
  TRegistry().UnLoadKey(key_);
  NoteProgress("step", "unmounted");
}
