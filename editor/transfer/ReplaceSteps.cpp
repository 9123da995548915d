#include "editor/transfer/ReplaceSteps.h"

#include <windows.h>

#include "editor/app/Main.h"
#include "editor/config/RegistryKeys.h"
#include "editor/transfer/MountPoint.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"

bool FreeImportMountPoint(TForm1& form, const char* caption) {
  const LONG rc = FreeMountPoint(kMountKey);
  if (rc == ERROR_SUCCESS) return true;
  Dialogs().MessageBox(form.Handle(),
                       "HKEY_LOCAL_MACHINE\\Nodrax, the key where the import reads its file, is "
                       "taken (an earlier import may have stopped while its file was there) and "
                       "cannot be freed:\n" +
                           SystemErrorMessage(rc) +
                           "\n\nNothing was imported. Close the programs that may look into that "
                           "key, or restart Windows, and try again.",
                       caption, MB_ICONWARNING | MB_OK);
  return false;
}
