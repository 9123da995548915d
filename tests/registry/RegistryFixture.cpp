#include "RegistryFixture.h"

#include <vector>

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

std::string RegistryTest::RawString(const std::string& path, const std::string& name,
                                    REGSAM view) {
  HKEY key = RawOpen(path, view);
  if (!key) return "<no key>";
  DWORD type = 0, size = 0;
  std::string result = "<no value>";
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    std::vector<char> data(size + 1, '\0');
    RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                     &size);
    result = data.data();
  }
  RegCloseKey(key);
  return result;
}
