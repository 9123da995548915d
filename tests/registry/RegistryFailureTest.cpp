#include "RegistryFixture.h"

#include "support/KeySecurity.h"

TEST_F(RegistryTest, AReadOnlyKeyRefusesWritesAndRecordsTheFirstFailure) {
  RawSet(Key("Config"), "Qth", REG_SZ, "Avila", 6);
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key("Config")));
  EXPECT_FALSE(reg.WriteString("Qth", "Leon"));
  ExpectFailure(reg, ERROR_ACCESS_DENIED, Key("Config"));
  EXPECT_FALSE(reg.WriteInteger("Left", 1));
  EXPECT_FALSE(reg.DeleteValue("Qth"));
  EXPECT_EQ("Avila", reg.ReadString("Qth"));

  // Later failures elsewhere do not replace the first one.
  ASSERT_TRUE(reg.OpenKeyReadOnly("\\" + Key()));
  EXPECT_FALSE(reg.WriteString("x", "y"));
  ExpectFailure(reg, ERROR_ACCESS_DENIED, Key("Config"));

  reg.ClearFailure();
  ExpectFailure(reg, ERROR_SUCCESS, "");
  EXPECT_FALSE(reg.WriteString("x", "y"));
  ExpectFailure(reg, ERROR_ACCESS_DENIED, Key());
}

TEST_F(RegistryTest, AWriteDeniedByTheKeysAclIsRecorded) {
  RawSet(Key("Config"), "Qth", REG_SZ, "Avila", 6);
  // Everyone may do all but set values.
  ASSERT_TRUE(SetDacl(Key("Config"), "D:(D;;0x0002;;;WD)(A;;KA;;;WD)"));
  {
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey(Key("Config"), true));
    EXPECT_FALSE(reg.WriteString("Qth", "Leon"));
    ExpectFailure(reg, ERROR_ACCESS_DENIED, Key("Config"));
    // Reading is still allowed.
    ASSERT_TRUE(reg.OpenKeyReadOnly(Key("Config")));
    EXPECT_EQ("Avila", reg.ReadString("Qth"));
  }
  EXPECT_TRUE(SetDacl(Key("Config"), "D:(A;;KA;;;WD)"));
  EXPECT_EQ("Avila", RawString(Key("Config"), "Qth"));
}

TEST_F(RegistryTest, AKeyThatCannotBeCreatedIsRecorded) {
  RawCreate(Key("Ports"));
  // Everyone may do all but make subkeys.
  ASSERT_TRUE(SetDacl(Key("Ports"), "D:(D;;0x0004;;;WD)(A;;KA;;;WD)"));
  TRegistry reg;
  EXPECT_FALSE(reg.OpenKey(Key("Ports\\Port1"), true));
  ExpectFailure(reg, ERROR_ACCESS_DENIED, Key("Ports\\Port1"));
  EXPECT_FALSE(RawExists(Key("Ports\\Port1"), KEY_WOW64_32KEY));
  EXPECT_TRUE(SetDacl(Key("Ports"), "D:(A;;KA;;;WD)"));
}
