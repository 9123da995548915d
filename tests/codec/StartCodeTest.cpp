#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "editor/config/StartCodes.h"

TEST(StartCode, NumberRuleAndCodesBeyondThirtyTwoBits) {
  // "4294967297" would wrap to 1 in 32 bits; it must not point at the callsign.
  const std::pair<const char*, int32_t> cases[] = {
      {"", 0}, {"   21", 21}, {"+7", 7}, {"5abc", 5}, {"-3", -3}, {"\t14", 14},
      {"4294967297", kStartCodeOutOfRange}, {"99999999999999999999999", kStartCodeOutOfRange}};
  for (const auto& [text, code] : cases) EXPECT_EQ(StartCode(text), code) << '"' << text << '"';
  EXPECT_EQ(StartCodeRowFor(kStartCodeOutOfRange).Message, "");
}

TEST(StartCode, RowsPointAtPageAndField) {
  const TStartCodeRow disk = StartCodeRowFor(14);
  EXPECT_EQ(disk.Message, " UsersPub folder not found");
  EXPECT_EQ(disk.Page, "Hojadirectorioszub");
  EXPECT_TRUE(disk.Field.Text == &TStationTexts::Diskc && !disk.Field.Colour);
  EXPECT_EQ(StartCodeRowFor(26).Field.Text, &TStationTexts::Edithroute);
  EXPECT_EQ(StartCodeRowFor(42).Field.Colour, &TConsoleColours::Background);
  EXPECT_EQ(StartCodeRowFor(48).Field.Colour, &TConsoleColours::Chaninfo);
  EXPECT_EQ(StartCodeRowFor(40).Page, "Hojaunprotos");
  EXPECT_EQ(StartCodeRowFor(48).Page, "Hojacolores");
  EXPECT_EQ(StartCodeRowFor(31).Page, "Hojatiempos");
  for (int32_t other : {0, 24, 25, 27, 30, 41, 49, 1000, -5}) {
    const TStartCodeRow row = StartCodeRowFor(other);
    EXPECT_EQ(row.Message, "") << other;
    EXPECT_EQ(row.Page, "Hojageneral") << other;
    EXPECT_EQ(row.Field.Text, &TStationTexts::Editbbsindicativo) << other;
    EXPECT_FALSE(row.ImportsInitSrv || row.ImportsPortsSys) << other;
  }
}

TEST(StartCode, ImportCodesAndTheInformationBox) {
  EXPECT_TRUE(StartCodeRowFor(21).ImportsInitSrv && !StartCodeRowFor(21).ImportsPortsSys);
  EXPECT_TRUE(!StartCodeRowFor(22).ImportsInitSrv && StartCodeRowFor(22).ImportsPortsSys);
  EXPECT_TRUE(StartCodeRowFor(23).ImportsInitSrv && StartCodeRowFor(23).ImportsPortsSys);
  for (int32_t quiet : {0, 21, 22, 23}) EXPECT_FALSE(StartCodeShowsInfoBox(quiet)) << quiet;
  for (int32_t loud : {1, 14, 24, 48, 49, -1, kStartCodeOutOfRange}) EXPECT_TRUE(StartCodeShowsInfoBox(loud)) << loud;
}

TEST(StartCode, TableHasEachCodeOnceAndEveryMessageStartsWithABlank) {
  std::set<int32_t> codes;
  for (const TStartCodeRow& row : kStartCodeTable) {
    EXPECT_TRUE(codes.insert(row.Code).second) << row.Code;
    const bool imports = row.ImportsInitSrv || row.ImportsPortsSys;
    EXPECT_EQ(imports, row.Message.empty()) << row.Code;
    if (!imports) {
      EXPECT_EQ(row.Message.substr(0, 1), " ") << row.Code;
    }
  }
  EXPECT_EQ(codes.size(), 41u);
  EXPECT_EQ(*codes.begin(), 1);
  EXPECT_EQ(*codes.rbegin(), 48);
}
