// Real editor processes. Two of them: the second start ends at once and
// opens nothing; the first keeps running; after the first has ended a new
// start works again. A mutex this user may not open, as another user's
// editor holds it, counts as a running editor too. And what a running editor
// loads by name.
#include <windows.h>
#include <sddl.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/EditorFixture.h"

namespace {

const char kGlobalMutex[] = "Global\\PRIMERA_INSTANCIA_NODRAX_CFG";

// NODRAX_EXE and NODRAX_APPLET are host paths; Wine sees the host root as Z:.
std::string HostPath(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return "Z:" + path;
}

// A real editor process, started from the built program, ended (if it still
// runs) at the end of its scope.
struct Editor {
  PROCESS_INFORMATION info{};
  bool started = false;

  // Started in the current folder given, or in this process's.
  explicit Editor(const char* folder = nullptr) {
    std::string path = HostPath(NODRAX_EXE);
    std::string command = "\"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder,
                             &startup, &info);
    EXPECT_TRUE(started) << "cannot start " << path << ": error " << GetLastError();
  }
  ~Editor() {
    if (!started) return;
    if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(info.hProcess, 1);
      WaitForSingleObject(info.hProcess, 10000);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }

  // The top-level "TForm1" windows of the process.
  std::vector<HWND> Forms() const {
    std::vector<HWND> found;
    HWND hwnd = nullptr;
    while ((hwnd = FindWindowExA(nullptr, hwnd, "TForm1", nullptr)) != nullptr) {
      DWORD owner = 0;
      GetWindowThreadProcessId(hwnd, &owner);
      if (owner == info.dwProcessId) found.push_back(hwnd);
    }
    return found;
  }

  // Watches the process until it ends, 10 s at most: it must end with code 0
  // and never have a TForm1 window of its own.
  ::testing::AssertionResult EndsWithoutAWindow() const {
    bool openedForm = false;
    const DWORD start = GetTickCount();
    DWORD waited = WAIT_TIMEOUT;
    while (waited == WAIT_TIMEOUT && GetTickCount() - start < 10000) {
      if (!Forms().empty()) openedForm = true;
      waited = WaitForSingleObject(info.hProcess, 20);
    }
    DWORD code = 99;
    if (waited != WAIT_OBJECT_0) return ::testing::AssertionFailure() << "it is still running";
    GetExitCodeProcess(info.hProcess, &code);
    if (code != 0) return ::testing::AssertionFailure() << "it ended with code " << code;
    if (openedForm) return ::testing::AssertionFailure() << "it opened a window";
    return ::testing::AssertionSuccess();
  }

  HWND WaitForForm(DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
      // Found once it is on screen, not while it is being built.
      for (HWND form : Forms())
        if (IsWindowVisible(form)) return form;
      if (WaitForSingleObject(info.hProcess, 100) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
  }

  // LoadLibraryA(name) on a thread of the editor, as a late load of its own
  // would run; whether the module is in the editor afterwards.
  bool Loads(const std::string& name, const std::string& module) const {
    void* remote = VirtualAllocEx(info.hProcess, nullptr, name.size() + 1,
                                  MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote || !WriteProcessMemory(info.hProcess, remote, name.c_str(), name.size() + 1,
                                       nullptr)) {
      ADD_FAILURE() << "cannot write into the editor: error " << GetLastError();
      return false;
    }
    // kernel32 lies at the same address in every process of a session.
    const auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
    HANDLE thread = CreateRemoteThread(info.hProcess, nullptr, 0, load, remote, 0, nullptr);
    if (!thread) {
      ADD_FAILURE() << "cannot start a thread in the editor: error " << GetLastError();
      return false;
    }
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    VirtualFreeEx(info.hProcess, remote, 0, MEM_RELEASE);
    HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, info.dwProcessId);
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Module32First(modules, &entry); more && !found;
         more = Module32Next(modules, &entry))
      found = lstrcmpiA(entry.szModule, module.c_str()) == 0;
    CloseHandle(modules);
    return found;
  }
};

}  // namespace

// The registry set-up of the fixture, without a window in this process.
using SingleInstanceTest = EditorFixture;

TEST_F(SingleInstanceTest, ASecondStartEndsAtOnceAndTheFirstKeepsRunning) {
  CreateEmptyConfig();  // a plain start, without first-run defaults
  Editor first;
  ASSERT_TRUE(first.started);
  HWND form = first.WaitForForm(30000);
  ASSERT_NE(nullptr, form) << "the first editor opened no TForm1 window";
  EXPECT_TRUE(IsWindowVisible(form));

  Editor second;
  ASSERT_TRUE(second.started);
  ASSERT_TRUE(second.EndsWithoutAWindow());

  // The first is untouched.
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(first.info.hProcess, 0));
  EXPECT_TRUE(IsWindow(form));
  EXPECT_EQ(1u, first.Forms().size());
  EXPECT_TRUE(ReadString(kWindowKey, "Version") == std::nullopt)
      << "the second start must not reach the close of a window";
  // The machine-wide name, which the installer looks for, lives as long as
  // the first editor.
  HANDLE global = OpenMutexA(SYNCHRONIZE, FALSE, kGlobalMutex);
  EXPECT_NE(nullptr, global) << "the running editor holds no global mutex";
  if (global) CloseHandle(global);
}

