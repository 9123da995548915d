// The named-interface reader: fields within their widths, nothing done by
// ports outside the table, the same table for the same file, and never a
// message.
#include "PortsFileFuzz.h"
#include "editor/ports/Ports.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  ports_fuzz::CheckReader(data, size, ReadPorts);
  FUZZ_CHECK(ReadPorts(PortsFileReads(FuzzText(data, size))).Message.empty());
  return 0;
}
