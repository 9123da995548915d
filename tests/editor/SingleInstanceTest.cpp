// Two real editor processes: the second start ends at once and opens
// nothing; the first keeps running; after the first has ended a new start
// works again. A mutex this user may not open, as another user's editor
// holds it, counts as a running editor too.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/EditorFixture.h"

namespace {

// A real editor process, started from the built program, ended (if it still
// runs) at the end of its scope.
struct Editor {
  PROCESS_INFORMATION info{};
  bool started = false;

  Editor() {
    // NODRAX_EXE is the host path of the program; Wine sees the host root as Z:.
    std::string path = std::string("Z:") + NODRAX_EXE;
    std::replace(path.begin(), path.end(), '/', '\\');
    std::string command = "\"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
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
