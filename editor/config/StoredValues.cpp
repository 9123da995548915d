#include "editor/config/StoredValues.h"

#include <cstring>
#include <utility>

namespace {

using T = TStationTexts;
using B = TStationBoxes;
using C = TConsoleColours;

constexpr TRecordField kNowhere{0, 0};

TStoredValue Row(const char* name, TEncoding encoding) {
  TStoredValue v{};
  v.Name = name;
  v.Encoding = encoding;
  v.Letter = kNowhere;
  v.Composed = kNowhere;
  v.Loaded = true;
  return v;
}

TStoredValue Text(const char* name, TStationText text, const char* whenEmpty = nullptr) {
  TStoredValue v = Row(name, TEncoding::Text);
  v.Texts[0] = text;
  v.TextCount = 1;
  v.Fixed = whenEmpty;
  return v;
}

TStoredValue Composed(TStoredValue v, TRecordField field) {
  v.Composed = field;
  return v;
}

TStoredValue Parts(const char* name, TEncoding encoding, std::initializer_list<TStationText> texts,
                   TRecordField composed) {
  TStoredValue v = Composed(Row(name, encoding), composed);
  for (TStationText t : texts) v.Texts[v.TextCount++] = t;
  return v;
}

TStoredValue Switch(const char* name, TStationBox box, TRecordField letter, bool loaded = true) {
  TStoredValue v = Row(name, TEncoding::Switch);
  v.Box = box;
  v.Letter = letter;
  v.Loaded = loaded;
  return v;
}

TStoredValue Sum(const char* name, TBoxGroup (*group)()) {
  TStoredValue v = Row(name, TEncoding::Sum);
  v.Group = group;
  return v;
}

TStoredValue SwitchAndSum(const char* name, TStationBox box, TRecordField letter,
                          TBoxGroup (*group)(), TRecordField composed) {
  TStoredValue v = Composed(Row(name, TEncoding::SwitchAndSum), composed);
  v.Box = box;
  v.Letter = letter;
  v.Group = group;
  return v;
}

TStoredValue Colour(const char* name, TConsoleColour colour) {
  TStoredValue v = Row(name, TEncoding::Colour);
  v.Colour = colour;
  return v;
}

TStoredValue Constant(const char* name, const char* text) {
  TStoredValue v = Row(name, TEncoding::Constant);
  v.Fixed = text;
  v.Loaded = false;
  return v;
}

TStoredValue Folder(const char* name, TStationText text, bool makesFolder = true) {
  TStoredValue v = Text(name, text);
  v.Encoding = TEncoding::Folder;
  v.MakesFolder = makesFolder;
  return v;
}

TStoredValue MailFolder(const char* name, TStationText text) {
  TStoredValue v = Folder(name, text);
  v.MailFolder = true;
  return v;
}

TStoredValue Older(TStoredValue v, const char* olderName) {
  v.OlderName = olderName;
  return v;
}

// A folder that only the root gives: stored, never read.
TStoredValue RootFolder(const char* name, TRecordField field) {
  TStoredValue v = Row(name, TEncoding::Folder);
  v.Composed = field;
  v.MakesFolder = true;
  v.Loaded = false;
  return v;
}

TStoredValue Emptied(TStoredValue v) {
  v.EmptiedWithoutRoot = true;
  return v;
}

#define FIELD NODRAX_RECORD_FIELD

}  // namespace

