#include "editor/app/Main.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <stdexcept>

#include "editor/app/About.h"
#include "editor/app/Primeravez.h"
#include "editor/config/Cargaregistro.h"
#include "editor/config/Encodings.h"
#include "editor/config/FolderRules.h"
#include "editor/config/Numbers.h"
#include "editor/config/Records.h"
#include "editor/config/RegistryKeys.h"
#include "editor/config/Save.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"

const char* const kEditorVersion = "1.5.3";
bool ConfigModified = false;
bool RegistryLoading = false;
UINT ZubcfgNotifyMessage = 0;
std::string CommandTail;
TForm1* Form1 = nullptr;

namespace {
const char* const kCaption = "Nodraxcfg";

// The record fields follow the screen; after "No" at the close question the
// records are gone and nothing may follow any more.
template <std::size_t N>
void Mirror(char (TConfigRecord::*field)[N], const TEdit* edit) {
  if (ConfigRecord) SetField(ConfigRecord->*field, edit->Text());
}
template <std::size_t N>
void SetRecord(char (TConfigRecord::*field)[N], const std::string& text) {
  if (ConfigRecord) SetField(ConfigRecord->*field, text);
}
// A folder derived from another goes into its control cut at its field's
// width, as a loaded one does: a long root must not show a folder longer
// than the one the save stores.
template <std::size_t N>
void ShowDerived(TEdit* edit, char (TConfigRecord::*)[N], const std::string& text) {
  edit->SetText(text.substr(0, N - 1));
}
}  // namespace

