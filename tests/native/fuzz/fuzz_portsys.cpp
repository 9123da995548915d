// The numbered-interface reader: fields within their widths, nothing done by
// ports outside the table, the same table for the same file, and the reading
// stops only at a second BPQ interface.
#include "PortsFileFuzz.h"
#include "editor/ports/Portsys.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  ports_fuzz::CheckReader(data, size, ReadPortsys);

  const TPortsFileResult result = ReadPortsys(PortsFileReads(FuzzText(data, size)));
  int bpq = 0;
  for (const std::string& read : PortsFileReads(FuzzText(data, size))) {
    const std::vector<std::string> tokens = PortsFileTokens(read);
    if (tokens.size() == 4 && PortsysDriver(tokens[1]) == "BPQ") ++bpq;
  }
  FUZZ_CHECK(result.Message.empty() == (bpq < 2));
  if (!result.Message.empty()) FUZZ_CHECK(result.Message == kBpqTwiceMessage);
  return 0;
}
