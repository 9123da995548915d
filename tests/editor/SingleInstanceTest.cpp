// Two real editor processes: the second start ends at once and opens
// nothing; the first keeps running; after the first has ended a new start
// works again.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/EditorFixture.h"

namespace {

// NODRAX_EXE is the host path of the program; Wine sees the host root as Z:.
std::string EditorPath() {
  std::string path = std::string("Z:") + NODRAX_EXE;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

struct Editor {
  PROCESS_INFORMATION info{};
  bool started = false;
  ~Editor() {
    if (!started) return;
    if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(info.hProcess, 1);
      WaitForSingleObject(info.hProcess, 10000);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
};

void Start(Editor& editor) {
  std::string command = "\"" + EditorPath() + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &editor.info))
      << "cannot start " << EditorPath() << ": error " << GetLastError();
  editor.started = true;
}

// The top-level "TForm1" windows of a process.
std::vector<HWND> FormsOf(DWORD pid) {
  std::vector<HWND> found;
  HWND hwnd = nullptr;
  while ((hwnd = FindWindowExA(nullptr, hwnd, "TForm1", nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == pid) found.push_back(hwnd);
  }
  return found;
}

HWND WaitForForm(const Editor& editor, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    // Found once it is on screen, not while it is being built.
    for (HWND form : FormsOf(editor.info.dwProcessId))
      if (IsWindowVisible(form)) return form;
    if (WaitForSingleObject(editor.info.hProcess, 100) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}

}  // namespace

// The registry set-up of the fixture, without a window in this process.
using SingleInstanceTest = EditorFixture;

TEST_F(SingleInstanceTest, ASecondStartEndsAtOnceAndTheFirstKeepsRunning) {
  CreateEmptyConfig();  // a plain start, without first-run defaults
  Editor first;
  Start(first);
  ASSERT_FALSE(HasFatalFailure());
  HWND form = WaitForForm(first, 30000);
  ASSERT_NE(nullptr, form) << "the first editor opened no TForm1 window";
  EXPECT_TRUE(IsWindowVisible(form));

  Editor second;
  Start(second);
  ASSERT_FALSE(HasFatalFailure());
  // Watch it until it ends: it must never show a window of its own.
  bool secondOpenedForm = false;
  const DWORD start = GetTickCount();
  DWORD waited = WAIT_TIMEOUT;
  while (waited == WAIT_TIMEOUT && GetTickCount() - start < 10000) {
    if (!FormsOf(second.info.dwProcessId).empty()) secondOpenedForm = true;
    waited = WaitForSingleObject(second.info.hProcess, 20);
  }
  ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), waited) << "the second editor is still running";
  DWORD code = 99;
  ASSERT_TRUE(GetExitCodeProcess(second.info.hProcess, &code));
  EXPECT_EQ(0u, code);
  EXPECT_FALSE(secondOpenedForm);

  // The first is untouched.
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(first.info.hProcess, 0));
  EXPECT_TRUE(IsWindow(form));
  EXPECT_EQ(1u, FormsOf(first.info.dwProcessId).size());
  EXPECT_TRUE(ReadString(kWindowKey, "Version") == std::nullopt)
      << "the second start must not reach the close of a window";
}

TEST_F(SingleInstanceTest, AfterTheFirstHasEndedANewStartOpensItsWindow) {
  CreateEmptyConfig();
  {
    Editor first;
    Start(first);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_NE(nullptr, WaitForForm(first, 30000));
  }  // ended here
  Editor again;
  Start(again);
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_NE(nullptr, WaitForForm(again, 30000)) << "the mutex outlived its editor";
}
