// Deletion of the stored configuration: the key Software\Nodrax with
// everything below it, then the window is loaded from the emptied store.
#include "editor/app/Main.h"
#include "editor/config/RegistryKeys.h"
#include "platform/Registry.h"

void TForm1::DeleteConfig1Click(TObject* Sender) {
  TRegistry reg;
  if (!reg.OpenKey(kNodraxKey, false)) return;  // nothing stored
  const bool hasKeys = reg.HasSubKeys();
  reg.CloseKey();
  // Deepest keys first; a key that cannot be deleted stays with its parents
  // and the others still go.
  reg.DeleteKey(kNodraxKey);
  // A key of values alone held no configuration the window could show.
  if (hasKeys) ReloadRegistry1Click(Sender);
}
