// What the load, save and first-run tests of the window share on top of
// EditorFixture: windows of this process and of another that count the
// save's notifications, and checks of many controls at once.
#pragma once
#include <windows.h>

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
#include "platform/Registry.h"
#include "support/EditorFixture.h"

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
  static void ExpectTexts(std::initializer_list<std::pair<const TControl*, std::string>> expected) {
    for (const auto& [control, text] : expected) EXPECT_EQ(text, control->Text()) << control->Name;
  }
  static void ExpectChecked(bool checked, std::initializer_list<const TCheckBox*> boxes) {
    for (const TCheckBox* box : boxes) EXPECT_EQ(checked, box->Checked()) << box->Name;
  }
  static void SetChecked(bool checked, std::initializer_list<TCheckBox*> boxes) {
    for (TCheckBox* box : boxes) box->SetChecked(checked);
  }
};

// The import and backup tests: the key where an import mounts its file is
// free before and after each case, also after a run that was cut short.
class TransferFixture : public LoadSaveFixture {
 protected:
  static constexpr const char* kMount = "Nodrax";
  void SetUp() override {
    LoadSaveFixture::SetUp();
    TRegistry().UnLoadKey(kMount);
  }
  void TearDown() override {
    TRegistry().UnLoadKey(kMount);
    LoadSaveFixture::TearDown();
  }
  static bool Mounted() {
    HKEY key = nullptr;
    const bool mounted = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMount, 0, KEY_READ, &key) == 0;
    if (key) RegCloseKey(key);
    return mounted;
  }
};
