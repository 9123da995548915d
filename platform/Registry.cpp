#include "platform/Registry.h"

#include "platform/RegistrySnapshot.h"

#include <cstring>
#include <initializer_list>

namespace {

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && _strnicmp(a.c_str(), b.c_str(), a.size()) == 0;
}

bool StartsWithText(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() &&
         _strnicmp(text.c_str(), prefix.c_str(), prefix.size()) == 0;
}

std::string TrimSlashes(const std::string& path) {
  size_t first = path.find_first_not_of('\\');
  if (first == std::string::npos) return "";
  size_t last = path.find_last_not_of('\\');
  return path.substr(first, last - first + 1);
}

// The names of the direct subkeys, in the order the registry lists them.
std::vector<std::string> SubKeyNames(HKEY key) {
  std::vector<std::string> names;
  std::vector<char> name(256);  // a key name has at most 255 characters
  for (DWORD i = 0;;) {
    DWORD length = static_cast<DWORD>(name.size());
    LONG rc = RegEnumKeyExA(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_MORE_DATA && name.size() < 65536) {
      name.resize(name.size() * 2);  // multi-byte names may need more bytes
      continue;
    }
    if (rc != ERROR_SUCCESS) break;
    names.emplace_back(name.data(), length);
    ++i;
  }
  return names;
}

[[noreturn]] void InvalidType(const std::string& name) {
  throw ERegistryException("Invalid data type for '" + name + "'");
}

// Enables the named privileges for as long as it lives and then puts the
// token back as it was, so that saving or mounting a hive does not leave the
// whole process holding backup and restore rights.
class ScopedPrivileges {
 public:
  explicit ScopedPrivileges(std::initializer_list<const char*> names) {
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token_)) {
      token_ = nullptr;
      return;
    }
    for (const char* name : names) {
      TOKEN_PRIVILEGES wanted = {};
      wanted.PrivilegeCount = 1;
      wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
      if (!LookupPrivilegeValueA(nullptr, name, &wanted.Privileges[0].Luid)) continue;
      TOKEN_PRIVILEGES before = {};
      DWORD size = sizeof(before);
      if (AdjustTokenPrivileges(token_, FALSE, &wanted, sizeof(before), &before, &size) &&
          GetLastError() == ERROR_SUCCESS) {
        previous_.push_back(before);  // empty when it was enabled already
      }
    }
  }
  ~ScopedPrivileges() {
    if (!token_) return;
    for (auto it = previous_.rbegin(); it != previous_.rend(); ++it) {
      if (it->PrivilegeCount) AdjustTokenPrivileges(token_, FALSE, &*it, 0, nullptr, nullptr);
    }
    CloseHandle(token_);
  }
  ScopedPrivileges(const ScopedPrivileges&) = delete;
  ScopedPrivileges& operator=(const ScopedPrivileges&) = delete;

 private:
  HANDLE token_ = nullptr;
  std::vector<TOKEN_PRIVILEGES> previous_;
};

// The snapshot that records this thread's changes, if one does; a change
// below another root is one it cannot follow.
TRegistrySnapshot* Recorder(HKEY root) {
  TRecordRegistryChanges* recording = TRecordRegistryChanges::Current();
  if (!recording) return nullptr;
  if (root != HKEY_LOCAL_MACHINE) {
    recording->Incomplete();
    return nullptr;
  }
  return &recording->Snapshot();
}

void NoteRead(const std::string& key, const std::string& name) {
  if (RegistryValueReadHook) RegistryValueReadHook(key, name);
}

}  // namespace

void (*RegistryValueReadHook)(const std::string& key, const std::string& name) = nullptr;
void (*RegistryProgressHook)(const char* what, const std::string& key) = nullptr;

bool HoldsVariable(const std::string& text) {
  const std::size_t open = text.find('%');
  if (open == std::string::npos) return false;
  const std::size_t close = text.find('%', open + 1);
  return close != std::string::npos && close > open + 1;
}

