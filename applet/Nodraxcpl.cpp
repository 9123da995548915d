// Nodraxcpl: the Control Panel item of the Nodrax BBS. It shows one icon and,
// when the sysop opens it, starts the configuration editor from the BBS root
// folder that the editor stores in the registry. It keeps no state between
// calls and shares nothing with the editor but that registry value.
#include <windows.h>
#include <cpl.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstring>

namespace {

constexpr int kIconId = 1;
constexpr int kNameId = 1;  // "Nodraxcfg"
constexpr int kInfoId = 2;  // "Configure Nodrax server."
constexpr LONG_PTR kAppletData = 9;

constexpr size_t kCommandSize = 200;
const char kFoldersKey[] = "Software\\Nodrax\\Folders";
const char kRootValue[] = "ZubRoot";
const char kEditorFile[] = "\\Nodraxcfg.exe";

// Appends text at *used, keeping the terminator inside the buffer. False,
// with nothing written, when it would not fit.
bool Append(char (&buffer)[kCommandSize], size_t& used, const char* text) {
  const size_t length = std::strlen(text);
  if (length >= kCommandSize - used) return false;
  std::memcpy(buffer + used, text, length + 1);
  used += length;
  return true;
}

// A root the applet may start a program from: a full path on a drive
// ("C:\...") or on a share ("\\server\share..."), without a double quote,
// which would end the quoted path early and hand the rest to the editor as
// arguments. Anything else, the empty root of a missing value included, would
// start a program found relative to the Control Panel's current drive or
// folder, where a user may have put one.
bool IsStartableRoot(const char* root) {
  if (std::strchr(root, '"')) return false;
  const auto slash = [](char c) { return c == '\\' || c == '/'; };
  const bool letter = (root[0] >= 'A' && root[0] <= 'Z') || (root[0] >= 'a' && root[0] <= 'z');
  if (letter && root[1] == ':' && slash(root[2])) return true;
  // Not "\\?\" or "\\.\", the device namespaces.
  return slash(root[0]) && slash(root[1]) && root[2] != '\0' && root[2] != '?' &&
         root[2] != '.' && !slash(root[2]);
}

// Reads ZubRoot into root, expanding a REG_EXPAND_SZ text. False, with root
// empty, for a missing root, one that does not fit the buffer (before or
// after the expansion) and one that IsStartableRoot refuses.
bool ReadRoot(char (&root)[kCommandSize]) {
  std::memset(root, 0, sizeof root);
  // The 32-bit view, where the editor and the BBS keep their tree. Reading
  // is all the applet does: the Control Panel runs without elevation, and a
  // request for full access to HKEY_LOCAL_MACHINE would be refused there.
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFoldersKey, 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY,
                    &key) != ERROR_SUCCESS)
    return false;
  char stored[kCommandSize] = {};
  DWORD type = 0;
  DWORD size = sizeof stored;
  const LONG read =
      RegQueryValueExA(key, kRootValue, nullptr, &type, reinterpret_cast<BYTE*>(stored), &size);
  RegCloseKey(key);
  // A string stored without its terminator that fills the buffer to the end
  // has lost its tail.
  if (read != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) ||
      (size == sizeof stored && stored[sizeof stored - 1] != '\0'))
    return false;
  stored[sizeof stored - 1] = '\0';
  if (type == REG_SZ) {
    std::memcpy(root, stored, sizeof root);
  } else {
    // The count includes the terminator; one larger than the room means the
    // expansion did not fit, and what was written is not the root. The ANSI
    // call may write one byte more than the room it is given, hence one less.
    const DWORD room = sizeof root - 1;
    const DWORD needed = ExpandEnvironmentStringsA(stored, root, room);
    if (needed == 0 || needed > room) {
      std::memset(root, 0, sizeof root);
      return false;
    }
  }
  if (IsStartableRoot(root)) return true;
  std::memset(root, 0, sizeof root);
  return false;
}

// The editor's path in quotes, so that no part of a root with blanks in it
// ("C:\Program Files\Nodrax") is taken for a program of its own. A root that
// ends in "\" gives a doubled backslash, which the system accepts. False
// when there is no root to start from or the command would not fit the
// buffer: then nothing is started.
bool BuildCommand(char (&command)[kCommandSize]) {
  char root[kCommandSize];
  std::memset(command, 0, sizeof command);
  if (!ReadRoot(root)) return false;
  size_t used = 0;
  return Append(command, used, "\"") && Append(command, used, root) &&
         Append(command, used, kEditorFile) && Append(command, used, "\"");
}

// The editor's manifest asks for the highest rights the user has, so
// CreateProcess (and WinExec) of it fails with ERROR_ELEVATION_REQUIRED for
// an administrator who runs without elevation. The shell's execute asks for
// the elevation instead. Failures are not reported, so the shell shows no
// error box either; the call returns only when the start is done, as the
// Control Panel may unload this library right after.
void StartEditor(HWND owner) {
  char command[kCommandSize];
  if (!BuildCommand(command)) return;
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner;
  info.lpVerb = "open";
  info.lpFile = command;
  info.lpParameters = nullptr;  // start code 0
  info.nShow = SW_SHOWNORMAL;
  ShellExecuteExA(&info);
  if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace

extern "C" LONG APIENTRY CPlApplet(HWND hwndCPl, UINT uMsg, LPARAM lParam1, LPARAM lParam2) {
  (void)lParam1;
  switch (uMsg) {
    // A guest in the Control Panel's or Explorer's process: it changes
    // nothing there that outlives its own call (no DLL search, no current
    // folder, no error mode), so the host works on as it did.
    case CPL_INIT:
    case CPL_GETCOUNT:
      return 1;
    case CPL_INQUIRE:
      if (auto* info = reinterpret_cast<CPLINFO*>(lParam2)) {
        info->idIcon = kIconId;
        info->idName = kNameId;
        info->idInfo = kInfoId;
        info->lData = kAppletData;
      }
      return 0;
    case CPL_DBLCLK:
      StartEditor(hwndCPl);
      return 0;
    default:  // CPL_SELECT, CPL_STOP, CPL_EXIT, CPL_NEWINQUIRE and any other
      return 0;
  }
}
