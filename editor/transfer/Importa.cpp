// Import of a configuration file: the file is mounted at HKEY_LOCAL_MACHINE
// \Nodrax, read with the load, the BBS's own keys are carried over, and the
// window is saved into Software\Nodrax.
//
// Everything that could refuse the file (the mount, a value of the wrong
// type) is tried before the stored configuration is deleted: a file that
// cannot be taken leaves the BBS with the configuration it had.
#include "editor/transfer/Importa.h"

#include <windows.h>
#include <commdlg.h>

#include <iterator>
#include <vector>

#include "editor/app/Main.h"
#include "editor/config/Cargaregistro.h"
#include "editor/config/Encodings.h"
#include "editor/config/Records.h"
#include "editor/config/RegistryKeys.h"
#include "editor/config/Save.h"
#include "editor/transfer/ReplaceSteps.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"

TCarriedOverSettings CarriedOverSettings;

namespace {

using S = TCarriedOverSettings;

struct TField {
  const char* Name;
  int32_t S::*Number;  // or
  std::string S::*Text;
  std::size_t Width;  // of a text, its terminator counted
};
TField Number(const char* name, int32_t S::*field) { return {name, field, nullptr, 0}; }
TField Text(const char* name, std::string S::*field, std::size_t width) {
  return {name, nullptr, field, width};
}

struct TCarriedKey {
  const char* Path;  // below the root
  std::vector<TField> Fields;  // in the order they are read
  std::vector<const char*> WriteOrder;
};

const std::vector<TCarriedKey>& CarriedKeys() {
  static const std::vector<TCarriedKey> keys = {
      {"\\Options",
       {Number("AskBeforeClose", &S::AskBeforeClose), Number("DispInpExp", &S::DispInpExp),
        Number("Gateway", &S::Gateway), Number("Justify", &S::Justify),
        Number("MinSysTray", &S::MinSysTray), Number("Separators", &S::Separators),
        Number("SplashScreen", &S::SplashScreen), Number("SysopRing", &S::SysopRing)},
       {"AskBeforeClose", "DispInpExp", "Gateway", "Justify", "MinSysTray", "Separators",
        "SplashScreen", "SysopRing"}},
      {"\\Sounds\\Connection",
       {Number("Delay", &S::ConnectionDelay), Number("Enabled", &S::ConnectionEnabled),
        Number("Repeat", &S::ConnectionRepeat), Text("File", &S::ConnectionFile, 100)},
       {"File", "Delay", "Repeat", "Enabled"}},
      {"\\Sounds\\SysopCall",
       {Number("Delay", &S::SysopCallDelay), Number("Enabled", &S::SysopCallEnabled),
        Number("Repeat", &S::SysopCallRepeat), Text("File", &S::SysopCallFile, 100)},
       {"File", "Delay", "Repeat", "Enabled"}},
      {"\\HouseKeeping",
       {Number("Activated", &S::Activated), Number("ClrUser", &S::ClrUser),
        Number("EpurMess", &S::EpurMess), Number("EpurWP", &S::EpurWP), Number("Hour", &S::Hour),
        Number("MaintInf", &S::MaintInf), Number("PostCmd", &S::PostCmd),
        Number("PreCmd", &S::PreCmd), Text("PostCmdFile", &S::PostCmdFile, 50),
        Text("PreCmdFile", &S::PreCmdFile, 50), Text("ReportClrUser", &S::ReportClrUser, 50),
        Text("ReportEpurMess", &S::ReportEpurMess, 50),
        Text("ReportEpurWP", &S::ReportEpurWP, 50),
        Text("ReportMaintInf", &S::ReportMaintInf, 50), Text("BadFwdT", &S::BadFwdT, 100),
        Text("BadRouT", &S::BadRouT, 100), Number("ArchBull", &S::ArchBull),
        Number("ArchOldFmt", &S::ArchOldFmt), Number("ArchPers", &S::ArchPers),
        Number("BadFwdD", &S::BadFwdD), Number("BadRouD", &S::BadRouD), Number("PN2X", &S::PN2X),
        Number("PY2X", &S::PY2X), Number("PF2K", &S::PF2K), Number("PY2K", &S::PY2K),
        Number("PK2A", &S::PK2A), Number("BN2X", &S::BN2X), Number("BS2X", &S::BS2X),
        Number("BY2X", &S::BY2X), Number("BF2X", &S::BF2X), Number("BX2K", &S::BX2K),
        Number("BK2A", &S::BK2A), Number("MaxRetLines", &S::MaxRetLines)},
       {"Activated", "ClrUser", "EpurMess", "EpurWP", "Hour", "MaintInf", "PostCmd", "PreCmd",
        "PreCmdFile", "PostCmdFile", "ReportClrUser", "ReportEpurMess", "ReportEpurWP",
        "ReportMaintInf", "ArchBull", "ArchOldFmt", "ArchPers", "BadFwdD", "BadRouD", "BadFwdT",
        "BadRouT", "PN2X", "PY2X", "PF2K", "PY2K", "PK2A", "BN2X", "BS2X", "BY2X", "BF2X",
        "BX2K", "BK2A", "MaxRetLines"}},
  };
  return keys;
}

// The keys in the order they are written.
const char* const kCarriedWriteOrder[] = {"\\HouseKeeping", "\\Options", "\\Sounds\\Connection",
                                          "\\Sounds\\SysopCall"};

// The values the load reads as text (Cargaregistro.cpp), key by key.
const char* const kStationValues[] = {
    "BbsCallsign", "SSID", "Qth", "Locator", "ZipCode", "SysOpCallsign", "SysOpName", "Unproto",
    "SecurityOptions", "FirstConOptions", "WarningMessages", "ForwardTypeZub", "ForwardResume",
    "CallsignsInMailBeacon", "Timeout", "MaxDownloadYapp", "ScrollBuffers", "CopySysOpMessages",
    "FullLog", "ChannelsIndication", "TestMode", "Hroute", "ZubHeader", "MaxBids",
    "BulletinsLifetime", "RouteWpMessages", "WindowBackgroundColor", "SentTextColor",
    "ReceivedTextColor", "MonitorHeaderColor", "MonitorDataColor", "ConsoleTextColor",
    "ChannelInfColor"};
const char* const kFolderValues[] = {"ZubRoot", "Config", "System", "Data",   "Mail",
                                     "CompresMail", "Yapp", "Docs", "ImportFile", "Filters",
                                     "Servers", "Pg", "Drivers", "UsersPub", "ZubDos"};
const char* const kPortValues[] = {"Driver",  "Com",      "HexAddress",     "BaudRate", "NumChannels",
                                   "Canal",   "Paclen",   "MaxFrame",       "NumFwdChannels",
                                   "MaxBlock", "FwdPeriode", "Mode",        "Label",    "Disabled"};
const char* const kServerValues[] = {"File", "Description", "Disabled"};

template <std::size_t N>
void CheckTexts(TRegistry& reg, const std::string& path, const char* const (&names)[N]) {
  if (!reg.OpenKeyReadOnly(path)) return;
  std::string ignored;
  for (const char* name : names) reg.TryReadString(name, ignored);  // raises on another type
  reg.CloseKey();
}

// The subkeys the load takes: ports numbered 1 to 10, the first hundred
// servers whose names fit their field.
std::vector<std::string> LoadedSubKeys(TRegistry& reg, const std::string& path, bool ports) {
  std::vector<std::string> names;
  if (!reg.OpenKeyReadOnly(path)) return names;
  for (const std::string& name : reg.GetKeyNames()) {
    if (ports ? PortIndexFromKeyName(name).has_value()
              : names.size() < static_cast<std::size_t>(kServerCount) &&
                    name.size() < sizeof(TServerRecord::Name))
      names.push_back(name);
  }
  reg.CloseKey();
  return names;
}

// Unmounts the file whatever happens after the mount.
class TMountedFile {
 public:
  explicit TMountedFile(std::string key) : key_(std::move(key)) {}
  ~TMountedFile() { TRegistry().UnLoadKey(key_); }
  TMountedFile(const TMountedFile&) = delete;
  TMountedFile& operator=(const TMountedFile&) = delete;

