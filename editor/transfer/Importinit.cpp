// "Import old INIT.SRV": the station file of an older installation fills
// the window as the sysop could, through the controls, whose change
// handlers carry the texts into ConfigRecord; the servers go straight into
// the server list and ServerTable. Nothing is stored until the sysop saves.
#include "editor/transfer/Importinit.h"

#include <windows.h>
#include <commdlg.h>

#include <fstream>
#include <iterator>
#include <string>

#include "editor/app/Main.h"
#include "editor/config/Encodings.h"
#include "editor/config/Records.h"
#include "editor/transfer/Initsrv.h"
#include "platform/Dialogs.h"

namespace {

// Station lines are in the OEM code page of the DOS era.
void FromOem(std::string& line) {
  if (!line.empty()) OemToCharBuffA(line.data(), line.data(), static_cast<DWORD>(line.size()));
}

void SetBoxes(const std::vector<TCheckBox*>& boxes, int32_t sum,
              const std::vector<int32_t>& weights) {
  const std::vector<bool> on = FlagsOfSum(sum, weights);
  for (std::size_t i = 0; i < boxes.size() && i < on.size(); ++i) boxes[i]->SetChecked(on[i]);
}

void SetSwitch(TCheckBox* box, const std::optional<bool>& on) {
  if (on) box->SetChecked(*on);
}

using TLine = std::optional<std::string> TInitSrv::*;

void SetLines(TForm1& f, const TInitSrv& r,
              std::initializer_list<std::pair<TLine, TEdit* TForm1::*>> lines) {
  for (const auto& [line, edit] : lines)
    if (r.*line) (f.*edit)->SetText(*(r.*line));
}

}  // namespace

