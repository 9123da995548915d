#include "editor/config/Numbers.h"

#include <limits>
#include <vector>

namespace {
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
}  // namespace

int64_t ReadNumber(std::string_view text, bool* overflow) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulate as a negative number so that INT64_MIN is reachable.
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  int64_t value = 0;
  bool over = false;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    int digit = text[i] - '0';
    if (!over && (value < kMin / 10 || value * 10 < kMin + digit)) over = true;
    if (!over) value = value * 10 - digit;
  }
  if (!negative) {
    if (over || value == kMin) {
      if (value == kMin) over = true;
      value = std::numeric_limits<int64_t>::max();
    } else {
      value = -value;
    }
  } else if (over) {
    value = kMin;
  }
  if (overflow) *overflow = over;
  return value;
}

std::optional<int32_t> ReadInt32(std::string_view text) {
  bool over = false;
  int64_t v = ReadNumber(text, &over);
  if (over || v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
    return std::nullopt;
  return static_cast<int32_t>(v);
}

int32_t ReadInt32Or0(std::string_view text) { return ReadInt32(text).value_or(0); }

namespace {
std::vector<int64_t> VersionParts(std::string_view v) {
  std::vector<int64_t> parts;
  std::size_t start = 0;
  for (int n = 0; n < 3; ++n) {
    if (start > v.size()) {
      parts.push_back(0);
      continue;
    }
    std::size_t dot = v.find('.', start);
    std::string_view part = v.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start);
    parts.push_back(ReadNumber(part));
    start = dot == std::string_view::npos ? v.size() + 1 : dot + 1;
  }
  return parts;
}
}  // namespace

int CompareVersions(std::string_view a, std::string_view b) {
  auto pa = VersionParts(a), pb = VersionParts(b);
  for (int i = 0; i < 3; ++i) {
    if (pa[i] != pb[i]) return pa[i] < pb[i] ? -1 : 1;
  }
  return 0;
}
