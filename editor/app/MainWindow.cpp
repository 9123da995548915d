#include "editor/app/MainWindow.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <stdexcept>

#include "editor/app/About.h"
#include "editor/app/AprsPage.h"
#include "editor/app/CheckWindow.h"
#include "editor/app/ColoursPage.h"
#include "editor/app/DisksPage.h"
#include "editor/app/FirstConnectionPage.h"
#include "editor/app/FirstRun.h"
#include "editor/app/FoldersPage.h"
#include "editor/app/ForwardingPage.h"
#include "editor/app/GeneralPage.h"
#include "editor/app/Miscellaneous1Page.h"
#include "editor/app/Miscellaneous2Page.h"
#include "editor/app/PortsPage.h"
#include "editor/app/SecurityPage.h"
#include "editor/app/ServersPage.h"
#include "editor/app/UnprotoPage.h"
#include "editor/app/WarningsPage.h"
#include "editor/config/AnsiText.h"
#include "editor/config/DiskProbe.h"
#include "editor/config/Encodings.h"
#include "editor/config/StartCodes.h"
#include "editor/config/Load.h"
#include "editor/config/Numbers.h"
#include "editor/config/RegistryKeys.h"
#include "editor/config/Save.h"
#include "editor/transfer/Commands.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"

const char* const kEditorVersion = "1.5.3";
std::string CommandTail;

namespace {
const char* const kCaption = "Nodraxcfg";

}  // namespace

