#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "editor/transfer/Colores.h"
#include "editor/transfer/Initsrv.h"

namespace {

using Strings = std::vector<std::string>;

// A station section of `count` lines "L<n>" with the given lines replaced.
std::string Station(const std::map<int, std::string>& lines, int count = kInitSrvStationLines) {
  std::string file;
  for (int n = 1; n <= count; ++n) {
    auto it = lines.find(n);
    file += (it == lines.end() ? "L" + std::to_string(n) : it->second) + "\r\n";
  }
  return file;
}

TInitSrv Parse(const std::string& file) { return ParseInitSrv(file, nullptr); }

Strings Names(const TInitSrv& r) {
  Strings names;
  for (const TInitSrvServer& s : r.Servers) names.push_back(s.Name);
  return names;
}

}  // namespace

TEST(InitSrvLines, LineEndsPiecesOf148AndTheEndOfText) {
  const std::string piece(kInitSrvPiece, 'x');
  const std::pair<std::string, Strings> cases[] = {
      {"a\r\nb\nc", {"a", "b", "c"}},          // CR LF, LF, none at the end
      {"a\n\nb\n", {"a", "", "b"}},            // a blank line counts
      {"a\rb\n", {"a\rb"}},                    // a lone CR is text
      {piece + "\r\nb", {piece, "b"}},         // exactly 148: no empty line after it
      {piece + "yz\n", {piece, "yz"}},         // the rest of a longer line is the next line
      {"a\n\x1a" "b\n", {"a"}},                // Ctrl+Z ends the file
      {std::string("ab\0cd\ne", 7), {"ab", "e"}},  // a NUL ends the text of its line
  };
  for (const auto& [file, lines] : cases) EXPECT_EQ(InitSrvLines(file), lines) << file;
}

TEST(InitSrvSections, SeparatorCommentsAndServerLines) {
  // "--" in a comment ends the station section too; comments are not counted.
  TInitSrv r = Parse("# header\nX1ABC.ROUTE\n# sysop -- below\nWP WP.EXE Three word text\n"
                     "# skipped\n\nBAD-NAME-OF-FIFTEEN F.EXE x\nONE\nLAST L.EXE  tab\tkept");
  EXPECT_EQ(r.Identity.Callsign, "X1ABC");
  EXPECT_FALSE(r.Ssid);  // the separator came first: a short station section
  EXPECT_EQ(Names(r), (Strings{"WP", "ONE", "LAST"}));
  EXPECT_EQ(r.Servers[0].File, "WP.EXE");
  EXPECT_EQ(r.Servers[0].Description, "Three word text");
  EXPECT_EQ(r.Servers[1].File, "");
  EXPECT_EQ(r.Servers[2].Description, "tab\tkept");

  // No separator: everything is station, no server.
  r = Parse(Station({{2, "7"}}, 60));
  EXPECT_EQ(r.Ssid, "7");
  EXPECT_TRUE(r.Servers.empty());

  // A hundred servers at most.
  std::string many = "--\n";
  for (int i = 0; i < 120; ++i) many += "S" + std::to_string(i) + " F.EXE d\n";
  EXPECT_EQ(Parse(many).Servers.size(), 100u);
}

