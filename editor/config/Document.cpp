#include "editor/config/Document.h"

#include "editor/config/Host.h"
#include "editor/config/Load.h"

namespace {
const char kCaption[] = "Nodraxcfg";
}

int DefaultButton(UINT flags) {
  const UINT buttons = flags & MB_TYPEMASK;
  const int second = (flags & MB_DEFMASK) == MB_DEFBUTTON2;
  const int third = (flags & MB_DEFMASK) == MB_DEFBUTTON3;
  switch (buttons) {
    case MB_OKCANCEL: return second ? IDCANCEL : IDOK;
    case MB_YESNO: return second ? IDNO : IDYES;
    case MB_YESNOCANCEL: return third ? IDCANCEL : second ? IDNO : IDYES;
    case MB_RETRYCANCEL: return second ? IDCANCEL : IDRETRY;
    default: return IDOK;
  }
}

int TQuietHost::Message(const std::string&, const std::string&, UINT flags) {
  return DefaultButton(flags);
}

SYSTEMTIME TQuietHost::LocalTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now;
}

void TDocument::Reload(IHost& host, TOlderFolders older) {
  if (letGo_) return;
  config_.Borraports();
  modified_ = false;
  // The ports and servers wait until a view or a save needs them.
  const bool olderFolders = CargaRegistro(config_, kNodraxKey, TTables::OnNeed);
  host.ShowConfiguration();
  // The older folder key is carried over by a save, which writes Folders
  // and removes Directories.
  if (olderFolders && older == TOlderFolders::CarryOver) Save(host);
}

void TDocument::ReadPendingTables() {
  PortsNeeded(config_);
  ServersNeeded(config_);
}

bool TDocument::WarnMissingIdentity(IHost& host) const {
  if (letGo_) return false;
  const char* field = "Editbbsindicativo";
  const char* warning = "BBS must have a Callsign";
  if (!config_.Texts.Editbbsindicativo.empty()) {
    if (!config_.Texts.Edithroute.empty()) return false;
    field = "Edithroute";
    warning = "BBS must have Hierarcical Route ";
  }
  host.Message(warning, kCaption, MB_ICONWARNING | MB_OK);
  host.ShowField("Hojageneral", field);
  return true;
}

bool TDocument::Save(IHost& host) {
  if (letGo_) return false;
  TSaveResult result;
  {
    // The wait cursor of a long save; the command line has none to show.
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    result = SaveConfiguration(config_);
    SetCursor(previous);
  }
  switch (result.Outcome) {
    case TSaveOutcome::NoCallsign:
    case TSaveOutcome::NoRoute:
      // The save refused on the texts the warning reads.
      WarnMissingIdentity(host);
      return false;
    case TSaveOutcome::WriteFailed:
      host.Message(result.Failure, kCaption, MB_ICONWARNING | MB_OK);
      return false;
    case TSaveOutcome::Saved:
      break;
  }
  modified_ = false;
  NotifyConfigurationChanged();
  return true;
}

void NotifyConfigurationChanged() {
  static const UINT message = RegisterWindowMessageA("ZUBCFG_NOTIFY");
  PostMessageA(HWND_BROADCAST, message, 0, 0);
}
