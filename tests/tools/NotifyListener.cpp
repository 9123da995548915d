// A stand-in for a program that waits for the editor's notification: a
// top-level window of its own process that waits for "ZUBCFG_NOTIFY".
//
//   NotifyListener <ready event name> <result file> [timeout ms]
//
// Signals the named event once its window exists, then writes the message's
// two parameters ("<wParam> <lParam>") to the result file when it arrives
// and ends with 0; without the message in time it ends with 2 (1: bad use).
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {
UINT notifyMessage = 0;
bool received = false;
WPARAM receivedW = 0;
LPARAM receivedL = 0;

LRESULT CALLBACK ListenerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (notifyMessage && msg == notifyMessage) {
    received = true;
    receivedW = wParam;
    receivedL = lParam;
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 1;
  const UINT timeout = argc > 3 ? static_cast<UINT>(std::strtoul(argv[3], nullptr, 10)) : 20000;
  notifyMessage = RegisterWindowMessageA("ZUBCFG_NOTIFY");

  WNDCLASSA wc = {};
  wc.lpfnWndProc = ListenerProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "NodraxNotifyListener";
  if (!RegisterClassA(&wc)) return 1;
  HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "Nodrax notify listener", WS_OVERLAPPEDWINDOW,
                              0, 0, 100, 100, nullptr, nullptr, wc.hInstance, nullptr);
  if (!hwnd) return 1;

  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
  if (!ready) return 1;
  SetEvent(ready);
  CloseHandle(ready);

  SetTimer(hwnd, 1, timeout, nullptr);
  MSG msg;
  while (!received && GetMessageA(&msg, nullptr, 0, 0) > 0 && msg.message != WM_TIMER)
    DispatchMessageA(&msg);
  DestroyWindow(hwnd);
  if (!received) return 2;

  FILE* out = std::fopen(argv[2], "w");
  if (!out) return 1;
  std::fprintf(out, "%llu %lld", static_cast<unsigned long long>(receivedW),
               static_cast<long long>(receivedL));
  std::fclose(out);
  return 0;
}
