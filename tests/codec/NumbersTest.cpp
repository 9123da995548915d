#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "editor/config/Numbers.h"

namespace {
constexpr int64_t kMax64 = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin64 = std::numeric_limits<int64_t>::min();
}  // namespace

TEST(NumberRule, LeadingWhiteSpaceSignAndDigitsUpToTheFirstOther) {
  struct Case { const char* text; int64_t value; } cases[] = {
      {"  \t\r\n\v\f42", 42}, {"+7", 7}, {"-3", -3}, {"5abc", 5}, {"", 0}, {"   ", 0},
      {"abc", 0}, {"+-5", 0}, {"- 5", 0}, {"12 34", 12}, {"  -0012x", -12},
      {"0000000000000000000000000000001", 1},
  };
  for (const auto& c : cases) {
    bool over = true;
    EXPECT_EQ(ReadNumber(c.text, &over), c.value) << '"' << c.text << '"';
    EXPECT_FALSE(over) << '"' << c.text << '"';
  }
}

TEST(NumberRule, SixtyFourBitLimitsAreExactAndBeyondSaturates) {
  struct Case { const char* text; int64_t value; bool over; } cases[] = {
      {"9223372036854775807", kMax64, false}, {"-9223372036854775808", kMin64, false},
      {"9223372036854775808", kMax64, true}, {"-9223372036854775809", kMin64, true},
      {"123456789012345678901234567890", kMax64, true},
  };
  for (const auto& c : cases) {
    bool over = !c.over;
    EXPECT_EQ(ReadNumber(c.text, &over), c.value) << c.text;
    EXPECT_EQ(over, c.over) << c.text;
  }
}

TEST(NumberRule, ThirtyTwoBitsOrNothing) {
  EXPECT_EQ(ReadInt32("2147483647"), 2147483647);
  EXPECT_EQ(ReadInt32("-2147483648"), std::numeric_limits<int32_t>::min());
  for (const char* beyond : {"2147483648", "-2147483649", "4294967296", "4294967297",
                             "18446744073709551617", "99999999999999999999999"}) {
    EXPECT_FALSE(ReadInt32(beyond).has_value()) << beyond;
    EXPECT_EQ(ReadInt32Or0(beyond), 0) << beyond;
  }
  EXPECT_EQ(ReadInt32Or0(" 12abc"), 12);
}

TEST(VersionRule, ComponentsCompareInOrderAndMissingOnesAreZero) {
  EXPECT_GT(CompareVersions("1.6.0", "1.5.3"), 0);
  for (const char* notNewer : {"1.5.3", "1.4.9", "0.9.9", ""})
    EXPECT_LE(CompareVersions(notNewer, "1.5.3"), 0) << notNewer;
  EXPECT_EQ(CompareVersions("", "0.0.0"), 0);
  EXPECT_EQ(CompareVersions("1.5", "1.5.0"), 0);
  EXPECT_EQ(CompareVersions("1.5.", "1.5.0"), 0);
  EXPECT_GT(CompareVersions("1.10.0", "1.9.9"), 0);  // numbers, not text
  EXPECT_LT(CompareVersions("1.5.3", "2"), 0);
}
