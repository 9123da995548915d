// Import of a configuration file: the file is mounted at HKEY_LOCAL_MACHINE
// \Nodrax, read with the load into the configuration, the BBS's own keys
// are carried over, and the configuration is saved into Software\Nodrax.
//
// Everything that could refuse the file (the mount, a value of the wrong
// type) is tried before the stored configuration is deleted: a file that
// cannot be taken leaves the BBS with the configuration it had.
#include <windows.h>

#include <string>

#include "editor/config/Document.h"
#include "editor/config/Host.h"
#include "editor/config/Load.h"
#include "editor/config/RegistryKeys.h"
#include "editor/config/Save.h"
#include "editor/transfer/Commands.h"
#include "editor/transfer/MountPoint.h"
#include "editor/transfer/ReplaceJournal.h"
#include "editor/transfer/ReplaceSteps.h"
#include "platform/Registry.h"

TCommandResult ImportConfigFile(TDocument& document, IHost& host, const std::string& path) {
  const char kImportCaption[] = "Import Config File";
  TCommandResult result;
  result.File = path;
  // A crash while an earlier file was mounted left the mount point taken.
  if (!FreeImportMountPoint(host, kImportCaption)) {
    result.Outcome = TCommandOutcome::Refused;
    return result;
  }
  result.Code = TRegistry().LoadKey(kMountKey, path);
  if (result.Code != ERROR_SUCCESS) {
    host.Message(SystemErrorMessage(result.Code), kImportCaption, MB_OK);
    result.Outcome = TCommandOutcome::Refused;
    return result;
  }
  TMountedFile file(kMountKey);
  // Every import starts from an empty record: settings of an earlier file
  // must not be stored as this file's.
  TCarriedOverSettings carried;
  ReadCarriedOverSettings(carried, kMountKey);
  CheckLoadedValueTypes(kMountKey);
  // The save after the delete refuses a configuration without a callsign or
  // a route, and by then the stored one would be gone: such a file is
  // refused now. A file without BbsCallsign keeps what the window shows.
  TConfiguration& config = document.Config();
  TCallsignRoute identity{config.Texts.Editbbsindicativo, config.Texts.Edithroute};
  {
    TRegistry reg;
    std::string stored;
    if (reg.OpenKeyReadOnly(KeyBelow(kMountKey, kConfigKey)) &&
        reg.TryReadString("BbsCallsign", stored))
      identity = LoadedIdentity(stored);
  }
  if (identity.Callsign.empty() || identity.Route.empty()) {
    host.Message(std::string("This file gives the BBS no ") +
                     (identity.Callsign.empty() ? "callsign" : "hierarchical route") +
                     ": nothing was imported.",
                 kImportCaption, MB_ICONWARNING | MB_OK);
    result.Outcome = TCommandOutcome::Refused;
    return result;
  }

  // Nothing can refuse the file any more. The changes are asked about
  // first: Cancel leaves everything as it is.
  const TPendingChanges changes = AskAboutChanges(document, host);
  if (changes == TPendingChanges::Cancel) {
    result.Outcome = TCommandOutcome::Cancelled;
    return result;
  }
  NoteProgress("step", "Import Config");
  document.ReadPendingTables();
  // The stored tree is backed up (or the sysop goes on without a backup)
  // before the delete takes it.
  if (!BackUpBeforeReplacing(document, host, TReplacement::Import, path, result.Backup)) {
    result.Outcome = TCommandOutcome::NoBackup;
    return result;
  }
  BeginReplacing(host, TReplacement::Import, result.Backup);

  DeleteStoredConfiguration(document, host, changes);
  document.Unchanged();
  const bool olderFolders = CargaRegistro(config, kMountKey);
  host.ShowConfiguration();
  config.CarriedOverSettings = carried;
  WriteCarriedOverSettings(config.CarriedOverSettings);
  if (olderFolders) document.Save(host);
  // A save that failed keeps the file's configuration as changes to save
  // again; loaded over, they would be lost.
  if (document.Save(host))
    document.Reload(host);
  else
    result.Outcome = TCommandOutcome::Failed;
  EndReplace();
  return result;
}