 private:
  std::string key_;
};

class TLoadingFlag {
 public:
  TLoadingFlag() { RegistryLoading = true; }
  ~TLoadingFlag() { RegistryLoading = false; }
  TLoadingFlag(const TLoadingFlag&) = delete;
  TLoadingFlag& operator=(const TLoadingFlag&) = delete;
};

}  // namespace

std::vector<TReadValues> ReadValueTable() {
  auto texts = [](const char* key, const auto& names) {
    return TReadValues{key, std::vector<std::string>(std::begin(names), std::end(names)), false};
  };
  std::vector<TReadValues> table = {
      texts("\\Config", kStationValues), texts("\\Folders", kFolderValues),
      texts("\\Directories", kFolderValues), texts("\\Ports\\*", kPortValues),
      texts("\\Servers\\*", kServerValues)};
  for (const TCarriedKey& key : CarriedKeys()) {
    TReadValues numbers{key.Path, {}, true}, strings{key.Path, {}, false};
    for (const TField& f : key.Fields) (f.Number ? numbers : strings).Names.push_back(f.Name);
    for (TReadValues* part : {&numbers, &strings})
      if (!part->Names.empty()) table.push_back(*part);
  }
  return table;
}

void ReadCarriedOverSettings(TCarriedOverSettings& settings, const std::string& root) {
  TRegistry reg;
  for (const TCarriedKey& key : CarriedKeys()) {
    if (!reg.OpenKeyReadOnly(root + key.Path)) continue;
    for (const TField& f : key.Fields) {
      if (f.Number) {
        if (reg.ValueExists(f.Name)) settings.*f.Number = reg.ReadInteger(f.Name);
      } else {
        std::string text;
        if (reg.TryReadString(f.Name, text)) settings.*f.Text = text.substr(0, f.Width - 1);
      }
    }
    reg.CloseKey();
  }
}

