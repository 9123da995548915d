// The stored tree as raw calls see it: every key and value read into
// memory, and the fewest calls that write or read it again, for the floors
// of the save, the load and the operations made of them.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace bench::raw {

inline constexpr char kTree[] = "Software\\Nodrax";

struct TValue {
  std::string name;
  DWORD type;
  std::vector<BYTE> data;
};
struct TKey {
  std::string path;  // below HKEY_LOCAL_MACHINE
  std::vector<TValue> values;
};

// Every key and value below path, parents before children.
inline void Snapshot(const std::string& path, std::vector<TKey>& out) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key))
    return;
  TKey entry{path, {}};
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameLen = sizeof name, type = 0, size = 0;
    if (RegEnumValueA(key, i, name, &nameLen, nullptr, &type, nullptr, &size)) break;
    TValue v{name, type, std::vector<BYTE>(size)};
    nameLen = sizeof name;
    RegEnumValueA(key, i, name, &nameLen, nullptr, &type, v.data.data(), &size);
    entry.values.push_back(std::move(v));
  }
  std::vector<std::string> subkeys;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameLen = sizeof name;
    if (RegEnumKeyExA(key, i, name, &nameLen, nullptr, nullptr, nullptr, nullptr)) break;
    subkeys.push_back(name);
  }
  RegCloseKey(key);
  out.push_back(std::move(entry));
  for (const std::string& sub : subkeys) Snapshot(path + "\\" + sub, out);
}

inline size_t CountValues(const std::vector<TKey>& keys) {
  size_t n = 0;
  for (const TKey& k : keys) n += k.values.size();
  return n;
}

inline bool SameTree(const std::vector<TKey>& a, const std::vector<TKey>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].path != b[i].path || a[i].values.size() != b[i].values.size()) return false;
    for (size_t j = 0; j < a[i].values.size(); ++j) {
      const TValue &x = a[i].values[j], &y = b[i].values[j];
      if (x.name != y.name || x.type != y.type || x.data != y.data) return false;
    }
  }
  return true;
}

// The floor of a save: one create, one write per value and one close per
// key, and a single flush of the tree at the end.
inline void RawWrite(const std::vector<TKey>& keys) {
  for (const TKey& k : keys) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, k.path.c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key, nullptr))
      continue;
    for (const TValue& v : k.values)
      RegSetValueExA(key, v.name.c_str(), 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
    RegCloseKey(key);
  }
  HKEY tree;
  if (!RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTree, 0, KEY_READ | KEY_WOW64_32KEY, &tree)) {
    RegFlushKey(tree);
    RegCloseKey(tree);
  }
}

// The floor of a load: one open, one read per value and one close per key.
inline void RawRead(const std::vector<TKey>& keys) {
  static BYTE buffer[4096];
  for (const TKey& k : keys) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, k.path.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key))
      continue;
    for (const TValue& v : k.values) {
      DWORD type, size = sizeof buffer;
      RegQueryValueExA(key, v.name.c_str(), nullptr, &type, buffer, &size);
    }
    RegCloseKey(key);
  }
}

}  // namespace bench::raw
