// The File menu's transfer commands: each asks for its file, runs the
// command on the document with this window as its host, and shows what
// the command did.
#include <windows.h>
#include <commdlg.h>

#include <string>

#include "editor/app/MainWindow.h"
#include "editor/app/PortsPage.h"
#include "editor/app/ServersPage.h"
#include "editor/config/AnsiText.h"
#include "editor/ports/PortsFileImport.h"
#include "editor/transfer/Commands.h"
#include "editor/transfer/InitSrvImport.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"

namespace {
const char kCaption[] = "Nodraxcfg";

// The file dialog of the configuration files.
TFileDialogRequest ConfigFileRequest(HWND owner, const char* title, const char* filter) {
  TFileDialogRequest request;
  request.owner = owner;
  request.title = title;
  request.filter = filter;
  request.defaultExt = "zub";
  request.initialDir = "\\";
  request.maxFileName = 300;
  request.flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
  return request;
}
}  // namespace

void TForm1::MenuimportClick(TObject*) {
  TFileDialogRequest request;
  request.owner = Handle();
  request.title = "Open Init.srv File";
  request.filter = "Init.srv|*.srv";
  request.initialDir = ".";
  request.maxFileName = 300;
  request.flags = OFN_EXPLORER;
  if (!Dialogs().OpenFile(request)) return;
  // A file that cannot be opened imports nothing and says nothing.
  if (!ImportInitSrv(document_, request.fileName)) return;
  // The fields of the servers page, which show one server, are emptied.
  if (TServersPage* servers = Built<TServersPage>()) servers->ClearFields();
  ShowConfiguration();
}

void TForm1::ImportsysClick(TObject*) {
  TFileDialogRequest request;
  request.owner = Handle();
  request.title = "Open Ports File";
  request.filter = "Ports files|ports.sys;port.sys";
  request.initialDir = ".";
  request.maxFileName = 300;
  if (!Dialogs().OpenFile(request)) return;
  const TPortsImportResult result = ImportPortsFile(document_, request.fileName);
  if (!result.Opened) {
    Dialogs().MessageBox(Handle(), "I can't open file", kCaption, MB_ICONERROR | MB_OK);
    return;
  }
  if (!result.Read.Message.empty())
    Dialogs().MessageBox(Handle(), result.Read.Message, kCaption, MB_ICONERROR | MB_OK);
  // The page would otherwise go on showing the old port, and an edit there
  // would write a stale value into the new one.
  if (TPortsPage* ports = Built<TPortsPage>()) ports->PuertosbbsClick(this);
}

void TForm1::ExportConfig1Click(TObject*) {
  std::string proposed = document_.Config().Texts.Editbbsindicativo;
  if (!proposed.empty()) CharLowerBuffA(&proposed[0], static_cast<DWORD>(proposed.size()));
  TFileDialogRequest request =
      ConfigFileRequest(Handle(), "Saving Nodrax config file", "Nodrax config files (*.zub)|*.zub");
  request.fileName = proposed;
  if (!Dialogs().SaveFile(request)) return;
  const TCommandResult result = ExportConfigFile(request.fileName);
  Dialogs().MessageBox(Handle(), SystemErrorMessage(result.Code), kCaption, MB_OK);
}

void TForm1::ImportConfig1Click(TObject*) {
  TFileDialogRequest request =
      ConfigFileRequest(Handle(), "Opening Nodrax config file", "Nodrax config files(*.zub)|*.zub");
  if (!Dialogs().OpenFile(request)) return;
  const TCommandResult result = ImportConfigFile(document_, *this, request.fileName);
  // What the mount said of the file, as the import always ends.
  if (result.Done())
    Dialogs().MessageBox(Handle(), SystemErrorMessage(result.Code), "Import Config File", MB_OK);
}

void TForm1::DeleteConfig1Click(TObject*) { DeleteConfig(document_, *this); }

void TForm1::RestoreBackup1Click(TObject*) {
  TFileDialogRequest request =
      ConfigFileRequest(Handle(), "Restoring Nodrax backup", "Nodrax config files (*.zub)|*.zub");
  request.initialDir = BackupFolder(document_);
  request.flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!Dialogs().OpenFile(request)) return;

  std::string question = "Put the configuration stored in\n" + request.fileName +
                         "\nback in place of the one stored now?\n\nThe stored configuration "
                         "is backed up first, so that this can be undone.";
  if (document_.Modified())
    question += "\nThe changes not saved in the window are not in that backup and are lost.";
  if (Dialogs().MessageBox(Handle(), question, kCaption,
                           MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2) != IDYES)
    return;
  RestoreBackup(document_, *this, request.fileName);
}

namespace {

// The type offered for a file of the drivers folder: in capitals, without
// its extension; the names after the first keep only the part from their
// first "_" on.
std::string DriverItem(const std::string& fileName, bool first) {
  std::string name = Capitals(fileName);
  if (!first) {
    const std::size_t underscore = name.find('_');
    if (underscore != std::string::npos) name = name.substr(underscore);
  }
  return name.substr(0, name.find('.'));
}

}  // namespace

void TForm1::ReloadDriversDir1Click(TObject*) {
  driverTypes_ = {"None"};
  // Without a folder there is nothing to search: an empty name would search
  // the root of the current drive.
  const std::string folder = FieldText(document_.Config().ConfigRecord.Drivers);
  if (!folder.empty()) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\???.dll").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      bool first = true;
      do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        driverTypes_.push_back(DriverItem(found.cFileName, first));
        first = false;
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
  }
  if (TPortsPage* ports = Built<TPortsPage>()) ports->ShowDriverTypes();
}
