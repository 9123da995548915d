#include "editor/ports/PortsFileImport.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "editor/config/Document.h"
#include "editor/ports/Ports.h"
#include "editor/ports/Portsys.h"

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

TPortsImportResult ImportPortsFile(TDocument& document, const std::string& path) {
  TPortsImportResult result;
  std::string content;
  if (!ReadWholeFile(path, content)) return result;
  result.Opened = true;
  const std::vector<std::string> reads = PortsFileReads(content);
  result.Read = PortsFileFormatOf(path) == TPortsFileFormat::Numbered ? ReadPortsys(reads)
                                                                        : ReadPorts(reads);
  TConfiguration& config = document.Config();
  std::copy(result.Read.Ports.begin(), result.Read.Ports.end(), config.PortTable);
  config.PortsPending = false;
  if (result.Read.AnyMatched()) document.Changed();
  return result;
}
