// The readers of the old ports files: reads, tokens, the choice of format,
// the interface tables and the port lines of both formats.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/ports/Ports.h"
#include "editor/ports/Portsys.h"

using Strings = std::vector<std::string>;

namespace {

TPortsFileResult Numbered(const std::string& text) { return ReadPortsys(PortsFileReads(text)); }
TPortsFileResult Named(const std::string& text) { return ReadPorts(PortsFileReads(text)); }

// The fields a port line sets, in the record's order.
Strings Fields(const TPortRecord& p) {
  return {FieldText(p.Driver),     FieldText(p.Com),        FieldText(p.BaudRate),
          FieldText(p.HexAddress), FieldText(p.Canal),      FieldText(p.NumChannels),
          FieldText(p.Paclen),     FieldText(p.MaxFrame),   FieldText(p.NumFwdChannels),
          FieldText(p.MaxBlock),   FieldText(p.Fwdminute),  FieldText(p.Fwdperiodo),
          FieldText(p.Tipopuerto), FieldText(p.Unprotos),   FieldText(p.Yapp),
          FieldText(p.Gateway),    FieldText(p.Rdonly),     FieldText(p.Label),
          FieldText(p.Disabled)};
}

bool IsReset(const TPortRecord& p) {
  Strings reset(19, "");
  reset[18] = "false";
  return Fields(p) == reset && FieldEmpty(p.PortKey) && FieldEmpty(p.Mode);
}

}  // namespace

TEST(PortsFileReads, LineBreaksTextModeAndPiecesOf148) {
  EXPECT_EQ(PortsFileReads(""), Strings{});
  EXPECT_EQ(PortsFileReads("a\r\nb\n\nc"), (Strings{"a", "b", "", "c"}));
  EXPECT_EQ(PortsFileReads("a\rb\n"), (Strings{"a\rb"}));
  EXPECT_EQ(PortsFileReads("1 TCP 0 8000 Tel\x1a\r\n2 KIS"), Strings{"1 TCP 0 8000 Tel"});
  // 147 characters and the line break fill one read; 148 leave the break
  // to a read of its own, and 300 take three reads.
  EXPECT_EQ(PortsFileReads(std::string(147, 'x') + "\n"), Strings{std::string(147, 'x')});
  EXPECT_EQ(PortsFileReads(std::string(148, 'x') + "\r\n"), (Strings{std::string(148, 'x'), ""}));
  EXPECT_EQ(PortsFileReads(std::string(300, 'x')),
            (Strings{std::string(148, 'x'), std::string(148, 'x'), "xxxx"}));
}

TEST(PortsFileTokens, CommentsNothingAndAtMostElevenTokens) {
  EXPECT_EQ(PortsFileTokens("# 1 2 3 4"), Strings{});
  EXPECT_EQ(PortsFileTokens("  #x y"), (Strings{"#x", "y"}));
  EXPECT_EQ(PortsFileTokens("a\tb\vc  d"), (Strings{"a", "b", "c", "d"}));
  EXPECT_EQ(PortsFileTokens("1 2 3 4 5 6 7 8 9 10 11 12 13").size(), 11u);
}

TEST(PortsFileFormat, ThePathInAnyCaseChoosesIt) {
  for (const char* numbered : {"C:\\BBS\\port.sys", "C:\\BBS\\PORT.SYS", "D:\\Port.Sys.old"})
    EXPECT_EQ(PortsFileFormatOf(numbered), TPortsFileFormat::Numbered) << numbered;
  for (const char* named : {"C:\\BBS\\ports.sys", "C:\\BBS\\PORTS.SYS", "C:\\radio.cfg"})
    EXPECT_EQ(PortsFileFormatOf(named), TPortsFileFormat::Named) << named;
}

TEST(Portsys, InterfaceNumbersNameTheirDrivers) {
  const char* drivers[] = {"", "NON", "BPQ", "", "NON", "NON", "DED", "TLN", "NON", "NON", ""};
  for (int n = 0; n <= 10; ++n) EXPECT_EQ(PortsysDriver(std::to_string(n)), drivers[n]) << n;
  EXPECT_EQ(PortsysDriver("x"), "");
  EXPECT_EQ(PortsysDriver("-2"), "");
}

TEST(Portsys, TelnetBpqAndSerialInterfacesGiveTheirAddresses) {
  const TPortsFileResult r = Numbered(
      "# interfaces\n"
      "1 7 23 0\n"
      "K 6 3f8 9600\n"
      "B 2 0 0\n"
      "2 4 1 0 250 4 2 50 00/30 BLW Tel\n"
      "3 7 K 5 128 2 1 10 05/60 GUYR Kiss\n"
      "4 3 B 9 80 1 1 10 00 U Bpq\n"
      "5 3 Z 9 80 1 1 10 00/30 U Lost\n");
  EXPECT_EQ(Fields(r.Ports[1]), (Strings{"TLN", "1", "23", "0", "0", "4", "250", "4", "2", "50",
                                         "00", "30", "B", "L", "", "W", "", "Tel", "false"}));
  EXPECT_EQ(Fields(r.Ports[2]), (Strings{"DED", "K", "9600", "3f8",
                                         "5", "7", "128", "2", "1", "10", "05", "60", "U", "",
                                         "Y", "", "R", "Kiss", "false"}));
  // BPQ: channel 1, no address; a forward timing without "/" is all minute.
  EXPECT_EQ(Fields(r.Ports[3]), (Strings{"BPQ", "B", "0", "", "1", "3", "80", "1", "1", "10",
                                         "00", "", "U", "", "", "", "", "Bpq", "false"}));
  // No such interface: the numbers and mode, but no driver and no mark.
  EXPECT_EQ(Fields(r.Ports[4]), (Strings{"", "Z", "", "", "", "3", "80", "1", "1", "10", "00",
                                         "30", "U", "", "", "", "", "Lost", "false"}));
  EXPECT_EQ(r.Matched, (std::array<bool, kPortCount>{false, true, true, true}));
  EXPECT_TRUE(r.Message.empty());
  for (int i : {0, 5, 6, 7, 8, 9}) EXPECT_TRUE(IsReset(r.Ports[i])) << i;
}

