// The load sets the window's controls; their change handlers carry the texts
// into ConfigRecord. Check boxes and colours are set directly. The ports and
// servers go straight into their tables. Nothing here reports: a key that
// does not open skips its part, an absent value leaves its target alone.
#include "editor/config/Cargaregistro.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editor/app/Main.h"
#include "editor/config/AnsiText.h"
#include "editor/config/Encodings.h"
#include "editor/config/Numbers.h"
#include "editor/config/Records.h"
#include "editor/config/RegistryKeys.h"
#include "editor/config/Save.h"
#include "platform/Registry.h"

namespace {


// The text of a value, or nothing when it is absent. A value of another type
// counts as absent too: stopping the load half way would leave the window
// half loaded, and the next save would store that half as the whole.
std::optional<std::string> ReadText(TRegistry& reg, const std::string& name) {
  try {
    std::string text;
    if (reg.TryReadString(name, text)) return text;
  } catch (const ERegistryException&) {
  }
  return std::nullopt;
}

// A record field of width N holds N - 1 characters. The control gets the same
// cut text as the record, so that the window shows what a save will store.
std::string Cut(std::string text, std::size_t width) {
  if (width > 0 && text.size() > width - 1) text.resize(width - 1);
  return text;
}

#define WIDTH(field) sizeof(TConfigRecord::field)

void SetEdit(TEdit* edit, const std::string& text, std::size_t width) {
  edit->SetText(Cut(text, width));
}

// The edit gets the value when it is there.
void LoadEdit(TRegistry& reg, const char* name, TEdit* edit, std::size_t width) {
  if (auto text = ReadText(reg, name)) SetEdit(edit, *text, width);
}

void SetBoxes(const std::vector<TCheckBox*>& boxes, int32_t sum,
              const std::vector<int32_t>& weights) {
  const std::vector<bool> on = FlagsOfSum(sum, weights);
  for (std::size_t i = 0; i < boxes.size() && i < on.size(); ++i) boxes[i]->SetChecked(on[i]);
}

COLORREF Colour(const std::string& text) {
  return static_cast<COLORREF>(static_cast<uint32_t>(ReadInt32Or0(text)));
}

}  // namespace

TCallsignRoute LoadedIdentity(const std::string& stored) {
  const TCallsignRoute parts = SplitBbsCallsign(stored);
  const std::string callsign = Cut(parts.Callsign, WIDTH(BbsCallsign));
  const std::size_t room = WIDTH(BbsCallsign) - 1 - callsign.size();
  return {callsign, room > 0 ? Cut(parts.Route, room) : std::string()};
}

