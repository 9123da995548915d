// Nothing here reports: a key that does not open skips its part, an absent
// value leaves its part of the configuration alone.
#include "editor/config/Load.h"

#include <optional>
#include <string>
#include <vector>

#include "editor/config/AnsiText.h"
#include "editor/config/Numbers.h"
#include "editor/config/StoredValues.h"
#include "platform/Registry.h"
#include "platform/RegistrySnapshot.h"

namespace {

// The text of a value, or nothing when it is absent. A value of another type
// counts as absent too: stopping the load half way would leave the
// configuration half loaded, and the next save would store that half as the
// whole.
template <class Source>
std::optional<std::string> ReadText(Source& reg, const std::string& name) {
  try {
    std::string text;
    if (reg.TryReadString(name, text)) return text;
  } catch (const ERegistryException&) {
  }
  return std::nullopt;
}

// A field gets the loaded text cut to its record field, so that the page
// shows what a save will store.
void Show(TConfiguration& c, TStationText field, const std::string& text) {
  c.SetText(field, CutToField(text, field));
}

void LoadStationValue(TConfiguration& c, const TStoredValue& v, const std::string& text) {
  TStationBoxes& boxes = c.Boxes;
  switch (v.Encoding) {
    case TEncoding::Text:
    case TEncoding::Folder:
      Show(c, v.Texts[0], text);
      break;
    case TEncoding::Identity: {
      const TCallsignRoute identity = LoadedIdentity(text);
      c.SetText(&TStationTexts::Editbbsindicativo, identity.Callsign);
      c.SetText(&TStationTexts::Edithroute, identity.Route);
      break;
    }
    case TEncoding::Unproto: {
      const TUnproto u = ParseUnproto(text);
      Show(c, v.Texts[0], u.Back);
      Show(c, v.Texts[1], u.Delay);
      boxes.Ackui = u.Ack;
      boxes.Privateui = u.Private;
      boxes.Userui = u.User;
      boxes.Tituloui = u.Title;
      break;
    }
    case TEncoding::FirstConnection:
      // Desactivado1 has no bit: it stays as it is.
      FirstConnectionBoxes().Tick(boxes, ReadInt32Or0(text));
      break;
    case TEncoding::Security: {
      const std::vector<int32_t> sums = ScanIntegers(text, 3);
      for (int column = 0; column < 3; ++column) SecurityBoxes(column).Tick(boxes, sums[column]);
      break;
    }
    case TEncoding::Sum:
      v.Group().Tick(boxes, ReadInt32Or0(text));
      break;
    case TEncoding::SwitchAndSum: {
      const TSwitchAndSum parsed = ParseSwitchAndSum(text);
      if (parsed.Switch) boxes.*v.Box = *parsed.Switch;
      v.Group().Tick(boxes, parsed.Sum);
      break;
    }
    case TEncoding::Switch:
    case TEncoding::Hroute:
      if (const std::optional<bool> on = SwitchFromText(text)) boxes.*v.Box = *on;
      break;
    case TEncoding::MailBeacon: {
      const TMailBeacon beacon = ParseCallsignsInMailBeacon(text);
      boxes.Mailbeacon = beacon.Beacon;
      Show(c, v.Texts[0], beacon.Count);
      break;
    }
    case TEncoding::CopySysOp:
      Show(c, v.Texts[0], ParseCopySysOpMessages(text));
      break;
    case TEncoding::TwoSpaced: {
      const std::vector<std::string> words = ScanWords(text, v.TextCount);
      for (std::size_t i = 0; i < v.TextCount; ++i) Show(c, v.Texts[i], words[i]);
      break;
    }
    case TEncoding::Colour:
      c.Colours.*v.Colour = static_cast<uint32_t>(ReadInt32Or0(text));
      break;
    case TEncoding::Constant:
    case TEncoding::Disks:
      break;
  }
}

template <class Source>
void LoadStation(TConfiguration& c, Source& reg, const std::string& root) {
  if (!reg.OpenKeyReadOnly(KeyBelow(root, kConfigKey))) return;
  for (const TStoredValue& v : ConfigValues()) {
    if (!v.Loaded) continue;
    if (auto text = ReadText(reg, v.Name)) LoadStationValue(c, v, *text);
  }
  reg.CloseKey();
}

// Opens the key for the renames of the older value names; a sysop without
// the right to write still gets the folders loaded.
template <class Source>
bool OpenForLoad(Source& reg, const std::string& path) {
  return reg.OpenKey(path, false) || reg.OpenKeyReadOnly(path);
}

// A value, or the value under its older name, which then takes the new one.
template <class Source>
std::optional<std::string> ReadRenaming(Source& reg, const TStoredValue& v) {
  if (auto text = ReadText(reg, v.Name)) return text;
  if (!v.OlderName) return std::nullopt;
  auto text = ReadText(reg, v.OlderName);
  if (text) reg.RenameValue(v.OlderName, v.Name);
  return text;
}

const TStationText kDisks[kDiskCount] = {
    &TStationTexts::Diska, &TStationTexts::Diskb, &TStationTexts::Diskc, &TStationTexts::Diskd,
    &TStationTexts::Diske, &TStationTexts::Diskf, &TStationTexts::Diskg, &TStationTexts::Diskh};

// Returns whether the older key Directories was found.
template <class Source>
bool LoadFolders(TConfiguration& c, Source& reg, const std::string& root) {
  bool older = false;
  const std::string directories = KeyBelow(root, kDirectoriesKey);
  const std::string folders = KeyBelow(root, kFoldersKey);
  if (reg.KeyExists(directories)) {
    if (!OpenForLoad(reg, directories)) return false;
    older = true;
  } else if (!reg.KeyExists(folders) || !OpenForLoad(reg, folders)) {
    return false;
  }
  // The root comes first and derives every other folder, which the stored
  // values then replace; the data folder comes before the three it derives.
  for (const TStoredValue& v : FolderValues()) {
    if (!v.Loaded) continue;
    if (v.Encoding == TEncoding::Disks) {
      // With neither value the eight disks are emptied.
      const TDisks disks = SplitUsersPub(ReadRenaming(reg, v).value_or(std::string()));
      for (std::size_t i = 0; i < kDiskCount; ++i) Show(c, kDisks[i], disks[i]);
    } else if (auto text = ReadRenaming(reg, v)) {
      LoadStationValue(c, v, *text);
    }
  }
  reg.CloseKey();
  return older;
}

template <class Source>
void LoadPortField(Source& reg, const char* name, TPortRecord& port, TPortField field) {
  if (auto text = ReadText(reg, name)) SetField(port, field, *text);
}

}  // namespace

