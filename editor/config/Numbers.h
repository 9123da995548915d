// The one rule by which numbers held as text are read everywhere: skip
// leading white space, take one optional sign, then decimal digits up to the
// first other character; a text without digits counts as 0.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

// The value of the leading number. A value beyond 64 bits saturates; overflow
// (when given) says whether it did.
int64_t ReadNumber(std::string_view text, bool* overflow = nullptr);

// The leading number when it fits 32 bits, otherwise nothing.
std::optional<int32_t> ReadInt32(std::string_view text);

// The leading number, or 0 when it does not fit 32 bits.
int32_t ReadInt32Or0(std::string_view text);

// Compares two major.minor.patch versions component by component; a missing
// component counts as 0. Returns <0, 0 or >0.
int CompareVersions(std::string_view a, std::string_view b);
