// A write that fails (a sysop without the right to write below
// HKEY_LOCAL_MACHINE) does not stop the save, but the save then is no
// success: the result names the key, so that the configuration stays marked
// as changed and nobody is told that it changed.
#include "editor/config/Save.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "editor/config/AnsiText.h"
#include "editor/config/Encodings.h"
#include "editor/config/FolderRules.h"
#include "editor/config/Load.h"
#include "editor/config/StoredValues.h"
#include "platform/Registry.h"

// The benchmark builds a copy of this file of its own with
// NODRAX_SAVE_FLUSHING_EACH_KEY, a save that flushes each key as it closes
// it, named apart so that it links beside this one; it is there to compare
// with, and the editor never gets it.
#ifdef NODRAX_SAVE_FLUSHING_EACH_KEY
TSaveResult SaveConfigurationFlushingEachKey(TConfiguration& c, const std::string& root);
#define NODRAX_SAVE_ENTRY SaveConfigurationFlushingEachKey
constexpr bool kFlushOnce = false;
#else
#define NODRAX_SAVE_ENTRY SaveConfiguration
constexpr bool kFlushOnce = true;
#endif

namespace {

const std::string& TextOf(const TConfiguration& c, TStationText field) { return c.Texts.*field; }

// The record field the text mirrors, or the stand-in while the field shows
// nothing.
std::string FieldOr(const TConfiguration& c, TStationText field, const char* whenEmpty) {
  if (whenEmpty && TextOf(c, field).empty()) return whenEmpty;
  return FieldText(c.ConfigRecord, MirroredField(field));
}

// A composed value goes into its record field, cut at the width as every
// field is; the registry gets the whole text, so that an over-long part is
// never stored as a different number.
void Compose(TRegistry& reg, TConfiguration& c, const TStoredValue& v, const std::string& text) {
  if (v.Composed.Width > 0) SetField(c.ConfigRecord, v.Composed, text);
  reg.WriteString(v.Name, text);
}

// Sets each flag word of the group to its weight or 0 and returns their sum,
// which goes into the group's total.
int32_t SetFlags(TConfiguration& c, const TBoxGroup& group) {
  for (std::size_t i = 0; i < group.Count; ++i)
    c.ConfigRecord.*group.Words[i] = FlagWord(c.Boxes.*group.Boxes[i], (*group.Weights)[i]);
  return c.ConfigRecord.*group.Total = group.Sum(c.Boxes);
}

std::string ColourText(uint32_t colour) { return std::to_string(static_cast<int32_t>(colour)); }

void WriteStationValue(TRegistry& reg, TConfiguration& c, const TStoredValue& v) {
  TConfigRecord& r = c.ConfigRecord;
  const TStationBoxes& boxes = c.Boxes;
  switch (v.Encoding) {
    case TEncoding::Identity:
      reg.WriteString(v.Name, FieldText(r.BbsCallsign));
      break;
    case TEncoding::Text:
      reg.WriteString(v.Name, FieldOr(c, v.Texts[0], v.Fixed));
      break;
    case TEncoding::Unproto: {
      SetField(r.Ackui, LetterIf(boxes.Ackui, 'A'));
      SetField(r.Privateui, LetterIf(boxes.Privateui, 'V'));
      SetField(r.Userui, LetterIf(boxes.Userui, 'P'));
      SetField(r.Tituloui, LetterIf(boxes.Tituloui, 'M'));
      TUnproto unproto;
      unproto.Back = FieldText(r.Editbackui);
      unproto.Delay = FieldText(r.Editdelayui);
      unproto.Ack = !FieldEmpty(r.Ackui);
      unproto.Private = !FieldEmpty(r.Privateui);
      unproto.User = !FieldEmpty(r.Userui);
      unproto.Title = !FieldEmpty(r.Tituloui);
      reg.WriteString(v.Name, ComposeUnproto(unproto));
      break;
    }
    case TEncoding::FirstConnection: {
      const int32_t total = SetFlags(c, FirstConnectionBoxes());
      reg.WriteString(v.Name, boxes.Desactivado1 ? "0" : std::to_string(total));
      break;
    }
    case TEncoding::Security: {
      int32_t totals[3];
      for (int column = 0; column < 3; ++column) totals[column] = SetFlags(c, SecurityBoxes(column));
      Compose(reg, c, v, ComposeSecurityOptions(totals[0], totals[1], totals[2]));
      break;
    }
    case TEncoding::Sum:
      reg.WriteString(v.Name, std::to_string(SetFlags(c, v.Group())));
      break;
    case TEncoding::SwitchAndSum: {
      SetField(r, v.Letter, SwitchText(boxes.*v.Box));
      const int32_t total = SetFlags(c, v.Group());
      Compose(reg, c, v, ComposeSwitchAndSum(boxes.*v.Box, total));
      break;
    }
    case TEncoding::Switch:
      SetField(r, v.Letter, SwitchText(boxes.*v.Box));
      reg.WriteString(v.Name, FieldText(r, v.Letter));
      break;
    case TEncoding::MailBeacon:
      SetField(r.Mailbeacon, LetterIf(boxes.Mailbeacon, 'B'));
      Compose(reg, c, v,
              ComposeCallsignsInMailBeacon(!FieldEmpty(r.Mailbeacon), FieldText(r.Indicativosbaliza)));
      break;
    case TEncoding::CopySysOp:
      reg.WriteString(v.Name, FieldOr(c, v.Texts[0], kNoSysopCopy.data()));
      break;
    case TEncoding::TwoSpaced: {
      std::vector<std::string> parts;
      for (std::size_t i = 0; i < v.TextCount; ++i) parts.push_back(FieldOr(c, v.Texts[i], "0"));
      std::string joined;
      for (const std::string& part : parts) joined += (joined.empty() ? "" : "  ") + ZeroIfEmpty(part);
      Compose(reg, c, v, joined);
      break;
    }
    case TEncoding::Constant:
      reg.WriteString(v.Name, v.Fixed);
      break;
    case TEncoding::Hroute:
      reg.WriteString(v.Name, "OK");
      break;
    case TEncoding::Colour:
      reg.WriteString(v.Name, ColourText(c.Colours.*v.Colour));
      break;
    case TEncoding::Folder:
    case TEncoding::Disks:
      break;
  }
}

// The folders of one save share their upper levels (the root, the data
// folder): each is asked for once per save.
class TFolderMaker {
 public:
  void Create(const std::string& path, bool mailSubfolders) {
    // A folder named through a variable is made where the variable points;
    // one that names a variable that is not set is not made at all, never
    // under a folder literally called "%NAME%".
    const std::optional<std::string> expanded = ExpandVariables(path);
    if (!expanded) return;
    for (const std::string& folder : FoldersToCreate(*expanded, mailSubfolders)) {
      if (!made_.insert(Capitals(folder)).second) continue;
      CreateDirectoryA(folder.c_str(), nullptr);  // an existing folder is no error
    }
  }