TCallsignRoute LoadedIdentity(const std::string& stored) {
  const TCallsignRoute parts = SplitBbsCallsign(stored);
  const std::size_t width = sizeof(TConfigRecord::BbsCallsign);
  const std::string callsign = parts.Callsign.substr(0, width - 1);
  const std::size_t room = width - 1 - callsign.size();
  return {callsign, room > 0 ? parts.Route.substr(0, room - 1) : std::string()};
}

namespace {

template <class Source>
void LoadPorts(TConfiguration& c, Source& reg, const std::string& root) {
  const std::string portsKey = KeyBelow(root, kPortsKey);
  c.PortsPending = false;
  if (!reg.OpenKeyReadOnly(portsKey)) return;
  if (reg.HasSubKeys()) {
    for (const std::string& name : reg.GetKeyNames()) {
      // Port0 and names that number no entry of the table are left alone.
      if (const std::optional<int> index = PortIndexFromKeyName(name))
        SetField(c.PortTable[*index].PortKey, name);
    }
  }
  reg.CloseKey();

  for (TPortRecord& port : c.PortTable) {
    if (FieldEmpty(port.PortKey)) continue;
    if (!reg.OpenKeyReadOnly(portsKey + "\\" + port.PortKey)) continue;
    for (const TPortValue& v : PortValues()) {
      switch (v.Encoding) {
        case TPortEncoding::Text:
          LoadPortField(reg, v.Name, port, v.Field);
          break;
        case TPortEncoding::FwdPeriode:
          if (auto text = ReadText(reg, v.Name)) {
            const TFwdPeriode p = ParseFwdPeriode(*text);
            SetField(port.Fwdminute, p.Minute);
            SetField(port.Fwdperiodo, p.Period);
          }
          break;
        case TPortEncoding::Mode:
          if (auto text = ReadText(reg, v.Name)) {
            const TPortMode m = ParsePortMode(*text);
            SetField(port.Unprotos, m.Unprotos);
            SetField(port.Yapp, m.Yapp);
            SetField(port.Gateway, m.Gateway);
            SetField(port.Rdonly, m.Rdonly);
            SetField(port.Tipopuerto, m.Tipopuerto);
          }
          break;
      }
    }
    reg.CloseKey();
  }
}

template <class Source>
void LoadServers(TConfiguration& c, Source& reg, const std::string& root) {
  const std::string serversKey = KeyBelow(root, kServersKey);
  c.ServerCount = 0;
  c.ServersPending = false;
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
    TServerRecord& server = c.ServerTable[i];
    // An absent value keeps what the entry held, but only for the same
    // server: another server's file or description must not move over.
    if (names[i] != server.Name) server = TServerRecord();
    SetField(server.Name, names[i]);
    c.ServerCount = static_cast<int>(i + 1);
    if (!reg.OpenKeyReadOnly(serversKey + "\\" + names[i])) continue;
    for (const TServerValue& v : ServerValues()) {
      if (auto text = ReadText(reg, v.Name))
        SetField(server, v.Field, v.Capitals ? Capitals(*text) : *text);
    }
    reg.CloseKey();
  }
}

