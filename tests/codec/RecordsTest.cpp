#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "editor/config/Records.h"

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
  AllocateRecords();
  ASSERT_NE(PortTable, nullptr);
  EXPECT_TRUE(FieldEmpty(ConfigRecord->BbsCallsign));
  for (int i = 0; i < kPortCount; ++i) {
    SetField(PortTable[i].PortKey, "Port" + std::to_string(i + 1));
    SetField(PortTable[i].Driver, "KIS");
    SetField(PortTable[i].Mode, "LG");
    SetField(PortTable[i].Label, "x");
    SetField(PortTable[i].Disabled, "true");
  }
  Borraports();
  for (int i = 0; i < kPortCount; ++i) {
    const TPortRecord& p = PortTable[i];
    EXPECT_TRUE(FieldEmpty(p.PortKey) && FieldEmpty(p.Driver) && FieldEmpty(p.Mode) && FieldEmpty(p.Label));
    EXPECT_STREQ(p.Disabled, "false");
    EXPECT_FALSE(PortInUse(p));
  }
  ReleaseRecords();
  EXPECT_EQ(PortTable, nullptr);
  Borraports();  // no table: nothing to do, and no crash
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
