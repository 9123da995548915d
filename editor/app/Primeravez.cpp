// The first-run defaults go into the controls, whose change handlers carry
// them into ConfigRecord; the check boxes they tick mark the configuration
// as changed, so that leaving after a first run asks to save it.
#include "editor/app/Primeravez.h"

#include <string>

#include "editor/app/Main.h"
#include "editor/config/RegistryKeys.h"
#include "platform/Registry.h"

namespace {

const char kCurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const char kProgramFilesValue[] = "ProgramFilesDir";

// N0CALL is the placeholder that packet-radio software shows until the
// station's own callsign is entered; no licensing authority issues it.
const char kSampleCallsign[] = "N0CALL";
const char kSampleRoute[] = "#MAD.ESP.EURO";
const char kSampleLocator[] = "IN80DK";
const char kSampleCity[] = "Madrid";
const char kSampleName[] = "Juan";
const char kSampleZip[] = "28013";

bool ReadNativeString(const char* path, const char* name, std::string& text) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) !=
      ERROR_SUCCESS)
    return false;
  char data[MAX_PATH + 1] = {};
  DWORD size = MAX_PATH, type = 0;
  const LONG rc =
      RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  text.assign(data, strnlen(data, size < MAX_PATH ? size : MAX_PATH));
  return true;
}

// The program-files folder as a 32-bit editor sees it. A prefix without
// 32-bit support has no such value in that view; the native one is taken
// then, as an empty prefix would put the BBS at the root of whatever drive
// is current.
std::string ProgramFilesFolder() {
  std::string folder;
  {
    TRegistry reg;
    if (reg.OpenKeyReadOnly(kCurrentVersionKey)) {
      try {
        reg.TryReadString(kProgramFilesValue, folder);
      } catch (const ERegistryException&) {
        folder.clear();
      }
      reg.CloseKey();
    }
  }
  if (folder.empty()) ReadNativeString(kCurrentVersionKey, kProgramFilesValue, folder);
  if (folder.empty()) {
    char text[MAX_PATH + 1] = {};
    const DWORD n = GetEnvironmentVariableA("ProgramFiles", text, MAX_PATH);
    if (n > 0 && n < MAX_PATH) folder = text;
  }
  if (folder.empty()) {
    // Still on the system's own drive, never on the current one.
    char windows[MAX_PATH + 1] = {};
    const UINT n = GetWindowsDirectoryA(windows, MAX_PATH);
    folder = std::string(n >= 2 && n < MAX_PATH ? std::string(windows, 2) : "C:") +
             "\\Program Files";
  }
  return folder;
}

// The BBS root of a first run. The installer stores the folder it installed
// into as ZubRoot, so that the root follows the install (a /D folder, an
// earlier install's); a REG_EXPAND_SZ text is expanded. Only without one is
// it the program-files folder's "Nodrax", where the installer puts it by
// default.
std::string FirstRunRoot() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFoldersKey + 1, 0,  // less its leading backslash
                    KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) == ERROR_SUCCESS) {
    DWORD type = 0, size = 0;
    std::string stored;
    LONG rc = RegQueryValueExA(key, "ZubRoot", nullptr, &type, nullptr, &size);
    if (rc == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
      stored.assign(size + 1, '\0');
      rc = RegQueryValueExA(key, "ZubRoot", nullptr, &type, reinterpret_cast<BYTE*>(&stored[0]),
                            &size);
      // A stored text need not end in NUL; it ends at the first one or at
      // the size read.
      stored.resize(rc == ERROR_SUCCESS ? strnlen(stored.c_str(), size) : 0);
    }
    RegCloseKey(key);
    if (!stored.empty() && type == REG_EXPAND_SZ) {
      const DWORD needed = ExpandEnvironmentStringsA(stored.c_str(), nullptr, 0);
      std::string expanded(needed + 1, '\0');  // one more for the ANSI call's extra byte
      const DWORD used = needed ? ExpandEnvironmentStringsA(stored.c_str(), &expanded[0], needed + 1)
                                : 0;
      stored = used && used <= needed + 1 ? expanded.c_str() : "";
    }
    if (!stored.empty()) return stored;
  }
  return ProgramFilesFolder() + "\\Nodrax";
}

}  // namespace

void Primeravez(TForm1& f) {
  f.Editbbsindicativo->SetText(kSampleCallsign);
  f.Edithroute->SetText(kSampleRoute);
  f.Editssid->SetText("2");
  f.Editlocator->SetText(kSampleLocator);
  f.Editciudad->SetText(kSampleCity);
  f.Directorioraiz->SetText(FirstRunRoot());
  f.Editsysopnombre->SetText(kSampleName);
  f.Editsysopindicativo->SetText(kSampleCallsign);

  f.Log->SetChecked(true);
  f.Indicacioncanales->SetChecked(true);
  f.Modotest->SetChecked(false);
  for (TCheckBox* box : {f.Forwardzub, f.Compressforward, f.Datosusuario, f.Menos1mega,
                         f.Errorarchivo, f.Servererror, f.Pingpong, f.Noruta, f.Nonts,
                         f.Mensajenoencontrado, f.Errorpropuesta, f.Reject, f.Held})
    box->SetChecked(true);

  f.timeoutusuarios->SetText("10");
  f.Timeoutforward->SetText("10");
  f.yappmax->SetText("200");
  f.modemmax->SetText("100");
  f.Indicativosbaliza->SetText("20");
  f.buferusuario->SetText("1000");
  f.buferconsola->SetText("1000");
  f.bufermonitor->SetText("1000");
  f.Cabecera->SetText("[$c] ZUB$E $$:$R");
  f.Numerobid->SetText("10000");
  f.Diasboletines->SetText("30");

  f.Codpostal->SetText(kSampleZip);

  f.Ackui->SetChecked(true);
  f.Privateui->SetChecked(true);
  f.Userui->SetChecked(true);
  f.Tituloui->SetChecked(false);
  f.Editbackui->SetText("500");
  f.Editdelayui->SetText("5");
}
