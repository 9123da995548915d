#include "support/RegistryTree.h"

#include "editor/config/Save.h"

#include "support/KeySecurity.h"

#include <filesystem>

namespace {
constexpr REGSAM kView32 = KEY_WOW64_32KEY;

HKEY OpenRaw(const std::string& path, REGSAM access, REGSAM view = kView32) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, access | view, &key) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

// Creates the key with its parents, then sets the value unless data is
// nullptr.
void SetValue(const std::string& path, const std::string& name, DWORD type, const void* data,
              DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                           KEY_ALL_ACCESS | kView32, nullptr, &key, nullptr))
      << path;
  const LONG set =
      data ? RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size)
           : ERROR_SUCCESS;
  EXPECT_EQ(ERROR_SUCCESS, set) << path << '\\' << name;
  RegCloseKey(key);
}

void RemoveTree(REGSAM view) {
  HKEY software = OpenRaw("Software", KEY_ALL_ACCESS, view);
  if (!software) return;
  RegDeleteTreeA(software, "Nodrax");
  // The note of a replace under way, which a test may leave behind.
  RegDeleteTreeA(software, "Nodraxcfg");
  RegCloseKey(software);
}

}  // namespace

std::unique_ptr<TDocument> RegistryTreeFixture::document_;

TDocument*& CurrentDocument() {
  static TDocument* current = nullptr;
  return current;
}

void RegistryTreeFixture::SetUp() {
  RemoveNodraxTree();
  RemoveTestFolder();
  NewDocument();
}

void RegistryTreeFixture::TearDown() {
  for (const std::string& key : denied_) SetDacl(key, "D:(A;;KA;;;WD)");
  denied_.clear();
  CurrentDocument() = nullptr;
  document_.reset();
  RemoveNodraxTree();
  RemoveTestFolder();
}

// ---------------------------------------------------------------------------
// Registry.

void RegistryTreeFixture::RemoveNodraxTree() {
  RemoveTree(KEY_WOW64_32KEY);
  RemoveTree(KEY_WOW64_64KEY);
}

void RegistryTreeFixture::WriteRaw(const std::string& path, const std::string& name, DWORD type,
                                   const std::string& bytes) {
  SetValue(path, name, type, bytes.data(), static_cast<DWORD>(bytes.size()));
}

void RegistryTreeFixture::CreateKey(const std::string& path) { SetValue(path, "", REG_NONE, nullptr, 0); }

void RegistryTreeFixture::WriteString(const std::string& path, const std::string& name,
                                const std::string& value) {
  SetValue(path, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void RegistryTreeFixture::WriteDword(const std::string& path, const std::string& name, DWORD value) {
  SetValue(path, name, REG_DWORD, &value, sizeof value);
}

bool RegistryTreeFixture::KeyExists(const std::string& path) {
  HKEY key = OpenRaw(path, KEY_READ);
  if (key) RegCloseKey(key);
  return key != nullptr;
}

std::optional<std::string> RegistryTreeFixture::ReadString(const std::string& path,
                                                     const std::string& name) {
  HKEY key = OpenRaw(path, KEY_QUERY_VALUE);
  if (!key) return std::nullopt;
  DWORD type = 0, size = 0;
  std::optional<std::string> result;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    std::vector<char> data(size + 1, '\0');
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &size) == ERROR_SUCCESS)
      result = std::string(data.data());
  }
  RegCloseKey(key);
  return result;
}

std::optional<DWORD> RegistryTreeFixture::ReadDword(const std::string& path, const std::string& name) {
  HKEY key = OpenRaw(path, KEY_QUERY_VALUE);
  if (!key) return std::nullopt;
  DWORD type = 0, value = 0, size = sizeof value;
  std::optional<DWORD> result;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                       &size) == ERROR_SUCCESS &&
      type == REG_DWORD)
    result = value;
  RegCloseKey(key);
  return result;
}

void RegistryTreeFixture::WriteStrings(const std::string& path, const TNamedTexts& values) {
  for (const auto& [name, text] : values) WriteString(path, name, text);
}

std::string RegistryTreeFixture::Text(const std::string& path, const std::string& name) {
  return ReadString(path, name).value_or("<none>");
}

void RegistryTreeFixture::ExpectStored(const std::string& path, const TNamedTexts& expected) {
  for (const auto& [name, text] : expected)
    EXPECT_EQ(text, Text(path, name)) << path << '\\' << name;
}

void RegistryTreeFixture::ExpectFields(
    std::initializer_list<std::pair<const char*, const char*>> expectedAndActual) {
  int place = 0;
  for (const auto& [expected, actual] : expectedAndActual) {
    EXPECT_STREQ(expected, actual) << "field " << place << " of the list";
    ++place;
  }
}

void RegistryTreeFixture::RemoveTestFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(kTestFolder, ignored);
}

bool RegistryTreeFixture::FolderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TStoredTree RegistryTreeFixture::Dump(const std::string& root) {
  TStoredTree tree;
  DumpKey(root, "", tree);
  return tree;
}

TStoredValues RegistryTreeFixture::Values(const std::string& path) {
    TStoredValues values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key) !=
        ERROR_SUCCESS)
      return values;
    char name[16384];
    std::vector<BYTE> data(1 << 16);
    for (DWORD i = 0;; ++i) {
      DWORD nameLength = sizeof name, size = static_cast<DWORD>(data.size()), type = 0;
      if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data.data(), &size) !=
          ERROR_SUCCESS)
        break;
      values[std::string(name, nameLength)] = {
          type, std::string(reinterpret_cast<const char*>(data.data()), size)};
    }
    RegCloseKey(key);
    return values;
  }

std::vector<std::string> RegistryTreeFixture::SubKeys(const std::string& path) {
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key) !=
        ERROR_SUCCESS)
      return names;
    char name[256];
    for (DWORD i = 0;; ++i) {
      DWORD length = sizeof name;
      if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      names.emplace_back(name, length);
    }
    RegCloseKey(key);
    return names;
  }

void RegistryTreeFixture::Deny(const std::string& path, DWORD denied) {
    const std::string sddl = "D:(D;;" + std::to_string(denied) + ";;;WD)(A;;KA;;;WD)";
    ASSERT_TRUE(SetDacl(path, sddl.c_str())) << path;
    denied_.push_back(path);
  }

void RegistryTreeFixture::DumpKey(const std::string& root, const std::string& relative,
                                  TStoredTree& tree) {
    if (relative == "Windows") return;
    const std::string path = relative.empty() ? root : Key(root, relative);
    if (!KeyExists(path)) return;
    TStoredValues values = Values(path);
    // The root holds keys, not values: it counts only when it has some.
    if (!relative.empty() || !values.empty()) tree[relative] = std::move(values);
    for (const std::string& child : SubKeys(path))
      DumpKey(root, relative.empty() ? child : Key(relative, child), tree);
  }

void RegistryTreeFixture::StoreStation(const std::string& callsign) {
  Config().SetText(&TStationTexts::Editbbsindicativo, callsign);
  Config().SetText(&TStationTexts::Edithroute, "#MAD.ESP.EU");
  Config().SetText(&TStationTexts::Directorioraiz, kTestRoot);
  ASSERT_EQ(TSaveOutcome::Saved, SaveConfiguration(Config()).Outcome);
}
