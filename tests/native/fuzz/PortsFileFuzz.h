// The properties both ports-file readers must keep, whatever the file.
#pragma once
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "editor/config/Numbers.h"
#include "editor/ports/PortsFile.h"

namespace ports_fuzz {

// Every field ends within its width: nothing ran into the next field.
template <std::size_t N>
bool Terminated(const char (&field)[N]) {
  return ::strnlen(field, N) < N;
}

inline bool FieldsTerminated(const TPortRecord& p) {
  return Terminated(p.PortKey) && Terminated(p.Com) && Terminated(p.Driver) &&
         Terminated(p.BaudRate) && Terminated(p.HexAddress) && Terminated(p.Disabled) &&
         Terminated(p.NumChannels) && Terminated(p.Canal) && Terminated(p.Paclen) &&
         Terminated(p.MaxFrame) && Terminated(p.NumFwdChannels) && Terminated(p.MaxBlock) &&
         Terminated(p.Fwdperiodo) && Terminated(p.Fwdminute) && Terminated(p.Mode) &&
         Terminated(p.Unprotos) && Terminated(p.Yapp) && Terminated(p.Gateway) &&
         Terminated(p.Rdonly) && Terminated(p.Tipopuerto) && Terminated(p.Label);
}

inline bool SameTable(const TPortsFileResult& a, const TPortsFileResult& b) {
  return std::memcmp(a.Ports.data(), b.Ports.data(), sizeof(TPortRecord) * kPortCount) == 0 &&
         a.Matched == b.Matched && a.Message == b.Message;
}

// Port lines whose number is outside 1 to 10.
inline bool OutsideTable(const std::string& read) {
  const std::vector<std::string> tokens = PortsFileTokens(read);
  if (tokens.size() < kPortsFileMaxTokens) return false;
  const int64_t n = ReadNumber(Cut(tokens[0], kPortTokenWidth));
  return n < 1 || n > kPortCount;
}

template <typename Reader>
void CheckReader(const unsigned char* data, std::size_t size, Reader read) {
  const std::vector<std::string> reads = PortsFileReads(FuzzText(data, size));
  std::set<int64_t> named;
  for (const std::string& r : reads) {
    FUZZ_CHECK(r.size() <= kPortsFileReadSize);
    FUZZ_CHECK(r.find('\n') == std::string::npos);
    const std::vector<std::string> tokens = PortsFileTokens(r);
    FUZZ_CHECK(tokens.size() <= kPortsFileMaxTokens);
    if (tokens.size() == kPortsFileMaxTokens) named.insert(ReadNumber(Cut(tokens[0], kPortTokenWidth)));
  }

  const TPortsFileResult result = read(reads);
  const TPortsFileResult again = read(reads);
  FUZZ_CHECK(SameTable(result, again));

  // Lines for ports outside the table change nothing when left out.
  std::vector<std::string> inside;
  for (const std::string& r : reads)
    if (!OutsideTable(r)) inside.push_back(r);
  FUZZ_CHECK(SameTable(result, read(inside)));

  const TPortsFileResult reset;
  for (int i = 0; i < kPortCount; ++i) {
    const TPortRecord& p = result.Ports[i];
    FUZZ_CHECK(FieldsTerminated(p));
    FUZZ_CHECK(FieldEmpty(p.PortKey) && FieldEmpty(p.Mode));
    FUZZ_CHECK(FieldText(p.Disabled) == "false");
    // A port that no line names stays as reset, and is not marked.
    if (!named.count(i + 1)) {
      FUZZ_CHECK(std::memcmp(&p, &reset.Ports[i], sizeof p) == 0);
      FUZZ_CHECK(!result.Matched[i]);
    }
  }
}

}  // namespace ports_fuzz
