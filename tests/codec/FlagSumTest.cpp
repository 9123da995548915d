#include <gtest/gtest.h>

#include <vector>

#include "editor/config/Encodings.h"

namespace {
std::vector<bool> Only(std::size_t size, std::initializer_list<std::size_t> on) {
  std::vector<bool> v(size, false);
  for (std::size_t i : on) v[i] = true;
  return v;
}
}  // namespace

TEST(FlagSums, SumsOfTheStoredExamples) {
  EXPECT_EQ(FlagSum(Only(12, {}), FirstConnectionWeights()), 0);
  EXPECT_EQ(FlagSum(Only(12, {1, 11}), FirstConnectionWeights()), 2050);  // Local1, Pms1
  EXPECT_EQ(FlagSum(Only(12, {0, 2}), ForwardingWeights()), 10);         // Caracterh, Mbl
  EXPECT_EQ(FlagSum(Only(10, {0, 1}), SecurityWeights()), 3);
  EXPECT_EQ(FlagSum(std::vector<bool>(10, true), SecurityWeights()), 1023);
  EXPECT_EQ(FlagSum(std::vector<bool>(20, true), ResumeWeights()), 3);  // extra boxes ignored
  EXPECT_EQ(FlagWord(true, 512), 512);
  EXPECT_EQ(FlagWord(false, 512), 0);
}

TEST(FlagSums, BitsOfAStoredSum) {
  EXPECT_EQ(FlagsOfSum(2050, FirstConnectionWeights()), Only(12, {1, 11}));
  // An odd forwarding sum: bit 1 belongs to no box.
  EXPECT_EQ(FlagsOfSum(11, ForwardingWeights()), Only(12, {0, 2}));
  EXPECT_EQ(FlagsOfSum(-1, WarningWeights()), std::vector<bool>(10, true));
  EXPECT_EQ(FlagsOfSum(1024, SecurityWeights()), std::vector<bool>(10, false));
  for (int32_t sum : {0, 1, 777, 4095})
    EXPECT_EQ(FlagSum(FlagsOfSum(sum, FirstConnectionWeights()), FirstConnectionWeights()), sum);
}