TEST(Ports, TcpTelnetBpqAndDriverInterfacesGiveTheirAddresses) {
  const TPortsFileResult r = Named(
      "1 TCP 0 8000 x\n"
      "T TLN 23 6300 x\n"
      "B BPQ 5 5 x\n"
      "K KAM 2f8 1200 x\n"
      "1 4 1 0 250 4 2 50 00/30 G Net\n"
      "2 4 T 3 250 4 2 50 00/30 G Tel\n"
      "3 4 B 3 250 4 2 50 00/30 G Bpq\n"
      "4 4 K 3 250 4 2 50 00/30 G Kam\n"
      // Four tokens are no interface in this format.
      "Q 2 0 0\n"
      "5 4 Q 3 250 4 2 50 00/30 G None\n");
  auto address = [&](int i) {
    const TPortRecord& p = r.Ports[i];
    return Strings{FieldText(p.Driver), FieldText(p.Canal), FieldText(p.BaudRate),
                   FieldText(p.HexAddress)};
  };
  EXPECT_EQ(address(0), (Strings{"TCP", "0", "8000", "0"}));
  EXPECT_EQ(address(1), (Strings{"TLN", "0", "6300", "0"}));
  EXPECT_EQ(address(2), (Strings{"BPQ", "1", "0", ""}));
  EXPECT_EQ(address(3), (Strings{"KAM", "3", "1200", "2f8"}));
  EXPECT_EQ(address(4), (Strings{"", "", "", ""}));
  EXPECT_EQ(r.Matched, (std::array<bool, kPortCount>{true, true, true, true, false}));
}

TEST(PortLines, WhatIsIgnoredAndWhatWins) {
  const TPortsFileResult r = Named(
      "1 TCP 0 8000 x\n"
      "0 4 1 0 250 4 2 50 00/30 G Zero\n"
      "11 4 1 0 250 4 2 50 00/30 G Eleven\n"
      "x 4 1 0 250 4 2 50 00/30 G Nan\n"
      // Ten tokens: no label, no port line.
      "6 4 1 0 250 4 2 50 00/30 G\n"
      "7 4 1 0 250 4 2 50 00/30 G First\n"
      "7 5 1 0 250 4 2 50 00/30 UGB Last extra tokens\n"
      "#8 4 1 0 250 4 2 50 00/30 G Comment\n");
  for (int i = 0; i < kPortCount; ++i) EXPECT_EQ(i != 6, IsReset(r.Ports[i])) << i;
  EXPECT_EQ(FieldText(r.Ports[6].Label), "Last");
  EXPECT_EQ(FieldText(r.Ports[6].NumChannels), "5");
  EXPECT_EQ(FieldText(r.Ports[6].Tipopuerto), "U");
  // Mode letters are case-sensitive.
  EXPECT_EQ(Fields(Named("1 TCP 0 80 x\n1 1 1 0 1 1 1 1 1 lywrgub L\n").Ports[0])[12], "");

  const TPortsFileResult comments = Named("# only\n#comments\n");
  for (const TPortRecord& p : comments.Ports) EXPECT_TRUE(IsReset(p));
  EXPECT_FALSE(comments.AnyMatched());
}

TEST(PortLines, LongTokensAreCutToTheirWidthsAndFields) {
  // Interface tokens keep 9 characters, port tokens 11; every field keeps
  // to its own width.
  const TPortsFileResult r = Named(
      "ABCDEFGHIJ LONGDRIVER 0123456789 9876543210 x\n"
      "1 123 ABCDEFGHI 77 12345 99 123456 1234567 123456/654321 GLYWR LabelOfTwelve\n");
  const TPortRecord& p = r.Ports[0];
  EXPECT_TRUE(r.Matched[0]) << "the identifier matches once both are cut";
  EXPECT_EQ(Fields(p), (Strings{"LONG", "ABCD", "987654321", "012345678", "77", "12", "123", "9",
                                "1234", "12345", "123", "654", "G", "L", "Y", "W", "R",
                                "LabelOfTwel", "false"}));
}

TEST(PortLines, MoreThanTenInterfacesAreIgnored) {
  std::string text;
  for (int i = 1; i <= 11; ++i) text += "I" + std::to_string(i) + " TCP 0 " + std::to_string(i) + " x\n";
  text += "1 4 I10 0 1 1 1 1 1 G Ten\n2 4 I11 0 1 1 1 1 1 G Eleven\n";
  const TPortsFileResult r = Named(text);
  EXPECT_EQ(FieldText(r.Ports[0].BaudRate), "10");
  EXPECT_FALSE(r.Matched[1]);
  EXPECT_EQ(FieldText(r.Ports[1].Driver), "");
}
