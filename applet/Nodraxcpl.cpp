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

// Reads ZubRoot into root. Returns false only for a root that does not fit
// the buffer; a missing key or value leaves root empty and counts as read,
// so that the editor is then looked for at the root of the current drive.
bool ReadRoot(char (&root)[kCommandSize]) {
  std::memset(root, 0, sizeof root);
  // The 32-bit view, where the editor and the BBS keep their tree. Reading
  // is all the applet does: the Control Panel runs without elevation, and a
  // request for full access to HKEY_LOCAL_MACHINE would be refused there.
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFoldersKey, 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY,
                    &key) != ERROR_SUCCESS)
    return true;
  DWORD type = 0;
  DWORD size = sizeof root;
  const LONG read =
      RegQueryValueExA(key, kRootValue, nullptr, &type, reinterpret_cast<BYTE*>(root), &size);
  RegCloseKey(key);
  if (read == ERROR_MORE_DATA) {
    std::memset(root, 0, sizeof root);
    return false;
  }
  if (read != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
    std::memset(root, 0, sizeof root);
    return true;
  }
  // A string stored without its terminator fills the buffer to the end.
  if (size == sizeof root && root[sizeof root - 1] != '\0') {
    std::memset(root, 0, sizeof root);
    return false;
  }
  return true;
}

// The editor's path in quotes, so that no part of a root with blanks in it
// ("C:\Program Files\Nodrax") is taken for a program of its own. A root that
// ends in "\" gives a doubled backslash, which the system accepts. False
// when the command would not fit the buffer: then nothing is started.
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
    case CPL_INIT:
      return 1;
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
