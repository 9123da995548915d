// Start-up: from the creation of the process to its window shown and the
// program idle in its message loop, for the editor with the full
// configuration stored, against a program that shows one empty window, bare
// and with the editor's manifest (common controls 6). The three take turns,
// so that all meet the same load of the machine.
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

struct TShown {
  const std::string* Text;
  bool Found = false;
};

BOOL CALLBACK FindText(HWND hwnd, LPARAM param) {
  auto* shown = reinterpret_cast<TShown*>(param);
  char cls[16], text[64];
  // An edit field of another process answers WM_GETTEXT itself.
  if (GetClassNameA(hwnd, cls, sizeof cls) && lstrcmpiA(cls, "Edit") == 0 &&
      SendMessageA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)) > 0 &&
      *shown->Text == text)
    shown->Found = true;
  return !shown->Found;
}

struct TStart {
  double ms = -1;  // below zero: never shown
  bool shows = false;  // an edit field of the window shows the text looked for
};

// Starts the program, waits until its window shows and it waits for input,
// then closes it and waits until it has gone.
TStart Start(const std::string& program, const std::string& folder, const std::string& text) {
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
    TShown shown{&text};
    EnumChildWindows(found.window, FindText, reinterpret_cast<LPARAM>(&shown));
    result.shows = shown.Found;
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

void RunStartupBenchmark(int runs, const std::string& callsign) {
  char self[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder(self, length);
  folder.resize(folder.find_last_of("\\/") + 1);
  const std::string programs[] = {folder + "Nodraxcfg.exe", folder + "startup_floor.exe",
                                  folder + "startup_floor_manifest.exe"};
  // Once each untimed: the programs' files come into the cache.
  for (const std::string& program : programs) Start(program, folder, callsign);
  std::vector<double> ms[3];
  bool loaded = true;
  for (int i = 0; i < runs; ++i) {
    for (int p = 0; p < 3; ++p) {
      const TStart s = Start(programs[p], folder, callsign);
      if (s.ms < 0) {
        std::printf("start-up: %s did not show its window\n", programs[p].c_str());
        return;
      }
      ms[p].push_back(s.ms);
      if (p == 0) loaded = loaded && s.shows;
    }
  }
  const double editor = Median(ms[0]), bare = Median(ms[1]), manifest = Median(ms[2]);
  std::printf("start-up to shown and idle       %8.3f ms\n", editor);
  std::printf("floor, one empty window          %8.3f ms, ratio %5.2f\n", bare, editor / bare);
  std::printf("floor, the same with the manifest %7.3f ms, ratio %5.2f\n", manifest,
              editor / manifest);
  std::printf("started showing the stored callsign %s\n", loaded ? "yes" : "NO");
}