TEST(InitSrvStation, PackedLinesDecodeByTheirRules) {
  const TInitSrv r = Parse(Station({{1, "X1ABC.ABC.XX.EU more"},
                                    {5, "C:\\BBS\\SYSTEM\\"},
                                    {8, "C:\\A,*,**,x*,,C:\\F,G"},
                                    {13, "*none"},
                                    {16, "NOK"},
                                    {18, "OK"},
                                    {19, "neither"},
                                    {20, "OK 10"},
                                    {21, "NOK 3"},
                                    {24, "5"},
                                    {25, "3 0 1023"},
                                    {26, "513"},
                                    {28, "10"},
                                    {31, "B5"},
                                    {32, "1 2 3 4"},
                                    {39, "5 10 AP"}}));
  EXPECT_EQ(r.Identity.Callsign, "X1ABC");
  EXPECT_EQ(r.Identity.Route, "ABC.XX.EU");
  EXPECT_EQ(r.Root, "C:\\BBS");
  EXPECT_EQ(Strings(r.Disks.begin(), r.Disks.end()),
            (Strings{"C:\\A", "", "", "", "", "C:\\F", "G", ""}));
  EXPECT_EQ(r.CopySysOpMessages, "");
  EXPECT_EQ(r.FullLog, false);  // both "OK" and "NO"
  EXPECT_EQ(r.ChannelsIndication, true);
  EXPECT_EQ(r.TestMode, std::nullopt);
  EXPECT_EQ(r.Forwarding.Switch, true);
  EXPECT_EQ(r.Forwarding.Sum, 10);
  EXPECT_EQ(r.CompressedForwarding.Switch, std::nullopt);  // exact word only
  EXPECT_EQ(r.CompressedForwarding.Sum, 3);
  EXPECT_FALSE(r.ConnectionDisabled);
  EXPECT_EQ(r.FirstConnection, 5);
  EXPECT_EQ(r.Security, (std::array<int32_t, 3>{3, 0, 1023}));
  EXPECT_EQ(r.Warnings, 513);
  EXPECT_EQ(r.TimeoutUsers, "10");
  EXPECT_EQ(r.TimeoutForward, "");
  EXPECT_TRUE(r.Beacon.Beacon);
  EXPECT_EQ(r.Beacon.Count, "5");
  EXPECT_EQ((Strings{r.BufferUser, r.BufferConsole, r.BufferMonitor}), (Strings{"1", "2", "3"}));
  EXPECT_EQ((Strings{r.Unproto.Back, r.Unproto.Delay}), (Strings{"5", "10"}));
  EXPECT_TRUE(r.Unproto.Ack && r.Unproto.User);
  EXPECT_FALSE(r.Unproto.Private || r.Unproto.Title);

  const TInitSrv zero = Parse(Station({{24, "0"}, {31, "5"}, {5, "C:\\BBS\\SYSTEM"}}));
  EXPECT_TRUE(zero.ConnectionDisabled);
  EXPECT_EQ(zero.FirstConnection, 0);
  EXPECT_FALSE(zero.Beacon.Beacon);
  EXPECT_EQ(zero.Beacon.Count, "5");
  EXPECT_EQ(zero.Root, "C:");
}

TEST(InitSrvStation, ShortFileLeavesDirectLinesAloneAndDecodesEmpty) {
  const TInitSrv r = Parse("X1ABC\n3\n");
  EXPECT_EQ(r.Identity.Callsign, "X1ABC");
  EXPECT_EQ(r.Identity.Route, " ");
  EXPECT_EQ(r.Ssid, "3");
  EXPECT_FALSE(r.Locator || r.Mail || r.ZipCode || r.FullLog || r.TestMode);
  EXPECT_EQ(r.Root, "");
  EXPECT_EQ(Strings(r.Disks.begin(), r.Disks.end()), Strings(8, ""));
  EXPECT_EQ((Strings{r.Unproto.Back, r.Unproto.Delay, r.TimeoutUsers, r.YappMax, r.BufferMonitor}),
            Strings(5, ""));
  EXPECT_EQ(r.Background, 0u);  // an empty colour line is black
}

TEST(InitSrvStation, OemConversionOnStationLinesOnlyAndCutsAfterIt) {
  std::string file = Station({{11, "Jos\x82"}, {2, "12345"}}, 11) + "--\nSRV\x82 F.EXE d\x82\n";
  const TInitSrv r = ParseInitSrv(file, [](std::string& line) {
    for (char& c : line)
      if (c == '\x82') c = '\xe9';  // e acute, OEM 850 to ANSI 1252
  });
  EXPECT_EQ(r.SysOpName, "Jos\xe9");
  EXPECT_EQ(r.Ssid, "12");  // two characters: the width of the field
  EXPECT_EQ(r.Servers[0].Name, "SRV\x82");
  EXPECT_EQ(r.Servers[0].Description, "d\x82");
}

TEST(Colores, PaletteIndexesAndTheButtonFaceFallback) {
  const std::pair<const char*, uint32_t> cases[] = {
      {"0", 0x000000},    {"", 0x000000},     {" 1", 0x800000},   {"3", 0x808000},
      {"4", 0x000080},    {"7", 0xC0C0C0},    {"8", 0x808080},    {"+12x", 0x0000FF},
      {"14", 0x00FFFF},   {"15", 0xFFFFFF},   {"16", kButtonFaceColour},
      {"-1", kButtonFaceColour}, {"4294967296", kButtonFaceColour}};
  for (const auto& [text, colour] : cases) EXPECT_EQ(Colores(text), colour) << '"' << text << '"';
}
