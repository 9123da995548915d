// Registry access below one root key (HKEY_LOCAL_MACHINE by default). Each
// access opens its key, works and closes it; closing flushes the key.
//
// Keys below "Software" live in the 32-bit view (KEY_WOW64_32KEY): the BBS
// and the configurations stored by earlier editors are there on 64-bit
// Windows, so a 64-bit editor has to look there too. Other keys (a hive
// mounted at HKEY_LOCAL_MACHINE\Nodrax) are opened as they are.
#pragma once
#include <windows.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class ERegistryException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The platform's own message text for a result code, such as "Success." or
// "Access denied."; trailing line breaks removed.
std::string SystemErrorMessage(LONG code);

// When set, told of every value that a TRegistry reads or tests for, with
// the key's path (below the root, no leading "\") and the value's name: a
// test learns from it which values a part of the editor reads.
extern void (*RegistryValueReadHook)(const std::string& key, const std::string& name);

// When set, told of every change to the registry as it is made: a key
// written and closed, a key deleted, a key copied ("what" says which, "key"
// is the path below the root, no leading "\"). Commands that replace the
// stored tree add steps of their own, so that someone watching (a debugger,
// a test that kills the editor at each step) can follow them.
extern void (*RegistryProgressHook)(const char* what, const std::string& key);
inline void NoteProgress(const char* what, const std::string& key) {
  if (RegistryProgressHook) RegistryProgressHook(what, key);
}

// A text with its %VARIABLE% parts expanded from the environment, as the
// system expands a REG_EXPAND_SZ value; no value when a part names a
// variable that is not set, which must never become part of a path.
std::optional<std::string> ExpandVariables(const std::string& text);
// Whether the text holds a %NAME% part that expanding would replace.
bool HoldsVariable(const std::string& text);

class TRegistry {
 public:
  explicit TRegistry(HKEY root = HKEY_LOCAL_MACHINE);
  ~TRegistry();  // closes the open key
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  // A path starting with "\" or given while no key is open is absolute below
  // the root; otherwise it is relative to the open key. Opening closes the
  // key open before. Returns false when the key cannot be opened (or made).
  bool OpenKey(const std::string& path, bool canCreate);
  bool OpenKeyReadOnly(const std::string& path);
  void CloseKey();  // flushes, then closes
  bool HasOpenKey() const { return key_ != nullptr; }
  const std::string& CurrentPath() const { return path_; }  // absolute, no leading "\"

  // Paths as for OpenKey.
  bool KeyExists(const std::string& path);
  // Deletes the key and everything below it.
  bool DeleteKey(const std::string& path);

  // On the open key:
  bool ValueExists(const std::string& name);
  // An absent value reads as "". A value that is not a string raises
  // "Invalid data type for '<name>'".
  std::string ReadString(const std::string& name);
  // The existence test and the read in one: false when the value is absent.
  // A value that is not a string raises as ReadString does.
  bool TryReadString(const std::string& name, std::string& text);
  bool WriteString(const std::string& name, const std::string& value);
  // A text that holds %VARIABLE% parts, stored for the reader to expand.
  bool WriteExpandString(const std::string& name, const std::string& value);
  // A value that is absent or not a 32-bit integer raises
  // "Invalid data type for '<name>'".
  int ReadInteger(const std::string& name);
  // The existence test and the read in one, raising nothing: false when the
  // value is absent or is not a 32-bit integer.
  bool TryReadInteger(const std::string& name, int& value);
  bool WriteInteger(const std::string& name, int value);
  std::vector<std::string> GetKeyNames();  // in the order the registry lists them
  bool HasSubKeys();
  bool RenameValue(const std::string& oldName, const std::string& newName);
  bool DeleteValue(const std::string& name);

  // Makes the key at target (made when missing) hold every value of the key
  // at source and copies every key below it, values byte for byte with
  // their types. False, with the failure noted, when a key or value could
  // not be read or written.
  bool CopyKey(const std::string& source, const std::string& target);

  // Hive files (need the backup and restore privileges, which these enable).
  // The saved file gets the security of `attributes`, or the default one.
  LONG SaveKey(const std::string& path, const std::string& fileName,
               SECURITY_ATTRIBUTES* attributes = nullptr);
  LONG LoadKey(const std::string& subKey, const std::string& fileName);
  LONG UnLoadKey(const std::string& subKey);

  // The first failed open, create or write since construction or since
  // ClearFailure: its key, its code and the platform's text for the code.
  bool Failed() const { return failureCode_ != ERROR_SUCCESS; }
  LONG FailureCode() const { return failureCode_; }
  const std::string& FailureKey() const { return failureKey_; }
  std::string FailureText() const { return SystemErrorMessage(failureCode_); }
  void ClearFailure();

  // Whether keys are flushed as they are closed (the default). A caller that
  // writes many keys may turn it off and call Flush once at the end.
  void SetFlushOnClose(bool flush) { flushOnClose_ = flush; }
  // Flushes every key written since the last flush (one flush per hive).
  void Flush();

 private:
  std::string Resolve(const std::string& path) const;
  REGSAM View(const std::string& absolutePath) const;
  void NoteFailure(LONG code, const std::string& key);
  // A write that succeeded, for a record of the changes (RegistrySnapshot.h).
  void NoteWrite(const std::string& name, DWORD type, const BYTE* data, DWORD size, LONG rc);
  // The recursions of DeleteKey and CopyKey, through handles relative to
  // the parent: a full path opened in the 32-bit view costs Wine a round
  // trip for every key on the way.
  bool DeleteBelow(HKEY parent, const std::string& name, const std::string& path, REGSAM view);
  bool CopyBetween(HKEY in, HKEY out, const std::string& to, REGSAM view);

  HKEY root_;
  HKEY key_ = nullptr;
  std::string path_;
  bool writable_ = false;
  bool flushOnClose_ = true;
  std::vector<std::string> unflushed_;
  LONG failureCode_ = ERROR_SUCCESS;
  std::string failureKey_;
};