TEST_F(SingleInstanceTest, AfterTheFirstHasEndedANewStartOpensItsWindow) {
  CreateEmptyConfig();
  {
    Editor first;
    ASSERT_TRUE(first.started);
    ASSERT_NE(nullptr, first.WaitForForm(30000));
  }  // ended here
  Editor again;
  ASSERT_TRUE(again.started);
  EXPECT_NE(nullptr, again.WaitForForm(30000)) << "the mutex outlived its editor";
}

// Another user's editor (or an elevated one) holds the mutex with an access
// list that refuses this user: CreateMutexA fails with ERROR_ACCESS_DENIED,
// and the start ends as when the mutex is this user's.
TEST_F(SingleInstanceTest, AMutexThatRefusesThisUserCountsAsARunningEditor) {
  CreateEmptyConfig();
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  // A protected, empty access list: nobody is granted anything.
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P", SDDL_REVISION_1,
                                                                   &descriptor, nullptr));
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  HANDLE held = CreateMutexA(&attributes, TRUE, "PRIMERA_INSTANCIA_NODRAX_CFG");
  LocalFree(descriptor);
  ASSERT_NE(nullptr, held);
  HANDLE again = CreateMutexA(nullptr, TRUE, "PRIMERA_INSTANCIA_NODRAX_CFG");
  const DWORD refusal = GetLastError();
  if (again) CloseHandle(again);
  ASSERT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), refusal) << "the access list is not applied";

  Editor refused;
  ASSERT_TRUE(refused.started);
  EXPECT_TRUE(refused.EndsWithoutAWindow());
  CloseHandle(held);
}

// An editor of another session holds the global name but not this session's
// own: the start says so in a box and ends without a window, also when that
// mutex's access list refuses this user.
TEST_F(SingleInstanceTest, AnEditorOfAnotherSessionIsNamedInABoxAndTheStartEnds) {
  CreateEmptyConfig();
  for (const char* sddl : {static_cast<const char*>(nullptr), "D:P"}) {
    SCOPED_TRACE(sddl ? sddl : "default security");
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (sddl) {
      ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1,
                                                                       &descriptor, nullptr));
    }
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    HANDLE held = CreateMutexA(&attributes, TRUE, kGlobalMutex);
    if (descriptor) LocalFree(descriptor);
    ASSERT_NE(nullptr, held);
    HANDLE local = OpenMutexA(SYNCHRONIZE, FALSE, "PRIMERA_INSTANCIA_NODRAX_CFG");
    ASSERT_EQ(nullptr, local) << "the global name is this session's own";

    Editor second;
    ASSERT_TRUE(second.started);
    HWND box = nullptr;
    for (DWORD start = GetTickCount(); !box && GetTickCount() - start < 30000; Sleep(50))
      for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "#32770", nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == second.info.dwProcessId && IsWindowVisible(window)) box = window;
      }
    ASSERT_NE(nullptr, box) << "no box";
    char text[512] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the box's message
    EXPECT_NE(nullptr, std::strstr(text, "open in Nodraxcfg in another session")) << text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(second.EndsWithoutAWindow());
    CloseHandle(held);
  }
}

// An editor that runs elevated loads no DLL by name from its current folder
// or a PATH folder, where a user may put one; the system's it still loads.
// The same files by their full path load, so a refusal is the search's.
TEST_F(SingleInstanceTest, ARunningEditorLoadsNoDllByNameFromTheCurrentOrAPathFolder) {
  CreateEmptyConfig();
  const std::string current = std::string(kTestFolder) + "\\current";
  const std::string onPath = std::string(kTestFolder) + "\\on path";
  for (const auto& [folder, dll] : {std::pair{current, "nxcurrent.dll"}, {onPath, "nxpath.dll"}}) {
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(CopyFileA(HostPath(NODRAX_APPLET).c_str(), (folder + "\\" + dll).c_str(), FALSE));
  }
  char path[32768] = "";
  GetEnvironmentVariableA("PATH", path, sizeof path);
  SetEnvironmentVariableA("PATH", (onPath + ";" + path).c_str());
  Editor editor(current.c_str());
  SetEnvironmentVariableA("PATH", path);
  ASSERT_TRUE(editor.started);
  ASSERT_NE(nullptr, editor.WaitForForm(30000));

  for (const char* dll : {"nxcurrent.dll", "nxpath.dll"}) EXPECT_FALSE(editor.Loads(dll, dll)) << dll;
  EXPECT_TRUE(editor.Loads("imagehlp.dll", "imagehlp.dll"));
  EXPECT_TRUE(editor.Loads(current + "\\nxcurrent.dll", "nxcurrent.dll"));
  EXPECT_TRUE(editor.Loads(onPath + "\\nxpath.dll", "nxpath.dll"));
}
