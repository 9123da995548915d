#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "editor/config/Configuration.h"

namespace {
struct Guarded {
  char field[5];
  char guard;
};
}  // namespace

TEST(RecordField, CutAtWidthLessOneAndNothingWrittenPastIt) {
  Guarded g;
  std::memset(&g, 'x', sizeof g);
  g.guard = 'G';
  SetField(g.field, "abcdefgh");
  EXPECT_STREQ(g.field, "abcd");
  EXPECT_EQ(g.guard, 'G');
  SetField(g.field, "abcd");
  EXPECT_STREQ(g.field, "abcd");
  SetField(g.field, "");
  EXPECT_TRUE(FieldEmpty(g.field));
  EXPECT_EQ(g.guard, 'G');
}

TEST(RecordField, OverlappingSourceAndUnterminatedField) {
  char f[5];
  SetField(f, "abcd");
  SetField(f, std::string_view(f + 1, 3));
  EXPECT_STREQ(f, "bcd");
  Guarded g;
  std::memset(g.field, 'y', sizeof g.field);  // as a raw copy might leave it
  g.guard = 'G';
  EXPECT_EQ(FieldText(g.field), "yyyyy");
}

TEST(PortTable, ResetEmptiesEveryFieldAndEnablesThePort) {
  TConfiguration c;
  EXPECT_TRUE(FieldEmpty(c.ConfigRecord.BbsCallsign));
  for (int i = 0; i < kPortCount; ++i) {
    EXPECT_STREQ(c.PortTable[i].Disabled, "false") << "a new table is in its reset state";
    SetField(c.PortTable[i].PortKey, "Port" + std::to_string(i + 1));
    SetField(c.PortTable[i].Driver, "KIS");
    SetField(c.PortTable[i].Mode, "LG");
    SetField(c.PortTable[i].Label, "x");
    SetField(c.PortTable[i].Disabled, "true");
  }
  c.Borraports();
  for (int i = 0; i < kPortCount; ++i) {
    const TPortRecord& p = c.PortTable[i];
    EXPECT_TRUE(FieldEmpty(p.PortKey) && FieldEmpty(p.Driver) && FieldEmpty(p.Mode) && FieldEmpty(p.Label));
    EXPECT_STREQ(p.Disabled, "false");
    EXPECT_FALSE(PortInUse(p));
  }
}

TEST(PortTable, InUseUnlessDriverEmptyOrNON) {
  TPortRecord p{};
  EXPECT_FALSE(PortInUse(p));
  SetField(p.Driver, "NON");
  EXPECT_FALSE(PortInUse(p));
  SetField(p.Driver, "NONE");
  EXPECT_TRUE(PortInUse(p));
  SetField(p.Driver, "TCP");
  EXPECT_TRUE(PortInUse(p));
}
