#include "editor/transfer/ReplaceSteps.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "editor/app/MainWindow.h"
#include "editor/config/Configuration.h"
#include "editor/config/Load.h"
#include "editor/config/RegistryKeys.h"
#include "editor/transfer/Backup.h"
#include "editor/transfer/MountPoint.h"
#include "editor/transfer/ReplaceJournal.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"

namespace {
const char* CommandName(TReplacement replacement) {
  switch (replacement) {
    case TReplacement::Import: return "Import Config";
    case TReplacement::Delete: return "Delete Config";
    case TReplacement::Restore: return "Restore Backup";
  }
  return "";
}
}  // namespace

TPendingChanges AskAboutChanges(TForm1& form) {
  if (!ConfigModified) return TPendingChanges::None;
  switch (Dialogs().MessageBox(form.Handle(), "Configuration has changed. Save?", "Nodraxcfg",
                               MB_ICONQUESTION | MB_YESNOCANCEL)) {
    case IDYES:
      return form.WarnMissingIdentity() ? TPendingChanges::Cancel : TPendingChanges::Save;
    case IDNO:
      return TPendingChanges::Discard;
    default:
      return TPendingChanges::Cancel;
  }
}

void ReadPendingTables() {
  if (!Configuration) return;
  PortsNeeded(*Configuration);
  ServersNeeded(*Configuration);
}

std::string BackupRoot() {
  const std::string root = StoredRootFolder();
  if (!root.empty() || !Configuration) return root;
  return UsableRoot(Configuration->Texts.Directorioraiz);
}

bool BackUpBeforeReplacing(TForm1& form, TReplacement replacement, const std::string& taking,
                           std::string& written) {
  written.clear();
  const std::string root = BackupRoot();
  const TBackupResult backup = BackUpStoredConfiguration(root, form.LocalClock(), taking);
  if (backup.Code == ERROR_SUCCESS) {
    NoteProgress("step", "backed up");
    written = backup.File;
    if (!backup.File.empty()) form.StatusBar1->SetPanelText(0, " Backup: " + backup.File);
    return true;
  }
  const char* when = replacement == TReplacement::Import    ? "before the import replaces it"
                     : replacement == TReplacement::Restore ? "before the restore replaces it"
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

void BeginReplacing(TForm1& form, TReplacement replacement, const std::string& backup) {
  const SYSTEMTIME at = form.LocalClock();
  char started[32];
  std::snprintf(started, sizeof started, "%04u-%02u-%02u %02u:%02u:%02u", at.wYear % 10000u,
                at.wMonth % 100u, at.wDay % 100u, at.wHour % 100u, at.wMinute % 100u,
                at.wSecond % 100u);
  BeginReplace({CommandName(replacement), backup, started});
}

bool FreeImportMountPoint(TForm1& form, const char* caption, const char* nothingDone) {
  const LONG rc = FreeMountPoint(kMountKey);
  if (rc == ERROR_SUCCESS) return true;
  Dialogs().MessageBox(form.Handle(),
                       "HKEY_LOCAL_MACHINE\\Nodrax, the key where the import reads its file, is "
                       "taken (an earlier import may have stopped while its file was there) and "
                       "cannot be freed:\n" +
                           SystemErrorMessage(rc) +
                           "\n\n" + nothingDone +
                           " Close the programs that may look into that key, or restart Windows, "
                           "and try again.",
                       caption, MB_ICONWARNING | MB_OK);
  return false;
}
