// The number rule against a slow reference in 128-bit arithmetic, and the
// version comparison and the flags of a stored sum built on it.
#include <cstdint>
#include <limits>

#include "FuzzCheck.h"
#include "editor/config/Encodings.h"
#include "editor/config/Numbers.h"

namespace {
bool Blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The exact value, clamped just beyond 64 bits so it cannot overflow itself.
__int128 Reference(std::string_view t) {
  std::size_t i = 0;
  while (i < t.size() && Blank(t[i])) ++i;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  const __int128 cap = static_cast<__int128>(std::numeric_limits<uint64_t>::max()) * 4;
  __int128 v = 0;
  for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
    v = v * 10 + (t[i] - '0');
    if (v > cap) v = cap;
  }
  return negative ? -v : v;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view text = FuzzText(data, size);
  const __int128 exact = Reference(text);
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  bool over = false;
  const int64_t got = ReadNumber(text, &over);
  FUZZ_CHECK(over == (exact > kMax || exact < kMin));
  FUZZ_CHECK(got == (exact > kMax ? kMax : exact < kMin ? kMin : static_cast<int64_t>(exact)));

  const std::optional<int32_t> v32 = ReadInt32(text);
  const bool fits = exact >= std::numeric_limits<int32_t>::min() && exact <= std::numeric_limits<int32_t>::max();
  FUZZ_CHECK(v32.has_value() == fits);
  FUZZ_CHECK(!fits || *v32 == static_cast<int32_t>(exact));
  FUZZ_CHECK(ReadInt32Or0(text) == (fits ? static_cast<int32_t>(exact) : 0));

  // Two versions out of one input: the comparison is a consistent order.
  const std::size_t cut = text.find('|');
  const std::string_view a = text.substr(0, cut);
  const std::string_view b = cut == std::string_view::npos ? std::string_view() : text.substr(cut + 1);
  const int ab = CompareVersions(a, b), ba = CompareVersions(b, a);
  FUZZ_CHECK((ab > 0) == (ba < 0) && (ab == 0) == (ba == 0));
  FUZZ_CHECK(CompareVersions(a, a) == 0);

  // A stored sum of flags, each weight one bit: the flags are the sum's bits
  // that carry a weight, whatever else the sum holds.
  const int32_t sum = ReadInt32Or0(text);
  for (const std::vector<int32_t>* w : {&ForwardingWeights(), &ResumeWeights(),
                                        &FirstConnectionWeights(), &SecurityWeights()}) {
    const std::vector<bool> on = FlagsOfSum(sum, *w);
    FUZZ_CHECK(on.size() == w->size());
    uint32_t mask = 0;
    for (int32_t weight : *w) mask |= static_cast<uint32_t>(weight);
    FUZZ_CHECK(static_cast<uint32_t>(FlagSum(on, *w)) == (static_cast<uint32_t>(sum) & mask));
  }
  return 0;
}
