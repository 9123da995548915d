#include "editor/ports/Portsys.h"

#include "editor/config/Numbers.h"

namespace {

constexpr std::size_t kInterfaceTokens = 4;

TPortAddress NumberedAddress(const TInterface& iface, const std::string& multiChannel) {
  if (iface.Driver == "BPQ") return {"1", "0", ""};
  // A telnet interface gives its TCP port as the address.
  if (iface.Driver == "TLN") return {"0", iface.Address, "0"};
  return {multiChannel, iface.Baud, iface.Address};
}

}  // namespace

std::string PortsysDriver(std::string_view number) {
  switch (ReadNumber(number)) {
    case 1: case 4: case 5: case 8: case 9: return "NON";
    case 2: return "BPQ";
    case 6: return "DED";
    case 7: return "TLN";
    default: return "";
  }
}

TPortsFileResult ReadPortsys(const std::vector<std::string>& reads) {
  TPortsFileResult result;
  std::vector<TInterface> interfaces;
  bool bpqSeen = false;
  for (const std::string& read : reads) {
    const std::vector<std::string> tokens = PortsFileTokens(read);
    if (tokens.size() == kInterfaceTokens) {
      const std::string driver = PortsysDriver(tokens[1]);
      if (driver == "BPQ") {
        // The BBS drives a single BPQ32 port; everything read so far stays.
        if (bpqSeen) {
          result.Message = std::string(kBpqTwiceMessage);
          return result;
        }
        bpqSeen = true;
      }
      if (interfaces.size() < kMaxInterfaces)
        interfaces.push_back({Cut(tokens[0], kInterfaceTokenWidth), driver,
                              Cut(tokens[2], kInterfaceTokenWidth),
                              Cut(tokens[3], kInterfaceTokenWidth)});
    } else if (tokens.size() >= kPortsFileMaxTokens) {
      ApplyPortLine(tokens, interfaces, NumberedAddress, result);
    }
  }
  return result;
}
