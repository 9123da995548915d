// Stands in for the editor when the applet tests open the Control Panel
// item: it notes that it ran, with its command line and the show mode it was
// given, in launched.txt beside itself ("<show mode> <command line>", one
// line a run), and ends.
#include <windows.h>

#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* slash = std::strrchr(path, '\\');
  if (length == 0 || length >= MAX_PATH || !slash ||
      static_cast<size_t>(slash - path) + sizeof "\\launched.txt" > MAX_PATH)
    return 1;
  std::strcpy(slash + 1, "launched.txt");

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
  // One write per run, so a reader never sees half a record.
  static char record[4096];
  const int size = std::snprintf(record, sizeof record, "%d %s\r\n", show, GetCommandLineA());
  if (size <= 0 || static_cast<size_t>(size) >= sizeof record) return 1;
  HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, record, static_cast<DWORD>(size), &written, nullptr);
  CloseHandle(file);
  return 0;
}
