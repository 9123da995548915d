#include "editor/transfer/InitSrvImport.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "editor/config/Configuration.h"
#include "editor/config/Document.h"
#include "editor/config/Encodings.h"
#include "editor/transfer/Initsrv.h"

namespace {

using T = TStationTexts;

// Station lines are in the OEM code page of the DOS era.
void FromOem(std::string& line) {
  if (!line.empty()) OemToCharBuffA(line.data(), line.data(), static_cast<DWORD>(line.size()));
}

void SetSwitch(TConfiguration& c, TStationBox box, const std::optional<bool>& on) {
  if (on) c.Boxes.*box = *on;
}

using TLine = std::optional<std::string> TInitSrv::*;

void SetLines(TConfiguration& c, const TInitSrv& r,
              std::initializer_list<std::pair<TLine, TStationText>> lines) {
  for (const auto& [line, text] : lines)
    if (r.*line) c.SetText(text, *(r.*line));
}

bool Blank(const std::string& line) {
  return line.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

void FillFromInitSrv(TConfiguration& c, const TInitSrv& r) {
  // The lines read straight into a field, in file order...
  SetLines(c, r, {{&TInitSrv::Ssid, &T::Editssid},
                  {&TInitSrv::Locator, &T::Editlocator},
                  {&TInitSrv::Qth, &T::Editciudad},
                  {&TInitSrv::SysOpName, &T::Editsysopnombre},
                  {&TInitSrv::SysOpCallsign, &T::Editsysopindicativo},
                  {&TInitSrv::CopySysOpMessages, &T::Sysopmessage}});
  SetSwitch(c, &TStationBoxes::Log, r.FullLog);
  SetSwitch(c, &TStationBoxes::Indicacioncanales, r.ChannelsIndication);
  SetSwitch(c, &TStationBoxes::Modotest, r.TestMode);
  SetSwitch(c, &TStationBoxes::Datosusuario, r.UserGivesInformation);
  SetLines(c, r, {{&TInitSrv::ZubHeader, &T::Cabecera},
                  {&TInitSrv::MaxBids, &T::Numerobid},
                  {&TInitSrv::BulletinsLifetime, &T::Diasboletines},
                  {&TInitSrv::RouteWpMessages, &T::Wpmessage},
                  {&TInitSrv::ZipCode, &T::Codpostal}});

  // ...then the decoded ones.
  c.SetText(&T::Editbbsindicativo, r.Identity.Callsign);
  c.SetText(&T::Edithroute, r.Identity.Route);
  // The root fills every folder with its default; the folders the old BBS
  // used come after it, as the load sets stored folders, so that they stay.
  // A blank folder line names no folder: the one the root gave stays.
  c.SetText(&T::Directorioraiz, r.Root);
  for (const auto& [line, text] :
       {std::pair<TLine, TStationText>{&TInitSrv::Mail, &T::Directoriomensajes},
        {&TInitSrv::CompresMail, &T::Directoriomensajesbin},
        {&TInitSrv::Yapp, &T::Directorioyapp},
        {&TInitSrv::Docs, &T::Directoriodocs}})
    if (r.*line && !Blank(*(r.*line))) c.SetText(text, *(r.*line));
  SetLines(c, r, {{&TInitSrv::ImportFile, &T::Ficheroimport}});
  const TStationText disks[kDiskCount] = {&T::Diska, &T::Diskb, &T::Diskc, &T::Diskd,
                                          &T::Diske, &T::Diskf, &T::Diskg, &T::Diskh};
  for (std::size_t i = 0; i < r.DiskValues; ++i) c.SetText(disks[i], r.Disks[i]);

  TStationBoxes& b = c.Boxes;
  c.SetText(&T::Editbackui, r.Unproto.Back);
  c.SetText(&T::Editdelayui, r.Unproto.Delay);
  b.Ackui = r.Unproto.Ack;
  b.Privateui = r.Unproto.Private;
  b.Userui = r.Unproto.User;
  b.Tituloui = r.Unproto.Title;
  for (int column = 0; column < 3; ++column) SecurityBoxes(column).Tick(b, r.Security[column]);
  if (r.ConnectionDisabled) b.Desactivado1 = true;
  FirstConnectionBoxes().Tick(b, r.FirstConnection);
  WarningBoxes().Tick(b, r.Warnings);
  SetSwitch(c, &TStationBoxes::Forwardzub, r.Forwarding.Switch);
  ForwardingBoxes().Tick(b, r.Forwarding.Sum);
  SetSwitch(c, &TStationBoxes::Compressforward, r.CompressedForwarding.Switch);
  ResumeBoxes().Tick(b, r.CompressedForwarding.Sum);
  b.Mailbeacon = r.Beacon.Beacon;
  c.SetText(&T::Indicativosbaliza, r.Beacon.Count);
  c.SetText(&T::timeoutusuarios, r.TimeoutUsers);
  c.SetText(&T::Timeoutforward, r.TimeoutForward);
  c.SetText(&T::yappmax, r.YappMax);
  c.SetText(&T::modemmax, r.ModemMax);
  c.SetText(&T::buferusuario, r.BufferUser);
  c.SetText(&T::buferconsola, r.BufferConsole);
  c.SetText(&T::bufermonitor, r.BufferMonitor);

  TConsoleColours& colours = c.Colours;
  colours.Sendtext = r.SentText;
  colours.Receivedtext = r.ReceivedText;
  colours.Chaninfo = r.ChannelInfo;
  colours.Monhead = r.MonitorHeader;
  colours.Mondata = r.MonitorData;
  colours.Consoletext = r.ConsoleText;
  colours.Background = r.Background;

  // The servers replace the list; entries beyond them are not in use.
  c.ServerCount = 0;
  c.ServersPending = false;
  for (const TInitSrvServer& s : r.Servers) {
    TServerRecord& entry = c.ServerTable[c.ServerCount++];
    SetField(entry.Name, s.Name);
    SetField(entry.File, s.File);
    SetField(entry.Description, s.Description);
    SetField(entry.Disabled, "false");
  }
}

bool ImportInitSrv(TDocument& document, const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  FillFromInitSrv(document.Config(), ParseInitSrv(file, FromOem));
  document.Changed();
  return true;
}