const std::vector<TStoredValue>& ConfigValues() {
  static const std::vector<TStoredValue> values = {
      Row("BbsCallsign", TEncoding::Identity),
      Text("SSID", &T::Editssid, "0"),
      Text("Locator", &T::Editlocator),
      Text("Qth", &T::Editciudad),
      Text("ZipCode", &T::Codpostal),
      Text("SysOpCallsign", &T::Editsysopindicativo),
      Text("SysOpName", &T::Editsysopnombre),
      Parts("Unproto", TEncoding::Unproto, {&T::Editbackui, &T::Editdelayui}, kNowhere),
      Row("FirstConOptions", TEncoding::FirstConnection),
      Composed(Row("SecurityOptions", TEncoding::Security), FIELD(SecurityOptions)),
      Sum("WarningMessages", WarningBoxes),
      SwitchAndSum("ForwardTypeZub", &B::Forwardzub, FIELD(Forwardzub), ForwardingBoxes,
                   FIELD(ForwardTypeZub)),
      SwitchAndSum("ForwardResume", &B::Compressforward, FIELD(Compressforward), ResumeBoxes,
                   FIELD(ForwardResume)),
      Switch("TestMode", &B::Modotest, FIELD(TestMode)),
      Switch("FullLog", &B::Log, FIELD(FullLog)),
      Switch("ChannelsIndication", &B::Indicacioncanales, FIELD(ChannelsIndication)),
      // The load takes the box from Hroute instead.
      Switch("UserGivesInformation", &B::Datosusuario, FIELD(UserGivesInformation), false),
      Parts("CallsignsInMailBeacon", TEncoding::MailBeacon, {&T::Indicativosbaliza},
            FIELD(CallsignsInMailBeacon)),
      Text("MaxBids", &T::Numerobid, "0"),
      Parts("CopySysOpMessages", TEncoding::CopySysOp, {&T::Sysopmessage}, kNowhere),
      Text("RouteWpMessages", &T::Wpmessage),
      Text("ZubHeader", &T::Cabecera, "[$c] ZUB$E $$:$R"),
      Parts("Timeout", TEncoding::TwoSpaced, {&T::timeoutusuarios, &T::Timeoutforward},
            FIELD(Timeout)),
      Text("BulletinsLifetime", &T::Diasboletines, "0"),
      Parts("MaxDownloadYapp", TEncoding::TwoSpaced, {&T::yappmax, &T::modemmax},
            FIELD(MaxDownloadYapp)),
      Parts("ScrollBuffers", TEncoding::TwoSpaced,
            {&T::buferusuario, &T::buferconsola, &T::bufermonitor}, FIELD(ScrollBuffers)),
      Constant("TFPCInterrupt", "FF"),
      [] {
        TStoredValue v = Row("Hroute", TEncoding::Hroute);
        v.Box = &B::Datosusuario;
        return v;
      }(),
      Colour("SentTextColor", &C::Sendtext),
      Colour("ReceivedTextColor", &C::Receivedtext),
      Colour("ChannelInfColor", &C::Chaninfo),
      Colour("MonitorHeaderColor", &C::Monhead),
      Colour("MonitorDataColor", &C::Mondata),
      Colour("ConsoleTextColor", &C::Consoletext),
      Colour("WindowBackgroundColor", &C::Background),
  };
  return values;
}

const std::vector<TStoredValue>& FolderValues() {
  static const std::vector<TStoredValue> values = {
      Emptied(Folder("ZubRoot", &T::Directorioraiz)),
      Emptied(Folder("Data", &T::Directoriodata)),
      Emptied(Older(Folder("Config", &T::Directorioconfig), "System")),
      Emptied(Folder("Yapp", &T::Directorioyapp)),
      Emptied(Folder("Docs", &T::Directoriodocs)),
      Emptied(Folder("ImportFile", &T::Ficheroimport, false)),
      Folder("Filters", &T::Filtersdir),
      Folder("Servers", &T::Serversdir),
      Folder("Pg", &T::Pgdir),
      Folder("Drivers", &T::Driversdir),
      RootFolder("Sounds", FIELD(Sounds)),
      RootFolder("Lang", FIELD(Lang)),
      RootFolder("Log", FIELD(Log)),
      RootFolder("Sat", FIELD(Sat)),
      RootFolder("Wp", FIELD(Wp)),
      RootFolder("OldMail", FIELD(OldMail)),
      RootFolder("Fwd", FIELD(Fwd)),
      Emptied(MailFolder("Mail", &T::Directoriomensajes)),
      Emptied(MailFolder("CompresMail", &T::Directoriomensajesbin)),
      Older(Row("UsersPub", TEncoding::Disks), "ZubDos"),
  };
  return values;
}

