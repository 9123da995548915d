#include "editor/app/FirstRun.h"

#include <string>

#include "editor/config/Configuration.h"
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

void Primeravez(TConfiguration& c) {
  using T = TStationTexts;
  // In the order a sysop would fill the General page; the root derives the
  // other folders on the way.
  c.SetText(&T::Editbbsindicativo, kSampleCallsign);
  c.SetText(&T::Edithroute, kSampleRoute);
  c.SetText(&T::Editssid, "2");
  c.SetText(&T::Editlocator, kSampleLocator);
  c.SetText(&T::Editciudad, kSampleCity);
  c.SetText(&T::Directorioraiz, FirstRunRoot());
  c.SetText(&T::Editsysopnombre, kSampleName);
  c.SetText(&T::Editsysopindicativo, kSampleCallsign);

  TStationBoxes& b = c.Boxes;
  b.Log = true;
  b.Indicacioncanales = true;
  b.Modotest = false;
  for (TStationBox box : {&TStationBoxes::Forwardzub, &TStationBoxes::Compressforward,
                          &TStationBoxes::Datosusuario, &TStationBoxes::Menos1mega,
                          &TStationBoxes::Errorarchivo, &TStationBoxes::Servererror,
                          &TStationBoxes::Pingpong, &TStationBoxes::Noruta,
                          &TStationBoxes::Nonts, &TStationBoxes::Mensajenoencontrado,
                          &TStationBoxes::Errorpropuesta, &TStationBoxes::Reject,
                          &TStationBoxes::Held})
    b.*box = true;

  c.SetText(&T::timeoutusuarios, "10");
  c.SetText(&T::Timeoutforward, "10");
  c.SetText(&T::yappmax, "200");
  c.SetText(&T::modemmax, "100");
  c.SetText(&T::Indicativosbaliza, "20");
  c.SetText(&T::buferusuario, "1000");
  c.SetText(&T::buferconsola, "1000");
  c.SetText(&T::bufermonitor, "1000");
  c.SetText(&T::Cabecera, "[$c] ZUB$E $$:$R");
  c.SetText(&T::Numerobid, "10000");
  c.SetText(&T::Diasboletines, "30");

  c.SetText(&T::Codpostal, kSampleZip);

  b.Ackui = true;
  b.Privateui = true;
  b.Userui = true;
  b.Tituloui = false;
  c.SetText(&T::Editbackui, "500");
  c.SetText(&T::Editdelayui, "5");
}