TForm1::TForm1(TDocument& document)
    : TForm("TForm1", "Form1", 396, 407, TFormStyle{true, true, false}), document_(document) {
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
  BuildSheets();
  StatusBar1 = Make<TStatusBar>(this, "StatusBar1", std::vector<int>{280, 50});
  StatusBar1->SetPanelCentered(1, true);
  // A page makes its controls just before its sheet first shows; the
  // general page is the first to show.
  Pagina->OnShowing = [this](TTabSheet* sheet) { PageOf(sheet); };
  Pagina->OnChange = [this](TObject*) {
    if (TPage* page = BuiltPage(Pagina->ActivePage())) page->Enter();
  };
  Pagina->SetActivePage(sheets_.front());

  OnShow = [this](TObject* s) { FormShow(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
  OnCloseQuery = [this](TObject* s, bool& can) { FormCloseQuery(s, can); };

  Timer1 = std::make_unique<TTimer>("Timer1", 1000);
  Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };
  Timer1->SetEnabled(true);
}

TForm1::~TForm1() {
  CloseFindings();
  if (Timer1) Timer1->SetEnabled(false);
  // The pages' controls before the sheets that hold them, and the frame's
  // children before their parents: the reverse of the order of creation.
  Pagina->OnShowing = nullptr;
  Pagina->OnChange = nullptr;
  pages_.clear();
  while (!frame_.empty()) frame_.pop_back();
}

void TForm1::BuildMenu() {
  auto root = std::make_unique<TMenuItem>("MainMenu1", "");
  TMenuItem* file = root->Add(std::make_unique<TMenuItem>("Menufile", "&File"));
  auto item = [&](const char* name, const char* caption, void (TForm1::*handler)(TObject*)) {
    TMenuItem* it = file->Add(std::make_unique<TMenuItem>(name, caption));
    if (handler) it->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
    return it;
  };
  item("Menuimport", "&Import old INIT.SRV", &TForm1::MenuimportClick);
  item("Importsys", "I&mport old PORT(S).SYS", &TForm1::ImportsysClick);
  item("N1", "-", nullptr);
  item("ReloadRegistry1", "&Reload Registry", &TForm1::ReloadRegistry1Click);
  item("ReloadDriversDir1", "Reload &Drivers Dir", &TForm1::ReloadDriversDir1Click);
  item("CheckConfiguration1", "C&heck Configuration", &TForm1::CheckConfiguration1Click);
  item("N4", "-", nullptr);
  item("ImportConfig1", "Import &Config", &TForm1::ImportConfig1Click);
  item("ExportConfig1", "&Export Config", &TForm1::ExportConfig1Click);
  item("DeleteConfig1", "De&lete Config", &TForm1::DeleteConfig1Click);
  item("RestoreBackup1", "Restore &Backup", &TForm1::RestoreBackup1Click);
  item("N3", "-", nullptr);
  item("Menusave", "&Save", &TForm1::MenusaveClick);
  item("SaveExit1", "S&ave && Exit", &TForm1::SaveExit1Click);
  item("N2", "-", nullptr);
  item("Menuexit", "&Exit", &TForm1::MenuexitClick);
  TMenuItem* about = root->Add(std::make_unique<TMenuItem>("About1", "&About"));
  about->OnClick = [this](TObject* s) { About1Click(s); };
  SetMenu(std::move(root));
}

const std::vector<TPageRow>& TForm1::Rows() {
  static const std::vector<TPageRow> rows{
      {"Hojageneral", "General", true, &MakePage<TGeneralPage>},
      {"Hojadirectorios", "Folders", true, &MakePage<TFoldersPage>},
      {"Hojadirectorioszub", "ZubDos Virtual Disks", true, &MakePage<TDisksPage>},
      {"Hojaunprotos", "Unproto Frames", true, &MakePage<TUnprotoPage>},
      {"Hojaconexion", "First Connection Options", true, &MakePage<TFirstConnectionPage>},
      {"Hojaseguridadusuario", "Security", true, &MakePage<TSecurityPage>},
      {"Hojamensajesaviso", "Warnings", true, &MakePage<TWarningsPage>},
      {"Hojaforward", "Forwarding", true, &MakePage<TForwardingPage>},
      {"Hojamiscelanea", "Miscellaneous I", true, &MakePage<TMiscellaneous1Page>},
      {"Hojacolores", "Colours", true, &MakePage<TColoursPage>},
      {"Hojaservers", "Servers", true, &MakePage<TServersPage>},
      {"Hojapuertosbbs", "Ports", true, &MakePage<TPortsPage>},
      {"Hojatiempos", "Miscellaneous II", true, &MakePage<TMiscellaneous2Page>},
      // The BBS has no APRS yet: the page is made but its tab not shown.
      {"Hojaaprs", "APRS", false, &MakePage<TAprsPage>},
  };
  return rows;
}

void TForm1::BuildSheets() {
  Pagina = Make<TPageControl>(this, "Pagina");
  Pagina->SetBounds(0, 1, 396, 387);
  for (const TPageRow& row : Rows())
    sheets_.push_back(Make<TTabSheet>(Pagina, row.Sheet, row.Caption, row.TabVisible));
}

// ---------------------------------------------------------------------------
// The pages.

TPage* TForm1::BuiltPage(TTabSheet* sheet) const {
  auto it = pages_.find(sheet);
  return it == pages_.end() ? nullptr : it->second.get();
}

TPage* TForm1::PageOf(TTabSheet* sheet) {
  if (!sheet) return nullptr;
  if (TPage* page = BuiltPage(sheet)) return page;
  for (std::size_t i = 0; i < sheets_.size(); ++i) {
    if (sheets_[i] != sheet) continue;
    std::unique_ptr<TPage> page = Rows()[i].Make(document_, *this, sheet);
    TPage* made = page.get();
    pages_[sheet] = std::move(page);
    made->Build();
    made->ShowConfiguration();
    return made;
  }
  return nullptr;
}

int TForm1::Message(const std::string& text, const std::string& caption, UINT flags) {
  return Dialogs().MessageBox(Handle(), text, caption, flags);
}

void TForm1::SetStatus(const std::string& text) { StatusBar1->SetPanelText(0, text); }

void TForm1::ShowConfiguration() {
  for (TTabSheet* sheet : Pagina->Pages())
    if (TPage* page = BuiltPage(sheet)) page->ShowConfiguration();
  // The ports page shows the reloaded port, not the one it showed before.
  if (TPortsPage* ports = Built<TPortsPage>()) ports->PuertosbbsClick(this);
}

void TForm1::ShowTexts() {
  for (TTabSheet* sheet : Pagina->Pages())
    if (TPage* page = BuiltPage(sheet)) page->ShowTexts();
}

TControl* TForm1::FindControl(const std::string& name) {
  auto frame = frameByName_.find(name);
  if (frame != frameByName_.end()) return frame->second;
  for (const auto& [sheet, page] : pages_)
    if (TControl* control = page->FindControl(name)) return control;
  // Not made yet: the pages are made in tab order until one holds it.
  for (TTabSheet* sheet : Pagina->Pages()) {
    if (BuiltPage(sheet)) continue;
    if (TControl* control = PageOf(sheet)->FindControl(name)) return control;
  }
  return nullptr;
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

void TForm1::ShowField(const std::string& page, const std::string& field) {
  TTabSheet* sheet = FindSheet(page);
  if (sheet) Pagina->SetActivePage(sheet);
  if (field.empty()) return;
  TControl* control = sheet ? PageOf(sheet)->FindControl(field) : nullptr;
  if (!control) control = FindControl(field);
  if (control) control->SetFocus();
}

void TForm1::ShowField(const std::string& page, const TConfigField& field) {
  TTabSheet* sheet = FindSheet(page);
  if (!sheet) return;
  Pagina->SetActivePage(sheet);
  if (TControl* control = PageOf(sheet)->ControlOf(field)) control->SetFocus();
}

// ---------------------------------------------------------------------------
// Show, activation, close.

void TForm1::FormShow(TObject*) {
  SetCaption(std::string("Nodrax configuration  ") + kEditorVersion);
  RecoverInterruptedReplace(*this);
  TRegistry reg;
  if (reg.KeyExists(kConfigKey)) {
    document_.Reload(*this);
  } else {
    Primeravez(document_.Config());
    ShowConfiguration();
    // The defaults tick boxes the sysop never ticked: a first run always
    // ends with changes to save.
    document_.Changed();
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
  ShowField("Hojageneral", "Editbbsindicativo");
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
  ShowField(std::string(row.Page), row.Field);
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
  if (!document_.Modified()) {
    CanClose = true;
    return;
  }
  if (document_.WarnMissingIdentity(*this)) {
    CanClose = false;
    return;
  }
  switch (Dialogs().MessageBox(Handle(), "Save Configuration?", kCaption,
                               MB_ICONQUESTION | MB_YESNOCANCEL)) {
    case IDYES:
      MenusaveClick(this);
      // A save whose writes failed keeps the changes: closing now would
      // lose what it could not store.
      CanClose = !document_.Modified();
      break;
    case IDNO:
      document_.LetGo();
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

void TForm1::MenusaveClick(TObject*) { Save(); }

void TForm1::SaveExit1Click(TObject* Sender) {
  MenusaveClick(Sender);
  Close();
}

void TForm1::MenuexitClick(TObject*) { Close(); }

void TForm1::ReloadRegistry1Click(TObject* Sender) {
  if (document_.Modified()) {
    switch (Dialogs().MessageBox(Handle(), "Configuration has changed. Save?", kCaption,
                                 MB_ICONQUESTION | MB_YESNOCANCEL)) {
      case IDYES:
        MenusaveClick(Sender);
        // A save that refused or failed keeps the changes: loading over
        // the window now would throw away what the sysop asked to keep.
        if (document_.Modified()) return;
        break;
      case IDNO:
        break;
      default:
        return;
    }
  }
  document_.Reload(*this);
}

// ---------------------------------------------------------------------------
// The check.

void TForm1::CheckConfiguration1Click(TObject*) {
  // The tables as the next save would store them.
  document_.ReadPendingTables();
  const std::vector<TFinding> findings = CheckConfiguration(document_.Config(), TDiskProbe());
  ShowFindings(Handle(), findings, [this](const TFinding& finding) { GoToFinding(finding); });
}

void TForm1::GoToFinding(const TFinding& finding) {
  TTabSheet* sheet = FindSheet(finding.Page);
  if (!sheet) return;
  Pagina->SetActivePage(sheet);
  TPage* page = PageOf(sheet);
  if (finding.Row >= 0) {
    if (auto* ports = dynamic_cast<TPortsPage*>(page)) {
      ports->Puertosbbs->SetItemIndex(finding.Row);
      ports->PuertosbbsClick(this);
    } else if (auto* servers = dynamic_cast<TServersPage*>(page)) {
      servers->ListBox1->SetItemIndex(finding.Row);
      servers->ListBox1Click(this);
    }
  }
  if (TControl* field = page->FindControl(finding.Field)) field->SetFocus();
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

