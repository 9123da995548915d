#include "editor/transfer/ReplaceSteps.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "editor/config/Document.h"
#include "editor/config/Host.h"
#include "editor/config/Load.h"
#include "editor/config/RegistryKeys.h"
#include "editor/transfer/Backup.h"
#include "editor/transfer/MountPoint.h"
#include "editor/transfer/ReplaceJournal.h"
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

TPendingChanges AskAboutChanges(TDocument& document, IHost& host) {
  if (!document.Modified()) return TPendingChanges::None;
  switch (host.Message("Configuration has changed. Save?", "Nodraxcfg",
                       MB_ICONQUESTION | MB_YESNOCANCEL)) {
    case IDYES:
      return document.WarnMissingIdentity(host) ? TPendingChanges::Cancel : TPendingChanges::Save;
    case IDNO:
      return TPendingChanges::Discard;
    default:
      return TPendingChanges::Cancel;
  }
}

std::string BackupRoot(const TDocument& document) {
  const std::string root = StoredRootFolder();
  if (!root.empty()) return root;
  return UsableRoot(document.Config().Texts.Directorioraiz);
}

bool BackUpBeforeReplacing(TDocument& document, IHost& host, TReplacement replacement,
                           const std::string& taking, std::string& written) {
  written.clear();
  const std::string root = BackupRoot(document);
  const TBackupResult backup = BackUpStoredConfiguration(root, host.LocalTime(), taking);
  if (backup.Code == ERROR_SUCCESS) {
    NoteProgress("step", "backed up");
    written = backup.File;
    if (!backup.File.empty()) host.SetStatus(" Backup: " + backup.File);
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
  return host.Message(why + "\n\nGo on without a backup?", "Nodraxcfg",
                      MB_ICONWARNING | MB_YESNO | MB_DEFBUTTON2) == IDYES;
}

void BeginReplacing(IHost& host, TReplacement replacement, const std::string& backup) {
  const SYSTEMTIME at = host.LocalTime();
  char started[32];
  std::snprintf(started, sizeof started, "%04u-%02u-%02u %02u:%02u:%02u", at.wYear % 10000u,
                at.wMonth % 100u, at.wDay % 100u, at.wHour % 100u, at.wMinute % 100u,
                at.wSecond % 100u);
  BeginReplace({CommandName(replacement), backup, started});
}

bool FreeImportMountPoint(IHost& host, const char* caption, const char* nothingDone) {
  const LONG rc = FreeMountPoint(kMountKey);
  if (rc == ERROR_SUCCESS) return true;
  host.Message(        "HKEY_LOCAL_MACHINE\\Nodrax, the key where the import reads its file, is "
                       "taken (an earlier import may have stopped while its file was there) and "
                       "cannot be freed:\n" +
                           SystemErrorMessage(rc) +
                           "\n\n" + nothingDone +
                           " Close the programs that may look into that key, or restart Windows, "
                           "and try again.",
               caption, MB_ICONWARNING | MB_OK);
  return false;
}

void DeleteStoredConfiguration(TDocument& document, IHost& host, TPendingChanges changes) {
  TRegistry reg;
  if (!reg.OpenKey(kNodraxKey, false)) return;
  const bool hasKeys = reg.HasSubKeys();
  reg.CloseKey();
  // Deepest keys first; a key that cannot be deleted stays with its parents
  // and the others still go.
  reg.DeleteKey(kNodraxKey);
  // A key of values alone held no configuration the window could show.
  if (!hasKeys) return;
  // A save that failed keeps the changes, unloaded over.
  if (changes == TPendingChanges::Save && !document.Save(host)) return;
  document.Reload(host);
  // From the emptied store the load keeps what the window showed, but the
  // virtual disks belonged to the deleted configuration and go with it,
  // unless the sysop saved the window into the store.
  if (!TRegistry().KeyExists(kFoldersKey)) {
    using T = TStationTexts;
    for (TStationText disk : {&T::Diska, &T::Diskb, &T::Diskc, &T::Diskd, &T::Diske, &T::Diskf,
                              &T::Diskg, &T::Diskh})
      document.Config().SetText(disk, "");
    host.ShowTexts();
  }
}