template <class Source>
void ReadCarried(TCarriedOverSettings& settings, Source& reg, const std::string& root) {
  for (const TCarriedKey& key : CarriedKeys()) {
    if (!reg.OpenKeyReadOnly(root + key.Path)) continue;
    for (const TCarriedValue& v : key.Values) {
      if (v.Number) {
        if (reg.ValueExists(v.Name)) settings.*v.Number = reg.ReadInteger(v.Name);
      } else {
        std::string text;
        if (reg.TryReadString(v.Name, text)) settings.*v.Text = text.substr(0, v.Width - 1);
      }
    }
    reg.CloseKey();
  }
}

}  // namespace

void CargaPuertos(TConfiguration& c, const std::string& root) {
  TRegistry reg;
  LoadPorts(c, reg, root);
}

void CargaServidores(TConfiguration& c, const std::string& root) {
  TRegistry reg;
  LoadServers(c, reg, root);
}

void ReadCarriedOverSettings(TCarriedOverSettings& settings, const std::string& root) {
  TRegistry reg;
  ReadCarried(settings, reg, root);
}

void ReadCarriedOverSettings(TCarriedOverSettings& settings, TRegistrySnapshot& file,
                             const std::string& root) {
  ReadCarried(settings, file, root);
}

void PortsNeeded(TConfiguration& c) {
  if (c.PortsPending) CargaPuertos(c, c.TablesRoot);
}

void ServersNeeded(TConfiguration& c) {
  if (c.ServersPending) CargaServidores(c, c.TablesRoot);
}

namespace {

template <class Source>
void CheckTexts(Source& reg, const std::string& path, const std::vector<std::string>& names) {
  if (!reg.OpenKeyReadOnly(path)) return;
  std::string ignored;
  for (const std::string& name : names) reg.TryReadString(name, ignored);  // raises on another type
  reg.CloseKey();
}

// The subkeys the load takes: ports numbered 1 to 10, the first hundred
// servers whose names fit their field.
template <class Source>
std::vector<std::string> LoadedSubKeys(Source& reg, const std::string& path, bool ports) {
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


template <class Source>
void CheckTypes(Source& reg, const std::string& root) {
  const std::string directories = KeyBelow(root, kDirectoriesKey);
  const bool older = reg.KeyExists(directories);
  for (const TReadValues& read : ReadValueTable()) {
    if (read.Integers) continue;
    const std::string key = root + read.Key;
    if (read.Key == "\\Config") {
      CheckTexts(reg, key, read.Names);
    } else if (read.Key == (older ? "\\Directories" : "\\Folders")) {
      CheckTexts(reg, key, read.Names);
    } else if (read.Key == "\\Ports\\*" || read.Key == "\\Servers\\*") {
      const bool ports = read.Key == "\\Ports\\*";
      const std::string parent = key.substr(0, key.size() - 2);
      for (const std::string& sub : LoadedSubKeys(reg, parent, ports))
        CheckTexts(reg, parent + "\\" + sub, read.Names);
    }
  }
}

}  // namespace

void CheckLoadedValueTypes(const std::string& root) {
  TRegistry reg;
  CheckTypes(reg, root);
}

void CheckLoadedValueTypes(TRegistrySnapshot& file, const std::string& root) {
  CheckTypes(file, root);
}

bool CargaRegistro(TConfiguration& c, TRegistrySnapshot& file, const std::string& root) {
  LoadStation(c, file, root);
  const bool olderFolders = LoadFolders(c, file, root);
  LoadPorts(c, file, root);
  LoadServers(c, file, root);
  return olderFolders;
}

bool CargaRegistro(TConfiguration& c, const std::string& root, TTables tables) {
  bool olderFolders = false;
  {
    TRegistry reg;
    LoadStation(c, reg, root);
    olderFolders = LoadFolders(c, reg, root);
  }
  if (tables == TTables::Now) {
    CargaPuertos(c, root);
    CargaServidores(c, root);
  } else {
    // Nothing that waits for the servers sees those of an earlier load. The
    // ports are read later over the table as it stands, as they would be now.
    c.ServerCount = 0;
    c.PortsPending = c.ServersPending = true;
    c.TablesRoot = root;
  }
  return olderFolders;
}
