// Every test works below its own key Software\NodraxRegistryTest\<test name>
// of the real registry of the Wine prefix, and removes it afterwards. The
// raw helpers go around the layer, so that what the layer did is checked
// against the registry itself.
#pragma once
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "platform/Registry.h"

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Path of the test's own key (no leading "\"), or of a key below it.
  std::string Key(const std::string& sub = "") const;

  // Opens a key with the given view flag (KEY_WOW64_32KEY or KEY_WOW64_64KEY)
  // directly; nullptr when it does not exist.
  static HKEY RawOpen(const std::string& path, REGSAM view, REGSAM access = KEY_READ);
  static bool RawExists(const std::string& path, REGSAM view);
  static void RawSet(const std::string& path, const std::string& name, DWORD type,
                     const void* data, DWORD size, REGSAM view = KEY_WOW64_32KEY);
  // The stored type and bytes; nullopt when the key or the value is absent.
  using TRawValue = std::pair<DWORD, std::string>;
  static std::optional<TRawValue> RawValue(const std::string& path, const std::string& name,
                                           REGSAM view = KEY_WOW64_32KEY);
  // A text value up to its first NUL, or "<no key>" / "<no value>".
  static std::string RawString(const std::string& path, const std::string& name,
                               REGSAM view = KEY_WOW64_32KEY);
  // The layer holds its first failure: this code, at this key, with the
  // platform's text for it; ERROR_SUCCESS and "" for none.
  static void ExpectFailure(const TRegistry& reg, LONG code, const std::string& key);
  static void RawCreate(const std::string& path, REGSAM view = KEY_WOW64_32KEY);

 private:
  static void RemoveTree(const std::string& name, REGSAM view);
  std::string name_;
};