const std::vector<TStationText>& FoldersEmptiedWithoutRoot() {
  static const std::vector<TStationText> order = {
      &T::Directoriomensajes, &T::Directoriomensajesbin, &T::Directorioraiz,
      &T::Directorioconfig,   &T::Directorioyapp,        &T::Directoriodocs,
      &T::Directoriodata,     &T::Ficheroimport};
  return order;
}

#undef FIELD

// ---------------------------------------------------------------------------
// Ports and servers.

const std::vector<TPortValue>& PortValues() {
#define P(name, def) TPortValue{#name, TPortEncoding::Text, NODRAX_PORT_FIELD(name), def}
  static const std::vector<TPortValue> values = {
      P(Com, "0"),
      // Never empty when written: a port without a driver has no key.
      P(Driver, ""),
      P(HexAddress, "0"),
      P(BaudRate, "0"),
      P(NumChannels, "3"),
      P(Canal, "1"),
      P(Paclen, "80"),
      P(MaxFrame, "3"),
      P(NumFwdChannels, "0"),
      P(MaxBlock, "10"),
      P(Disabled, "false"),
      TPortValue{"FwdPeriode", TPortEncoding::FwdPeriode, {0, 0}, nullptr},
      TPortValue{"Mode", TPortEncoding::Mode, NODRAX_PORT_FIELD(Mode), "G"},
      P(Label, "Default"),
  };
#undef P
  return values;
}

const std::vector<std::pair<const char*, const char*>>& Port0Values() {
  static const std::vector<std::pair<const char*, const char*>> values = {
      {"Com", "0"},        {"Driver", "0"},         {"HexAddress", "0"}, {"BaudRate", "0"},
      {"NumChannels", "0"}, {"Canal", "0"},          {"Paclen", "0"},     {"MaxFrame", "0"},
      {"NumFwdChannels", "0"}, {"MaxBlock", "0"},    {"FwdPeriode", "00/01"},
      {"Mode", "----"},    {"Label", "File-fwd."},  {"Disabled", "false"}};
  return values;
}

const std::vector<TServerValue>& ServerValues() {
  static const std::vector<TServerValue> values = {
      {"File", NODRAX_FIELD_PLACE(TServerRecord, File), true},
      {"Description", NODRAX_FIELD_PLACE(TServerRecord, Description), false},
      {"Disabled", NODRAX_FIELD_PLACE(TServerRecord, Disabled), false},
  };
  return values;
}

// ---------------------------------------------------------------------------
// The keys carried over.

