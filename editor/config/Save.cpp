// The save reads the window's check boxes and colours and the three records,
// writes the whole tree below Software\Nodrax in a fixed order, creates the
// folders that the configuration names and tells running programs that the
// configuration changed.
//
// A write that fails (a sysop without the right to write below
// HKEY_LOCAL_MACHINE) does not stop the save, but the save then is no
// success: one warning names the key, the configuration stays marked as
// changed and nobody is told that it changed.
#include "editor/config/Save.h"

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "editor/app/Main.h"
#include "editor/config/AnsiText.h"
#include "editor/config/Encodings.h"
#include "editor/config/FolderRules.h"
#include "editor/config/Records.h"
#include "editor/config/RegistryKeys.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"

bool SaveFlushesOnce = true;

namespace {

const char kCaption[] = "Nodraxcfg";

class TWaitCursor {
 public:
  TWaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)))) {}
  ~TWaitCursor() { SetCursor(previous_); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

// "0" (or another stand-in) when the control is empty, else its record field.
template <std::size_t N>
std::string FieldOr(const TEdit* control, const char (&field)[N], const char* fallback) {
  return control->Text().empty() ? std::string(fallback) : FieldText(field);
}

// A composed value goes into its record field, cut at the width as every
// field is; the registry gets the whole text, so that an over-long part is
// never stored as a different number.
template <std::size_t N>
void Compose(TRegistry& reg, const char* name, char (&field)[N], const std::string& text) {
  SetField(field, text);
  reg.WriteString(name, text);
}

template <std::size_t N>
void Letter(char (&field)[N], const TCheckBox* box, char letter) {
  SetField(field, LetterIf(box->Checked(), letter));
}

template <std::size_t N>
void Switch(char (&field)[N], const TCheckBox* box) {
  SetField(field, SwitchText(box->Checked()));
}

// Sets each flag word to its weight or 0 and returns their sum.
int32_t SetFlags(const std::vector<TCheckBox*>& boxes, const std::vector<int32_t*>& words,
                 const std::vector<int32_t>& weights) {
  int32_t total = 0;
  for (std::size_t i = 0; i < boxes.size() && i < words.size() && i < weights.size(); ++i) {
    *words[i] = FlagWord(boxes[i]->Checked(), weights[i]);
    total += *words[i];
  }
  return total;
}

std::string ColourText(COLORREF colour) {
  return std::to_string(static_cast<int32_t>(static_cast<uint32_t>(colour)));
}

// The folders of one save share their upper levels (the root, the data
// folder): each is asked for once per save.
class TFolderMaker {
 public:
  void Create(const std::string& path, bool mailSubfolders) {
    for (const std::string& folder : FoldersToCreate(path, mailSubfolders)) {
      if (!made_.insert(Capitals(folder)).second) continue;
      CreateDirectoryA(folder.c_str(), nullptr);  // an existing folder is no error
    }
  }

 private:
  std::set<std::string> made_;
};

// Returns false when the identity check refused.
bool CheckIdentity(TForm1& f) {
  if (f.Editbbsindicativo->Text().empty()) {
    Dialogs().MessageBox(f.Handle(), "BBS must have a Callsign", kCaption, MB_ICONWARNING | MB_OK);
    f.ShowField(f.Hojageneral, f.Editbbsindicativo);
    return false;
  }
  if (f.Edithroute->Text().empty()) {
    Dialogs().MessageBox(f.Handle(), "BBS must have Hierarcical Route ", kCaption,
                         MB_ICONWARNING | MB_OK);
    f.ShowField(f.Hojageneral, f.Edithroute);
    return false;
  }
  return true;
}

void WriteStation(TForm1& f, TRegistry& reg, TConfigRecord& r) {
  reg.WriteString("BbsCallsign", FieldText(r.BbsCallsign));
  reg.WriteString("SSID", FieldOr(f.Editssid, r.SSID, "0"));
  reg.WriteString("Locator", FieldText(r.Locator));
  reg.WriteString("Qth", FieldText(r.Qth));
  reg.WriteString("ZipCode", FieldText(r.ZipCode));
  reg.WriteString("SysOpCallsign", FieldText(r.SysOpCallsign));
  reg.WriteString("SysOpName", FieldText(r.SysOpName));

  Letter(r.Ackui, f.Ackui, 'A');
  Letter(r.Privateui, f.Privateui, 'V');
  Letter(r.Userui, f.Userui, 'P');
  Letter(r.Tituloui, f.Tituloui, 'M');
  TUnproto unproto;
  unproto.Back = FieldText(r.Editbackui);
  unproto.Delay = FieldText(r.Editdelayui);
  unproto.Ack = !FieldEmpty(r.Ackui);
  unproto.Private = !FieldEmpty(r.Privateui);
  unproto.User = !FieldEmpty(r.Userui);
  unproto.Title = !FieldEmpty(r.Tituloui);
  reg.WriteString("Unproto", ComposeUnproto(unproto));

  r.FirstConTotal =
      SetFlags(f.FirstConnectionBoxes(),
               {&r.Excluido1, &r.Local1, &r.Experto1, &r.Sysop1, &r.Bbs1, &r.Paginacion1,
                &r.Guest1, &r.Modem1, &r.Todosmensajes1, &r.Listaunprotos1, &r.Listanuevos1,
                &r.Pms1},
               FirstConnectionWeights());
  reg.WriteString("FirstConOptions",
                  f.Desactivado1->Checked() ? "0" : std::to_string(r.FirstConTotal));

  r.UserTotal = SetFlags(f.SecurityBoxes(0),
                         {&r.Todosmensajesuser, &r.Borramensajesuser, &r.Sysuser, &r.Remoteuser,
                          &r.Labelsuser, &r.Deleteuser, &r.Gatewaysuser, &r.Dosuser,
                          &r.Alldiskuser, &r.Specialuser},
                         SecurityWeights());
  r.SysopTotal = SetFlags(f.SecurityBoxes(1),
                          {&r.Todosmensajessysop, &r.Borramensajessysop, &r.Syssysop,
                           &r.Remotesysop, &r.Labelssysop, &r.Deletesysop, &r.Gatewayssysop,
                           &r.Dossysop, &r.Alldisksysop, &r.Specialsysop},
                          SecurityWeights());
  r.SystemTotal = SetFlags(f.SecurityBoxes(2),
                           {&r.Todosmensajessys, &r.Borramensajessys, &r.Syssys, &r.Remotesys,
                            &r.Labelssys, &r.Deletesys, &r.Gatewayssys, &r.Dossys,
                            &r.Alldisksys, &r.Specialsys},
                           SecurityWeights());
  Compose(reg, "SecurityOptions", r.SecurityOptions,
          ComposeSecurityOptions(r.UserTotal, r.SysopTotal, r.SystemTotal));

  r.WarningTotal = SetFlags(f.WarningBoxes(),
                            {&r.Menos1mega, &r.Errorarchivo, &r.Servererror, &r.Pingpong,
                             &r.Noruta, &r.Nonts, &r.Mensajenoencontrado, &r.Errorpropuesta,
                             &r.Reject, &r.Held},
                            WarningWeights());
  reg.WriteString("WarningMessages", std::to_string(r.WarningTotal));

  Switch(r.Forwardzub, f.Forwardzub);
  r.ForwardTotal = SetFlags(f.ForwardingBoxes(),
                            {&r.Caracterh, &r.Caractercabecera, &r.Mbl, &r.Nobbscallsign,
                             &r.Deldata, &r.Norecover, &r.Bbsdeclaradas, &r.Wpnoheld,
                             &r.Xprioridad, &r.Bidalterno, &r.Noxchecksum, &r.Testcallsign},
                            ForwardingWeights());
  Compose(reg, "ForwardTypeZub", r.ForwardTypeZub,
          ComposeSwitchAndSum(f.Forwardzub->Checked(), r.ForwardTotal));

  Switch(r.Compressforward, f.Compressforward);
  r.ResumeTotal = SetFlags(f.ResumeBoxes(), {&r.Resume, &r.Xprotocol}, ResumeWeights());
  Compose(reg, "ForwardResume", r.ForwardResume,
          ComposeSwitchAndSum(f.Compressforward->Checked(), r.ResumeTotal));

  Switch(r.TestMode, f.Modotest);
  reg.WriteString("TestMode", FieldText(r.TestMode));
  Switch(r.FullLog, f.Log);
  reg.WriteString("FullLog", FieldText(r.FullLog));
  Switch(r.ChannelsIndication, f.Indicacioncanales);
  reg.WriteString("ChannelsIndication", FieldText(r.ChannelsIndication));
  Switch(r.UserGivesInformation, f.Datosusuario);
  reg.WriteString("UserGivesInformation", FieldText(r.UserGivesInformation));

  Letter(r.Mailbeacon, f.Mailbeacon, 'B');
  Compose(reg, "CallsignsInMailBeacon", r.CallsignsInMailBeacon,
          ComposeCallsignsInMailBeacon(!FieldEmpty(r.Mailbeacon), FieldText(r.Indicativosbaliza)));

  reg.WriteString("MaxBids", FieldOr(f.Numerobid, r.MaxBids, "0"));
  reg.WriteString("CopySysOpMessages",
                  FieldOr(f.Sysopmessage, r.CopySysOpMessages, kNoSysopCopy.data()));
  reg.WriteString("RouteWpMessages", FieldText(r.RouteWpMessages));
  reg.WriteString("ZubHeader", FieldOr(f.Cabecera, r.ZubHeader, kDefaultZubHeader.data()));

  Compose(reg, "Timeout", r.Timeout,
          JoinTwoSpaced({FieldOr(f.timeoutusuarios, r.timeoutusuarios, "0"),
                         FieldOr(f.Timeoutforward, r.Timeoutforward, "0")}));
  reg.WriteString("BulletinsLifetime", FieldOr(f.Diasboletines, r.BulletinsLifetime, "0"));
  Compose(reg, "MaxDownloadYapp", r.MaxDownloadYapp,
          JoinTwoSpaced({FieldOr(f.yappmax, r.yappmax, "0"), FieldOr(f.modemmax, r.modemmax, "0")}));
  Compose(reg, "ScrollBuffers", r.ScrollBuffers,
          JoinTwoSpaced({FieldOr(f.buferusuario, r.buferusuario, "0"),
                         FieldOr(f.buferconsola, r.buferconsola, "0"),
                         FieldOr(f.bufermonitor, r.bufermonitor, "0")}));

  reg.WriteString("TFPCInterrupt", "FF");
  reg.WriteString("Hroute", "OK");

  reg.WriteString("SentTextColor", ColourText(f.Sendtext->FontColor()));
  reg.WriteString("ReceivedTextColor", ColourText(f.Receivedtext->FontColor()));
  reg.WriteString("ChannelInfColor", ColourText(f.Chaninfo->FontColor()));
  reg.WriteString("MonitorHeaderColor", ColourText(f.Monhead->FontColor()));
  reg.WriteString("MonitorDataColor", ColourText(f.Mondata->FontColor()));
  reg.WriteString("ConsoleTextColor", ColourText(f.Consoletext->FontColor()));
  reg.WriteString("WindowBackgroundColor", ColourText(f.Consoletext->Color()));
}

void WriteServers(TRegistry& reg) {
  for (int i = 0; i < ServerCount && i < kServerCount; ++i) {
    TServerRecord& server = ServerTable[i];
    // Without a name the values would land in the Servers key itself.
    if (FieldEmpty(server.Name)) continue;
    // Creating the server's key creates Servers with it.
    if (!reg.OpenKey(std::string(kServersKey) + "\\" + FieldText(server.Name), true)) continue;
    SetField(server.File, Capitals(FieldText(server.File)));
    reg.WriteString("File", FieldText(server.File));
    reg.WriteString("Description", FieldText(server.Description));
    reg.WriteString("Disabled", FieldText(server.Disabled));
    reg.CloseKey();
  }
}

// Returns false when the virtual disks could not be stored.
bool WriteFolders(TForm1& f, TRegistry& reg, TConfigRecord& r) {
  if (!reg.OpenKey(kFoldersKey, true)) return true;
  if (!f.Directorioraiz->Text().empty()) {
    TFolderMaker folders;
    auto folder = [&](const char* name, const std::string& path, bool create, bool mail) {
      reg.WriteString(name, path);
      if (create) folders.Create(path, mail);
    };
    folder("ZubRoot", FieldText(r.ZubRoot), true, false);
    folder("Data", FieldText(r.Data), true, false);
    folder("Config", FieldText(r.Config), true, false);
    folder("Yapp", FieldText(r.Yapp), true, false);
    folder("Docs", FieldText(r.Docs), true, false);
    folder("ImportFile", FieldText(r.ImportFile), false, false);
    folder("Filters", FieldText(r.Filters), true, false);
    folder("Servers", FieldText(r.Servers), true, false);
    folder("Pg", FieldText(r.Pg), true, false);
    folder("Drivers", FieldText(r.Drivers), true, false);
    folder("Sounds", FieldText(r.Sounds), true, false);
    folder("Lang", FieldText(r.Lang), true, false);
    folder("Log", FieldText(r.Log), true, false);
    folder("Sat", FieldText(r.Sat), true, false);
    folder("Wp", FieldText(r.Wp), true, false);
    folder("OldMail", FieldText(r.OldMail), true, false);
    folder("Fwd", FieldText(r.Fwd), true, false);
    folder("Mail", FieldText(r.Mail), true, true);
    folder("CompresMail", FieldText(r.CompresMail), true, true);
  } else {
    for (const char* name :
         {"Mail", "CompresMail", "ZubRoot", "Config", "Yapp", "Docs", "Data", "ImportFile"})
      reg.WriteString(name, "");
  }

  char (*const fields[kDiskCount])[80] = {&r.Diska, &r.Diskb, &r.Diskc, &r.Diskd,
                                          &r.Diske, &r.Diskf, &r.Diskg, &r.Diskh};
  const TEdit* const controls[kDiskCount] = {f.Diska, f.Diskb, f.Diskc, f.Diskd,
                                             f.Diske, f.Diskf, f.Diskg, f.Diskh};
  TDisks disks;
  for (std::size_t i = 0; i < kDiskCount; ++i) {
    if (controls[i]->Text().empty()) SetField(*fields[i], "*");
    disks[i] = FieldText(*fields[i]);
  }
  const std::optional<std::string> usersPub = JoinUsersPub(disks);
  // A "," inside a disk's folder would split it into two disks at the next
  // load and move every later disk up one place: such a list is not stored.
  if (usersPub) reg.WriteString("UsersPub", *usersPub);

  if (reg.ValueExists("ZubDos")) reg.DeleteValue("ZubDos");
  if (reg.ValueExists("System")) reg.DeleteValue("System");
  reg.CloseKey();
  return usersPub.has_value();
}

// With an empty root the save keeps the stored folders as they are; when
// they are stored under the older key alone, deleting that key would lose
// them, so they move to Folders first (never over a value Folders has).
void CarryOverOlderFolders(TRegistry& reg) {
  std::vector<std::pair<std::string, std::string>> older;
  if (reg.OpenKeyReadOnly(kDirectoriesKey)) {
    for (const char* name : {"Filters", "Servers", "Pg", "Drivers", "Sounds", "Lang", "Log",
                             "Sat", "Wp", "OldMail", "Fwd"}) {
      if (!reg.ValueExists(name)) continue;
      try {
        older.emplace_back(name, reg.ReadString(name));
      } catch (const ERegistryException&) {
        // not a text: nothing the editor could have stored
      }
    }
    reg.CloseKey();
  }
  if (older.empty() || !reg.OpenKey(kFoldersKey, true)) return;
  for (const auto& [name, text] : older)
    if (!reg.ValueExists(name)) reg.WriteString(name, text);
  reg.CloseKey();
}

void WritePorts(TRegistry& reg) {
  const std::string port0 = std::string(kPortsKey) + "\\Port0";
  if (reg.OpenKey(kPortsKey, true)) {
    if (!reg.KeyExists(port0) && reg.OpenKey(port0, true)) {
      for (const TNamedText& v : kPort0Values)
        reg.WriteString(std::string(v.Name), std::string(v.Text));
    }
    reg.CloseKey();
  }

  for (int i = 0; i < kPortCount; ++i) {
    TPortRecord& port = PortTable[i];
    const std::string key = std::string(kPortsKey) + "\\" + PortKeyName(i);
    // Ports itself was made with Port0 above.
    if (PortInUse(port)) {
      if (reg.OpenKey(key, true)) {
        auto value = [&](const char* name, const std::string& text) {
          reg.WriteString(name, text.empty() ? std::string(PortDefault(name)) : text);
        };
        value("Com", FieldText(port.Com));
        value("Driver", FieldText(port.Driver));
        value("HexAddress", FieldText(port.HexAddress));
        value("BaudRate", FieldText(port.BaudRate));
        value("NumChannels", FieldText(port.NumChannels));
        value("Canal", FieldText(port.Canal));
        value("Paclen", FieldText(port.Paclen));
        value("MaxFrame", FieldText(port.MaxFrame));
        value("NumFwdChannels", FieldText(port.NumFwdChannels));
        value("MaxBlock", FieldText(port.MaxBlock));
        value("Disabled", FieldText(port.Disabled));
        reg.WriteString("FwdPeriode",
                        ComposeFwdPeriode(FieldText(port.Fwdminute), FieldText(port.Fwdperiodo)));
        TPortMode mode{FieldText(port.Unprotos), FieldText(port.Yapp), FieldText(port.Gateway),
                       FieldText(port.Rdonly), FieldText(port.Tipopuerto)};
        SetField(port.Mode, mode.Unprotos + mode.Yapp + mode.Gateway + mode.Rdonly +
                                mode.Tipopuerto);
        reg.WriteString("Mode", ComposePortMode(mode));
        value("Label", FieldText(port.Label));
      }
    } else if (reg.KeyExists(key)) {
      reg.DeleteKey(key);
    }
    reg.CloseKey();
  }
}

}  // namespace

