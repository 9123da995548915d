#include "platform/RegistrySnapshot.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/Registry.h"

namespace {

std::string Capitals(const std::string& text) {
  std::string upper = text;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

std::string Trimmed(const std::string& path) {
  const std::size_t first = path.find_first_not_of('\\');
  if (first == std::string::npos) return "";
  return path.substr(first, path.find_last_not_of('\\') - first + 1);
}

std::string Parent(const std::string& path) {
  const std::size_t cut = path.rfind('\\');
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

REGSAM ViewOf(const std::string& path) {
  const std::string upper = Capitals(path);
  return upper == "SOFTWARE" || upper.rfind("SOFTWARE\\", 0) == 0 ? KEY_WOW64_32KEY : 0;
}

thread_local TRecordRegistryChanges* recording = nullptr;

}  // namespace

LONG TRegistrySnapshot::Take(const std::string& path) {
  keys_.clear();
  open_.clear();
  const std::string target = Trimmed(path);
  HKEY key = nullptr;
  LONG rc = RegOpenKeyExA(HKEY_LOCAL_MACHINE, target.c_str(), 0, KEY_READ | ViewOf(target), &key);
  if (rc != ERROR_SUCCESS) return rc;
  rc = Read(key, target);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) keys_.clear();
  return rc;
}

LONG TRegistrySnapshot::Read(HKEY key, const std::string& path) {
  DWORD subKeys = 0, longestKey = 0, values = 0, longestName = 0, longestData = 0;
  LONG rc = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, &longestKey, nullptr,
                             &values, &longestName, &longestData, nullptr, nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  TKey& node = keys_[Capitals(path)];
  node.Path = path;
  // The lengths are the longest in characters: a multi-byte name may need
  // more bytes, which a second try with more room gets.
  std::vector<char> name(2 * (std::max(longestName, longestKey) + 1) + 2);
  std::vector<BYTE> data(longestData + 2);
  for (DWORD i = 0; i < values;) {
    DWORD nameLength = static_cast<DWORD>(name.size()), size = static_cast<DWORD>(data.size());
    DWORD type = REG_NONE;
    rc = RegEnumValueA(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &size);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc == ERROR_MORE_DATA && name.size() < 65536) {
      name.resize(name.size() * 2);
      data.resize(std::max<std::size_t>(data.size() * 2, size + 2));
      continue;
    }
    if (rc != ERROR_SUCCESS) return rc;
    node.Values.push_back({std::string(name.data(), nameLength), type,
                           std::vector<BYTE>(data.begin(), data.begin() + size)});
    ++i;
  }
  std::vector<std::string> children;
  for (DWORD i = 0; i < subKeys;) {
    DWORD length = static_cast<DWORD>(name.size());
    rc = RegEnumKeyExA(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc == ERROR_MORE_DATA && name.size() < 65536) {
      name.resize(name.size() * 2);
      continue;
    }
    if (rc != ERROR_SUCCESS) return rc;
    children.emplace_back(name.data(), length);
    ++i;
  }
  keys_[Capitals(path)].SubKeys = children;
  for (const std::string& child : children) {
    HKEY sub = nullptr;
    rc = RegOpenKeyExA(key, child.c_str(), 0, KEY_READ | ViewOf(path), &sub);
    if (rc != ERROR_SUCCESS) return rc;
    rc = Read(sub, path + "\\" + child);
    RegCloseKey(sub);
    if (rc != ERROR_SUCCESS) return rc;
  }
  return ERROR_SUCCESS;
}

std::string TRegistrySnapshot::Resolve(const std::string& path) const {
  const std::string tail = Trimmed(path);
  if (open_.empty() || (!path.empty() && path[0] == '\\')) return tail;
  return tail.empty() ? open_ : open_ + "\\" + tail;
}

const TRegistrySnapshot::TKey* TRegistrySnapshot::Find(const std::string& path) const {
  const auto found = keys_.find(Capitals(path));
  return found == keys_.end() ? nullptr : &found->second;
}

const TRegistrySnapshot::TValue* TRegistrySnapshot::FindValue(const std::string& name) const {
  const TKey* key = open_.empty() ? nullptr : Find(open_);
  if (!key) return nullptr;
  for (const TValue& v : key->Values)
    if (Capitals(v.Name) == Capitals(name)) return &v;
  return nullptr;
}

bool TRegistrySnapshot::OpenKey(const std::string& path, bool) {
  const TKey* key = Find(Resolve(path));
  open_ = key ? key->Path : std::string();
  return key != nullptr;
}

bool TRegistrySnapshot::KeyExists(const std::string& path) const {
  return Find(Resolve(path)) != nullptr;
}

