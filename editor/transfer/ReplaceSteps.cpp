#include "editor/transfer/ReplaceSteps.h"

#include <windows.h>

#include <string>

#include "editor/app/MainWindow.h"
#include "editor/config/Configuration.h"
#include "editor/config/RegistryKeys.h"
#include "editor/transfer/Backup.h"
#include "editor/transfer/MountPoint.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"

bool BackUpBeforeReplacing(TForm1& form, TReplacement replacement,
                           const std::string& importing) {
  std::string root = StoredRootFolder();
  // A store without a root (values of the BBS alone, a foreign tree) still
  // deserves its backup: the root the sysop sees is where the next save
  // would put the BBS.
  if (root.empty() && Configuration) root = Configuration->Texts.Directorioraiz;
  const TBackupResult backup = BackUpStoredConfiguration(root, form.LocalClock(), importing);
  if (backup.Code == ERROR_SUCCESS) {
    if (!backup.File.empty()) form.StatusBar1->SetPanelText(0, " Backup: " + backup.File);
    return true;
  }
  const char* when = replacement == TReplacement::Import ? "before the import replaces it"
                                                         : "before it is deleted";
  const std::string why =
      root.empty()
          ? std::string("The stored configuration cannot be backed up ") + when +
                ": no BBS root folder is stored or shown, and the backups go into its "
                "Backup folder."
          : "The stored configuration could not be backed up into " + backup.Folder + " " +
                when + ":\n" + SystemErrorMessage(backup.Code);
  return Dialogs().MessageBox(form.Handle(), why + "\n\nGo on without a backup?", "Nodraxcfg",
                              MB_ICONWARNING | MB_YESNO | MB_DEFBUTTON2) == IDYES;
}

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
