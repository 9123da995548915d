// Deletion of the stored configuration: the key Software\Nodrax with
// everything below it, then the configuration is loaded from the emptied
// store.
#include "editor/app/MainWindow.h"
#include "editor/config/Configuration.h"
#include "editor/config/RegistryKeys.h"
#include "editor/transfer/ReplaceSteps.h"
#include "platform/Registry.h"

void TForm1::DeleteConfig1Click(TObject* Sender) {
  TRegistry reg;
  if (!reg.OpenKey(kNodraxKey, false)) return;  // nothing stored
  const bool hasKeys = reg.HasSubKeys();
  reg.CloseKey();

  // Nothing goes without a backup (the import has taken its own) or the
  // sysop's Yes to going on without one.
  if (!TStoreCovered::Now() && !BackUpBeforeReplacing(*this, TReplacement::Delete)) return;

  // Deepest keys first; a key that cannot be deleted stays with its parents
  // and the others still go.
  reg.DeleteKey(kNodraxKey);
  // A key of values alone held no configuration the window could show.
  if (!hasKeys) return;
  ReloadRegistry1Click(Sender);
  // From the emptied store the load keeps what the window showed, but the
  // virtual disks belonged to the deleted configuration and go with it,
  // unless the sysop saved the window into the store or cancelled.
  if (!ConfigModified && !TRegistry().KeyExists(kFoldersKey) && Configuration) {
    using T = TStationTexts;
    for (TStationText disk : {&T::Diska, &T::Diskb, &T::Diskc, &T::Diskd, &T::Diske, &T::Diskf,
                              &T::Diskg, &T::Diskh})
      Configuration->SetText(disk, "");
    ShowTexts();
  }
}
