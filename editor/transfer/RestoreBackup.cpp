// "Restore Backup", and the start's offer to put a backup back after a
// command that replaces the stored tree was cut short.
#include <windows.h>
#include <commdlg.h>

#include <string>

#include "editor/app/MainWindow.h"
#include "editor/config/RegistryKeys.h"
#include "editor/transfer/MountPoint.h"
#include "editor/transfer/ReplaceJournal.h"
#include "editor/transfer/ReplaceSteps.h"
#include "editor/transfer/Restore.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"

namespace {
const char kCaption[] = "Nodraxcfg";

// Where the backups of this station are; the root of the current drive
// without a root, as the other file commands open.
std::string BackupFolder() {
  std::string root = BackupRoot();
  if (root.empty()) return "\\";
  while (!root.empty() && (root.back() == '\\' || root.back() == '/')) root.pop_back();
  return root + "\\Backup";
}
}  // namespace

void TForm1::RestoreBackup1Click(TObject*) {
  TFileDialogRequest request;
  request.owner = Handle();
  request.title = "Restoring Nodrax backup";
  request.filter = "Nodrax config files (*.zub)|*.zub";
  request.defaultExt = "zub";
  request.initialDir = BackupFolder();
  request.maxFileName = 300;
  request.flags =
      OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!Dialogs().OpenFile(request)) return;

  std::string question = "Put the configuration stored in\n" + request.fileName +
                         "\nback in place of the one stored now?\n\nThe stored configuration "
                         "is backed up first, so that this can be undone.";
  if (ConfigModified)
    question += "\nThe changes not saved in the window are not in that backup and are lost.";
  if (Dialogs().MessageBox(Handle(), question, kCaption,
                           MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2) != IDYES)
    return;

  // A file the registry cannot take is refused before anything is deleted.
  if (!FreeImportMountPoint(*this, kCaption, "Nothing was restored.")) return;
  const LONG restorable = CheckRestorable(request.fileName);
  if (restorable != ERROR_SUCCESS) {
    Dialogs().MessageBox(Handle(),
                         request.fileName + " cannot be restored:\n" +
                             SystemErrorMessage(restorable) +
                             "\n\nThe stored configuration was not changed.",
                         kCaption, MB_ICONWARNING | MB_OK);
    return;
  }
  NoteProgress("step", "Restore Backup");
  // The restored tree is loaded afresh below: no table of the window is
  // written back, and none needs reading first.
  std::string backup;
  if (!BackUpBeforeReplacing(*this, TReplacement::Restore, request.fileName, backup)) return;
  BeginReplacing(*this, TReplacement::Restore, backup);
  LONG restored = ReplaceStoredTreeWith(request.fileName);
  // A file that went between the check and the restore: the tree from
  // before it comes back at once, or, failing that, at the next start.
  if (restored != ERROR_SUCCESS && !backup.empty() && ReplaceStoredTreeWith(backup) != ERROR_SUCCESS)
    return ShowRestored(request.fileName, restored);
  EndReplace();
  ShowRestored(request.fileName, restored);
}

void TForm1::ShowRestored(const std::string& file, LONG restored) {
  // The store stays the file's tree, even an older one's folder key.
  ReloadFromStore(TOlderFolders::Keep);
  NotifyConfigurationChanged();
  if (restored == ERROR_SUCCESS) {
    StatusBar1->SetPanelText(0, " Restored: " + file);
    return;
  }
  Dialogs().MessageBox(Handle(),
                       file + " was not restored completely: " + SystemErrorMessage(restored),
                       kCaption, MB_ICONWARNING | MB_OK);
}

void TForm1::RecoverInterruptedReplace() {
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
    Dialogs().MessageBox(Handle(),
                         what + "\n\nNo backup of the configuration before it was taken" +
                             (note->Backup.empty() ? "" : " or kept (" + note->Backup + ")") +
                             ". Check every page before you save.",
                         kCaption, MB_ICONWARNING | MB_OK);
    EndReplace();
    return;
  }
  if (Dialogs().MessageBox(Handle(),
                           what + "\n\nPut back the backup taken before it,\n" + note->Backup + "?",
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
    StatusBar1->SetPanelText(0, " Restored: " + note->Backup);
    return;
  }
  Dialogs().MessageBox(Handle(),
                       note->Backup + " could not be put back:\n" + SystemErrorMessage(rc) +
                           "\n\nThe editor will ask again at its next start.",
                       kCaption, MB_ICONWARNING | MB_OK);
}