void WriteCarriedOverSettings(const TCarriedOverSettings& settings) {
  TRegistry reg;
  for (const char* path : kCarriedWriteOrder) {
    for (const TCarriedKey& key : CarriedKeys()) {
      if (std::string(key.Path) != path) continue;
      if (!reg.OpenKey(std::string(kNodraxKey) + path, true)) break;
      for (const char* name : key.WriteOrder) {
        for (const TField& f : key.Fields) {
          if (std::string(f.Name) != name) continue;
          if (f.Number)
            reg.WriteInteger(f.Name, settings.*f.Number);
          else
            reg.WriteString(f.Name, settings.*f.Text);
        }
      }
      reg.CloseKey();
    }
  }
}

void CheckLoadedValueTypes(const std::string& root) {
  TRegistry reg;
  CheckTexts(reg, KeyBelow(root, kConfigKey), kStationValues);
  const std::string directories = KeyBelow(root, kDirectoriesKey);
  CheckTexts(reg, reg.KeyExists(directories) ? directories : KeyBelow(root, kFoldersKey),
             kFolderValues);
  const std::string ports = KeyBelow(root, kPortsKey);
  for (const std::string& port : LoadedSubKeys(reg, ports, true))
    CheckTexts(reg, ports + "\\" + port, kPortValues);
  const std::string servers = KeyBelow(root, kServersKey);
  for (const std::string& server : LoadedSubKeys(reg, servers, false))
    CheckTexts(reg, servers + "\\" + server, kServerValues);
}

void TForm1::ImportConfig1Click(TObject* Sender) {
  TFileDialogRequest request;
  request.owner = Handle();
  request.title = "Opening Nodrax config file";
  request.filter = "Nodrax config files(*.zub)|*.zub";
  request.defaultExt = "zub";
  request.initialDir = "\\";
  request.maxFileName = 300;
  request.flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (!Dialogs().OpenFile(request)) return;

  const char kImportCaption[] = "Import Config File";
  // A crash while an earlier file was mounted left the mount point taken.
  if (!FreeImportMountPoint(*this, kImportCaption)) return;

  const LONG mounted = TRegistry().LoadKey(kMountKey, request.fileName);
  if (mounted != ERROR_SUCCESS) {
    Dialogs().MessageBox(Handle(), SystemErrorMessage(mounted), kImportCaption, MB_OK);
    return;
  }
  TMountedFile file(kMountKey);
  // Every import starts from an empty record: settings of an earlier file
  // must not be stored as this file's.
  TCarriedOverSettings carried;
  ReadCarriedOverSettings(carried, kMountKey);
  CheckLoadedValueTypes(kMountKey);
  // The save after the delete refuses a configuration without a callsign or
  // a route, and by then the stored one would be gone: such a file is
  // refused now. A file without BbsCallsign keeps what the window shows.
  TCallsignRoute identity{Editbbsindicativo->Text(), Edithroute->Text()};
  {
    TRegistry reg;
    std::string stored;
    if (reg.OpenKeyReadOnly(KeyBelow(kMountKey, kConfigKey)) &&
        reg.TryReadString("BbsCallsign", stored))
      identity = LoadedIdentity(stored);
  }
  if (identity.Callsign.empty() || identity.Route.empty()) {
    Dialogs().MessageBox(Handle(),
                         std::string("This file gives the BBS no ") +
                             (identity.Callsign.empty() ? "callsign" : "hierarchical route") +
                             ": nothing was imported.",
                         kImportCaption, MB_ICONWARNING | MB_OK);
    return;
  }

  // Nothing can refuse the file any more: the stored tree is backed up (or
  // the sysop goes on without a backup) before the delete takes it.
  if (!BackUpBeforeReplacing(*this, TReplacement::Import, request.fileName)) return;
  const TStoreCovered covered;

  DeleteConfig1Click(Sender);
  {
    TLoadingFlag loading;
    ConfigModified = false;
    const bool olderFolders = CargaRegistroDesde(*this, kMountKey);
    CarriedOverSettings = carried;
    WriteCarriedOverSettings(CarriedOverSettings);
    if (olderFolders) SaveConfiguration(*this);
    SaveConfiguration(*this);
    ReloadRegistry1Click(Sender);
  }
  Dialogs().MessageBox(Handle(), SystemErrorMessage(mounted), kImportCaption, MB_OK);
}