std::optional<std::string> ExpandVariables(const std::string& text) {
  if (!HoldsVariable(text)) return text;
  std::string expanded(MAX_PATH, '\0');
  for (;;) {
    const DWORD needed =
        ExpandEnvironmentStringsA(text.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
    if (needed == 0) return std::nullopt;
    if (needed <= expanded.size()) {
      expanded.resize(needed - 1);
      break;
    }
    expanded.assign(needed, '\0');
  }
  // A variable that is not set stays as it was written: check each %NAME%
  // of the text, as the result alone cannot tell a set variable whose value
  // holds "%" from one left unexpanded.
  for (std::size_t open = text.find('%'); open != std::string::npos;) {
    const std::size_t close = text.find('%', open + 1);
    if (close == std::string::npos) break;
    if (close > open + 1) {
      const std::string name = text.substr(open + 1, close - open - 1);
      if (GetEnvironmentVariableA(name.c_str(), nullptr, 0) == 0) return std::nullopt;
      open = text.find('%', close + 1);
    } else {
      open = text.find('%', close + 1);  // "%%" stands for itself
    }
  }
  return expanded;
}

std::string SystemErrorMessage(LONG code) {
  char* buffer = nullptr;
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text;
  if (length && buffer) text.assign(buffer, length);
  if (buffer) LocalFree(buffer);
  size_t end = text.find_last_not_of("\r\n ");
  text.erase(end == std::string::npos ? 0 : end + 1);
  if (text.empty()) text = "Error " + std::to_string(code);
  return text;
}

TRegistry::TRegistry(HKEY root) : root_(root) {}

TRegistry::~TRegistry() {
  CloseKey();
  // Keys left for a Flush that never came are still made durable.
  Flush();
}

std::string TRegistry::Resolve(const std::string& path) const {
  bool absolute = !HasOpenKey() || (!path.empty() && path[0] == '\\');
  std::string tail = TrimSlashes(path);
  if (absolute || path_.empty()) return tail;
  return tail.empty() ? path_ : path_ + "\\" + tail;
}

REGSAM TRegistry::View(const std::string& absolutePath) const {
  return (StartsWithText(absolutePath, "Software\\") || SameText(absolutePath, "Software"))
             ? KEY_WOW64_32KEY
             : 0;
}

void TRegistry::NoteFailure(LONG code, const std::string& key) {
  if (code == ERROR_SUCCESS) return;
  if (TRecordRegistryChanges* recording = TRecordRegistryChanges::Current()) recording->Incomplete();
  if (Failed()) return;
  failureCode_ = code;
  failureKey_ = key;
}

void TRegistry::NoteWrite(const std::string& name, DWORD type, const BYTE* data, DWORD size,
                          LONG rc) {
  if (rc != ERROR_SUCCESS) return;
  if (TRegistrySnapshot* snapshot = Recorder(root_)) snapshot->SetValue(path_, name, type, data, size);
}

void TRegistry::ClearFailure() {
  failureCode_ = ERROR_SUCCESS;
  failureKey_.clear();
}

bool TRegistry::OpenKey(const std::string& path, bool canCreate) {
  std::string target = Resolve(path);
  // The key open before is closed even when this open fails, so that later
  // writes by a caller that ignores the result cannot land in the old key.
  CloseKey();
  REGSAM access = KEY_ALL_ACCESS | View(target);
  HKEY key = nullptr;
  LONG rc = canCreate ? RegCreateKeyExA(root_, target.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        access, nullptr, &key, nullptr)
                      : RegOpenKeyExA(root_, target.c_str(), 0, access, &key);
  if (rc != ERROR_SUCCESS) {
    // A key that is merely absent is an answer, not a failed write.
    if (canCreate || rc != ERROR_FILE_NOT_FOUND) NoteFailure(rc, target);
    return false;
  }
  key_ = key;
  path_ = target;
  writable_ = true;
  if (canCreate)
    if (TRegistrySnapshot* snapshot = Recorder(root_)) snapshot->AddKey(target);
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& path) {
  std::string target = Resolve(path);
  CloseKey();
  HKEY key = nullptr;
  if (RegOpenKeyExA(root_, target.c_str(), 0, KEY_READ | View(target), &key) != ERROR_SUCCESS)
    return false;
  key_ = key;
  path_ = target;
  writable_ = false;
  return true;
}

void TRegistry::CloseKey() {
  if (!key_) return;
  if (writable_) {
    NoteProgress("written", path_);
    if (flushOnClose_) {
      RegFlushKey(key_);
    } else {
      bool known = false;
      for (const std::string& p : unflushed_) known = known || SameText(p, path_);
      if (!known) unflushed_.push_back(path_);
    }
  }
  RegCloseKey(key_);
  key_ = nullptr;
  path_.clear();
  writable_ = false;
}

void TRegistry::Flush() {
  // A flush writes the whole hive that holds the key, so one key of each
  // hive written to is enough: the keys below "Software" share one, a hive
  // mounted under the root has its own.
  if (key_ && writable_) unflushed_.push_back(path_);
  std::vector<std::string> hives;
  for (const std::string& p : unflushed_) {
    const std::string top = p.substr(0, p.find('\\'));
    bool seen = false;
    for (const std::string& h : hives) seen = seen || SameText(h, top);
    if (seen) continue;
    hives.push_back(top);
    HKEY key = nullptr;
    if (RegOpenKeyExA(root_, p.c_str(), 0, KEY_READ | View(p), &key) == ERROR_SUCCESS) {
      RegFlushKey(key);
      RegCloseKey(key);
    }
  }
  unflushed_.clear();
}

bool TRegistry::KeyExists(const std::string& path) {
  std::string target = Resolve(path);
  HKEY key = nullptr;
  if (RegOpenKeyExA(root_, target.c_str(), 0, KEY_QUERY_VALUE | View(target), &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

bool TRegistry::DeleteKey(const std::string& path) {
  std::string target = Resolve(path);
  // An empty path would name the root itself: never take that down.
  if (TrimSlashes(path).empty() || target.empty()) return false;
  const REGSAM view = View(target);
  const std::size_t cut = target.rfind('\\');
  if (cut == std::string::npos) return DeleteBelow(root_, target, target, view);
  HKEY parent = nullptr;
  const LONG rc =
      RegOpenKeyExA(root_, target.substr(0, cut).c_str(), 0, KEY_READ | view, &parent);
  if (rc != ERROR_SUCCESS) {
    if (rc != ERROR_FILE_NOT_FOUND) NoteFailure(rc, target);
    return false;
  }
  const bool deleted = DeleteBelow(parent, target.substr(cut + 1), target, view);
  RegCloseKey(parent);
  return deleted;
}

bool TRegistry::DeleteBelow(HKEY parent, const std::string& name, const std::string& path,
                            REGSAM view) {
  HKEY key = nullptr;
  LONG rc = RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ | view, &key);
  if (rc != ERROR_SUCCESS) {
    if (rc != ERROR_FILE_NOT_FOUND) NoteFailure(rc, path);
    return false;
  }
  // Collect the names first: deleting while enumerating shifts the indexes.
  // A key that cannot be deleted stays with its parents; the others go.
  for (const std::string& child : SubKeyNames(key)) DeleteBelow(key, child, path + "\\" + child, view);
  RegCloseKey(key);
  rc = RegDeleteKeyExA(parent, name.c_str(), view, 0);
  NoteFailure(rc, path);
  if (rc == ERROR_SUCCESS) {
    NoteProgress("deleted", path);
    if (TRegistrySnapshot* snapshot = Recorder(root_)) snapshot->DeleteKey(path);
  }
  return rc == ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const std::string& name) {
  NoteRead(path_, name);
  return key_ && RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                     ERROR_SUCCESS;
}

bool TRegistry::TryReadString(const std::string& name, std::string& text) {
  NoteRead(path_, name);
  if (!key_) return false;
  // One query serves the existence test and the read for any text that fits
  // the buffer, which is nearly every value of the configuration.
  char buffer[512];
  DWORD type = 0, size = sizeof buffer - 1;
  LONG rc = RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                             &size);
  if (rc == ERROR_FILE_NOT_FOUND) return false;
  if (rc == ERROR_SUCCESS) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) InvalidType(name);
    buffer[size < sizeof buffer ? size : sizeof buffer - 1] = '\0';
    text.assign(buffer, strnlen(buffer, size));
    return true;
  }
  if (rc != ERROR_MORE_DATA) return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) InvalidType(name);
  text = ReadString(name);
  return true;
}