namespace {

void LoadStation(TForm1& f, TRegistry& reg, const std::string& root) {
  if (!reg.OpenKeyReadOnly(KeyBelow(root, kConfigKey))) return;

  if (auto text = ReadText(reg, "BbsCallsign")) {
    const TCallsignRoute identity = LoadedIdentity(*text);
    f.Editbbsindicativo->SetText(identity.Callsign);
    f.Edithroute->SetText(identity.Route);
  }
  LoadEdit(reg, "SSID", f.Editssid, WIDTH(SSID));
  LoadEdit(reg, "Qth", f.Editciudad, WIDTH(Qth));
  LoadEdit(reg, "Locator", f.Editlocator, WIDTH(Locator));
  LoadEdit(reg, "ZipCode", f.Codpostal, WIDTH(ZipCode));
  LoadEdit(reg, "SysOpCallsign", f.Editsysopindicativo, WIDTH(SysOpCallsign));
  LoadEdit(reg, "SysOpName", f.Editsysopnombre, WIDTH(SysOpName));

  if (auto text = ReadText(reg, "Unproto")) {
    const TUnproto u = ParseUnproto(*text);
    SetEdit(f.Editbackui, u.Back, WIDTH(Editbackui));
    SetEdit(f.Editdelayui, u.Delay, WIDTH(Editdelayui));
    f.Ackui->SetChecked(u.Ack);
    f.Privateui->SetChecked(u.Private);
    f.Userui->SetChecked(u.User);
    f.Tituloui->SetChecked(u.Title);
  }

  if (auto text = ReadText(reg, "SecurityOptions")) {
    const std::vector<int32_t> sums = ScanIntegers(*text, 3);
    for (int column = 0; column < 3; ++column)
      SetBoxes(f.SecurityBoxes(column), sums[column], SecurityWeights());
  }

  // Desactivado1 has no bit: it stays as it is.
  if (auto text = ReadText(reg, "FirstConOptions"))
    SetBoxes(f.FirstConnectionBoxes(), ReadInt32Or0(*text), FirstConnectionWeights());

  if (auto text = ReadText(reg, "WarningMessages"))
    SetBoxes(f.WarningBoxes(), ReadInt32Or0(*text), WarningWeights());

  if (auto text = ReadText(reg, "ForwardTypeZub")) {
    const TSwitchAndSum v = ParseSwitchAndSum(*text);
    if (v.Switch) f.Forwardzub->SetChecked(*v.Switch);
    SetBoxes(f.ForwardingBoxes(), v.Sum, ForwardingWeights());
  }

  if (auto text = ReadText(reg, "ForwardResume")) {
    const TSwitchAndSum v = ParseSwitchAndSum(*text);
    if (v.Switch) f.Compressforward->SetChecked(*v.Switch);
    SetBoxes(f.ResumeBoxes(), v.Sum, ResumeWeights());
  }

  if (auto text = ReadText(reg, "CallsignsInMailBeacon")) {
    const TMailBeacon b = ParseCallsignsInMailBeacon(*text);
    f.Mailbeacon->SetChecked(b.Beacon);
    SetEdit(f.Indicativosbaliza, b.Count, WIDTH(Indicativosbaliza));
  }

  if (auto text = ReadText(reg, "Timeout")) {
    const std::vector<std::string> w = ScanWords(*text, 2);
    SetEdit(f.timeoutusuarios, w[0], WIDTH(timeoutusuarios));
    SetEdit(f.Timeoutforward, w[1], WIDTH(Timeoutforward));
  }
  if (auto text = ReadText(reg, "MaxDownloadYapp")) {
    const std::vector<std::string> w = ScanWords(*text, 2);
    SetEdit(f.yappmax, w[0], WIDTH(yappmax));
    SetEdit(f.modemmax, w[1], WIDTH(modemmax));
  }
  if (auto text = ReadText(reg, "ScrollBuffers")) {
    const std::vector<std::string> w = ScanWords(*text, 3);
    SetEdit(f.buferusuario, w[0], WIDTH(buferusuario));
    SetEdit(f.buferconsola, w[1], WIDTH(buferconsola));
    SetEdit(f.bufermonitor, w[2], WIDTH(bufermonitor));
  }

  if (auto text = ReadText(reg, "CopySysOpMessages"))
    SetEdit(f.Sysopmessage, ParseCopySysOpMessages(*text), WIDTH(CopySysOpMessages));

  const std::pair<const char*, TCheckBox*> switches[] = {{"FullLog", f.Log},
                                                         {"ChannelsIndication", f.Indicacioncanales},
                                                         {"TestMode", f.Modotest},
                                                         {"Hroute", f.Datosusuario}};
  for (const auto& [name, box] : switches) {
    if (auto text = ReadText(reg, name))
      if (auto on = SwitchFromText(*text)) box->SetChecked(*on);
  }

  LoadEdit(reg, "ZubHeader", f.Cabecera, WIDTH(ZubHeader));
  LoadEdit(reg, "MaxBids", f.Numerobid, WIDTH(MaxBids));
  LoadEdit(reg, "BulletinsLifetime", f.Diasboletines, WIDTH(BulletinsLifetime));
  LoadEdit(reg, "RouteWpMessages", f.Wpmessage, WIDTH(RouteWpMessages));

  if (auto text = ReadText(reg, "WindowBackgroundColor")) {
    const COLORREF back = Colour(*text);
    for (TLabel* label : {f.Sendtext, f.Receivedtext, f.Chaninfo, f.Monhead, f.Mondata,
                          f.Consoletext})
      label->SetColor(back);
    f.Panel1->SetColor(back);
  }
  const std::pair<const char*, TLabel*> colours[] = {{"SentTextColor", f.Sendtext},
                                                     {"ReceivedTextColor", f.Receivedtext},
                                                     {"MonitorHeaderColor", f.Monhead},
                                                     {"MonitorDataColor", f.Mondata},
                                                     {"ConsoleTextColor", f.Consoletext},
                                                     {"ChannelInfColor", f.Chaninfo}};
  for (const auto& [name, label] : colours) {
    if (auto text = ReadText(reg, name)) label->SetFontColor(Colour(*text));
  }
  reg.CloseKey();
}

// Opens the key for the renames of the older value names; a sysop without
// the right to write still gets the folders shown.
bool OpenForLoad(TRegistry& reg, const std::string& path) {
  return reg.OpenKey(path, false) || reg.OpenKeyReadOnly(path);
}

// Returns whether the older key Directories was found.
bool LoadFolders(TForm1& f, TRegistry& reg, const std::string& root) {
  bool older = false;
  const std::string directories = KeyBelow(root, kDirectoriesKey);
  const std::string folders = KeyBelow(root, kFoldersKey);
  if (reg.KeyExists(directories)) {
    if (!OpenForLoad(reg, directories)) return false;
    older = true;
  } else if (!reg.KeyExists(folders) || !OpenForLoad(reg, folders)) {
    return false;
  }

  // The root first: it derives every other folder, which the stored values
  // then replace.
  LoadEdit(reg, "ZubRoot", f.Directorioraiz, WIDTH(ZubRoot));
  if (auto text = ReadText(reg, "Config")) {
    SetEdit(f.Directorioconfig, *text, WIDTH(Config));
  } else if (auto old = ReadText(reg, "System")) {
    SetEdit(f.Directorioconfig, *old, WIDTH(Config));
    reg.RenameValue("System", "Config");
  }
  // The data folder before the three folders it derives.
  LoadEdit(reg, "Data", f.Directoriodata, WIDTH(Data));
  LoadEdit(reg, "Mail", f.Directoriomensajes, WIDTH(Mail));
  LoadEdit(reg, "CompresMail", f.Directoriomensajesbin, WIDTH(CompresMail));
  LoadEdit(reg, "Yapp", f.Directorioyapp, WIDTH(Yapp));
  LoadEdit(reg, "Docs", f.Directoriodocs, WIDTH(Docs));
  LoadEdit(reg, "ImportFile", f.Ficheroimport, WIDTH(ImportFile));
  LoadEdit(reg, "Filters", f.Filtersdir, WIDTH(Filters));
  LoadEdit(reg, "Servers", f.Serversdir, WIDTH(Servers));
  LoadEdit(reg, "Pg", f.Pgdir, WIDTH(Pg));
  LoadEdit(reg, "Drivers", f.Driversdir, WIDTH(Drivers));

  // With neither value the eight disks are emptied.
  std::string list;
  if (auto text = ReadText(reg, "UsersPub")) {
    list = *text;
  } else if (auto old = ReadText(reg, "ZubDos")) {
    list = *old;
    reg.RenameValue("ZubDos", "UsersPub");
  }
  const TDisks disks = SplitUsersPub(list);
  TEdit* const edits[kDiskCount] = {f.Diska, f.Diskb, f.Diskc, f.Diskd,
                                    f.Diske, f.Diskf, f.Diskg, f.Diskh};
  for (std::size_t i = 0; i < kDiskCount; ++i) SetEdit(edits[i], disks[i], WIDTH(Diska));
  reg.CloseKey();
  return older;
}

template <std::size_t N>
void LoadField(TRegistry& reg, const char* name, char (&field)[N]) {
  if (auto text = ReadText(reg, name)) SetField(field, *text);
}

}  // namespace

