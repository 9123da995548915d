// Deletion of the stored configuration: the key Software\Nodrax with
// everything below it, then the configuration is loaded from the emptied
// store.
#include "editor/config/Document.h"
#include "editor/config/RegistryKeys.h"
#include "editor/transfer/Commands.h"
#include "editor/transfer/ReplaceJournal.h"
#include "editor/transfer/ReplaceSteps.h"
#include "platform/Registry.h"

TCommandResult DeleteConfig(TDocument& document, IHost& host) {
  TCommandResult result;
  TRegistry reg;
  if (!reg.OpenKey(kNodraxKey, false)) return result;  // nothing stored
  const bool hasKeys = reg.HasSubKeys();
  reg.CloseKey();

  // The changes are asked about before anything goes, so that Cancel still
  // means the store stays; a key of values alone held nothing the window
  // shows, and the window is not loaded again after it.
  const TPendingChanges changes =
      hasKeys ? AskAboutChanges(document, host) : TPendingChanges::None;
  if (changes == TPendingChanges::Cancel) {
    result.Outcome = TCommandOutcome::Cancelled;
    return result;
  }
  NoteProgress("step", "Delete Config");
  document.ReadPendingTables();
  // Nothing goes without a backup or the sysop's Yes to going on without one.
  if (!BackUpBeforeReplacing(document, host, TReplacement::Delete, "", result.Backup)) {
    result.Outcome = TCommandOutcome::NoBackup;
    return result;
  }
  BeginReplacing(host, TReplacement::Delete, result.Backup);
  DeleteStoredConfiguration(document, host, changes);
  EndReplace();
  return result;
}
