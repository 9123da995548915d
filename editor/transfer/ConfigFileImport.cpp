// Import of a configuration file: the file is mounted at HKEY_LOCAL_MACHINE
// \Nodrax and read into memory in one pass, the load takes the
// configuration from that copy, the BBS's own keys are carried over, and the
// configuration is saved into Software\Nodrax.
//
// Everything that could refuse the file (the mount, the read, a value of the
// wrong type) is tried before the stored configuration is deleted: a file
// that cannot be taken leaves the BBS with the configuration it had.
#include <windows.h>

#include <memory>
#include <optional>
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
#include "platform/RegistrySnapshot.h"

namespace {

// The reload after the save, made in memory: the store holds only what the
// record says was written into it. The configuration becomes what a load
// of the store gives, and is shown again only where that differs. False
// when the store needs the reload itself (the older folder key, which the
// reload would save again).
bool ReloadFromRecord(TConfiguration& config, IHost& host, TRegistrySnapshot& stored) {
  auto reloaded = std::make_unique<TConfiguration>(config);
  reloaded->Borraports();
  if (CargaRegistro(*reloaded, stored, kNodraxKey)) return false;
  const bool same = SameShown(*reloaded, config);
  config = *reloaded;
  if (!same) host.ShowConfiguration();
  return true;
}

// The host while the stored tree is deleted: the file's configuration is
// loaded and shown right after, so the emptied one is not shown first.
class TShownAfterTheLoad : public IHost {
 public:
  explicit TShownAfterTheLoad(IHost& host) : host_(host) {}
  int Message(const std::string& text, const std::string& caption, UINT flags) override {
    return host_.Message(text, caption, flags);
  }
  void ShowField(const std::string& page, const std::string& field) override {
    host_.ShowField(page, field);
  }
  void ShowConfiguration() override {}
  void ShowTexts() override {}
  void SetStatus(const std::string& text) override { host_.SetStatus(text); }
  SYSTEMTIME LocalTime() override { return host_.LocalTime(); }

 private:
  IHost& host_;
};

}  // namespace

TCommandResult ImportConfigFile(TDocument& document, IHost& host, const std::string& path) {
  const char kImportCaption[] = "Import Config File";
  TCommandResult result;
  result.File = path;
  TRegistrySnapshot file;
  // A crash while an earlier file was mounted left the mount point taken.
  if (!FreeImportMountPoint(host, kImportCaption)) {
    result.Outcome = TCommandOutcome::Refused;
    return result;
  }
  result.Code = TRegistry().LoadKey(kMountKey, path);
  if (result.Code == ERROR_SUCCESS) {
    // The file stays mounted only while it is read: everything after works
    // on the copy, and the file is never written.
    TMountedFile mounted(kMountKey);
    result.Code = file.Take(kMountKey);
  }
  if (result.Code != ERROR_SUCCESS) {
    host.Message(SystemErrorMessage(result.Code), kImportCaption, MB_OK);
    result.Outcome = TCommandOutcome::Refused;
    return result;
  }
  // Every import starts from an empty record: settings of an earlier file
  // must not be stored as this file's.
  TCarriedOverSettings carried;
  ReadCarriedOverSettings(carried, file, kMountKey);
  CheckLoadedValueTypes(file, kMountKey);
  // The save after the delete refuses a configuration without a callsign or
  // a route, and by then the stored one would be gone: such a file is
  // refused now. A file without BbsCallsign keeps what the window shows.
  TConfiguration& config = document.Config();
  TCallsignRoute identity{config.Texts.Editbbsindicativo, config.Texts.Edithroute};
  {
    std::string stored;
    if (file.OpenKeyReadOnly(KeyBelow(kMountKey, kConfigKey)) &&
        file.TryReadString("BbsCallsign", stored))
      identity = LoadedIdentity(stored);
    file.CloseKey();
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

  {
    TShownAfterTheLoad quiet(host);
    DeleteStoredConfiguration(document, quiet, changes);
  }
  document.Unchanged();
  const bool olderFolders = CargaRegistro(config, file, kMountKey);
  host.ShowConfiguration();
  config.CarriedOverSettings = carried;
  // Emptied, the store holds after the save what the save wrote, and a
  // record of the writes tells whether a reload would show anything else.
  // The window's configuration saved into it first, or a key that stayed,
  // leaves that to the reload.
  TRegistrySnapshot stored;
  std::optional<TRecordRegistryChanges> record;
  if (changes != TPendingChanges::Save && !TRegistry().KeyExists(kNodraxKey)) record.emplace(stored);
  WriteCarriedOverSettings(config.CarriedOverSettings);
  if (olderFolders) document.Save(host);
  // A save that failed keeps the file's configuration as changes to save
  // again; loaded over, they would be lost.
  const bool saved = document.Save(host);
  const bool recorded = record && record->Complete();
  record.reset();
  if (!saved)
    result.Outcome = TCommandOutcome::Failed;
  else if (!recorded || !ReloadFromRecord(config, host, stored))
    document.Reload(host);
  EndReplace();
  return result;
}
