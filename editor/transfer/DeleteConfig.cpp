// Deletion of the stored configuration: the key Software\Nodrax with
// everything below it, then the configuration is loaded from the emptied
// store.
#include "editor/app/MainWindow.h"
#include "editor/config/Configuration.h"
#include "editor/config/RegistryKeys.h"
#include "editor/transfer/ReplaceJournal.h"
#include "editor/transfer/ReplaceSteps.h"
#include "platform/Registry.h"

void TForm1::DeleteConfig1Click(TObject*) {
  TRegistry reg;
  if (!reg.OpenKey(kNodraxKey, false)) return;  // nothing stored
  const bool hasKeys = reg.HasSubKeys();
  reg.CloseKey();

  // The window's changes are asked about before anything goes, so that
  // Cancel still means the store stays; a key of values alone held nothing
  // the window shows, and the window is not loaded again after it.
  const TPendingChanges changes = hasKeys ? AskAboutChanges(*this) : TPendingChanges::None;
  if (changes == TPendingChanges::Cancel) return;
  NoteProgress("step", "Delete Config");
  ReadPendingTables();
  // Nothing goes without a backup or the sysop's Yes to going on without one.
  std::string backup;
  if (!BackUpBeforeReplacing(*this, TReplacement::Delete, "", backup)) return;
  BeginReplacing(*this, TReplacement::Delete, backup);
  DeleteStoredConfiguration(changes);
  EndReplace();
}

void TForm1::DeleteStoredConfiguration(TPendingChanges changes) {
  TRegistry reg;
  if (!reg.OpenKey(kNodraxKey, false)) return;
  const bool hasKeys = reg.HasSubKeys();
  reg.CloseKey();
  // Deepest keys first; a key that cannot be deleted stays with its parents
  // and the others still go.
  reg.DeleteKey(kNodraxKey);
  // A key of values alone held no configuration the window could show.
  if (!hasKeys) return;
  if (changes == TPendingChanges::Save) {
    MenusaveClick(this);
    // A save that failed keeps the changes in the window, unloaded over.
    if (ConfigModified) return;
  }
  ReloadFromStore();
  // From the emptied store the load keeps what the window showed, but the
  // virtual disks belonged to the deleted configuration and go with it,
  // unless the sysop saved the window into the store.
  if (!TRegistry().KeyExists(kFoldersKey) && Configuration) {
    using T = TStationTexts;
    for (TStationText disk : {&T::Diska, &T::Diskb, &T::Diskc, &T::Diskd, &T::Diske, &T::Diskf,
                              &T::Diskg, &T::Diskh})
      Configuration->SetText(disk, "");
    ShowTexts();
  }
}
