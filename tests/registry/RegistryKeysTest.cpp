#include <algorithm>

#include "RegistryFixture.h"

TEST_F(RegistryTest, SoftwareKeysLiveInThe32BitView) {
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Key("X"), true));
    ASSERT_TRUE(reg.WriteString("Qth", "Avila"));
    // The view is chosen whatever the case of "Software" and with a leading "\".
    ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\" + Key("Y").substr(9), true));
    ASSERT_TRUE(reg.WriteString("Qth", "Leon"));
  }
  std::string mirrored = "Software\\Wow6432Node\\" + Key().substr(9);
  EXPECT_EQ("Avila", RawString(mirrored + "\\X", "Qth", KEY_WOW64_64KEY));
  EXPECT_EQ("Leon", RawString(mirrored + "\\Y", "Qth", KEY_WOW64_64KEY));
  EXPECT_FALSE(RawExists(Key("X"), KEY_WOW64_64KEY));
  // And what is there in the 32-bit view is what the layer reads.
  RawSet(Key("X"), "Locator", REG_SZ, "IN80", 5, KEY_WOW64_32KEY);
  RawSet(Key("X"), "Locator", REG_SZ, "JN11", 5, KEY_WOW64_64KEY);
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key("X")));
  EXPECT_EQ("IN80", reg.ReadString("Locator"));
}

TEST_F(RegistryTest, RelativeAndAbsolutePaths) {
  TRegistry reg;
  // Nothing open: a path without "\" is absolute.
  ASSERT_TRUE(reg.OpenKey(Key(), true));
  EXPECT_EQ(Key(), reg.CurrentPath());
  ASSERT_TRUE(reg.OpenKey("Ports", true));
  EXPECT_EQ(Key("Ports"), reg.CurrentPath());
  ASSERT_TRUE(reg.OpenKey("Port1\\", true));  // a closing "\" is no part of the name
  EXPECT_EQ(Key("Ports\\Port1"), reg.CurrentPath());
  ASSERT_TRUE(reg.WriteString("Driver", "TNC"));
  ASSERT_TRUE(reg.OpenKey("\\" + Key("Servers"), true));
  EXPECT_EQ(Key("Servers"), reg.CurrentPath());
  reg.CloseKey();
  EXPECT_FALSE(reg.HasOpenKey());
  EXPECT_EQ("", reg.CurrentPath());
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key("Ports")));
  ASSERT_TRUE(reg.OpenKeyReadOnly("Port1"));
  EXPECT_EQ("TNC", reg.ReadString("Driver"));
  EXPECT_TRUE(RawExists(Key("Ports\\Port1"), KEY_WOW64_32KEY));
  EXPECT_FALSE(RawExists(Key("Servers\\Ports"), KEY_WOW64_32KEY));
}

TEST_F(RegistryTest, AFailedOpenLeavesNoKeyOpen) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(Key(), true));
  EXPECT_FALSE(reg.OpenKey("Missing", false));
  EXPECT_FALSE(reg.HasOpenKey());
  // The write cannot end up in the key that was open before.
  EXPECT_FALSE(reg.WriteString("Label", "lost"));
  EXPECT_FALSE(reg.OpenKeyReadOnly(Key("Missing")));
  EXPECT_EQ("<no value>", RawString(Key(), "Label"));
}

TEST_F(RegistryTest, OpeningWithoutCreatingOrTestingCreatesNothing) {
  TRegistry reg;
  EXPECT_FALSE(reg.KeyExists(Key()));
  EXPECT_FALSE(reg.OpenKey(Key(), false));
  EXPECT_FALSE(reg.OpenKeyReadOnly(Key()));
  EXPECT_FALSE(RawExists(Key(), KEY_WOW64_32KEY));
  // An absent key is an answer, not a failed write.
  EXPECT_FALSE(reg.Failed());
  RawCreate(Key("Config"));
  EXPECT_TRUE(reg.KeyExists(Key("Config")));
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key()));
  EXPECT_TRUE(reg.KeyExists("Config"));  // relative to the open key
  EXPECT_FALSE(reg.KeyExists("Folders"));
  EXPECT_FALSE(RawExists(Key("Folders"), KEY_WOW64_32KEY));
}

