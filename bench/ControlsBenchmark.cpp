// The cost of one message to a control of the platform layer against the
// same message to a bare Win32 control: every text the editor sets or reads
// is a few such messages, so this cost multiplies into every page.
#include "bench/ControlsBenchmark.h"
#include "bench/Timing.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/Application.h"
#include "platform/Controls.h"

namespace {

using bench::Median;

constexpr int kMessages = 500;

// Microseconds per message, the median over runs of kMessages each.
double MicrosecondsPerMessage(HWND target, UINT msg, int runs) {
  std::vector<double> us;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    for (int n = 0; n < kMessages; ++n) SendMessageA(target, msg, 0, 0);
    us.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() /
        kMessages);
  }
  return Median(us);
}

}  // namespace

void RunControlsBenchmark(int runs) {
  TForm form("TNodraxBenchForm", "BenchForm", 200, 100);
  TEdit edit(&form, "Edit1");
  edit.SetText("EA9ZZB");
  HWND bareParent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
  HWND bare = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "EA9ZZB", WS_CHILD | WS_VISIBLE, 0, 0, 80,
                              21, bareParent, nullptr, GetModuleHandleA(nullptr), nullptr);
  // Taking turns, so that both meet the same load of the machine.
  std::vector<double> platform, floor;
  for (int i = 0; i < runs; ++i) {
    platform.push_back(MicrosecondsPerMessage(edit.Handle(), WM_GETTEXTLENGTH, 1));
    floor.push_back(MicrosecondsPerMessage(bare, WM_GETTEXTLENGTH, 1));
  }
  DestroyWindow(bareParent);
  std::printf("a message to a platform edit  %8.3f us, bare edit %8.3f us, ratio %5.2f\n",
              Median(platform), Median(floor), Median(platform) / Median(floor));
}
