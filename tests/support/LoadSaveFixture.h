// What the load, save and first-run tests share on top of EditorFixture: a
// byte-exact picture of the stored tree, keys whose ACL refuses writes, a
// folder on C: for the folders a save creates, and a window of this process
// that counts the save's notifications.
#pragma once
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "editor/app/MainWindow.h"
#include "editor/config/Configuration.h"
#include "editor/config/Save.h"
#include "support/EditorFixture.h"

// Every value of a key: name -> (type, raw bytes).
using TStoredValues = std::map<std::string, std::pair<DWORD, std::string>>;
// Every key below a root, by path relative to it ("" for the root itself).
using TStoredTree = std::map<std::string, TStoredValues>;
// Value names with their texts, as written or as expected.
using TNamedTexts = std::vector<std::pair<std::string, std::string>>;

// Counts "ZUBCFG_NOTIFY" messages that reach a top-level window of this
// process, with the parameters of the last one.
class TNotifyCounter {
 public:
  TNotifyCounter() {
    message_ = RegisterWindowMessageA("ZUBCFG_NOTIFY");
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "NodraxTestNotifyCounter";
    RegisterClassA(&wc);  // fails harmlessly when registered before
    hwnd_ = CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr,
                            nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~TNotifyCounter() { DestroyWindow(hwnd_); }
  TNotifyCounter(const TNotifyCounter&) = delete;
  TNotifyCounter& operator=(const TNotifyCounter&) = delete;

  // Handles what has been posted so far, then reports the count.
  int Count() {
    MSG msg;
    while (PeekMessageA(&msg, hwnd_, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    return count_;
  }
  // What has arrived without handling anything more: a posted message is
  // not there before the queue is read.
  int Seen() const { return count_; }
  WPARAM LastW() const { return w_; }
  LPARAM LastL() const { return l_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<TNotifyCounter*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && msg == self->message_) {
      ++self->count_;
      self->w_ = w;
      self->l_ = l;
      return 0;
    }
    return DefWindowProcA(hwnd, msg, w, l);
  }
  UINT message_ = 0;
  HWND hwnd_ = nullptr;
  int count_ = 0;
  WPARAM w_ = 0;
  LPARAM l_ = 0;
};

// NotifyListener.exe, beside the test program: a top-level window of another
// process that waits for "ZUBCFG_NOTIFY" and writes the message's two
// parameters to `result`. It ends with 0 when the message came, with 2 when
// it did not within timeoutMs.
class TNotifyListener {
 public:
  TNotifyListener(const std::string& result, unsigned timeoutMs) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path = exe;
    path = path.substr(0, path.find_last_of('\\') + 1) + "NotifyListener.exe";
    const char* readyName = "NodraxTestNotifyListenerReady";
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, readyName);
    std::string command = "\"" + path + "\" " + readyName + " \"" + result + "\" " +
                          std::to_string(timeoutMs);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    started_ = ready &&
               CreateProcessA(path.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &si, &pi_) &&
               WaitForSingleObject(ready, 20000) == WAIT_OBJECT_0;
    if (ready) CloseHandle(ready);
  }
  ~TNotifyListener() {
    if (!pi_.hProcess) return;
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
  }
  TNotifyListener(const TNotifyListener&) = delete;
  TNotifyListener& operator=(const TNotifyListener&) = delete;
  // The window exists and waits.
  bool Started() const { return started_; }
  // Waits for the end; 99 when it did not end in time.
  DWORD ExitCode() {
    DWORD code = 99;
    if (WaitForSingleObject(pi_.hProcess, 25000) == WAIT_OBJECT_0)
      GetExitCodeProcess(pi_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION pi_ = {};
  bool started_ = false;
};

class LoadSaveFixture : public EditorFixture {
 protected:
  static constexpr const char* kPortsKey = "Software\\Nodrax\\Ports";
  static constexpr const char* kServersKey = "Software\\Nodrax\\Servers";
  static constexpr const char* kDirectoriesKey = "Software\\Nodrax\\Directories";
  // Every folder a test saves lies below this one.
  static constexpr const char* kTestFolder = "C:\\NodraxTest";
  static constexpr const char* kTestRoot = "C:\\NodraxTest\\BBS";

  void SetUp() override {
    EditorFixture::SetUp();
    ZubcfgNotifyMessage = RegisterWindowMessageA("ZUBCFG_NOTIFY");
    SaveFlushesOnce = false;
    RemoveTestFolder();
  }
  void TearDown() override {
    for (const std::string& key : denied_) SetDacl(key, "D:(A;;KA;;;WD)");
    denied_.clear();
    EditorFixture::TearDown();
    SaveFlushesOnce = false;
    RemoveTestFolder();
  }

  static void RemoveTestFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(kTestFolder, ignored);
  }
  static bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  // The values as the registry holds them, below root in the 32-bit view;
  // the editor's own window state is left out.
  static TStoredTree Dump(const std::string& root = kNodraxKey) {
    TStoredTree tree;
    DumpKey(root, "", tree);
    return tree;
  }
  static TStoredValues Values(const std::string& path) {
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
  static std::vector<std::string> SubKeys(const std::string& path) {
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
  // The text of a value, "<none>" when absent: reads well in a failure.
  static std::string Text(const std::string& path, const std::string& name) {
    return ReadString(path, name).value_or("<none>");
  }

  static std::string Key(const std::string& parent, const std::string& child) {
    return parent + "\\" + child;
  }
  static void WriteStrings(const std::string& path, const TNamedTexts& values) {
    for (const auto& [name, text] : values) WriteString(path, name, text);
  }
  static void ExpectStored(const std::string& path, const TNamedTexts& expected) {
    for (const auto& [name, text] : expected)
      EXPECT_EQ(text, Text(path, name)) << path << '\\' << name;
  }
  static void ExpectTexts(std::initializer_list<std::pair<const TControl*, std::string>> expected) {
    for (const auto& [control, text] : expected) EXPECT_EQ(text, control->Text()) << control->Name;
  }
  static void ExpectChecked(bool checked, std::initializer_list<const TCheckBox*> boxes) {
    for (const TCheckBox* box : boxes) EXPECT_EQ(checked, box->Checked()) << box->Name;
  }
  static void SetChecked(bool checked, std::initializer_list<TCheckBox*> boxes) {
    for (TCheckBox* box : boxes) box->SetChecked(checked);
  }
  // Record fields hold no names: a failure tells the field by its place.
  static void ExpectFields(
      std::initializer_list<std::pair<const char*, const char*>> expectedAndActual) {
    int place = 0;
    for (const auto& [expected, actual] : expectedAndActual) {
      EXPECT_STREQ(expected, actual) << "field " << place << " of the list";
      ++place;
    }
  }

  // Everyone may do everything to the key except what `denied` names (an
  // access mask such as KEY_SET_VALUE); the grant is put back at TearDown.
  void Deny(const std::string& path, DWORD denied) {
    const std::string sddl = "D:(D;;" + std::to_string(denied) + ";;;WD)(A;;KA;;;WD)";
    ASSERT_TRUE(SetDacl(path, sddl.c_str())) << path;
    denied_.push_back(path);
  }

 private:
  static void DumpKey(const std::string& root, const std::string& relative, TStoredTree& tree) {
    if (relative == "Windows") return;
    const std::string path = relative.empty() ? root : Key(root, relative);
    if (!KeyExists(path)) return;
    TStoredValues values = Values(path);
    // The root holds keys, not values: it counts only when it has some.
    if (!relative.empty() || !values.empty()) tree[relative] = std::move(values);
    for (const std::string& child : SubKeys(path))
      DumpKey(root, relative.empty() ? child : Key(relative, child), tree);
  }
  static bool SetDacl(const std::string& path, const char* sddl) {
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr))
      return false;
    HKEY key = nullptr;
    LONG rc = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, WRITE_DAC | KEY_WOW64_32KEY, &key);
    if (rc == ERROR_SUCCESS) {
      rc = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd);
      RegCloseKey(key);
    }
    LocalFree(sd);
    return rc == ERROR_SUCCESS;
  }

  std::vector<std::string> denied_;
};