std::string TRegistry::ReadString(const std::string& name) {
  NoteRead(path_, name);
  if (!key_) return "";
  DWORD type = 0, size = 0;
  LONG rc = RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size);
  if (rc == ERROR_FILE_NOT_FOUND) return "";
  std::vector<char> data;
  // The value may grow between the two queries; ask again until it fits.
  while (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) InvalidType(name);
    data.assign(size + 1, '\0');
    rc = RegQueryValueExA(key_, name.c_str(), nullptr, &type,
                          reinterpret_cast<BYTE*>(data.data()), &size);
    if (rc == ERROR_SUCCESS) {
      if (type != REG_SZ && type != REG_EXPAND_SZ) InvalidType(name);
      // A stored text need not end in NUL: stop at the first NUL or at the
      // size the registry reported, whichever comes first.
      size_t used = size < data.size() ? size : data.size() - 1;
      return std::string(data.data(), strnlen(data.data(), used));
    }
  }
  if (rc == ERROR_FILE_NOT_FOUND) return "";
  throw ERegistryException("Cannot read '" + name + "': " + SystemErrorMessage(rc));
}

bool TRegistry::WriteString(const std::string& name, const std::string& value) {
  LONG rc = key_ ? RegSetValueExA(key_, name.c_str(), 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(value.c_str()),
                                  static_cast<DWORD>(value.size() + 1))
                 : ERROR_INVALID_HANDLE;
  NoteFailure(rc, path_);
  NoteWrite(name, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
            static_cast<DWORD>(value.size() + 1), rc);
  return rc == ERROR_SUCCESS;
}