 private:
  std::set<std::string> made_;
};

const TStationText kDisks[kDiskCount] = {
    &TStationTexts::Diska, &TStationTexts::Diskb, &TStationTexts::Diskc, &TStationTexts::Diskd,
    &TStationTexts::Diske, &TStationTexts::Diskf, &TStationTexts::Diskg, &TStationTexts::Diskh};

const TStoredValue& FolderOf(TStationText text) {
  for (const TStoredValue& v : FolderValues())
    if (v.TextCount > 0 && v.Texts[0] == text) return v;
  return FolderValues().front();
}

// Returns false when the virtual disks could not be stored.
bool WriteFolders(TRegistry& reg, TConfiguration& c, const std::string& root) {
  if (!reg.OpenKey(KeyBelow(root, kFoldersKey), true)) return true;
  TConfigRecord& r = c.ConfigRecord;
  if (!c.Texts.Directorioraiz.empty()) {
    TFolderMaker folders;
    for (const TStoredValue& v : FolderValues()) {
      if (v.Encoding != TEncoding::Folder) continue;
      // A folder on a page stores its record field; one that only the root
      // gives has no field on a page.
      const std::string path = v.TextCount > 0 ? FieldText(r, MirroredField(v.Texts[0]))
                                               : FieldText(r, v.Composed);
      // A folder given through a %VARIABLE% stays one for whoever reads it
      // (the BBS, the Control Panel item), as the sysop or an installer
      // stored it.
      if (HoldsVariable(path))
        reg.WriteExpandString(v.Name, path);
      else
        reg.WriteString(v.Name, path);
      if (v.MakesFolder) folders.Create(path, v.MailFolder);
    }
  } else {
    // Without a root the stored folders stay, but for those that follow it.
    for (TStationText text : FoldersEmptiedWithoutRoot()) reg.WriteString(FolderOf(text).Name, "");
  }

  TDisks disks;
  for (std::size_t i = 0; i < kDiskCount; ++i) {
    const TRecordField field = MirroredField(kDisks[i]);
    if (TextOf(c, kDisks[i]).empty()) SetField(r, field, "*");
    disks[i] = FieldText(r, field);
  }
  const std::optional<std::string> usersPub = JoinUsersPub(disks);
  // A "," inside a disk's folder would split it into two disks at the next
  // load and move every later disk up one place: such a list is not stored.
  const auto& values = FolderValues();
  for (const TStoredValue& v : values)
    if (v.Encoding == TEncoding::Disks && usersPub) reg.WriteString(v.Name, *usersPub);

  // The older names go, the disks' first, in the order every save before
  // this table removed them.
  for (auto v = values.rbegin(); v != values.rend(); ++v)
    if (v->OlderName && reg.ValueExists(v->OlderName)) reg.DeleteValue(v->OlderName);
  reg.CloseKey();
  return usersPub.has_value();
}

// With an empty root the save keeps the stored folders as they are; when
// they are stored under the older key alone, deleting that key would lose
// them, so they move to Folders first (never over a value Folders has).
void CarryOverOlderFolders(TRegistry& reg, const std::string& root) {
  std::vector<std::pair<std::string, std::string>> older;
  if (reg.OpenKeyReadOnly(KeyBelow(root, kDirectoriesKey))) {
    for (const TStoredValue& v : FolderValues()) {
      if (v.Encoding != TEncoding::Folder || v.EmptiedWithoutRoot) continue;
      if (!reg.ValueExists(v.Name)) continue;
      try {
        older.emplace_back(v.Name, reg.ReadString(v.Name));
      } catch (const ERegistryException&) {
        // not a text: nothing the editor could have stored
      }
    }
    reg.CloseKey();
  }
  if (older.empty() || !reg.OpenKey(KeyBelow(root, kFoldersKey), true)) return;
  for (const auto& [name, text] : older)
    if (!reg.ValueExists(name)) reg.WriteString(name, text);
  reg.CloseKey();
}

void WriteServers(TRegistry& reg, TConfiguration& c, const std::string& root) {
  for (int i = 0; i < c.ServerCount && i < kServerCount; ++i) {
    TServerRecord& server = c.ServerTable[i];
    // Without a name the values would land in the Servers key itself.
    if (FieldEmpty(server.Name)) continue;
    // Creating the server's key creates Servers with it.
    if (!reg.OpenKey(KeyBelow(root, kServersKey) + "\\" + FieldText(server.Name), true)) continue;
    for (const TServerValue& v : ServerValues()) {
      if (v.Capitals) SetField(server, v.Field, Capitals(FieldText(server, v.Field)));
      reg.WriteString(v.Name, FieldText(server, v.Field));
    }
    reg.CloseKey();
  }
}

void WritePorts(TRegistry& reg, TConfiguration& c, const std::string& root) {
  const std::string portsKey = KeyBelow(root, kPortsKey);
  const std::string port0 = portsKey + "\\Port0";
  if (reg.OpenKey(portsKey, true)) {
    if (!reg.KeyExists(port0) && reg.OpenKey(port0, true)) {
      for (const auto& [name, text] : Port0Values()) reg.WriteString(name, text);
    }
    reg.CloseKey();
  }

  for (int i = 0; i < kPortCount; ++i) {
    TPortRecord& port = c.PortTable[i];
    const std::string key = portsKey + "\\" + PortKeyName(i);
    // Ports itself was made with Port0 above.
    if (PortInUse(port)) {
      if (reg.OpenKey(key, true)) {
        for (const TPortValue& v : PortValues()) {
          switch (v.Encoding) {
            case TPortEncoding::Text:
              reg.WriteString(v.Name, OrDefault(FieldText(port, v.Field), v.Default));
              break;
            case TPortEncoding::FwdPeriode:
              reg.WriteString(v.Name, ComposeFwdPeriode(FieldText(port.Fwdminute),
                                                        FieldText(port.Fwdperiodo)));
              break;
            case TPortEncoding::Mode: {
              const TPortMode mode{FieldText(port.Unprotos), FieldText(port.Yapp),
                                   FieldText(port.Gateway), FieldText(port.Rdonly),
                                   FieldText(port.Tipopuerto)};
              SetField(port.Mode,
                       mode.Unprotos + mode.Yapp + mode.Gateway + mode.Rdonly + mode.Tipopuerto);
              reg.WriteString(v.Name, ComposePortMode(mode));
              break;
            }
          }
        }
      }
    } else if (reg.KeyExists(key)) {
      reg.DeleteKey(key);
    }
    reg.CloseKey();
  }
}

}  // namespace

