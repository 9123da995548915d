#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "editor/config/Encodings.h"

using Strings = std::vector<std::string>;

namespace {
Strings Disks(const char* text) {
  const TDisks d = SplitUsersPub(text);
  return Strings(d.begin(), d.end());
}
}  // namespace

TEST(UsersPub, EmptyItemsSkippedStarIsEmptyAtMostEight) {
  EXPECT_EQ(Disks("a,b,,d,e,f,g,h"), (Strings{"a", "b", "d", "e", "f", "g", "h", ""}));
  EXPECT_EQ(Disks("a,*,c"), (Strings{"a", "", "c", "", "", "", "", ""}));
  EXPECT_EQ(Disks(",,a,"), (Strings{"a", "", "", "", "", "", "", ""}));
  EXPECT_EQ(Disks(""), Strings(8, ""));
  EXPECT_EQ(Disks("1,2,3,4,5,6,7,8,9"), (Strings{"1", "2", "3", "4", "5", "6", "7", "8"}));
}

TEST(UsersPub, JoinStarsEmptyDisksAndRefusesACommaInAPath) {
  TDisks d;
  d[0] = "C:\\A";
  EXPECT_EQ(JoinUsersPub(d), "C:\\A,*,*,*,*,*,*,*");
  d.fill("X");
  d[1] = "";
  EXPECT_EQ(JoinUsersPub(d), "X,*,X,X,X,X,X,X");
  EXPECT_EQ(SplitUsersPub(*JoinUsersPub(d)), d);
  d[3] = "C:\\a,b";
  EXPECT_FALSE(DiskStorable(d[3]));
  EXPECT_EQ(JoinUsersPub(d), std::nullopt);
}

TEST(FwdPeriode, MinuteBeforeSlashPeriodFirstWordAfter) {
  auto parse = [](const char* t) { TFwdPeriode p = ParseFwdPeriode(t); return Strings{p.Minute, p.Period}; };
  EXPECT_EQ(parse("00/30"), (Strings{"00", "30"}));
  EXPECT_EQ(parse("15/ 60 x"), (Strings{"15", "60"}));
  EXPECT_EQ(parse("/"), (Strings{"", ""}));
  EXPECT_EQ(parse("15"), (Strings{"15", ""}));
  EXPECT_EQ(parse("1/2/3"), (Strings{"1", "2/3"}));
  EXPECT_EQ(ComposeFwdPeriode("", ""), "00/30");
  EXPECT_EQ(ComposeFwdPeriode("15", ""), "15/30");
  EXPECT_EQ(ComposeFwdPeriode("", "5"), "00/5");
}

TEST(PortMode, LettersAndTheFirstUserTypeInUGBOrder) {
  auto parse = [](const char* t) {
    TPortMode m = ParsePortMode(t);
    return Strings{m.Unprotos, m.Yapp, m.Gateway, m.Rdonly, m.Tipopuerto};
  };
  EXPECT_EQ(parse("LYWRU"), (Strings{"L", "Y", "W", "R", "U"}));
  EXPECT_EQ(parse("BG"), (Strings{"", "", "", "", "G"}));
  EXPECT_EQ(parse("BU"), (Strings{"", "", "", "", "U"}));
  EXPECT_EQ(parse("----"), Strings(5, ""));
  EXPECT_EQ(parse("lywrg"), Strings(5, ""));
  EXPECT_EQ(ComposePortMode(TPortMode{}), "G");
  EXPECT_EQ(ComposePortMode(TPortMode{"L", "", "", "R", "B"}), "LRB");
}

TEST(PortValues, DefaultsAndThePseudoPort) {
  const std::pair<const char*, const char*> defaults[] = {
      {"NumChannels", "3"}, {"Canal", "1"}, {"Paclen", "80"}, {"MaxBlock", "10"},
      {"Label", "Default"}, {"Disabled", "false"}, {"Driver", ""}};
  for (const auto& [name, text] : defaults) EXPECT_EQ(PortDefault(name), text) << name;
  EXPECT_EQ(kPort0Values[10].Name, "FwdPeriode");
  EXPECT_EQ(kPort0Values[10].Text, "00/01");
  EXPECT_EQ(kPort0Values[11].Text, "----");
  EXPECT_EQ(kPort0Values[12].Text, "File-fwd.");
}

TEST(PortKeys, OnlyPortOneToTenFitTheTable) {
  const std::pair<const char*, int> inside[] = {{"Port1", 0}, {"Port7", 6}, {"Port10", 9}, {"PORT3", 2}};
  for (const auto& [name, index] : inside) EXPECT_EQ(PortIndexFromKeyName(name), index) << name;
  for (const char* outside : {"Port0", "Port11", "Port100", "Port", "Port1x", "Portx", "Port-1",
                              "Xort3", " Port1", ""})
    EXPECT_EQ(PortIndexFromKeyName(outside), std::nullopt) << outside;
  EXPECT_EQ(PortKeyName(0), "Port1");
  EXPECT_EQ(PortKeyName(9), "Port10");
}
