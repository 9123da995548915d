// BbsCallsign: the split never invents text, and a callsign and a one-word
// route come back from their join unchanged.
#include "FuzzCheck.h"
#include "editor/config/Encodings.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view text = FuzzText(data, size);
  const TCallsignRoute split = SplitBbsCallsign(text);
  FUZZ_CHECK(split.Callsign.find('.') == std::string::npos);
  FUZZ_CHECK(text.substr(0, split.Callsign.size()) == split.Callsign);
  if (text.find('.') == std::string_view::npos) {
    FUZZ_CHECK(split.Callsign == text && split.Route == " ");
  } else {
    for (char c : split.Route) FUZZ_CHECK(!IsWhiteSpace(c));
    FUZZ_CHECK(text.substr(split.Callsign.size() + 1).find(split.Route) != std::string_view::npos);
    const TCallsignRoute again = SplitBbsCallsign(JoinBbsCallsign(split.Callsign, split.Route));
    FUZZ_CHECK(again.Callsign == split.Callsign && again.Route == split.Route);
  }
  return 0;
}