bool SaveConfiguration(TForm1& form) {
  if (!ConfigRecord || !PortTable || !ServerTable) return false;
  TConfigRecord& record = *ConfigRecord;
  TWaitCursor wait;

  std::string failure;
  {
    TRegistry reg;
    reg.SetFlushOnClose(!SaveFlushesOnce);

    const bool configOpen = reg.OpenKey(kConfigKey, true);
    // The identity is checked even when Config cannot be opened: nothing is
    // stored for a BBS without a callsign and a route.
    if (!CheckIdentity(form)) return false;
    if (configOpen) {
      WriteStation(form, reg, record);
      reg.CloseKey();
    }
    WriteServers(reg);
    const bool disksStored = WriteFolders(form, reg, record);
    if (reg.KeyExists(kDirectoriesKey)) {
      if (form.Directorioraiz->Text().empty()) CarryOverOlderFolders(reg);
      reg.DeleteKey(kDirectoriesKey);
    }
    WritePorts(reg);
    if (SaveFlushesOnce) reg.Flush();

    if (reg.Failed())
      failure = "The configuration was not saved completely: " + FailedWriteText(reg);
    if (!disksStored) {
      if (!failure.empty()) failure += "\n\n";
      failure +=
          "The virtual disks were not saved in HKEY_LOCAL_MACHINE\\Software\\Nodrax\\Folders: "
          "a disk folder holding \",\" cannot be stored in UsersPub.";
    }
  }

  if (!failure.empty()) {
    Dialogs().MessageBox(form.Handle(), failure, kCaption, MB_ICONWARNING | MB_OK);
    return false;
  }
  ConfigModified = false;
  NotifyConfigurationChanged();
  return true;
}

std::string FailedWriteText(const TRegistry& reg) {
  return "writing to HKEY_LOCAL_MACHINE\\" + reg.FailureKey() + " failed.\n" + reg.FailureText();
}

void NotifyConfigurationChanged() {
  if (!ZubcfgNotifyMessage) ZubcfgNotifyMessage = RegisterWindowMessageA("ZUBCFG_NOTIFY");
  PostMessageA(HWND_BROADCAST, ZubcfgNotifyMessage, 0, 0);
}
