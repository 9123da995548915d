#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editor/config/Encodings.h"

using Strings = std::vector<std::string>;

TEST(Scanning, WordsAndMissingWords) {
  EXPECT_EQ(Words("  a\tb\r\nc  "), (Strings{"a", "b", "c"}));
  EXPECT_TRUE(Words(" \t ").empty());
  EXPECT_EQ(ScanWords("100", 3), (Strings{"100", "", ""}));
  EXPECT_EQ(ScanWords("1 2 3 4", 2), (Strings{"1", "2"}));
  EXPECT_EQ(FirstWord("  ABC.XX.EU rest"), "ABC.XX.EU");
}

TEST(Scanning, IntegersByTheNumberRuleMissingAndHugeAreZero) {
  EXPECT_EQ(ScanIntegers("3  0  1023", 3), (std::vector<int32_t>{3, 0, 1023}));
  EXPECT_EQ(ScanIntegers("", 3), (std::vector<int32_t>{0, 0, 0}));
  EXPECT_EQ(ScanIntegers("5x -7", 3), (std::vector<int32_t>{5, -7, 0}));
  EXPECT_EQ(ScanIntegers("4294967297 2", 2), (std::vector<int32_t>{0, 2}));
}

TEST(BbsCallsign, SplitAtTheFirstDotRouteIsOneWord) {
  auto split = [](const char* t) { TCallsignRoute r = SplitBbsCallsign(t); return Strings{r.Callsign, r.Route}; };
  EXPECT_EQ(split("X1ABC.ABC.XX.EU"), (Strings{"X1ABC", "ABC.XX.EU"}));
  EXPECT_EQ(split("X1ABC. ABC.XX.EU junk"), (Strings{"X1ABC", "ABC.XX.EU"}));
  EXPECT_EQ(split("XX1XX."), (Strings{"XX1XX", ""}));
  EXPECT_EQ(split(".ROUTE"), (Strings{"", "ROUTE"}));
  EXPECT_EQ(split("NODOT"), (Strings{"NODOT", " "}));
  EXPECT_EQ(split(""), (Strings{"", " "}));
  EXPECT_EQ(JoinBbsCallsign("XX1XX", ""), "XX1XX.");
  EXPECT_EQ(split(JoinBbsCallsign("X1ABC", "ABC.XX.EU").c_str()), (Strings{"X1ABC", "ABC.XX.EU"}));
}

TEST(Unproto, ThirdWordLettersAnyOrderCaseMatters) {
  TUnproto u = ParseUnproto("100 5 MA");
  EXPECT_EQ(u.Back, "100");
  EXPECT_EQ(u.Delay, "5");
  EXPECT_TRUE(u.Ack && u.Title);
  EXPECT_FALSE(u.Private || u.User);
  u = ParseUnproto("100 5 avpm");
  EXPECT_FALSE(u.Ack || u.Private || u.User || u.Title);
  u = ParseUnproto("7");
  EXPECT_EQ(u.Back, "7");
  EXPECT_EQ(u.Delay, "");
}

TEST(Unproto, ComposeZeroForEmptyAndLettersInAVPMOrder) {
  EXPECT_EQ(ComposeUnproto(TUnproto{}), "0 0 ");
  TUnproto u{"100", "5", true, false, true, true};
  EXPECT_EQ(ComposeUnproto(u), "100 5 APM");
  const TUnproto back = ParseUnproto(ComposeUnproto(u));
  EXPECT_EQ(ComposeUnproto(back), "100 5 APM");
  EXPECT_EQ(LetterIf(true, 'V'), "V");
  EXPECT_EQ(LetterIf(false, 'V'), "");
}

TEST(Switches, ContainsRuleVersusExactWord) {
  const std::pair<const char*, std::optional<bool>> inText[] = {
      {"OK", true}, {" OK ", true}, {"NO", false}, {"NOK", false}, {"OKNO", false},
      {"", std::nullopt}, {"ok", std::nullopt}};
  for (const auto& [text, value] : inText) EXPECT_EQ(SwitchFromText(text), value) << text;
  const std::pair<const char*, std::optional<bool>> asWord[] = {
      {"OK", true}, {"NO", false}, {"NOK", std::nullopt}};
  for (const auto& [word, value] : asWord) EXPECT_EQ(SwitchFromWord(word), value) << word;
  EXPECT_EQ(SwitchText(true), "OK");
  EXPECT_EQ(SwitchText(false), "NO");
}

TEST(TwoSpaced, JoinsSecurityAndSwitchWithSum) {
  EXPECT_EQ(JoinTwoSpaced({"", "5"}), "0  5");
  EXPECT_EQ(JoinTwoSpaced({"1", "", "3"}), "1  0  3");
  EXPECT_EQ(ComposeSecurityOptions(3, 0, 1023), "3  0  1023");
  EXPECT_EQ(ComposeSwitchAndSum(true, 10), "OK  10");
  const TSwitchAndSum parsed = ParseSwitchAndSum("OK  10");
  EXPECT_EQ(parsed.Switch, true);
  EXPECT_EQ(parsed.Sum, 10);
  EXPECT_EQ(ParseSwitchAndSum("NO  3").Switch, false);
  EXPECT_EQ(ParseSwitchAndSum("NOK  12").Switch, std::nullopt);
  EXPECT_EQ(ParseSwitchAndSum("NOK  12").Sum, 12);
  EXPECT_EQ(ParseSwitchAndSum("").Sum, 0);
}

TEST(MailBeacon, DigitFirstMeansOffEmptyMeansOffWithZero) {
  auto parse = [](const char* t) { TMailBeacon b = ParseCallsignsInMailBeacon(t); return std::make_pair(b.Beacon, b.Count); };
  const std::pair<const char*, std::pair<bool, std::string>> cases[] = {
      {"B5", {true, "5"}}, {"12", {false, "12"}}, {"X3", {true, "3"}}, {"B", {true, ""}},
      {"", {false, "0"}}};
  for (const auto& [text, parsed] : cases) EXPECT_EQ(parse(text), parsed) << '"' << text << '"';
  EXPECT_EQ(ComposeCallsignsInMailBeacon(true, "5"), "B5");
  EXPECT_EQ(ComposeCallsignsInMailBeacon(false, ""), "0");
  EXPECT_EQ(ComposeCallsignsInMailBeacon(true, ""), "B0");
}

TEST(StandIns, SysopCopyAndDefaults) {
  EXPECT_EQ(ParseCopySysOpMessages("******"), "");
  EXPECT_EQ(ParseCopySysOpMessages("*X1ABC"), "");
  EXPECT_EQ(ParseCopySysOpMessages("X1ABC*"), "X1ABC*");
  EXPECT_EQ(ComposeCopySysOpMessages(""), "******");
  EXPECT_EQ(ComposeCopySysOpMessages("X1ABC"), "X1ABC");
  EXPECT_EQ(ZeroIfEmpty(""), "0");
  EXPECT_EQ(OrDefault("", kDefaultZubHeader), "[$c] ZUB$E $$:$R");
}