void CargaPuertos(const std::string& root) {
  if (!PortTable) return;
  const std::string portsKey = KeyBelow(root, kPortsKey);
  TRegistry reg;
  if (!reg.OpenKeyReadOnly(portsKey)) return;
  if (reg.HasSubKeys()) {
    for (const std::string& name : reg.GetKeyNames()) {
      // Port0 and names that number no entry of the table are left alone.
      if (const std::optional<int> index = PortIndexFromKeyName(name))
        SetField(PortTable[*index].PortKey, name);
    }
  }
  reg.CloseKey();

  for (int i = 0; i < kPortCount; ++i) {
    TPortRecord& port = PortTable[i];
    if (FieldEmpty(port.PortKey)) continue;
    if (!reg.OpenKeyReadOnly(portsKey + "\\" + port.PortKey)) continue;
    LoadField(reg, "Driver", port.Driver);
    LoadField(reg, "Com", port.Com);
    LoadField(reg, "HexAddress", port.HexAddress);
    LoadField(reg, "BaudRate", port.BaudRate);
    LoadField(reg, "NumChannels", port.NumChannels);
    LoadField(reg, "Canal", port.Canal);
    LoadField(reg, "Paclen", port.Paclen);
    LoadField(reg, "MaxFrame", port.MaxFrame);
    LoadField(reg, "NumFwdChannels", port.NumFwdChannels);
    LoadField(reg, "MaxBlock", port.MaxBlock);
    if (auto text = ReadText(reg, "FwdPeriode")) {
      const TFwdPeriode p = ParseFwdPeriode(*text);
      SetField(port.Fwdminute, p.Minute);
      SetField(port.Fwdperiodo, p.Period);
    }
    if (auto text = ReadText(reg, "Mode")) {
      const TPortMode m = ParsePortMode(*text);
      SetField(port.Unprotos, m.Unprotos);
      SetField(port.Yapp, m.Yapp);
      SetField(port.Gateway, m.Gateway);
      SetField(port.Rdonly, m.Rdonly);
      SetField(port.Tipopuerto, m.Tipopuerto);
    }
    LoadField(reg, "Label", port.Label);
    LoadField(reg, "Disabled", port.Disabled);
    reg.CloseKey();
  }
}