TEST_F(RegistryTest, KeyNamesComeInRegistryOrder) {
  const std::string longName(255, 'k');
  for (const char* n : {"Servers", "Config", "ports", "Folders"}) RawCreate(Key(n));
  {
    // A name of the longest length the registry allows; the wide call, since
    // the ANSI one under Wine limits the whole path instead.
    HKEY parent = RawOpen(Key(), KEY_WOW64_32KEY, KEY_ALL_ACCESS), child = nullptr;
    ASSERT_NE(nullptr, parent);
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(parent, std::wstring(255, L'k').c_str(), 0, nullptr,
                                             0, KEY_ALL_ACCESS, nullptr, &child, nullptr));
    RegCloseKey(child);
    RegCloseKey(parent);
  }
  RawCreate(Key("Config\\Deep"));
  std::vector<std::string> expected;
  HKEY raw = RawOpen(Key(), KEY_WOW64_32KEY);
  ASSERT_NE(nullptr, raw);
  char name[256];
  DWORD length = sizeof(name);
  for (DWORD i = 0; RegEnumKeyExA(raw, i, name, &length, nullptr, nullptr, nullptr, nullptr) ==
                    ERROR_SUCCESS;
       ++i, length = sizeof(name))
    expected.push_back(name);
  RegCloseKey(raw);

  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key()));
  EXPECT_TRUE(reg.HasSubKeys());
  std::vector<std::string> names = reg.GetKeyNames();
  EXPECT_EQ(expected, names);
  ASSERT_EQ(5u, names.size());  // direct subkeys only
  EXPECT_NE(names.end(), std::find(names.begin(), names.end(), longName));
  ASSERT_TRUE(reg.OpenKeyReadOnly("Folders"));
  EXPECT_FALSE(reg.HasSubKeys());
  EXPECT_TRUE(reg.GetKeyNames().empty());
}

TEST_F(RegistryTest, DeleteKeyRemovesAWholeTreeInItsOwnView) {
  for (const char* p : {"Nodrax\\Config", "Nodrax\\Ports\\Port1", "Nodrax\\Ports\\Port2",
                        "Nodrax\\Servers\\Fwd\\Deep", "Keep"})
    RawSet(Key(p), "v", REG_SZ, "1", 2);
  RawSet(Key("Nodrax"), "top", REG_SZ, "1", 2);
  // A key of the same name in the other view is not ours to delete.
  RawSet(Key("Nodrax\\Ports"), "v", REG_SZ, "64", 3, KEY_WOW64_64KEY);

  TRegistry reg;
  EXPECT_TRUE(reg.DeleteKey(Key("Nodrax") + "\\"));  // a closing "\" as well
  EXPECT_FALSE(reg.Failed());
  EXPECT_FALSE(RawExists(Key("Nodrax"), KEY_WOW64_32KEY));
  EXPECT_TRUE(RawExists(Key("Keep"), KEY_WOW64_32KEY));
  EXPECT_EQ("64", RawString(Key("Nodrax\\Ports"), "v", KEY_WOW64_64KEY));
  EXPECT_FALSE(reg.DeleteKey(Key("Nodrax")));
  EXPECT_FALSE(reg.Failed());
}

TEST_F(RegistryTest, DeleteKeyIsRelativeToTheOpenKey) {
  RawCreate(Key("Ports\\Port3\\Sub"));
  RawCreate(Key("Ports\\Port4"));
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(Key("Ports"), false));
  EXPECT_TRUE(reg.DeleteKey("Port3"));
  EXPECT_EQ(std::vector<std::string>{"Port4"}, reg.GetKeyNames());
}

TEST_F(RegistryTest, DeleteKeyNeverTakesDownTheRoot) {
  RawSet(Key("Child"), "v", REG_SZ, "1", 2);
  // A layer rooted at the test's key, so that a fault here costs only that key.
  HKEY root = RawOpen(Key(), KEY_WOW64_32KEY, KEY_ALL_ACCESS);
  ASSERT_NE(nullptr, root);
  {
    TRegistry reg(root);
    EXPECT_FALSE(reg.DeleteKey(""));
    EXPECT_FALSE(reg.DeleteKey("\\"));
    ASSERT_TRUE(reg.OpenKey("Child", false));
    EXPECT_FALSE(reg.DeleteKey(""));  // not even as the open key's own path
    reg.CloseKey();
    EXPECT_TRUE(reg.KeyExists("Child"));
  }
  RegCloseKey(root);
  EXPECT_EQ("1", RawString(Key("Child"), "v"));
}

TEST_F(RegistryTest, DeferredFlushLeavesEveryValueReadable) {
  {
    TRegistry reg;
    reg.SetFlushOnClose(false);
    for (int i = 1; i <= 10; ++i) {
      ASSERT_TRUE(reg.OpenKey(Key("Ports\\Port" + std::to_string(i)), true));  // none open
      ASSERT_TRUE(reg.WriteString("Label", "port " + std::to_string(i)));
      reg.CloseKey();
    }
    ASSERT_TRUE(reg.OpenKey(Key("Ports\\Port1"), false));  // the same key again
    ASSERT_TRUE(reg.WriteInteger("Left", 5));
    ASSERT_TRUE(reg.DeleteKey("\\" + Key("Ports\\Port10")));  // gone before the flush
    reg.Flush();
    EXPECT_FALSE(reg.Failed());
    EXPECT_TRUE(reg.HasOpenKey());
    EXPECT_EQ(5, reg.ReadInteger("Left"));
  }
  TRegistry reg;
  for (int i = 1; i <= 9; ++i) {
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\" + Key("Ports\\Port" + std::to_string(i))));
    EXPECT_EQ("port " + std::to_string(i), reg.ReadString("Label"));
  }
  EXPECT_FALSE(reg.KeyExists("\\" + Key("Ports\\Port10")));
}