bool TRegistry::WriteExpandString(const std::string& name, const std::string& value) {
  LONG rc = key_ ? RegSetValueExA(key_, name.c_str(), 0, REG_EXPAND_SZ,
                                  reinterpret_cast<const BYTE*>(value.c_str()),
                                  static_cast<DWORD>(value.size() + 1))
                 : ERROR_INVALID_HANDLE;
  NoteFailure(rc, path_);
  NoteWrite(name, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
            static_cast<DWORD>(value.size() + 1), rc);
  return rc == ERROR_SUCCESS;
}

int TRegistry::ReadInteger(const std::string& name) {
  NoteRead(path_, name);
  DWORD type = 0, value = 0, size = sizeof(value);
  LONG rc = key_ ? RegQueryValueExA(key_, name.c_str(), nullptr, &type,
                                    reinterpret_cast<BYTE*>(&value), &size)
                 : ERROR_INVALID_HANDLE;
  if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value)) InvalidType(name);
  return static_cast<int>(value);
}

bool TRegistry::TryReadInteger(const std::string& name, int& value) {
  NoteRead(path_, name);
  DWORD type = 0, data = 0, size = sizeof(data);
  if (!key_ || RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data),
                                &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(data))
    return false;
  value = static_cast<int>(data);
  return true;
}

bool TRegistry::WriteInteger(const std::string& name, int value) {
  DWORD data = static_cast<DWORD>(value);
  LONG rc = key_ ? RegSetValueExA(key_, name.c_str(), 0, REG_DWORD,
                                  reinterpret_cast<const BYTE*>(&data), sizeof(data))
                 : ERROR_INVALID_HANDLE;
  NoteFailure(rc, path_);
  NoteWrite(name, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data), rc);
  return rc == ERROR_SUCCESS;
}

std::vector<std::string> TRegistry::GetKeyNames() {
  return key_ ? SubKeyNames(key_) : std::vector<std::string>();
}

bool TRegistry::HasSubKeys() {
  DWORD count = 0;
  return key_ &&
         RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                          nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
         count > 0;
}

bool TRegistry::RenameValue(const std::string& oldName, const std::string& newName) {
  if (!key_) return false;
  DWORD type = 0, size = 0;
  LONG rc = RegQueryValueExA(key_, oldName.c_str(), nullptr, &type, nullptr, &size);
  std::vector<BYTE> data;
  while (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
    data.assign(size + 1, 0);
    rc = RegQueryValueExA(key_, oldName.c_str(), nullptr, &type, data.data(), &size);
    if (rc == ERROR_SUCCESS) break;
  }
  if (rc != ERROR_SUCCESS) return false;
  // Value names ignore case: renaming to the same name must not end in
  // deleting the value just written.
  if (SameText(oldName, newName)) return true;
  rc = RegSetValueExA(key_, newName.c_str(), 0, type, data.data(), size);
  NoteFailure(rc, path_);
  NoteWrite(newName, type, data.data(), size, rc);
  if (rc != ERROR_SUCCESS) return false;
  return DeleteValue(oldName);
}

bool TRegistry::DeleteValue(const std::string& name) {
  LONG rc = key_ ? RegDeleteValueA(key_, name.c_str()) : ERROR_INVALID_HANDLE;
  if (rc != ERROR_FILE_NOT_FOUND) NoteFailure(rc, path_);
  if (rc == ERROR_SUCCESS)
    if (TRegistrySnapshot* snapshot = Recorder(root_)) snapshot->DeleteValue(path_, name);
  return rc == ERROR_SUCCESS;
}