namespace {

void LoadServerTable(const std::string& root) {
  const std::string serversKey = KeyBelow(root, kServersKey);
  if (!ServerTable) return;
  ServerCount = 0;
  TRegistry reg;
  if (!reg.OpenKeyReadOnly(serversKey)) return;
  std::vector<std::string> names;
  if (reg.HasSubKeys()) {
    for (const std::string& name : reg.GetKeyNames()) {
      if (names.size() == static_cast<std::size_t>(kServerCount)) break;
      // A name cut to the field would make the next save write a second
      // server under the shorter name; such a server is left out instead.
      if (name.size() >= sizeof(TServerRecord::Name)) continue;
      names.push_back(name);
    }
  }
  reg.CloseKey();

  for (std::size_t i = 0; i < names.size(); ++i) {
    TServerRecord& server = ServerTable[i];
    // An absent value keeps what the entry held, but only for the same
    // server: another server's file or description must not move over.
    if (names[i] != server.Name) server = TServerRecord();
    SetField(server.Name, names[i]);
    ServerCount = static_cast<int>(i + 1);
    if (!reg.OpenKeyReadOnly(serversKey + "\\" + names[i])) continue;
    if (auto text = ReadText(reg, "File")) SetField(server.File, Capitals(*text));
    LoadField(reg, "Description", server.Description);
    LoadField(reg, "Disabled", server.Disabled);
    reg.CloseKey();
  }
}

}  // namespace

void CargaServidores(TForm1& form, const std::string& root) {
  LoadServerTable(root);
  // Without a Servers key the list is emptied all the same.
  form.ShowServerList();
}

bool CargaRegistroDesde(TForm1& form, const std::string& root) {
  bool olderFolders = false;
  {
    TRegistry reg;
    LoadStation(form, reg, root);
    olderFolders = LoadFolders(form, reg, root);
  }
  CargaPuertos(root);
  CargaServidores(form, root);
  return olderFolders;
}

void CargaRegistro(TForm1& form) {
  // The older folder key is carried over by a save, which writes Folders
  // and removes Directories.
  if (CargaRegistroDesde(form, kNodraxKey)) SaveConfiguration(form);
}