bool TRegistrySnapshot::HasSubKeys() const {
  const TKey* key = open_.empty() ? nullptr : Find(open_);
  return key && !key->SubKeys.empty();
}

std::vector<std::string> TRegistrySnapshot::GetKeyNames() const {
  const TKey* key = open_.empty() ? nullptr : Find(open_);
  return key ? key->SubKeys : std::vector<std::string>();
}

bool TRegistrySnapshot::ValueExists(const std::string& name) const {
  if (RegistryValueReadHook) RegistryValueReadHook(open_, name);
  return FindValue(name) != nullptr;
}

bool TRegistrySnapshot::TryReadString(const std::string& name, std::string& text) const {
  if (RegistryValueReadHook) RegistryValueReadHook(open_, name);
  const TValue* v = FindValue(name);
  if (!v) return false;
  if (v->Type != REG_SZ && v->Type != REG_EXPAND_SZ)
    throw ERegistryException("Invalid data type for '" + name + "'");
  // As the registry gives it: up to the first NUL, or the whole stored size.
  const char* chars = reinterpret_cast<const char*>(v->Data.data());
  text.assign(chars, strnlen(chars, v->Data.size()));
  return true;
}

int TRegistrySnapshot::ReadInteger(const std::string& name) const {
  if (RegistryValueReadHook) RegistryValueReadHook(open_, name);
  const TValue* v = FindValue(name);
  if (!v || v->Type != REG_DWORD || v->Data.size() != sizeof(DWORD))
    throw ERegistryException("Invalid data type for '" + name + "'");
  DWORD value = 0;
  std::memcpy(&value, v->Data.data(), sizeof value);
  return static_cast<int>(value);
}

bool TRegistrySnapshot::RenameValue(const std::string& oldName, const std::string& newName) {
  const TValue* v = FindValue(oldName);
  if (!v) return false;
  if (Capitals(oldName) == Capitals(newName)) return true;
  const TValue moved = *v;
  const std::string path = open_;
  SetValue(path, newName, moved.Type, moved.Data.data(), static_cast<DWORD>(moved.Data.size()));
  DeleteValue(path, oldName);
  return true;
}

void TRegistrySnapshot::AddKey(const std::string& path) {
  const std::string target = Trimmed(path);
  if (target.empty() || Find(target)) return;
  const std::string parent = Parent(target);
  if (!parent.empty()) {
    AddKey(parent);
    keys_[Capitals(parent)].SubKeys.push_back(target.substr(parent.size() + 1));
  }
  keys_[Capitals(target)].Path = target;
}

void TRegistrySnapshot::SetValue(const std::string& path, const std::string& name, DWORD type,
                                 const BYTE* data, DWORD size) {
  AddKey(path);
  TKey& key = keys_[Capitals(Trimmed(path))];
  std::vector<BYTE> bytes(data, data + size);
  for (TValue& v : key.Values) {
    if (Capitals(v.Name) != Capitals(name)) continue;
    v.Type = type;
    v.Data = bytes;
    return;
  }
  key.Values.push_back({name, type, bytes});
}

void TRegistrySnapshot::DeleteKey(const std::string& path) {
  const std::string target = Capitals(Trimmed(path));
  if (target.empty()) return;
  for (auto it = keys_.begin(); it != keys_.end();) {
    const bool below = it->first == target || it->first.rfind(target + "\\", 0) == 0;
    it = below ? keys_.erase(it) : std::next(it);
  }
  const auto parent = keys_.find(Parent(target));
  if (parent == keys_.end()) return;
  std::vector<std::string>& names = parent->second.SubKeys;
  for (auto it = names.begin(); it != names.end(); ++it) {
    if (Capitals(parent->second.Path + "\\" + *it) != target) continue;
    names.erase(it);
    break;
  }
  if (Capitals(open_).rfind(target, 0) == 0) open_.clear();
}

void TRegistrySnapshot::DeleteValue(const std::string& path, const std::string& name) {
  const auto key = keys_.find(Capitals(Trimmed(path)));
  if (key == keys_.end()) return;
  std::vector<TValue>& values = key->second.Values;
  for (auto it = values.begin(); it != values.end(); ++it) {
    if (Capitals(it->Name) != Capitals(name)) continue;
    values.erase(it);
    return;
  }
}

TRecordRegistryChanges::TRecordRegistryChanges(TRegistrySnapshot& into)
    : into_(into), outer_(recording) {
  recording = this;
}

TRecordRegistryChanges::~TRecordRegistryChanges() { recording = outer_; }

TRecordRegistryChanges* TRecordRegistryChanges::Current() { return recording; }