bool TRegistry::CopyKey(const std::string& source, const std::string& target) {
  // A record follows values one by one; a copy it leaves to a fresh read.
  if (TRecordRegistryChanges* recording = TRecordRegistryChanges::Current()) recording->Incomplete();
  const std::string from = Resolve(source), to = Resolve(target);
  HKEY in = nullptr, out = nullptr;
  LONG rc = RegOpenKeyExA(root_, from.c_str(), 0, KEY_READ | View(from), &in);
  if (rc != ERROR_SUCCESS) {
    NoteFailure(rc, from);
    return false;
  }
  rc = RegCreateKeyExA(root_, to.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                       KEY_ALL_ACCESS | View(to), nullptr, &out, nullptr);
  if (rc != ERROR_SUCCESS) {
    RegCloseKey(in);
    NoteFailure(rc, to);
    return false;
  }
  const bool whole = CopyBetween(in, out, to, View(to));
  RegCloseKey(in);
  RegCloseKey(out);
  unflushed_.push_back(to);
  return whole;
}

bool TRegistry::CopyBetween(HKEY in, HKEY out, const std::string& to, REGSAM view) {
  DWORD values = 0, longestName = 0, longestData = 0;
  LONG rc = RegQueryInfoKeyA(in, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                             &longestName, &longestData, nullptr, nullptr);
  std::vector<char> name(longestName + 2);
  std::vector<BYTE> data(longestData + 1);
  bool whole = rc == ERROR_SUCCESS;
  if (!whole) NoteFailure(rc, to);
  for (DWORD i = 0; whole && i < values; ++i) {
    DWORD nameLength = static_cast<DWORD>(name.size()), size = static_cast<DWORD>(data.size()),
          type = 0;
    rc = RegEnumValueA(in, i, name.data(), &nameLength, nullptr, &type, data.data(), &size);
    if (rc == ERROR_MORE_DATA) {  // grown since the count: ask again, bigger
      name.resize(name.size() * 2 + 256);
      data.resize(data.size() * 2 + 256);
      --i;
      continue;
    }
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc == ERROR_SUCCESS)
      rc = RegSetValueExA(out, std::string(name.data(), nameLength).c_str(), 0, type, data.data(),
                          size);
    if (rc != ERROR_SUCCESS) {
      NoteFailure(rc, to);
      whole = false;
    }
  }
  if (whole) NoteProgress("copied", to);
  for (const std::string& child : SubKeyNames(in)) {
    const std::string path = to + "\\" + child;
    HKEY from = nullptr, into = nullptr;
    rc = RegOpenKeyExA(in, child.c_str(), 0, KEY_READ, &from);
    if (rc == ERROR_SUCCESS)
      rc = RegCreateKeyExA(out, child.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS | view, nullptr, &into, nullptr);
    if (rc == ERROR_SUCCESS) {
      whole = CopyBetween(from, into, path, view) && whole;
    } else {
      NoteFailure(rc, path);
      whole = false;
    }
    if (from) RegCloseKey(from);
    if (into) RegCloseKey(into);
  }
  return whole;
}

LONG TRegistry::SaveKey(const std::string& path, const std::string& fileName,
                        SECURITY_ATTRIBUTES* attributes) {
  std::string target = Resolve(path);
  HKEY key = nullptr;
  LONG rc = RegOpenKeyExA(root_, target.c_str(), 0, KEY_READ | View(target), &key);
  if (rc != ERROR_SUCCESS) return rc;
  {
    // An administrator holds the backup right but Windows keeps it disabled,
    // and the save is refused (1314) until the process enables it; it is
    // enabled for this call alone.
    ScopedPrivileges privileges({SE_BACKUP_NAME});
    rc = RegSaveKeyA(key, fileName.c_str(), attributes);
  }
  RegCloseKey(key);
  return rc;
}

LONG TRegistry::LoadKey(const std::string& subKey, const std::string& fileName) {
  std::string mount = TrimSlashes(subKey);
  bool existed = KeyExists("\\" + mount);
  ScopedPrivileges privileges({SE_RESTORE_NAME, SE_BACKUP_NAME});
  LONG rc = RegLoadKeyA(root_, mount.c_str(), fileName.c_str());
  // Wine leaves an empty mount point behind when it refuses the file; a
  // refused mount must leave nothing to read or to unmount.
  if (rc != ERROR_SUCCESS && !existed && KeyExists("\\" + mount))
    RegUnLoadKeyA(root_, mount.c_str());
  return rc;
}

LONG TRegistry::UnLoadKey(const std::string& subKey) {
  std::string mount = TrimSlashes(subKey);
  // A handle of ours inside the hive would keep it mounted.
  if (SameText(path_, mount) || StartsWithText(path_, mount + "\\")) CloseKey();
  ScopedPrivileges privileges({SE_RESTORE_NAME, SE_BACKUP_NAME});
  return RegUnLoadKeyA(root_, mount.c_str());
}