TForm1::TForm1()
    : TForm("TForm1", "Form1", 396, 407, TFormStyle{true, true, false}) {
  Form1 = this;
  IsMainForm = true;
  LocalClock = [] {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
  };
  Bevel1 = Make<TLabel>(this, "Bevel1", "");
  SetWindowLongPtrA(Bevel1->Handle(), GWL_STYLE,
                    GetWindowLongPtrA(Bevel1->Handle(), GWL_STYLE) | SS_ETCHEDHORZ);
  Bevel1->SetBounds(0, 0, 396, 1);
  BuildMenu();
  BuildPages();
  StatusBar1 = Make<TStatusBar>(this, "StatusBar1", std::vector<int>{280, 50});
  StatusBar1->SetPanelCentered(1, true);
  Pagina->SetActivePage(Hojageneral);

  OnShow = [this](TObject* s) { FormShow(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
  OnCloseQuery = [this](TObject* s, bool& can) { FormCloseQuery(s, can); };

  Timer1 = std::make_unique<TTimer>("Timer1", 1000);
  Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };
  Timer1->SetEnabled(true);
}

TForm1::~TForm1() {
  if (Timer1) Timer1->SetEnabled(false);
  // Children before their parents: the reverse of the order of creation.
  while (!owned_.empty()) owned_.pop_back();
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::BuildMenu() {
  auto root = std::make_unique<TMenuItem>("MainMenu1", "");
  TMenuItem* file = root->Add(std::make_unique<TMenuItem>("Menufile", "&File"));
  auto item = [&](const char* name, const char* caption, void (TForm1::*handler)(TObject*)) {
    TMenuItem* it = file->Add(std::make_unique<TMenuItem>(name, caption));
    if (handler)
      it->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
    else
      it->SetEnabled(false);  // its part of the editor is not there yet
    return it;
  };
  item("Menuimport", "&Import old INIT.SRV", &TForm1::MenuimportClick);
  item("Importsys", "I&mport old PORT(S).SYS", &TForm1::ImportsysClick);
  item("N1", "-", nullptr);
  item("ReloadRegistry1", "&Reload Registry", &TForm1::ReloadRegistry1Click);
  item("ReloadDriversDir1", "Reload &Drivers Dir", &TForm1::ReloadDriversDir1Click);
  item("N4", "-", nullptr);
  item("ImportConfig1", "Import &Config", &TForm1::ImportConfig1Click);
  item("ExportConfig1", "&Export Config", &TForm1::ExportConfig1Click);
  item("DeleteConfig1", "De&lete Config", &TForm1::DeleteConfig1Click);
  item("N3", "-", nullptr);
  item("Menusave", "&Save", &TForm1::MenusaveClick);
  item("SaveExit1", "S&ave && Exit", &TForm1::SaveExit1Click);
  item("N2", "-", nullptr);
  item("Menuexit", "&Exit", &TForm1::MenuexitClick);
  TMenuItem* about = root->Add(std::make_unique<TMenuItem>("About1", "&About"));
  about->OnClick = [this](TObject* s) { About1Click(s); };
  SetMenu(std::move(root));
}

std::vector<TCheckBox*> TForm1::ForwardingBoxes() const {
  return {Caracterh,     Caractercabecera, Mbl,        Nobbscallsign, Deldata,     Norecover,
          Bbsdeclaradas, Wpnoheld,         Xprioridad, Bidalterno,    Noxchecksum, Testcallsign};
}

std::vector<TCheckBox*> TForm1::ResumeBoxes() const { return {Resume, Xprotocol}; }

std::vector<TCheckBox*> TForm1::FirstConnectionBoxes() const {
  return {Excluido1, Local1, Experto1,       Sysop1,         Bbs1,         Paginacion1,
          Guest1,    Modem1, Todosmensajes1, Listaunprotos1, Listanuevos1, Pms1};
}

std::vector<TCheckBox*> TForm1::SecurityBoxes(int column) const {
  switch (column) {
    case 0:
      return {Todosmensajesuser, Borramensajesuser, Sysuser, Remoteuser,  Labelsuser,
              Deleteuser,        Gatewaysuser,      Dosuser, Alldiskuser, Specialuser};
    case 1:
      return {Todosmensajessysop, Borramensajessysop, Syssysop, Remotesysop,  Labelssysop,
              Deletesysop,        Gatewayssysop,      Dossysop, Alldisksysop, Specialsysop};
    default:
      return {Todosmensajessys, Borramensajessys, Syssys, Remotesys,  Labelssys,
              Deletesys,        Gatewayssys,      Dossys, Alldisksys, Specialsys};
  }
}

std::vector<TCheckBox*> TForm1::WarningBoxes() const {
  return {Menos1mega, Errorarchivo,        Servererror,    Pingpong, Noruta,
          Nonts,      Mensajenoencontrado, Errorpropuesta, Reject,   Held};
}

TControl* TForm1::FindControl(const std::string& name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

TTabSheet* TForm1::FindSheet(const std::string& name) const {
  for (TTabSheet* sheet : Pagina->Pages())
    if (sheet->Name == name) return sheet;
  return nullptr;
}

void TForm1::ShowField(TTabSheet* page, TControl* control) {
  if (page) Pagina->SetActivePage(page);
  if (control) control->SetFocus();
}

// ---------------------------------------------------------------------------
// Show, activation, close.

void TForm1::FormShow(TObject*) {
  SetCaption(std::string("Nodrax configuration  ") + kEditorVersion);
  TRegistry reg;
  if (reg.KeyExists(kConfigKey)) {
    LoadRegistry();
  } else {
    Primeravez(*this);
  }

  std::string stored = "0.0.0";
  if (reg.OpenKeyReadOnly(kWindowKey)) {
    // A value of another type (some other tool wrote it) counts as absent:
    // it must not keep the show from checking the version and filling the
    // driver list.
    try {
      std::string version;
      if (reg.TryReadString("Version", version)) stored = version;
    } catch (const ERegistryException&) {
    }
    const POINT system = Position();
    int left = system.x, top = system.y;
    reg.TryReadInteger("Left", left);
    reg.TryReadInteger("Top", top);
    reg.CloseKey();
    const POINT at = OnScreen(left, top);
    SetPosition(at.x, at.y);
  }
  CheckStoredVersion(stored);
  ReloadDriversDir1Click(this);
}

POINT TForm1::OnScreen(int left, int top) const {
  // A position on a monitor that is gone, or one that no monitor ever had,
  // would show the window where the sysop cannot reach its caption: it
  // then goes into the work area of the nearest monitor.
  RECT now{};
  GetWindowRect(Handle(), &now);
  const LONG width = now.right - now.left, height = now.bottom - now.top;
  auto coordinate = [](long long v) {
    return static_cast<LONG>(std::max<long long>(INT_MIN / 2, std::min<long long>(v, INT_MAX / 2)));
  };
  RECT window{coordinate(left), coordinate(top), coordinate(static_cast<long long>(left) + width),
              coordinate(static_cast<long long>(top) + height)};
  RECT caption = window;
  caption.bottom = coordinate(static_cast<long long>(window.top) + GetSystemMetrics(SM_CYCAPTION));
  if (MonitorFromRect(&caption, MONITOR_DEFAULTTONULL)) return POINT{left, top};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &monitor))
    return POINT{left, top};
  const RECT& work = monitor.rcWork;
  return POINT{std::max(work.left, std::min(window.left, work.right - width)),
               std::max(work.top, std::min(window.top, work.bottom - height))};
}

void TForm1::CheckStoredVersion(const std::string& stored) {
  if (CompareVersions(stored, kEditorVersion) > 0) {
    Dialogs().MessageBox(Handle(),
                         std::string("This is an older version than you used for set this ZUB.\n"
                                     "Download the new version at ") +
                             kProjectMail,
                         "Nodrax configuration", MB_ICONWARNING | MB_OK);
  }
}

void TForm1::FormActivate(TObject*) {
  if (activated_) return;
  activated_ = true;
  ActOnStartCode();
}

void TForm1::ActOnStartCode() {
  const int32_t code = StartCode(CommandTail);
  ShowField(Hojageneral, Editbbsindicativo);
  const TStartCodeRow row = StartCodeRowFor(code);
  if (row.ImportsInitSrv || row.ImportsPortsSys) {
    // The import codes take over the old text files, each through its own
    // file dialog, the station file first, then save and close; a cancelled
    // dialog imports nothing and the save still runs.
    if (row.ImportsInitSrv) MenuimportClick(this);
    if (row.ImportsPortsSys) ImportsysClick(this);
    SaveExit1Click(this);
    return;
  }
  if (!row.Message.empty()) StatusBar1->SetPanelText(0, std::string(row.Message));
  ShowField(FindSheet(std::string(row.Page)), FindControl(std::string(row.Field)));
  if (StartCodeShowsInfoBox(code)) {
    Dialogs().MessageBox(Handle(), "More information about the error in status bar",
                         "Nodrax error", MB_ICONINFORMATION | MB_OK);
  }
}

void TForm1::WriteWindowState() {
  TRegistry reg;
  if (!reg.OpenKey(kWindowKey, true)) return;
  POINT at = Position();
  // A minimised window stands far off the screen; what the sysop gets back
  // at the next start is where it stood before.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (IsIconic(Handle()) && GetWindowPlacement(Handle(), &placement))
    at = {placement.rcNormalPosition.left, placement.rcNormalPosition.top};
  reg.WriteString("Version", kEditorVersion);
  reg.WriteInteger("Left", at.x);
  reg.WriteInteger("Top", at.y);
  reg.CloseKey();
}

void TForm1::FormCloseQuery(TObject*, bool& CanClose) {
  WriteWindowState();
  if (!ConfigModified) {
    CanClose = true;
    return;
  }
  if (Editbbsindicativo->Text().empty()) {
    Dialogs().MessageBox(Handle(), "BBS must have a Callsign", kCaption, MB_ICONWARNING | MB_OK);
    ShowField(Hojageneral, Editbbsindicativo);
    CanClose = false;
    return;
  }
  if (Edithroute->Text().empty()) {
    Dialogs().MessageBox(Handle(), "BBS must have Hierarcical Route ", kCaption,
                         MB_ICONWARNING | MB_OK);
    ShowField(Hojageneral, Edithroute);
    CanClose = false;
    return;
  }
  switch (Dialogs().MessageBox(Handle(), "Save Configuration?", kCaption,
                               MB_ICONQUESTION | MB_YESNOCANCEL)) {
    case IDYES:
      MenusaveClick(this);
      // A save whose writes failed keeps ConfigModified: closing now would
      // lose the changes it could not store.
      CanClose = !ConfigModified;
      break;
    case IDNO:
      ReleaseRecords();
      CanClose = true;
      break;
    default:
      CanClose = false;
      break;
  }
}

void TForm1::Timer1Timer(TObject*) {
  const SYSTEMTIME now = LocalClock();
  auto two = [](int v) {
    char text[16];
    std::snprintf(text, sizeof text, "%s%d", v < 10 ? "0" : "", v);
    return std::string(text);
  };
  char line[64];
  std::snprintf(line, sizeof line, "%s %s:%s:%s", "Local Time: ", two(now.wHour).c_str(),
                two(now.wMinute).c_str(), two(now.wSecond).c_str());
  StatusBar1->SetPanelText(1, line);
}

// ---------------------------------------------------------------------------
// Menu.

void TForm1::MenusaveClick(TObject*) { SaveConfiguration(*this); }

void TForm1::SaveExit1Click(TObject* Sender) {
  MenusaveClick(Sender);
  Close();
}

void TForm1::MenuexitClick(TObject*) { Close(); }

void TForm1::ReloadRegistry1Click(TObject* Sender) {
  if (ConfigModified) {
    switch (Dialogs().MessageBox(Handle(), "Configuration has changed. Save?", kCaption,
                                 MB_ICONQUESTION | MB_YESNOCANCEL)) {
      case IDYES:
        MenusaveClick(Sender);
        // A save that refused or failed keeps ConfigModified: loading over
        // the window now would throw away what the sysop asked to keep.
        if (ConfigModified) return;
        break;
      case IDNO:
        break;
      default:
        return;
    }
  }
  Borraports();
  ConfigModified = false;
  LoadRegistry();
}

// ---------------------------------------------------------------------------
// About.

void TForm1::About1Click(TObject*) {
  // A new window, with a new timer, for every opening.
  auto about = std::make_unique<TForm2>(Handle());
  const POINT at = Position();
  about->SetPosition(at.x + Scale(50), at.y + Scale(50));  // 50 pixels at 96 DPI
  about->ShowModal();
}

void TForm1::LoadRegistry() {
  // The boxes the load ticks raise the click handling of a user's click;
  // while the flag is up it does not count them as edits.
  struct TLoading {
    TLoading() { RegistryLoading = true; }
    ~TLoading() { RegistryLoading = false; }
  } loading;
  CargaRegistro(*this);
  // The ports page shows the reloaded port, not the one it showed before.
  PuertosbbsClick(this);
}

// ---------------------------------------------------------------------------
// Change tracking.

void TForm1::EditbbsindicativoKeyUp(TObject*, WORD& Key) {
  if (Key != VK_RETURN) ConfigModified = true;
}

void TForm1::ForwardzubKeyPress(TObject*, char& Key) {
  if (Key == ' ') {
    Key = 0;
    ConfigModified = true;
  }
}

void TForm1::CachebidsClick(TObject*) {
  if (!RegistryLoading) ConfigModified = true;
}

void TForm1::FieldKeyPress(TObject* Sender, char& Key) {
  if (Key != '\r') return;
  Key = 0;
  auto it = successor_.find(static_cast<TControl*>(Sender));
  if (it == successor_.end()) return;
  const auto& [page, field] = it->second;
  ShowField(page.empty() ? nullptr : FindSheet(page), FindControl(field));
}

void TForm1::CabeceraKeyPress(TObject*, char& Key) {
  if (Key != '\r') return;
  Key = 0;
  Pagina->SetActivePage(Hojacolores);
}

void TForm1::bufermonitorKeyPress(TObject*, char& Key) {
  if (Key != '\r') return;
  Key = 0;
  if (!ConfigModified) return;
  if (Dialogs().MessageBox(Handle(), "Save Configuration?", kCaption,
                           MB_ICONQUESTION | MB_YESNOCANCEL) == IDYES)
    MenusaveClick(this);
  bufermonitor->SetFocus();
}

void TForm1::CaptionLabelClick(TObject* Sender) {
  auto it = captionOf_.find(static_cast<TControl*>(Sender));
  if (it != captionOf_.end()) it->second->SetFocus();
}

// ---------------------------------------------------------------------------
// General.

void TForm1::EditbbsindicativoChange(TObject*) {
  SetRecord(&TConfigRecord::BbsCallsign, JoinBbsCallsign(Editbbsindicativo->Text(), Edithroute->Text()));
}
void TForm1::EdithrouteChange(TObject* Sender) { EditbbsindicativoChange(Sender); }
void TForm1::EditssidChange(TObject*) { Mirror(&TConfigRecord::SSID, Editssid); }
void TForm1::EditciudadChange(TObject*) { Mirror(&TConfigRecord::Qth, Editciudad); }
void TForm1::EditlocatorChange(TObject*) { Mirror(&TConfigRecord::Locator, Editlocator); }
void TForm1::CodpostalChange(TObject*) { Mirror(&TConfigRecord::ZipCode, Codpostal); }
void TForm1::EditsysopindicativoChange(TObject*) {
  Mirror(&TConfigRecord::SysOpCallsign, Editsysopindicativo);
}
void TForm1::EditsysopnombreChange(TObject*) { Mirror(&TConfigRecord::SysOpName, Editsysopnombre); }

// ---------------------------------------------------------------------------
// Folders.

void TForm1::DirectorioraizChange(TObject*) {
  const std::string root = Directorioraiz->Text();
  SetRecord(&TConfigRecord::ZubRoot, root);
  const TRootFolders f = DeriveFromRoot(root);
  ShowDerived(Directoriodata, &TConfigRecord::Data, f.Data);
  SetRecord(&TConfigRecord::Sounds, f.Sounds);
  ShowDerived(Directorioconfig, &TConfigRecord::Config, f.Config);
  SetRecord(&TConfigRecord::Lang, f.Lang);
  SetRecord(&TConfigRecord::Fwd, f.Fwd);
  SetRecord(&TConfigRecord::Log, f.Log);
  SetRecord(&TConfigRecord::Sat, f.Sat);
  SetRecord(&TConfigRecord::Wp, f.Wp);
  SetRecord(&TConfigRecord::OldMail, f.OldMail);
  ShowDerived(Directoriomensajes, &TConfigRecord::Mail, f.Mail);
  ShowDerived(Directoriomensajesbin, &TConfigRecord::CompresMail, f.CompresMail);
  ShowDerived(Directorioconfig, &TConfigRecord::Config, f.Config);
  ShowDerived(Directorioyapp, &TConfigRecord::Yapp, f.Yapp);
  ShowDerived(Directoriodocs, &TConfigRecord::Docs, f.Docs);
  ShowDerived(Ficheroimport, &TConfigRecord::ImportFile, f.ImportFile);
  ShowDerived(Pgdir, &TConfigRecord::Pg, f.Pg);
  ShowDerived(Filtersdir, &TConfigRecord::Filters, f.Filters);
  ShowDerived(Serversdir, &TConfigRecord::Servers, f.Servers);
  ShowDerived(Driversdir, &TConfigRecord::Drivers, f.Drivers);
  ShowDerived(Diskc, &TConfigRecord::Diskc, f.Diskc);
}

void TForm1::DirectoriodataChange(TObject*) {
  const std::string data = Directoriodata->Text();
  SetRecord(&TConfigRecord::Data, data);
  const TDataFolders f = DeriveFromData(data);
  ShowDerived(Directoriomensajes, &TConfigRecord::Mail, f.Mail);
  ShowDerived(Directoriomensajesbin, &TConfigRecord::CompresMail, f.CompresMail);
  ShowDerived(Directoriodocs, &TConfigRecord::Docs, f.Docs);
}

void TForm1::DirectorioconfigChange(TObject*) { Mirror(&TConfigRecord::Config, Directorioconfig); }
void TForm1::DirectoriomensajesChange(TObject*) { Mirror(&TConfigRecord::Mail, Directoriomensajes); }
void TForm1::DirectoriomensajesbinChange(TObject*) {
  Mirror(&TConfigRecord::CompresMail, Directoriomensajesbin);
}
void TForm1::DirectorioyappChange(TObject*) { Mirror(&TConfigRecord::Yapp, Directorioyapp); }
void TForm1::DirectoriodocsChange(TObject*) { Mirror(&TConfigRecord::Docs, Directoriodocs); }
void TForm1::FicheroimportChange(TObject*) { Mirror(&TConfigRecord::ImportFile, Ficheroimport); }
void TForm1::PgdirChange(TObject*) { Mirror(&TConfigRecord::Pg, Pgdir); }
void TForm1::DriversdirChange(TObject*) { Mirror(&TConfigRecord::Drivers, Driversdir); }
void TForm1::ServersdirChange(TObject*) { Mirror(&TConfigRecord::Servers, Serversdir); }
void TForm1::FiltersdirChange(TObject*) { Mirror(&TConfigRecord::Filters, Filtersdir); }

void TForm1::SpeedrootClick(TObject* Sender) {
  auto it = folderOf_.find(static_cast<TControl*>(Sender));
  if (it == folderOf_.end()) return;
  std::string path;
  if (!Dialogs().BrowseFolder(Application().MainWindow ? Application().MainWindow : Handle(),
                              "Search for ZUB Directories", path))
    return;
  it->second->SetText(path);
  it->second->SetFocus();
  ConfigModified = true;
}

void TForm1::SpeedimportClick(TObject*) {
  TFileDialogRequest request;
  request.owner = Handle();
  request.title = "Open Import Nodrax File";
  request.initialDir = Directorioraiz->Text();
  request.maxFileName = 300;
  if (!Dialogs().OpenFile(request)) return;
  Ficheroimport->SetText(request.fileName);
  Ficheroimport->SetFocus();
  ConfigModified = true;
}

// ---------------------------------------------------------------------------
// Disks.

void TForm1::DiskaChange(TObject*) { Mirror(&TConfigRecord::Diska, Diska); }
void TForm1::DiskbChange(TObject*) { Mirror(&TConfigRecord::Diskb, Diskb); }
void TForm1::DiskcChange(TObject*) { Mirror(&TConfigRecord::Diskc, Diskc); }
void TForm1::DiskdChange(TObject*) { Mirror(&TConfigRecord::Diskd, Diskd); }
void TForm1::DiskeChange(TObject*) { Mirror(&TConfigRecord::Diske, Diske); }
void TForm1::DiskfChange(TObject*) { Mirror(&TConfigRecord::Diskf, Diskf); }
void TForm1::DiskgChange(TObject*) { Mirror(&TConfigRecord::Diskg, Diskg); }
void TForm1::DiskhChange(TObject*) { Mirror(&TConfigRecord::Diskh, Diskh); }

// ---------------------------------------------------------------------------
// Option pages.

void TForm1::EditbackuiChange(TObject*) {
  SetRecord(&TConfigRecord::Editbackui, Editbackui->Text().empty() ? "0" : Editbackui->Text());
}
void TForm1::EditdelayuiChange(TObject*) {
  SetRecord(&TConfigRecord::Editdelayui, Editdelayui->Text().empty() ? "0" : Editdelayui->Text());
}
void TForm1::IndicativosbalizaChange(TObject*) {
  Mirror(&TConfigRecord::Indicativosbaliza, Indicativosbaliza);
  if (ConfigRecord && FieldEmpty(ConfigRecord->Indicativosbaliza))
    SetField(ConfigRecord->Indicativosbaliza, "0");
}
void TForm1::NumerobidChange(TObject*) { Mirror(&TConfigRecord::MaxBids, Numerobid); }
void TForm1::SysopmessageChange(TObject*) {
  Mirror(&TConfigRecord::CopySysOpMessages, Sysopmessage);
}
void TForm1::WpmessageChange(TObject*) { Mirror(&TConfigRecord::RouteWpMessages, Wpmessage); }
void TForm1::CabeceraChange(TObject*) { Mirror(&TConfigRecord::ZubHeader, Cabecera); }
void TForm1::timeoutusuariosChange(TObject*) {
  Mirror(&TConfigRecord::timeoutusuarios, timeoutusuarios);
}
void TForm1::TimeoutforwardChange(TObject*) {
  Mirror(&TConfigRecord::Timeoutforward, Timeoutforward);
}
void TForm1::DiasboletinesChange(TObject*) {
  Mirror(&TConfigRecord::BulletinsLifetime, Diasboletines);
}
void TForm1::yappmaxChange(TObject*) { Mirror(&TConfigRecord::yappmax, yappmax); }
void TForm1::modemmaxChange(TObject*) { Mirror(&TConfigRecord::modemmax, modemmax); }
void TForm1::buferusuarioChange(TObject*) { Mirror(&TConfigRecord::buferusuario, buferusuario); }
void TForm1::buferconsolaChange(TObject*) { Mirror(&TConfigRecord::buferconsola, buferconsola); }
void TForm1::bufermonitorChange(TObject*) { Mirror(&TConfigRecord::bufermonitor, bufermonitor); }

void TForm1::Panel1Click(TObject* Sender) {
  if (Sender != Panel1) {
    ChooseColourFor(static_cast<TLabel*>(Sender));
    return;
  }
  COLORREF colour = Panel1->Color();
  Dialogs().ChooseColour(Handle(), colour);
  if (colour != Panel1->Color()) ConfigModified = true;
  for (TLabel* label : {Sendtext, Receivedtext, Chaninfo, Monhead, Mondata, Consoletext})
    label->SetColor(colour);
  Panel1->SetColor(colour);
}

void TForm1::ChooseColourFor(TLabel* label) {
  COLORREF colour = label->FontColor();
  Dialogs().ChooseColour(Handle(), colour);
  if (colour != label->FontColor()) ConfigModified = true;
  label->SetFontColor(colour);
}