TSaveResult NODRAX_SAVE_ENTRY(TConfiguration& c, const std::string& root) {
  TSaveResult result;
  TRegistry reg;
  reg.SetFlushOnClose(!kFlushOnce);

  const bool configOpen = reg.OpenKey(KeyBelow(root, kConfigKey), true);
  // The identity is checked even when Config cannot be opened: nothing is
  // stored for a BBS without a callsign and a route.
  if (c.Texts.Editbbsindicativo.empty()) return {TSaveOutcome::NoCallsign, {}};
  if (c.Texts.Edithroute.empty()) return {TSaveOutcome::NoRoute, {}};
  // Tables the editor's start left for later are written back as a load
  // takes them: read before this save writes anything.
  PortsNeeded(c);
  ServersNeeded(c);
  if (configOpen) {
    for (const TStoredValue& v : ConfigValues()) WriteStationValue(reg, c, v);
    reg.CloseKey();
  }
  WriteServers(reg, c, root);
  const bool disksStored = WriteFolders(reg, c, root);
  const std::string directories = KeyBelow(root, kDirectoriesKey);
  if (reg.KeyExists(directories)) {
    if (c.Texts.Directorioraiz.empty()) CarryOverOlderFolders(reg, root);
    reg.DeleteKey(directories);
  }
  WritePorts(reg, c, root);
  if (kFlushOnce) reg.Flush();

  if (reg.Failed())
    result.Failure = "The configuration was not saved completely: " + FailedWriteText(reg);
  if (!disksStored) {
    if (!result.Failure.empty()) result.Failure += "\n\n";
    result.Failure += "The virtual disks were not saved in HKEY_LOCAL_MACHINE\\" +
                      KeyBelow(root, kFoldersKey).substr(1) +
                      ": a disk folder holding \",\" cannot be stored in UsersPub.";
  }
  if (!result.Failure.empty()) result.Outcome = TSaveOutcome::WriteFailed;
  return result;
}

#ifndef NODRAX_SAVE_FLUSHING_EACH_KEY
void WriteCarriedOverSettings(const TCarriedOverSettings& settings, const std::string& root) {
  TRegistry reg;
  for (const char* path : CarriedKeyWriteOrder()) {
    for (const TCarriedKey& key : CarriedKeys()) {
      if (std::string(key.Path) != path) continue;
      if (!reg.OpenKey(root + path, true)) break;
      for (const char* name : key.WriteOrder) {
        for (const TCarriedValue& v : key.Values) {
          if (std::string(v.Name) != name) continue;
          if (v.Number)
            reg.WriteInteger(v.Name, settings.*v.Number);
          else
            reg.WriteString(v.Name, settings.*v.Text);
        }
      }
      reg.CloseKey();
    }
  }
}

std::string FailedWriteText(const TRegistry& reg) {
  return "writing to HKEY_LOCAL_MACHINE\\" + reg.FailureKey() + " failed.\n" + reg.FailureText();
}
#endif