const std::vector<TCarriedKey>& CarriedKeys() {
  using S = TCarriedOverSettings;
  auto number = [](const char* name, int32_t S::*field) {
    return TCarriedValue{name, field, nullptr, 0};
  };
  auto text = [](const char* name, std::string S::*field, std::size_t width) {
    return TCarriedValue{name, nullptr, field, width};
  };
  static const std::vector<TCarriedKey> keys = {
      {"\\Options",
       {number("AskBeforeClose", &S::AskBeforeClose), number("DispInpExp", &S::DispInpExp),
        number("Gateway", &S::Gateway), number("Justify", &S::Justify),
        number("MinSysTray", &S::MinSysTray), number("Separators", &S::Separators),
        number("SplashScreen", &S::SplashScreen), number("SysopRing", &S::SysopRing)},
       {"AskBeforeClose", "DispInpExp", "Gateway", "Justify", "MinSysTray", "Separators",
        "SplashScreen", "SysopRing"}},
      {"\\Sounds\\Connection",
       {number("Delay", &S::ConnectionDelay), number("Enabled", &S::ConnectionEnabled),
        number("Repeat", &S::ConnectionRepeat), text("File", &S::ConnectionFile, 100)},
       {"File", "Delay", "Repeat", "Enabled"}},
      {"\\Sounds\\SysopCall",
       {number("Delay", &S::SysopCallDelay), number("Enabled", &S::SysopCallEnabled),
        number("Repeat", &S::SysopCallRepeat), text("File", &S::SysopCallFile, 100)},
       {"File", "Delay", "Repeat", "Enabled"}},
      {"\\HouseKeeping",
       {number("Activated", &S::Activated), number("ClrUser", &S::ClrUser),
        number("EpurMess", &S::EpurMess), number("EpurWP", &S::EpurWP), number("Hour", &S::Hour),
        number("MaintInf", &S::MaintInf), number("PostCmd", &S::PostCmd),
        number("PreCmd", &S::PreCmd), text("PostCmdFile", &S::PostCmdFile, 50),
        text("PreCmdFile", &S::PreCmdFile, 50), text("ReportClrUser", &S::ReportClrUser, 50),
        text("ReportEpurMess", &S::ReportEpurMess, 50),
        text("ReportEpurWP", &S::ReportEpurWP, 50),
        text("ReportMaintInf", &S::ReportMaintInf, 50), text("BadFwdT", &S::BadFwdT, 100),
        text("BadRouT", &S::BadRouT, 100), number("ArchBull", &S::ArchBull),
        number("ArchOldFmt", &S::ArchOldFmt), number("ArchPers", &S::ArchPers),
        number("BadFwdD", &S::BadFwdD), number("BadRouD", &S::BadRouD), number("PN2X", &S::PN2X),
        number("PY2X", &S::PY2X), number("PF2K", &S::PF2K), number("PY2K", &S::PY2K),
        number("PK2A", &S::PK2A), number("BN2X", &S::BN2X), number("BS2X", &S::BS2X),
        number("BY2X", &S::BY2X), number("BF2X", &S::BF2X), number("BX2K", &S::BX2K),
        number("BK2A", &S::BK2A), number("MaxRetLines", &S::MaxRetLines)},
       {"Activated", "ClrUser", "EpurMess", "EpurWP", "Hour", "MaintInf", "PostCmd", "PreCmd",
        "PreCmdFile", "PostCmdFile", "ReportClrUser", "ReportEpurMess", "ReportEpurWP",
        "ReportMaintInf", "ArchBull", "ArchOldFmt", "ArchPers", "BadFwdD", "BadRouD", "BadFwdT",
        "BadRouT", "PN2X", "PY2X", "PF2K", "PY2K", "PK2A", "BN2X", "BS2X", "BY2X", "BF2X",
        "BX2K", "BK2A", "MaxRetLines"}},
  };
  return keys;
}

const std::vector<const char*>& CarriedKeyWriteOrder() {
  static const std::vector<const char*> order = {"\\HouseKeeping", "\\Options",
                                                 "\\Sounds\\Connection", "\\Sounds\\SysopCall"};
  return order;
}

// ---------------------------------------------------------------------------

std::vector<TReadValues> ReadValueTable() {
  auto texts = [](const char* key, const std::vector<TStoredValue>& values) {
    TReadValues read{key, {}, false};
    for (const TStoredValue& v : values) {
      if (!v.Loaded) continue;
      read.Names.push_back(v.Name);
      if (v.OlderName) read.Names.push_back(v.OlderName);
    }
    return read;
  };
  std::vector<TReadValues> table = {texts("\\Config", ConfigValues()),
                                    texts("\\Folders", FolderValues()),
                                    texts("\\Directories", FolderValues())};
  TReadValues ports{"\\Ports\\*", {}, false};
  for (const TPortValue& v : PortValues()) ports.Names.push_back(v.Name);
  table.push_back(ports);
  TReadValues servers{"\\Servers\\*", {}, false};
  for (const TServerValue& v : ServerValues()) servers.Names.push_back(v.Name);
  table.push_back(servers);
  for (const TCarriedKey& key : CarriedKeys()) {
    TReadValues numbers{key.Path, {}, true}, strings{key.Path, {}, false};
    for (const TCarriedValue& v : key.Values) (v.Number ? numbers : strings).Names.push_back(v.Name);
    for (TReadValues* part : {&numbers, &strings})
      if (!part->Names.empty()) table.push_back(*part);
  }
  return table;
}
