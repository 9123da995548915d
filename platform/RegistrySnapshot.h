// A registry tree held in memory: read from the registry in one pass, or
// built from the changes TRegistry makes while it records them, and read
// with the same calls as a TRegistry, so that what reads a TRegistry reads
// it too. Names ignore case, as the registry's do; subkeys keep the order
// the registry listed them in, or the order they were made in.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

class TRegistrySnapshot {
 public:
  // The key at path below HKEY_LOCAL_MACHINE (a "\"-led path, in the view a
  // TRegistry would open it in) and everything below it. Not ERROR_SUCCESS
  // when the key does not open, or a key or value below it does not read:
  // then the snapshot holds nothing.
  LONG Take(const std::string& path);

  // The reads of TRegistry, with its paths and its answers (an absent value,
  // a value of another type raising "Invalid data type for '<name>'"). A key
  // opened for writing must exist; a rename changes the snapshot alone.
  bool OpenKey(const std::string& path, bool canCreate);
  bool OpenKeyReadOnly(const std::string& path) { return OpenKey(path, false); }
  void CloseKey() { open_.clear(); }
  bool KeyExists(const std::string& path) const;
  bool HasSubKeys() const;
  std::vector<std::string> GetKeyNames() const;
  bool ValueExists(const std::string& name) const;
  bool TryReadString(const std::string& name, std::string& text) const;
  int ReadInteger(const std::string& name) const;
  bool RenameValue(const std::string& oldName, const std::string& newName);

  // The changes, each at a path below the root without the leading "\".
  void AddKey(const std::string& path);
  void SetValue(const std::string& path, const std::string& name, DWORD type, const BYTE* data,
                DWORD size);
  void DeleteKey(const std::string& path);
  void DeleteValue(const std::string& path, const std::string& name);

 private:
  struct TValue {
    std::string Name;
    DWORD Type = REG_NONE;
    std::vector<BYTE> Data;
  };
  struct TKey {
    std::string Path;
    std::vector<std::string> SubKeys;
    std::vector<TValue> Values;
  };
  LONG Read(HKEY key, const std::string& path);
  std::string Resolve(const std::string& path) const;
  const TKey* Find(const std::string& path) const;
  const TValue* FindValue(const std::string& name) const;

  std::map<std::string, TKey> keys_;  // by the path in capitals
  std::string open_;                  // the open key's path in capitals, or empty
};

// While one lives, every change that a TRegistry over HKEY_LOCAL_MACHINE
// makes on this thread is made to the snapshot too; one that a snapshot
// cannot follow (a failed write or delete, a copy, another root) marks the
// record incomplete. It tells what the store holds after a series of
// writes into a tree known to be empty, without reading it back.
class TRecordRegistryChanges {
 public:
  explicit TRecordRegistryChanges(TRegistrySnapshot& into);
  ~TRecordRegistryChanges();
  TRecordRegistryChanges(const TRecordRegistryChanges&) = delete;
  TRecordRegistryChanges& operator=(const TRecordRegistryChanges&) = delete;
  bool Complete() const { return complete_; }

  // Called by TRegistry.
  static TRecordRegistryChanges* Current();
  TRegistrySnapshot& Snapshot() { return into_; }
  void Incomplete() { complete_ = false; }

 private:
  TRegistrySnapshot& into_;
  TRecordRegistryChanges* outer_;
  bool complete_ = true;
};
