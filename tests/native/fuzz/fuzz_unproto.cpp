// Unproto: a parsed value composes into a text that parses to the same
// value, with empty numbers now "0"; scanning never yields white space.
#include "FuzzCheck.h"
#include "editor/config/Encodings.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view text = FuzzText(data, size);
  const TUnproto u = ParseUnproto(text);
  for (const std::string* w : {&u.Back, &u.Delay})
    for (char c : *w) FUZZ_CHECK(!IsWhiteSpace(c));
  const std::string composed = ComposeUnproto(u);
  const TUnproto back = ParseUnproto(composed);
  FUZZ_CHECK(back.Back == ZeroIfEmpty(u.Back) && back.Delay == ZeroIfEmpty(u.Delay));
  FUZZ_CHECK(back.Ack == u.Ack && back.Private == u.Private && back.User == u.User && back.Title == u.Title);
  FUZZ_CHECK(ComposeUnproto(back) == composed);

  // The other scans of stored texts ride along.
  const std::vector<int32_t> n = ScanIntegers(text, 3);
  FUZZ_CHECK(n.size() == 3);
  const TSwitchAndSum s = ParseSwitchAndSum(text);
  if (s.Switch) {
    const TSwitchAndSum again = ParseSwitchAndSum(ComposeSwitchAndSum(*s.Switch, s.Sum));
    FUZZ_CHECK(again.Switch == s.Switch && again.Sum == s.Sum);
  }
  const TMailBeacon b = ParseCallsignsInMailBeacon(text);
  if (!b.Count.empty() && IsDecimalDigit(b.Count[0])) {
    const TMailBeacon again = ParseCallsignsInMailBeacon(ComposeCallsignsInMailBeacon(b.Beacon, b.Count));
    FUZZ_CHECK(again.Beacon == b.Beacon && again.Count == b.Count);
  }
  return 0;
}
