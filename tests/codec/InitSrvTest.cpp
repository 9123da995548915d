// The Init.srv reader on its own; how the window shows what it read is
// tested with the window (tests/editor/InitSrvImportTest.cpp).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/transfer/Colores.h"
#include "editor/transfer/Initsrv.h"

namespace {
using Strings = std::vector<std::string>;

TInitSrv Parse(const std::string& file) { return ParseInitSrv(file, nullptr); }

// Station line n holds text; the lines before it hold "L".
std::string Line(int n, const std::string& text) {
  std::string file;
  for (int i = 1; i < n; ++i) file += "L\n";
  return file + text + "\n";
}
}  // namespace

TEST(InitSrvLines, LineEndsPiecesOf148AndTheEndOfText) {
  const std::string piece(kInitSrvPiece, 'x');
  const std::pair<std::string, Strings> cases[] = {
      {"a\r\nb\nc", {"a", "b", "c"}},             // CR LF, LF, none at the end
      {"a\n\nb\n", {"a", "", "b"}},               // a blank line counts
      {"a\rb\n", {"a\rb"}},                       // a lone CR is text
      {piece + "\r\nb", {piece, "b"}},            // exactly 148: no empty line after it
      {piece + "yz\n", {piece, "yz"}},            // the rest of a longer line comes next
      {"a\n\x1a" "b\n", {"a"}},                   // Ctrl+Z ends the file
      {std::string("ab\0cd\ne", 7), {"ab", "e"}}, // a NUL ends the text of its line
  };
  for (const auto& [file, lines] : cases) EXPECT_EQ(InitSrvLines(file), lines) << file;
}

TEST(InitSrvSections, SeparatorCommentsAndServerLines) {
  // "--" in a comment ends the station section; comments are not counted.
  TInitSrv r = Parse("# head\nX1ABC.ROUTE\n# -- servers\nWP WP.EXE Three word text\n# no\n\n"
                     "NAME-LONGER-THAN-14 F.EXE x\nONE\nLAST L.EXE  tab\tkept");
  EXPECT_EQ(r.Identity.Callsign, "X1ABC");
  EXPECT_FALSE(r.Ssid);  // a short station section: the line is not there
  Strings servers;
  for (const TInitSrvServer& s : r.Servers) servers.push_back(s.Name + "|" + s.File + "|" + s.Description);
  EXPECT_EQ(servers, (Strings{"WP|WP.EXE|Three word text", "ONE||", "LAST|L.EXE|tab\tkept"}));

  r = Parse(Line(60, "x"));  // no separator: no server
  EXPECT_TRUE(r.Servers.empty());
  std::string many = "--\n";
  for (int i = 0; i < 120; ++i) many += "S" + std::to_string(i) + " F.EXE d\n";
  EXPECT_EQ(Parse(many).Servers.size(), 100u);
}

TEST(InitSrvStation, RulesOfTheDecodedLines) {
  EXPECT_EQ(Parse(Line(5, "C:\\BBS\\SYSTEM\\")).Root, "C:\\BBS");
  EXPECT_EQ(Parse(Line(5, "C:\\BBS\\SYSTEM")).Root, "C:");
  EXPECT_EQ(Parse(Line(5, "NOSLASH")).Root, "NOSLASH");
  const TDisks disks = Parse(Line(8, "C:\\A,*,**,x*,,C:\\F,G")).Disks;
  EXPECT_EQ(Strings(disks.begin(), disks.end()), (Strings{"C:\\A", "", "", "", "", "C:\\F", "G", ""}));
  EXPECT_EQ(Parse(Line(8, "C:\\A,*,**,x*,,C:\\F,G")).DiskValues, 7u);  // H is not named
  EXPECT_EQ(Parse(Line(8, "1,2,3,4,5,6,7,8,9")).DiskValues, 8u);
  // "OK"/"NO" anywhere on 16, 18, 19, 23; the exact first word on 20 and 21.
  EXPECT_EQ(Parse(Line(16, "NOK")).FullLog, false);
  EXPECT_EQ(Parse(Line(19, "neither")).TestMode, std::nullopt);
  EXPECT_EQ(Parse(Line(21, "NOK 3")).CompressedForwarding.Switch, std::nullopt);
  EXPECT_EQ(Parse(Line(21, "NOK 3")).CompressedForwarding.Sum, 3);
  EXPECT_TRUE(Parse(Line(24, "0")).ConnectionDisabled);
  EXPECT_FALSE(Parse(Line(24, "0 ")).ConnectionDisabled);  // the whole line is compared
  EXPECT_EQ(Parse(Line(31, "5")).Beacon.Beacon, false);
  EXPECT_EQ(Parse(Line(31, "B5")).Beacon.Beacon, true);
  // Callsign, point and route share the 35 bytes of the stored field.
  EXPECT_EQ(Parse("EA9ZZB." + std::string(40, 'R') + "\n").Identity.Route, std::string(27, 'R'));
}

TEST(InitSrvStation, AShortFileDecodesEmptyAndKeepsUnreadLinesOut) {
  const TInitSrv r = Parse("X1ABC\n3\n");
  EXPECT_EQ(r.Identity.Route, " ");  // no point: all callsign
  EXPECT_EQ(r.Ssid, "3");
  EXPECT_FALSE(r.Locator || r.Mail || r.ZipCode || r.FullLog);
  EXPECT_EQ((Strings{r.Root, r.Disks[0], r.Unproto.Back, r.TimeoutForward, r.YappMax, r.BufferMonitor}),
            Strings(6, ""));
  EXPECT_EQ(r.Background, 0u);  // an empty colour line is black
}

TEST(InitSrvStation, OemConversionOfStationLinesOnlyThenTheFieldWidths) {
  const std::string file = Line(2, "12345") + Line(9, "Jos\x82") + "--\nSRV\x82 F.EXE d\x82\n";
  const TInitSrv r = ParseInitSrv(file, [](std::string& line) {
    for (char& c : line)
      if (c == '\x82') c = '\xe9';  // e acute: OEM 850 to ANSI 1252
  });
  EXPECT_EQ(r.SysOpName, "Jos\xe9");
  EXPECT_EQ(r.Ssid, "12");  // the width of the field
  EXPECT_EQ(r.Servers[0].Name + r.Servers[0].Description, "SRV\x82" "d\x82");
}

TEST(Colores, PaletteIndexesAndTheButtonFaceFallback) {
  const std::pair<const char*, uint32_t> cases[] = {
      {"0", 0x000000}, {"", 0x000000}, {" 1", 0x800000}, {"3", 0x808000}, {"4", 0x000080},
      {"7", 0xC0C0C0}, {"8", 0x808080}, {"+12x", 0x0000FF}, {"14", 0x00FFFF}, {"15", 0xFFFFFF},
      {"16", kButtonFaceColour}, {"-1", kButtonFaceColour}, {"4294967296", kButtonFaceColour}};
  for (const auto& [text, colour] : cases) EXPECT_EQ(Colores(text), colour) << '"' << text << '"';
}
