// What the two readers of the old ports files share: how the file is cut
// into reads, how a read is cut into tokens, and how a port line fills its
// port. The readers take the file's text and hand back a new port table; the
// window opens the file and applies the result. No Windows here, so all of it
// also builds natively for fuzzing.
#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "editor/config/Records.h"

// A read takes at most this many characters, the line break counting as
// one: a longer line is read as several lines.
inline constexpr std::size_t kPortsFileReadSize = 148;
// Tokens beyond these do not count.
inline constexpr std::size_t kPortsFileMaxTokens = 11;
// Interface tokens keep up to 9 characters, port-line tokens up to 11.
inline constexpr std::size_t kInterfaceTokenWidth = 9;
inline constexpr std::size_t kPortTokenWidth = 11;
inline constexpr std::size_t kMaxInterfaces = 10;

inline constexpr std::string_view kBpqTwiceMessage =
    "There are more than one port with interface BPQ.\n"
    "With new BPQ32 only ONE port is allowed.\n"
    "Please correct it or import will not be correct.";

// The file's text as its reads give it: a CR before a line feed is dropped
// as text mode does, and each read ends after a line feed or after
// kPortsFileReadSize characters. The line feed is not part of the read.
std::vector<std::string> PortsFileReads(std::string_view content);

// The tokens of a read, at most kPortsFileMaxTokens, each whole; none for a
// comment (a read starting with "#").
std::vector<std::string> PortsFileTokens(std::string_view read);

enum class TPortsFileFormat { Numbered, Named };
// "port.sys" anywhere in the path, in any case, is the numbered format;
// every other name ("ports.sys") the named one.
TPortsFileFormat PortsFileFormatOf(std::string_view path);

struct TInterface {
  std::string Id;
  std::string Driver;
  std::string Address;
  std::string Baud;
};

// The address fields that a matched interface gives its port.
struct TPortAddress {
  std::string Canal;
  std::string BaudRate;
  std::string HexAddress;
};
// multiChannel is token 4 of the port line.
using TAddressRule = TPortAddress (*)(const TInterface& iface, const std::string& multiChannel);

struct TPortsFileResult {
  // The whole new table, starting from the reset state.
  std::array<TPortRecord, kPortCount> Ports;
  // Ports whose line matched an interface: only these mark the
  // configuration changed.
  std::array<bool, kPortCount> Matched{};
  // For the window to show (error icon); empty when the file read through.
  std::string Message;

  TPortsFileResult();
  bool AnyMatched() const;
};

// A port line (tokens as PortsFileTokens gives them, 11 of them): fills its
// port when the number is 1 to 10; any other number leaves the table alone.
void ApplyPortLine(const std::vector<std::string>& tokens,
                   const std::vector<TInterface>& interfaces, TAddressRule rule,
                   TPortsFileResult& result);

// The token cut to the width.
std::string Cut(std::string_view token, std::size_t width);
