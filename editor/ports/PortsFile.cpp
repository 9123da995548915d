#include "editor/ports/PortsFile.h"

#include "editor/config/Encodings.h"
#include "editor/config/Numbers.h"

std::vector<std::string> PortsFileReads(std::string_view content) {
  // Ctrl+Z ends a text file, as DOS editors wrote it; what follows is not
  // part of the file, and the mark itself must not end up in a label.
  const std::size_t end = content.find('\x1a');
  if (end != std::string_view::npos) content = content.substr(0, end);
  std::vector<std::string> reads;
  std::string read;
  bool open = false;  // characters taken since the last read ended
  for (std::size_t i = 0; i < content.size(); ++i) {
    char c = content[i];
    if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n') continue;
    open = true;
    if (c == '\n') {
      reads.push_back(std::move(read));
      read.clear();
      open = false;
      continue;
    }
    read += c;
    // The line break would have been the next character of this read: it
    // becomes a read of its own, as the buffered reading gives it.
    if (read.size() == kPortsFileReadSize) {
      reads.push_back(std::move(read));
      read.clear();
      open = false;
    }
  }
  if (open) reads.push_back(std::move(read));
  return reads;
}

std::vector<std::string> PortsFileTokens(std::string_view read) {
  if (!read.empty() && read[0] == '#') return {};
  std::vector<std::string> tokens = Words(read);
  if (tokens.size() > kPortsFileMaxTokens) tokens.resize(kPortsFileMaxTokens);
  return tokens;
}

TPortsFileFormat PortsFileFormatOf(std::string_view path) {
  std::string lower(path);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return Contains(lower, "port.sys") ? TPortsFileFormat::Numbered : TPortsFileFormat::Named;
}

std::string Cut(std::string_view token, std::size_t width) {
  return std::string(token.substr(0, width));
}

TPortsFileResult::TPortsFileResult() {
  for (TPortRecord& port : Ports) {
    port = TPortRecord();
    SetField(port.Disabled, "false");
  }
}

bool TPortsFileResult::AnyMatched() const {
  for (bool matched : Matched)
    if (matched) return true;
  return false;
}

void ApplyPortLine(const std::vector<std::string>& tokens,
                   const std::vector<TInterface>& interfaces, TAddressRule rule,
                   TPortsFileResult& result) {
  if (tokens.size() < kPortsFileMaxTokens) return;
  std::vector<std::string> t;
  for (const std::string& token : tokens) t.push_back(Cut(token, kPortTokenWidth));
  const int64_t number = ReadNumber(t[0]);
  if (number < 1 || number > kPortCount) return;
  const int index = static_cast<int>(number) - 1;
  TPortRecord& port = result.Ports[index];

  for (const TInterface& iface : interfaces) {
    if (iface.Id != t[2]) continue;
    result.Matched[index] = true;
    SetField(port.Driver, iface.Driver);
    const TPortAddress address = rule(iface, t[3]);
    SetField(port.Canal, address.Canal);
    SetField(port.BaudRate, address.BaudRate);
    SetField(port.HexAddress, address.HexAddress);
  }

  SetField(port.NumChannels, t[1]);
  SetField(port.Com, t[2]);
  SetField(port.Paclen, t[4]);
  SetField(port.MaxFrame, t[5]);
  SetField(port.NumFwdChannels, t[6]);
  SetField(port.MaxBlock, t[7]);
  const std::size_t slash = t[8].find('/');
  SetField(port.Fwdperiodo, slash == std::string::npos ? std::string() : t[8].substr(slash + 1));
  SetField(port.Fwdminute, t[8].substr(0, slash));
  // The letters are case-sensitive; the user type is the first of U, G, B
  // in that order, whatever their order in the token.
  const std::string& mode = t[9];
  const char* type = Contains(mode, "U") ? "U" : Contains(mode, "G") ? "G" : Contains(mode, "B") ? "B" : "";
  SetField(port.Tipopuerto, type);
  SetField(port.Unprotos, Contains(mode, "L") ? "L" : "");
  SetField(port.Yapp, Contains(mode, "Y") ? "Y" : "");
  SetField(port.Gateway, Contains(mode, "W") ? "W" : "");
  SetField(port.Rdonly, Contains(mode, "R") ? "R" : "");
  SetField(port.Label, t[10]);
}
