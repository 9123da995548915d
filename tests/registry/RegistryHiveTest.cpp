#include <cstdio>

#include "RegistryFixture.h"

namespace {

const char kFolder[] = "C:\\nodrax-registry-test";
const char kMount[] = "NodraxRegistryTestHive";

// Sets a privilege of the process on or off; returns whether it was on.
bool SetPrivilege(const char* name, bool enable) {
  HANDLE token = nullptr;
  EXPECT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token));
  TOKEN_PRIVILEGES tp = {}, before = {};
  tp.PrivilegeCount = 1;
  tp.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  EXPECT_TRUE(LookupPrivilegeValueA(nullptr, name, &tp.Privileges[0].Luid));
  DWORD size = sizeof(before);
  EXPECT_TRUE(AdjustTokenPrivileges(token, FALSE, &tp, sizeof(before), &before, &size));
  CloseHandle(token);
  // Only a privilege that changed is listed in the previous state.
  return before.PrivilegeCount ? (before.Privileges[0].Attributes & SE_PRIVILEGE_ENABLED) != 0
                               : enable;
}

bool PrivilegeEnabled(const char* name) {
  bool was = SetPrivilege(name, true);
  SetPrivilege(name, was);
  return was;
}

class HiveTest : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    CreateDirectoryA(kFolder, nullptr);
    file_ = std::string(kFolder) + "\\" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".zub";
    DeleteFileA(file_.c_str());
    backup_ = SetPrivilege(SE_BACKUP_NAME, false);
    restore_ = SetPrivilege(SE_RESTORE_NAME, false);
  }
  void TearDown() override {
    TRegistry().UnLoadKey(kMount);  // in case a test stopped while mounted
    SetPrivilege(SE_BACKUP_NAME, backup_);
    SetPrivilege(SE_RESTORE_NAME, restore_);
    DeleteFileA(file_.c_str());
    RemoveDirectoryA(kFolder);
    RegistryTest::TearDown();
  }
  std::string file_;
  bool backup_ = false, restore_ = false;
};

}  // namespace

TEST_F(HiveTest, SaveAndMountRoundTripWithThePrivilegesTheyNeed) {
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Key("Config"), true));
    ASSERT_TRUE(reg.WriteString("BbsCallsign", "X1ABC.ABC.XX.EU"));
    ASSERT_TRUE(reg.OpenKey("\\" + Key("Ports\\Port7"), true));
    ASSERT_TRUE(reg.WriteString("Driver", "KISS"));
    ASSERT_TRUE(reg.OpenKey("\\" + Key("Options"), true));
    ASSERT_TRUE(reg.WriteInteger("SysopRing", -3));
  }
  // Without the privilege the platform refuses; the layer enables it itself.
  HKEY raw = RawOpen(Key(), KEY_WOW64_32KEY);
  ASSERT_NE(nullptr, raw);
  EXPECT_EQ(ERROR_PRIVILEGE_NOT_HELD, RegSaveKeyA(raw, file_.c_str(), nullptr));
  RegCloseKey(raw);
  DeleteFileA(file_.c_str());

  TRegistry reg;
  ASSERT_EQ(ERROR_SUCCESS, reg.SaveKey(Key(), file_));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(file_.c_str()));
  // The privileges are only held for the call.
  EXPECT_FALSE(PrivilegeEnabled(SE_BACKUP_NAME));

  EXPECT_EQ(ERROR_PRIVILEGE_NOT_HELD, RegLoadKeyA(HKEY_LOCAL_MACHINE, kMount, file_.c_str()));
  ASSERT_EQ(ERROR_SUCCESS, reg.LoadKey(kMount, file_));
  EXPECT_FALSE(PrivilegeEnabled(SE_RESTORE_NAME));
  ASSERT_TRUE(reg.OpenKeyReadOnly(std::string(kMount) + "\\Config"));
  EXPECT_EQ("X1ABC.ABC.XX.EU", reg.ReadString("BbsCallsign"));
  ASSERT_TRUE(reg.OpenKeyReadOnly("\\" + std::string(kMount) + "\\Options"));
  EXPECT_EQ(-3, reg.ReadInteger("SysopRing"));
  ASSERT_TRUE(reg.OpenKey("\\" + std::string(kMount) + "\\Ports", false));
  EXPECT_EQ(std::vector<std::string>{"Port7"}, reg.GetKeyNames());
  // The key still open inside the hive must not keep it mounted.
  EXPECT_EQ(ERROR_SUCCESS, reg.UnLoadKey(kMount));
  EXPECT_FALSE(reg.HasOpenKey());
  EXPECT_FALSE(reg.KeyExists("\\" + std::string(kMount) + "\\Config"));
}

TEST_F(HiveTest, SavingAnAbsentKeyFails) {
  TRegistry reg;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, reg.SaveKey(Key("Missing"), file_));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(file_.c_str()));
  RawCreate(Key());
  EXPECT_EQ(ERROR_SUCCESS, reg.SaveKey(Key(), file_));  // an empty key saves
}

TEST_F(HiveTest, AFileThatIsNoHiveIsRefused) {
  FILE* f = std::fopen(file_.c_str(), "wb");
  ASSERT_NE(nullptr, f);
  std::fputs("[Nodrax]\r\nBbsCallsign=X1ABC\r\n", f);
  std::fclose(f);
  TRegistry reg;
  EXPECT_EQ(ERROR_NOT_REGISTRY_FILE, reg.LoadKey(kMount, file_));
  // Nothing is left at the mount point to read or to unmount.
  EXPECT_FALSE(reg.KeyExists(kMount));
  EXPECT_NE(ERROR_SUCCESS, reg.UnLoadKey(kMount));
}
