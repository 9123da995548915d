// Access lists of registry keys, for the tests that make a key refuse what
// the editor does to it.
#pragma once
#include <windows.h>
#include <sddl.h>

#include <string>

// Gives the key (in the 32-bit view, as the editor opens it) a DACL from an
// SDDL text; true when it took.
inline bool SetDacl(const std::string& path, const char* sddl) {
  PSECURITY_DESCRIPTOR sd = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr))
    return false;
  HKEY key = nullptr;
  LONG rc = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, WRITE_DAC | KEY_WOW64_32KEY, &key);
  if (rc == ERROR_SUCCESS) {
    rc = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd);
    RegCloseKey(key);
  }
  LocalFree(sd);
  return rc == ERROR_SUCCESS;
}
