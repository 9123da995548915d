// Process entry of the configuration editor.
#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <memory>
#include <string>

#include "editor/app/MainWindow.h"
#include "editor/config/Configuration.h"
#include "platform/Application.h"
#include "platform/Registry.h"

namespace {
// The text after the program name and the blanks that follow it.
std::string CommandLineTail() {
  const char* p = GetCommandLineA();
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

// From here on the process loads DLLs by name from System32 only: the
// program is linked statically and ships no DLL, so neither its own folder
// nor the current folder nor PATH has one it needs, and a DLL put there
// beside an editor that runs elevated is never loaded. Looked up by name,
// as Windows 7 without its update KB2533623 has no such function.
void RestrictDllSearch() {
  using TSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
  // Through void*: FARPROC has no parameters, and GCC warns on the direct cast.
  const auto set = reinterpret_cast<TSetDefaultDllDirectories>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
  if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}
// Under a debugger, every change the editor makes to the registry and every
// step of a command that replaces the stored tree goes to the debugger's
// output: where a command stood when it was stopped can be read there, and
// a test kills the editor at each of those steps.
void TellDebuggerOfProgress(const char* what, const std::string& key) {
  OutputDebugStringA(("Nodraxcfg " + std::string(what) + ": " + key + "\n").c_str());
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RestrictDllSearch();
  // Never released or closed: it lives exactly as long as this editor. The
  // mutex of an editor that runs as another user, or elevated, has an access
  // list that refuses this process: that editor is running all the same.
  CreateMutexA(nullptr, TRUE, "PRIMERA_INSTANCIA_NODRAX_CFG");
  const DWORD instance = GetLastError();
  if (instance == ERROR_ALREADY_EXISTS || instance == ERROR_ACCESS_DENIED) return 0;

  if (IsDebuggerPresent()) RegistryProgressHook = &TellDebuggerOfProgress;
  ZubcfgNotifyMessage = RegisterWindowMessageA("ZUBCFG_NOTIFY");
  CommandTail = CommandLineTail();
  AllocateConfiguration();

  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  TApplication& app = Application();
  app.Title = "Nodrax configuration tool";
  app.HelpFile = "nodrax.hlp";
  try {
    auto form = std::make_unique<TForm1>();
    app.MainWindow = form->Handle();
    form->Show();
    app.Run();
  } catch (const std::exception& error) {
    app.ShowException(error);
  }
  return 0;
}