void FillFromInitSrv(TForm1& f, const TInitSrv& r) {
  // The lines read straight into a field, in file order...
  SetLines(f, r, {{&TInitSrv::Ssid, &TForm1::Editssid},
                  {&TInitSrv::Locator, &TForm1::Editlocator},
                  {&TInitSrv::Qth, &TForm1::Editciudad},
                  {&TInitSrv::SysOpName, &TForm1::Editsysopnombre},
                  {&TInitSrv::SysOpCallsign, &TForm1::Editsysopindicativo},
                  {&TInitSrv::CopySysOpMessages, &TForm1::Sysopmessage}});
  SetSwitch(f.Log, r.FullLog);
  SetSwitch(f.Indicacioncanales, r.ChannelsIndication);
  SetSwitch(f.Modotest, r.TestMode);
  SetSwitch(f.Datosusuario, r.UserGivesInformation);
  SetLines(f, r, {{&TInitSrv::ZubHeader, &TForm1::Cabecera},
                  {&TInitSrv::MaxBids, &TForm1::Numerobid},
                  {&TInitSrv::BulletinsLifetime, &TForm1::Diasboletines},
                  {&TInitSrv::RouteWpMessages, &TForm1::Wpmessage},
                  {&TInitSrv::ZipCode, &TForm1::Codpostal}});

  // ...then the decoded ones.
  f.Editbbsindicativo->SetText(r.Identity.Callsign);
  f.Edithroute->SetText(r.Identity.Route);
  // The root fills every folder with its default; the folders the old BBS
  // used come after it, as the load sets stored folders, so that they stay.
  f.Directorioraiz->SetText(r.Root);
  SetLines(f, r, {{&TInitSrv::Mail, &TForm1::Directoriomensajes},
                  {&TInitSrv::CompresMail, &TForm1::Directoriomensajesbin},
                  {&TInitSrv::Yapp, &TForm1::Directorioyapp},
                  {&TInitSrv::Docs, &TForm1::Directoriodocs},
                  {&TInitSrv::ImportFile, &TForm1::Ficheroimport}});
  TEdit* const disks[kDiskCount] = {f.Diska, f.Diskb, f.Diskc, f.Diskd,
                                    f.Diske, f.Diskf, f.Diskg, f.Diskh};
  for (std::size_t i = 0; i < r.DiskValues; ++i) disks[i]->SetText(r.Disks[i]);

  f.Editbackui->SetText(r.Unproto.Back);
  f.Editdelayui->SetText(r.Unproto.Delay);
  f.Ackui->SetChecked(r.Unproto.Ack);
  f.Privateui->SetChecked(r.Unproto.Private);
  f.Userui->SetChecked(r.Unproto.User);
  f.Tituloui->SetChecked(r.Unproto.Title);
  for (int column = 0; column < 3; ++column)
    SetBoxes(f.SecurityBoxes(column), r.Security[column], SecurityWeights());
  if (r.ConnectionDisabled) f.Desactivado1->SetChecked(true);
  SetBoxes(f.FirstConnectionBoxes(), r.FirstConnection, FirstConnectionWeights());
  SetBoxes(f.WarningBoxes(), r.Warnings, WarningWeights());
  SetSwitch(f.Forwardzub, r.Forwarding.Switch);
  SetBoxes(f.ForwardingBoxes(), r.Forwarding.Sum, ForwardingWeights());
  SetSwitch(f.Compressforward, r.CompressedForwarding.Switch);
  SetBoxes(f.ResumeBoxes(), r.CompressedForwarding.Sum, ResumeWeights());
  f.Mailbeacon->SetChecked(r.Beacon.Beacon);
  f.Indicativosbaliza->SetText(r.Beacon.Count);
  f.timeoutusuarios->SetText(r.TimeoutUsers);
  f.Timeoutforward->SetText(r.TimeoutForward);
  f.yappmax->SetText(r.YappMax);
  f.modemmax->SetText(r.ModemMax);
  f.buferusuario->SetText(r.BufferUser);
  f.buferconsola->SetText(r.BufferConsole);
  f.bufermonitor->SetText(r.BufferMonitor);

  f.Sendtext->SetFontColor(r.SentText);
  f.Receivedtext->SetFontColor(r.ReceivedText);
  f.Chaninfo->SetFontColor(r.ChannelInfo);
  f.Monhead->SetFontColor(r.MonitorHeader);
  f.Mondata->SetFontColor(r.MonitorData);
  f.Consoletext->SetFontColor(r.ConsoleText);
  for (TLabel* label : {f.Sendtext, f.Receivedtext, f.Chaninfo, f.Monhead, f.Mondata,
                        f.Consoletext})
    label->SetColor(r.Background);
  f.Panel1->SetColor(r.Background);

  // The servers go straight into the table and the list; the fields of the
  // servers page, which show one server, are emptied.
  f.Editaddserver->SetText("");
  f.Editfileserver->SetText("");
  f.Editinfo->SetText("");
  if (ServerTable) {
    ServerCount = 0;
    for (const TInitSrvServer& s : r.Servers) {
      TServerRecord& entry = ServerTable[ServerCount++];
      SetField(entry.Name, s.Name);
      SetField(entry.File, s.File);
      SetField(entry.Description, s.Description);
      SetField(entry.Disabled, "false");
    }
  }
  // A hundred servers in one go: the list redraws and sets its scroll bar
  // once, not once for every server.
  SendMessageA(f.ListBox1->Handle(), WM_SETREDRAW, FALSE, 0);
  f.ShowServerList();
  SendMessageA(f.ListBox1->Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(f.ListBox1->Handle(), nullptr, TRUE);
  ConfigModified = true;
}

bool ImportInitSrv(TForm1& form, const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  FillFromInitSrv(form, ParseInitSrv(file, FromOem));
  return true;
}

void TForm1::MenuimportClick(TObject*) {
  TFileDialogRequest request;
  request.owner = Handle();
  request.title = "Open Init.srv File";
  request.filter = "Init.srv|*.srv";
  request.initialDir = ".";
  request.maxFileName = 300;
  request.flags = OFN_EXPLORER;
  if (!Dialogs().OpenFile(request)) return;
  // A file that cannot be opened imports nothing and says nothing.
  ImportInitSrv(*this, request.fileName);
}
