// Start-up: from the creation of the process to its window shown and the
// program idle in its message loop, for the editor with the full
// configuration stored, against a program that shows one empty window. The
// two take turns, so that both meet the same load of the machine.
#include "bench/StartupBenchmark.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr DWORD kSettleMs = 1000;

struct TFound {
  DWORD process;
  HWND window;
};

BOOL CALLBACK FindShown(HWND hwnd, LPARAM param) {
  auto* found = reinterpret_cast<TFound*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process != found->process || !IsWindowVisible(hwnd) || GetWindow(hwnd, GW_OWNER))
    return TRUE;
  found->window = hwnd;
  return FALSE;
}

BOOL CALLBACK CountListed(HWND hwnd, LPARAM param) {
  char cls[16];
  if (GetClassNameA(hwnd, cls, sizeof cls) && lstrcmpiA(cls, "ListBox") == 0)
    *reinterpret_cast<LRESULT*>(param) += SendMessageA(hwnd, LB_GETCOUNT, 0, 0);
  return TRUE;
}

struct TStart {
  double ms = -1;  // below zero: never shown
  LRESULT listed = 0;  // the items of the window's list boxes
};

// Starts the program, waits until its window shows and it waits for input,
// then closes it and waits until it has gone.
TStart Start(const std::string& program, const std::string& folder) {
  TStart result;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string line = "\"" + program + "\"";
  const auto begin = std::chrono::steady_clock::now();
  if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process))
    return result;
  TFound found{process.dwProcessId, nullptr};
  // A program may wait for input before it shows its window; then it is
  // idle again only once its window is there.
  while (WaitForInputIdle(process.hProcess, 30000) == 0) {
    EnumWindows(FindShown, reinterpret_cast<LPARAM>(&found));
    if (found.window) break;
    if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  if (found.window) {
    result.ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
    EnumChildWindows(found.window, CountListed, reinterpret_cast<LPARAM>(&result.listed));
    PostMessageA(found.window, WM_CLOSE, 0, 0);
  }
  if (WaitForSingleObject(process.hProcess, 15000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, INFINITE);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  // The Wine server and the X server go on taking a program's windows down
  // after its process has ended: measured without a pause, the editor's
  // start took some 40 % longer, the floor's hardly changed.
  Sleep(kSettleMs);
  return result;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

}  // namespace

void RunStartupBenchmark(int runs, int servers) {
  char self[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder(self, length);
  folder.resize(folder.find_last_of("\\/") + 1);
  const std::string editor = folder + "Nodraxcfg.exe";
  const std::string floor = folder + "startup_floor.exe";
  // Once each untimed: the programs' files come into the cache.
  Start(editor, folder);
  Start(floor, folder);
  std::vector<double> editorMs, floorMs;
  bool listedAll = true;
  for (int i = 0; i < runs; ++i) {
    const TStart e = Start(editor, folder);
    const TStart f = Start(floor, folder);
    if (e.ms < 0 || f.ms < 0) {
      std::printf("start-up: %s did not show its window\n", e.ms < 0 ? "the editor" : "the floor");
      return;
    }
    editorMs.push_back(e.ms);
    floorMs.push_back(f.ms);
    listedAll = listedAll && e.listed == servers;
  }
  std::printf("start-up to shown and idle       %8.3f ms, floor %8.3f ms, ratio %5.2f\n",
              Median(editorMs), Median(floorMs), Median(editorMs) / Median(floorMs));
  std::printf("started with all %d servers listed %s\n", servers, listedAll ? "yes" : "NO");
}
