// Import of a configuration file: the file is mounted at HKEY_LOCAL_MACHINE
// \Nodrax, read with the load into the configuration, the BBS's own keys
// are carried over, and the configuration is saved into Software\Nodrax.
//
// Everything that could refuse the file (the mount, a value of the wrong
// type) is tried before the stored configuration is deleted: a file that
// cannot be taken leaves the BBS with the configuration it had.
#include <windows.h>
#include <commdlg.h>

#include <string>

#include "editor/app/MainWindow.h"
#include "editor/config/Configuration.h"
#include "editor/config/Load.h"
#include "editor/config/RegistryKeys.h"
#include "editor/config/Save.h"
#include "editor/transfer/MountPoint.h"
#include "editor/transfer/ReplaceJournal.h"
#include "editor/transfer/ReplaceSteps.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"

namespace {

class TLoadingFlag {
 public:
  TLoadingFlag() { RegistryLoading = true; }
  ~TLoadingFlag() { RegistryLoading = false; }
  TLoadingFlag(const TLoadingFlag&) = delete;
  TLoadingFlag& operator=(const TLoadingFlag&) = delete;
};

}  // namespace

void TForm1::ImportConfig1Click(TObject* Sender) {
  TFileDialogRequest request;
  request.owner = Handle();
  request.title = "Opening Nodrax config file";
  request.filter = "Nodrax config files(*.zub)|*.zub";
  request.defaultExt = "zub";
  request.initialDir = "\\";
  request.maxFileName = 300;
  request.flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (!Dialogs().OpenFile(request)) return;

  const char kImportCaption[] = "Import Config File";
  // A crash while an earlier file was mounted left the mount point taken.
  if (!FreeImportMountPoint(*this, kImportCaption)) return;

  const LONG mounted = TRegistry().LoadKey(kMountKey, request.fileName);
  if (mounted != ERROR_SUCCESS) {
    Dialogs().MessageBox(Handle(), SystemErrorMessage(mounted), kImportCaption, MB_OK);
    return;
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
  if (!Configuration) return;
  TCallsignRoute identity{Configuration->Texts.Editbbsindicativo, Configuration->Texts.Edithroute};
  {
    TRegistry reg;
    std::string stored;
    if (reg.OpenKeyReadOnly(KeyBelow(kMountKey, kConfigKey)) &&
        reg.TryReadString("BbsCallsign", stored))
      identity = LoadedIdentity(stored);
  }
  if (identity.Callsign.empty() || identity.Route.empty()) {
    Dialogs().MessageBox(Handle(),
                         std::string("This file gives the BBS no ") +
                             (identity.Callsign.empty() ? "callsign" : "hierarchical route") +
                             ": nothing was imported.",
                         kImportCaption, MB_ICONWARNING | MB_OK);
    return;
  }

  // Nothing can refuse the file any more. The window's changes are asked
  // about first: Cancel leaves everything as it is.
  const TPendingChanges changes = AskAboutChanges(*this);
  if (changes == TPendingChanges::Cancel) return;
  NoteProgress("step", "Import Config");
  ReadPendingTables();
  // The stored tree is backed up (or the sysop goes on without a backup)
  // before the delete takes it.
  std::string backup;
  if (!BackUpBeforeReplacing(*this, TReplacement::Import, request.fileName, backup)) return;
  BeginReplacing(*this, TReplacement::Import, backup);

  DeleteStoredConfiguration(changes);
  {
    TLoadingFlag loading;
    ConfigModified = false;
    const bool olderFolders = CargaRegistro(*Configuration, kMountKey);
    ShowConfiguration();
    Configuration->CarriedOverSettings = carried;
    WriteCarriedOverSettings(Configuration->CarriedOverSettings);
    if (olderFolders) Save();
    Save();
    ReloadRegistry1Click(Sender);
  }
  EndReplace();
  Dialogs().MessageBox(Handle(), SystemErrorMessage(mounted), kImportCaption, MB_OK);
}
