// Takes the ports of an old ports file over into the port table. The
// readers work on the file's text; here the file is opened and their result
// applied. Nothing is saved: the next save writes the new table.
#pragma once
#include <string>

#include "editor/ports/PortsFile.h"

class TDocument;

struct TPortsImportResult {
  bool Opened = false;       // false: the file could not be read, nothing changed
  TPortsFileResult Read;     // the ports read, and the readers' message
};

// The file opened before the table is touched: a name that cannot be read
// must not leave every port wiped for the next save to delete. A file that
// matched any port marks the document changed.
TPortsImportResult ImportPortsFile(TDocument& document, const std::string& path);
