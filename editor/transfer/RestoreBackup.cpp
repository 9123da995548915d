// "Restore Backup", the backup of its own, and the start's offer to put a
// backup back after a command that replaces the stored tree was cut short.
#include <windows.h>

#include <string>

#include "editor/config/Document.h"
#include "editor/config/Host.h"
#include "editor/config/RegistryKeys.h"
#include "editor/transfer/Backup.h"
#include "editor/transfer/Commands.h"
#include "editor/transfer/MountPoint.h"
#include "editor/transfer/ReplaceJournal.h"
#include "editor/transfer/ReplaceSteps.h"
#include "editor/transfer/Restore.h"
#include "platform/Registry.h"

namespace {
const char kCaption[] = "Nodraxcfg";
}  // namespace

std::string BackupFolder(const TDocument& document) {
  std::string root = BackupRoot(document);
  if (root.empty()) return "\\";
  while (!root.empty() && (root.back() == '\\' || root.back() == '/')) root.pop_back();
  return root + "\\Backup";
}

TCommandResult BackUpConfiguration(TDocument& document, IHost& host) {
  TCommandResult result;
  const std::string root = BackupRoot(document);
  if (root.empty()) {
    host.Message("The stored configuration cannot be backed up: no BBS root folder is stored, "
                 "and the backups go into its Backup folder.",
                 kCaption, MB_ICONWARNING | MB_OK);
    result.Outcome = TCommandOutcome::Refused;
    result.Code = ERROR_PATH_NOT_FOUND;
    return result;
  }
  const TBackupResult backup = BackUpStoredConfiguration(root, host.LocalTime());
  result.Code = backup.Code;
  result.File = result.Backup = backup.File;
  if (backup.Code != ERROR_SUCCESS) {
    host.Message("The stored configuration could not be backed up into " + backup.Folder +
                     ":\n" + SystemErrorMessage(backup.Code),
                 kCaption, MB_ICONWARNING | MB_OK);
    result.Outcome = TCommandOutcome::Failed;
  }
  return result;
}

TCommandResult RestoreBackup(TDocument& document, IHost& host, const std::string& path) {
  TCommandResult result;
  result.File = path;
  // A file the registry cannot take is refused before anything is deleted.
  if (!FreeImportMountPoint(host, kCaption, "Nothing was restored.")) {
    result.Outcome = TCommandOutcome::Refused;
    return result;
  }
  result.Code = CheckRestorable(path);
  if (result.Code != ERROR_SUCCESS) {
    host.Message(path + " cannot be restored:\n" + SystemErrorMessage(result.Code) +
                     "\n\nThe stored configuration was not changed.",
                 kCaption, MB_ICONWARNING | MB_OK);
    result.Outcome = TCommandOutcome::Refused;
    return result;
  }
  NoteProgress("step", "Restore Backup");
  // The restored tree is loaded afresh below: no table of the document is
  // written back, and none needs reading first.
  if (!BackUpBeforeReplacing(document, host, TReplacement::Restore, path, result.Backup)) {
    result.Outcome = TCommandOutcome::NoBackup;
    return result;
  }
  BeginReplacing(host, TReplacement::Restore, result.Backup);
  result.Code = ReplaceStoredTreeWith(path);
  // A file that went between the check and the restore: the tree from
  // before it comes back at once, or, failing that, at the next start.
  const bool keepNote = result.Code != ERROR_SUCCESS && !result.Backup.empty() &&
                        ReplaceStoredTreeWith(result.Backup) != ERROR_SUCCESS;
  if (!keepNote) EndReplace();
  // The store stays the file's tree, even an older one's folder key.
  document.Reload(host, TDocument::TOlderFolders::Keep);
  NotifyConfigurationChanged();
  if (result.Code == ERROR_SUCCESS) {
    host.SetStatus(" Restored: " + path);
    return result;
  }
  result.Outcome = TCommandOutcome::Failed;
  host.Message(path + " was not restored completely: " + SystemErrorMessage(result.Code), kCaption,
               MB_ICONWARNING | MB_OK);
  return result;
}

void RecoverInterruptedReplace(IHost& host) {
  // Whatever a cut-short command left mounted goes first; a mount that
  // another program holds is named when a command needs the key.
  FreeMountPoint(kMountKey);
  const std::optional<TReplaceNote> note = InterruptedReplace();
  if (!note) return;
  const std::string what = "\"" + note->Command + "\" was interrupted" +
                           (note->Started.empty() ? "" : " (started " + note->Started + ")") +
                           " before it had finished: the stored configuration may be incomplete.";
  if (note->Backup.empty() ||
      GetFileAttributesA(note->Backup.c_str()) == INVALID_FILE_ATTRIBUTES) {
    host.Message(what + "\n\nNo backup of the configuration before it was taken" +
                     (note->Backup.empty() ? "" : " or kept (" + note->Backup + ")") +
                     ". Check every page before you save.",
                 kCaption, MB_ICONWARNING | MB_OK);
    EndReplace();
    return;
  }
  if (host.Message(what + "\n\nPut back the backup taken before it,\n" + note->Backup + "?",
                   kCaption, MB_ICONWARNING | MB_YESNO) != IDYES) {
    EndReplace();
    return;
  }
  const LONG rc = ReplaceStoredTreeWith(note->Backup);
  // The note stays until the backup is back whole: cut short again, or
  // refused, the next start asks again.
  if (rc == ERROR_SUCCESS) {
    EndReplace();
    NotifyConfigurationChanged();
    host.SetStatus(" Restored: " + note->Backup);
    return;
  }
  host.Message(note->Backup + " could not be put back:\n" + SystemErrorMessage(rc) +
                   "\n\nThe editor will ask again at its next start.",
               kCaption, MB_ICONWARNING | MB_OK);
}
