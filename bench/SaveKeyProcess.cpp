// The floor of `Nodraxcfg /export FILE` and `/backup` as processes: what
// `reg save HKLM\Software\Nodrax FILE /reg:32 /y` does, a console program
// that enables the backup right, replaces FILE with one RegSaveKeyA of the
// tree and ends. Wine 8's reg.exe has no "save" ("Invalid option"), so the
// benchmark starts this in its place.
#include <windows.h>

int main(int argc, char** argv) {
  if (argc != 2) return 1;
  HANDLE token = nullptr;
  if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) {
    TOKEN_PRIVILEGES tp{1, {{{0, 0}, SE_PRIVILEGE_ENABLED}}};
    if (LookupPrivilegeValueA(nullptr, SE_BACKUP_NAME, &tp.Privileges[0].Luid))
      AdjustTokenPrivileges(token, FALSE, &tp, 0, nullptr, nullptr);
    CloseHandle(token);
  }
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Nodrax", 0, KEY_READ | KEY_WOW64_32KEY, &key) !=
      ERROR_SUCCESS)
    return 1;
  DeleteFileA(argv[1]);  // /y
  const LONG rc = RegSaveKeyA(key, argv[1], nullptr);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS ? 0 : 1;
}
