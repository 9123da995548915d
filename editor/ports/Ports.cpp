#include "editor/ports/Ports.h"

namespace {

constexpr std::size_t kInterfaceTokens = 5;

TPortAddress NamedAddress(const TInterface& iface, const std::string& multiChannel) {
  if (iface.Driver == "BPQ") return {"1", "0", ""};
  // TCP and telnet interfaces give their IP port as the baud rate.
  if (iface.Driver == "TLN" || iface.Driver == "TCP") return {"0", iface.Baud, "0"};
  return {multiChannel, iface.Baud, iface.Address};
}

}  // namespace

TPortsFileResult ReadPorts(const std::vector<std::string>& reads) {
  TPortsFileResult result;
  std::vector<TInterface> interfaces;
  for (const std::string& read : reads) {
    const std::vector<std::string> tokens = PortsFileTokens(read);
    if (tokens.size() == kInterfaceTokens) {
      // The fifth token is read and not used.
      if (interfaces.size() < kMaxInterfaces)
        interfaces.push_back({Cut(tokens[0], kInterfaceTokenWidth),
                              Cut(tokens[1], kInterfaceTokenWidth),
                              Cut(tokens[2], kInterfaceTokenWidth),
                              Cut(tokens[3], kInterfaceTokenWidth)});
    } else if (tokens.size() >= kPortsFileMaxTokens) {
      ApplyPortLine(tokens, interfaces, NamedAddress, result);
    }
  }
  return result;
}
