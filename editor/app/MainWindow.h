// The editor's main window, TForm1: the frame around the pages. It holds
// the menu, the tabbed page control, the status bar with its clock, the
// commands (load, save, close, the imports and exports) and the change
// tracking. The configuration itself lives in the configuration object
// (editor/config/Configuration.h); each page is a view of it, made the
// first time its sheet is shown.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/app/Page.h"
#include "platform/Controls.h"

extern const char* const kEditorVersion;  // "1.5.3"

// Change tracking, process-wide.
extern bool ConfigModified;
// Up while the registry is being loaded: what the load changes is no edit.
extern bool RegistryLoading;

// Set by the process entry.
extern UINT ZubcfgNotifyMessage;
extern std::string CommandTail;

enum class TPendingChanges;
class TGeneralPage;
class TFoldersPage;
class TDisksPage;
class TUnprotoPage;
class TFirstConnectionPage;
class TSecurityPage;
class TWarningsPage;
class TForwardingPage;
class TMiscellaneous1Page;
class TColoursPage;
class TServersPage;
class TPortsPage;
class TMiscellaneous2Page;
class TAprsPage;

class TForm1 : public TForm {
 public:
  TForm1();
  ~TForm1() override;

  // The frame.
  TLabel* Bevel1 = nullptr;
  TPageControl* Pagina = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  std::unique_ptr<TTimer> Timer1;

  TTabSheet *Hojageneral = nullptr, *Hojadirectorios = nullptr, *Hojadirectorioszub = nullptr,
            *Hojaunprotos = nullptr, *Hojaconexion = nullptr, *Hojaseguridadusuario = nullptr,
            *Hojamensajesaviso = nullptr, *Hojaforward = nullptr, *Hojamiscelanea = nullptr,
            *Hojacolores = nullptr, *Hojaservers = nullptr, *Hojapuertosbbs = nullptr,
            *Hojatiempos = nullptr, *Hojaaprs = nullptr;

  // The pages, each made when first asked for (or first shown).
  TGeneralPage& General();
  TFoldersPage& Folders();
  TDisksPage& Disks();
  TUnprotoPage& Unproto();
  TFirstConnectionPage& FirstConnection();
  TSecurityPage& Security();
  TWarningsPage& Warnings();
  TForwardingPage& Forwarding();
  TMiscellaneous1Page& Miscellaneous1();
  TColoursPage& Colours();
  TServersPage& Servers();
  TPortsPage& Ports();
  TMiscellaneous2Page& Miscellaneous2();
  TAprsPage& Aprs();
  // The page of a sheet, made now if it was not; nullptr for no sheet.
  TPage* PageOf(TTabSheet* sheet);
  // The page of a sheet when it has been made, else nullptr.
  TPage* BuiltPage(TTabSheet* sheet) const;
  template <class P>
  P* Built() const {
    for (const auto& [sheet, page] : pages_)
      if (P* p = dynamic_cast<P*>(page.get())) return p;
    return nullptr;
  }

  // Lifecycle.
  void FormShow(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void Timer1Timer(TObject* Sender);

  // Menu.
  void MenusaveClick(TObject* Sender);
  void SaveExit1Click(TObject* Sender);
  void MenuexitClick(TObject* Sender);
  void ReloadRegistry1Click(TObject* Sender);
  void About1Click(TObject* Sender);
  // The ports page's driver list, read again from the drivers folder.
  void ReloadDriversDir1Click(TObject* Sender);

  // Transfers (editor/transfer, editor/ports): the old station and ports
  // files, and export, import and deletion of the whole stored configuration.
  void MenuimportClick(TObject* Sender);
  void ImportsysClick(TObject* Sender);
  void ExportConfig1Click(TObject* Sender);
  void ImportConfig1Click(TObject* Sender);
  void DeleteConfig1Click(TObject* Sender);
  // Puts a backup back whole, as it was taken (editor/transfer/RestoreBackup.cpp).
  void RestoreBackup1Click(TObject* Sender);
  // At the start: a command that replaces the stored tree and was cut short
  // is named, and the backup it took is offered back.
  void RecoverInterruptedReplace();
  // The delete that Delete Config and Import Config share, after their
  // question, backup and note: the tree goes, the window's changes are
  // saved into the emptied store when the sysop said so, and the window is
  // loaded from the store.
  void DeleteStoredConfiguration(TPendingChanges changes);

  // Change tracking shared by many controls.
  void EditbbsindicativoKeyUp(TObject* Sender, WORD& Key);
  void ForwardzubKeyPress(TObject* Sender, char& Key);
  void CachebidsClick(TObject* Sender);

  // The save command: the save, then what its result asks for (a warning
  // with the field to fix, or the change marked saved and announced).
  // Returns whether everything was stored.
  bool Save();

  // Warns when the configuration has no callsign or route, which the save
  // refuses, and shows the field to fill. False when both are there.
  bool WarnMissingIdentity();

  // Every page made so far shows the configuration again, after a command
  // replaced it; ShowTexts shows the folders a field derived.
  void ShowConfiguration();
  void ShowTexts();

  // The drivers the type selector of the ports page offers: "None" first,
  // then what the drivers folder held when it was last read.
  const std::vector<std::string>& DriverTypes() const { return driverTypes_; }

  // Looks a control up by its name, making the page that holds it.
  TControl* FindControl(const std::string& name);
  TTabSheet* FindSheet(const std::string& name) const;
  // Selects the page, then focuses the control.
  void ShowField(TTabSheet* page, TControl* control);
  void ShowField(const std::string& page, const std::string& field);

  // The local time the clock shows; tests replace it.
  std::function<SYSTEMTIME()> LocalClock;

 private:
  void BuildMenu();
  void BuildSheets();
  void ActOnStartCode();
  // Loads the window from the store. A store with the older folder key is
  // carried over to the newer one by a save, unless the store must stay
  // exactly as it is (a restore).
  enum class TOlderFolders { CarryOver, Keep };
  void LoadRegistry(TOlderFolders older = TOlderFolders::CarryOver);
  // The window loaded afresh from the store, the changes it held let go:
  // the ports back at their defaults until the store gives them.
  void ReloadFromStore(TOlderFolders older = TOlderFolders::CarryOver);
  // The window after a restore: loaded from the store, the change
  // announced, and the result named.
  void ShowRestored(const std::string& file, LONG restored);
  void WriteWindowState();
  void CheckStoredVersion(const std::string& stored);
  // Where a window placed at left, top shows its caption on some monitor.
  POINT OnScreen(int left, int top) const;
  template <class P>
  P& Page(TTabSheet* sheet) {
    return static_cast<P&>(*PageOf(sheet));
  }

  template <class T, class... Args>
  T* Make(Args&&... args) {
    auto control = std::make_unique<T>(std::forward<Args>(args)...);
    T* raw = control.get();
    frameByName_[raw->Name] = raw;
    frame_.push_back(std::move(control));
    return raw;
  }

  std::vector<std::unique_ptr<TControl>> frame_;
  std::map<std::string, TControl*> frameByName_;
  std::map<TTabSheet*, std::unique_ptr<TPage>> pages_;
  std::vector<std::string> driverTypes_;
  bool activated_ = false;
};

// Tells running programs that the stored configuration changed: posts
// "ZUBCFG_NOTIFY" to every top-level window, both parameters 0.
void NotifyConfigurationChanged();

extern TForm1* Form1;
