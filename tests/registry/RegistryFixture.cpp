#include "RegistryFixture.h"

namespace {
const char kTestRoot[] = "Software\\NodraxRegistryTest";
}

void RegistryTest::SetUp() {
  name_ = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  // Leftovers of an aborted run must not decide the result.
  RemoveTree(name_, KEY_WOW64_32KEY);
  RemoveTree(name_, KEY_WOW64_64KEY);
}

void RegistryTest::TearDown() {
  RemoveTree(name_, KEY_WOW64_32KEY);
  RemoveTree(name_, KEY_WOW64_64KEY);
}

std::string RegistryTest::Key(const std::string& sub) const {
  std::string path = std::string(kTestRoot) + "\\" + name_;
  return sub.empty() ? path : path + "\\" + sub;
}

void RegistryTest::RemoveTree(const std::string& name, REGSAM view) {
  HKEY parent = RawOpen(kTestRoot, view, KEY_ALL_ACCESS);
  if (!parent) return;
  RegDeleteTreeA(parent, name.c_str());
  RegCloseKey(parent);
  RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kTestRoot, view, 0);  // only once it is empty
}

HKEY RegistryTest::RawOpen(const std::string& path, REGSAM view, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, access | view, &key) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

bool RegistryTest::RawExists(const std::string& path, REGSAM view) {
  HKEY key = RawOpen(path, view);
  if (key) RegCloseKey(key);
  return key != nullptr;
}

void RegistryTest::RawCreate(const std::string& path, REGSAM view) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                           KEY_ALL_ACCESS | view, nullptr, &key, nullptr));
  RegCloseKey(key);
}

void RegistryTest::RawSet(const std::string& path, const std::string& name, DWORD type,
                          const void* data, DWORD size, REGSAM view) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                           KEY_ALL_ACCESS | view, nullptr, &key, nullptr));
  EXPECT_EQ(ERROR_SUCCESS,
            RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size));
  RegCloseKey(key);
}

std::optional<RegistryTest::TRawValue> RegistryTest::RawValue(const std::string& path,
                                                              const std::string& name,
                                                              REGSAM view) {
  HKEY key = RawOpen(path, view);
  if (!key) return std::nullopt;
  TRawValue value;
  DWORD size = 0;
  LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &value.first, nullptr, &size);
  value.second.resize(size);
  if (rc == ERROR_SUCCESS)
    rc = RegQueryValueExA(key, name.c_str(), nullptr, &value.first,
                          reinterpret_cast<BYTE*>(value.second.data()), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return std::nullopt;
  value.second.resize(size);
  return value;
}

std::string RegistryTest::RawString(const std::string& path, const std::string& name,
                                    REGSAM view) {
  const std::optional<TRawValue> value = RawValue(path, name, view);
  return value ? value->second.c_str() : RawExists(path, view) ? "<no value>" : "<no key>";
}

void RegistryTest::ExpectFailure(const TRegistry& reg, LONG code, const std::string& key) {
  EXPECT_EQ(code != ERROR_SUCCESS, reg.Failed());
  EXPECT_EQ(code, reg.FailureCode());
  EXPECT_EQ(key, reg.FailureKey());
  EXPECT_FALSE(reg.FailureText().empty());
  EXPECT_EQ(SystemErrorMessage(code), reg.FailureText());
}
