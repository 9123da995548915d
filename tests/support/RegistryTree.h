// The stored tree below HKEY_LOCAL_MACHINE\Software\Nodrax (the 32-bit view
// the editor uses) as the tests see it: cleaned before and after each test,
// written and read with raw registry calls, pictured byte by byte; keys
// whose ACL refuses writes; a folder on C: for the folders a save makes; and
// a fresh configuration object for the editor. No window takes part.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <memory>

#include "editor/config/Configuration.h"
#include "editor/config/Document.h"

// Every value of a key: name -> (type, raw bytes).
// The document the tests work on: the fixture's own, or one a test put in
// its place (a guarded one) before it opened the editor.
TDocument*& CurrentDocument();

using TStoredValues = std::map<std::string, std::pair<DWORD, std::string>>;
// Every key below a root, by path relative to it ("" for the root itself).
using TStoredTree = std::map<std::string, TStoredValues>;
// Value names with their texts, as written or as expected.
using TNamedTexts = std::vector<std::pair<std::string, std::string>>;

class RegistryTreeFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // --- Keys below HKEY_LOCAL_MACHINE, in the 32-bit view ---------------
  static constexpr const char* kNodraxKey = "Software\\Nodrax";
  static constexpr const char* kConfigKey = "Software\\Nodrax\\Config";
  static constexpr const char* kFoldersKey = "Software\\Nodrax\\Folders";
  static constexpr const char* kWindowKey = "Software\\Nodrax\\Windows\\Nodraxcfg";
  static constexpr const char* kPortsKey = "Software\\Nodrax\\Ports";
  static constexpr const char* kServersKey = "Software\\Nodrax\\Servers";
  static constexpr const char* kDirectoriesKey = "Software\\Nodrax\\Directories";
  // Every folder a test saves lies below this one.
  static constexpr const char* kTestFolder = "C:\\NodraxTest";
  static constexpr const char* kTestRoot = "C:\\NodraxTest\\BBS";

  // Removes Software\Nodrax, and the editor's note beside it, in both views.
  static void RemoveNodraxTree();
  static void CreateKey(const std::string& path);
  static void WriteString(const std::string& path, const std::string& name,
                          const std::string& value);
  static void WriteDword(const std::string& path, const std::string& name, DWORD value);
  // A value of any type, its bytes as given.
  static void WriteRaw(const std::string& path, const std::string& name, DWORD type,
                       const std::string& bytes);
  static void WriteStrings(const std::string& path, const TNamedTexts& values);
  static bool KeyExists(const std::string& path);
  static std::optional<std::string> ReadString(const std::string& path, const std::string& name);
  static std::optional<DWORD> ReadDword(const std::string& path, const std::string& name);
  // The text of a value, "<none>" when absent: reads well in a failure.
  static std::string Text(const std::string& path, const std::string& name);
  static std::string Key(const std::string& parent, const std::string& child) {
    return parent + "\\" + child;
  }
  // An empty Config key: a stored configuration with nothing in it.
  static void CreateEmptyConfig() { CreateKey(kConfigKey); }
  static void ExpectStored(const std::string& path, const TNamedTexts& expected);

  // The values as the registry holds them, below root; the editor's own
  // window state is left out.
  static TStoredTree Dump(const std::string& root = kNodraxKey);
  static TStoredValues Values(const std::string& path);
  static std::vector<std::string> SubKeys(const std::string& path);

  // Everyone may do everything to the key except what `denied` names (an
  // access mask such as KEY_SET_VALUE); the grant is put back at TearDown.
  void Deny(const std::string& path, DWORD denied);

  static void RemoveTestFolder();
  static bool FolderExists(const std::string& path);

  // The editor's document, made afresh for every test, as the process
  // entry makes it.
  static TDocument& Doc() { return *CurrentDocument(); }
  static TConfiguration& Config() { return Doc().Config(); }
  // A station stored as the editor stores it (callsign, route "#MAD.ESP.EU",
  // its root the test root).
  static void StoreStation(const std::string& callsign);
  static void NewDocument() {
    document_ = std::make_unique<TDocument>();
    CurrentDocument() = document_.get();
  }
  // The document's change state, read and set.
  static bool Modified() { return Doc().Modified(); }
  static void SetModified(bool changed) {
    if (changed)
      Doc().Changed();
    else
      Doc().Unchanged();
  }
  // Record fields hold no names: a failure tells the field by its place.
  static void ExpectFields(
      std::initializer_list<std::pair<const char*, const char*>> expectedAndActual);

 private:
  static void DumpKey(const std::string& root, const std::string& relative, TStoredTree& tree);
  std::vector<std::string> denied_;
  static std::unique_ptr<TDocument> document_;
};
