// Process entry of the configuration editor.
#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <memory>
#include <string>

#include "editor/app/CommandLine.h"
#include "editor/app/MainWindow.h"
#include "editor/config/Document.h"
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

// Creates and owns the named mutex, never to release or close it: it lives
// exactly as long as this editor. False when another editor holds it: the
// name existed, or its access list refuses this process (an editor running
// as another user, or elevated).
bool HoldMutex(const char* name) {
  CreateMutexA(nullptr, TRUE, name);
  const DWORD held = GetLastError();
  if (held != ERROR_ACCESS_DENIED) return held != ERROR_ALREADY_EXISTS;
  // Creating a global name takes a privilege that a user without
  // administrator rights lacks: refused, although no editor holds it.
  HANDLE other = OpenMutexA(SYNCHRONIZE, FALSE, name);
  const DWORD opened = GetLastError();
  if (other) CloseHandle(other);
  return !other && opened == ERROR_FILE_NOT_FOUND;
}

// One editor per machine. The older name, which other programs look for,
// lives in the session's own namespace: a sysop in another session (remote
// desktop, a switched user) would get a second editor, and both would mount
// their imports at the one machine-wide key. A second start in this session
// ends silently, as it always has; one while another session's editor runs
// tells the sysop why nothing opens. The installer checks the global name.
bool IsTheOnlyEditor() {
  if (!HoldMutex("PRIMERA_INSTANCIA_NODRAX_CFG")) return false;
  if (HoldMutex("Global\\PRIMERA_INSTANCIA_NODRAX_CFG")) return true;
  MessageBoxA(nullptr,
              "The Nodrax configuration is open in Nodraxcfg in another session of this "
              "computer. Close it there, then start Nodraxcfg again.",
              "Nodrax configuration tool", MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
  return false;
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
  if (IsDebuggerPresent()) RegistryProgressHook = &TellDebuggerOfProgress;
  CommandTail = CommandLineTail();
  // A switch runs its command and ends, without a window; the start codes
  // and no argument at all open the window.
  const TSwitches switches = ReadSwitches(CommandTail);
  if (switches.Command != TSwitch::Window) return RunCommandLine(switches);
  if (!IsTheOnlyEditor()) return 0;

  TDocument document;

  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  TApplication& app = Application();
  app.Title = "Nodrax configuration tool";
  app.HelpFile = "nodrax.hlp";
  try {
    auto form = std::make_unique<TForm1>(document);
    app.MainWindow = form->Handle();
    form->Show();
    app.Run();
  } catch (const std::exception& error) {
    app.ShowException(error);
  }
  return 0;
}
