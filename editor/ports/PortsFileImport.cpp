// Takes the ports of an old ports file over into the PortTable. The readers
// work on the file's text; here the file is chosen and opened, and their
// result applied. Nothing is saved: the next save writes the new table.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "editor/app/MainWindow.h"
#include "editor/config/Configuration.h"
#include "editor/ports/PortsPage.h"
#include "editor/ports/Ports.h"
#include "editor/ports/Portsys.h"
#include "platform/Dialogs.h"

namespace {

// The whole file, or false when it cannot be opened for reading.
bool ReadWholeFile(const std::string& path, std::string& content) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, got);
  std::fclose(file);
  return true;
}

}  // namespace

void TForm1::ImportsysClick(TObject*) {
  TFileDialogRequest request;
  request.owner = Handle();
  request.title = "Open Ports File";
  request.filter = "Ports files|ports.sys;port.sys";
  request.initialDir = ".";
  request.maxFileName = 300;
  if (!Dialogs().OpenFile(request)) return;

  // The file is opened before the table is touched: a name that cannot be
  // read must not leave every port wiped for the next save to delete.
  std::string content;
  if (!ReadWholeFile(request.fileName, content)) {
    Dialogs().MessageBox(Handle(), "I can't open file", "Nodraxcfg", MB_ICONERROR | MB_OK);
    return;
  }
  const std::vector<std::string> reads = PortsFileReads(content);
  const TPortsFileResult result = PortsFileFormatOf(request.fileName) == TPortsFileFormat::Numbered
                                      ? ReadPortsys(reads)
                                      : ReadPorts(reads);
  if (!Configuration) return;
  std::copy(result.Ports.begin(), result.Ports.end(), Configuration->PortTable);
  Configuration->PortsPending = false;
  if (result.AnyMatched()) ConfigModified = true;
  if (!result.Message.empty())
    Dialogs().MessageBox(Handle(), result.Message, "Nodraxcfg", MB_ICONERROR | MB_OK);
  // The page would otherwise go on showing the old port, and an edit there
  // would write a stale value into the new one.
  if (TPortsPage* ports = Built<TPortsPage>()) ports->PuertosbbsClick(this);
}
