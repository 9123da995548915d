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
#include <stdexcept>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/app/Page.h"
#include "editor/config/Check.h"
#include "editor/config/Document.h"
#include "platform/Controls.h"

extern const char* const kEditorVersion;  // "1.5.3"

// Set by the process entry.
extern std::string CommandTail;

class TForm1;
// One page of the window: the sheet's name and caption, and how its view
// is made. Adding a page is one row of the window's table.
struct TPageRow {
  const char* Sheet;
  const char* Caption;
  bool TabVisible;
  std::unique_ptr<TPage> (*Make)(TDocument& document, IViewHost& host, TTabSheet* sheet);
};
template <class P>
std::unique_ptr<TPage> MakePage(TDocument& document, IViewHost& host, TTabSheet* sheet) {
  return std::make_unique<P>(document, host, sheet);
}

class TForm1 : public TForm, public IViewHost {
 public:
  explicit TForm1(TDocument& document);
  ~TForm1() override;

  // The frame.
  TLabel* Bevel1 = nullptr;
  TPageControl* Pagina = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  std::unique_ptr<TTimer> Timer1;

  TDocument& Doc() const { return document_; }

  // The page of that type, made now if it was not.
  template <class P>
  P& Page() {
    for (std::size_t i = 0; i < sheets_.size(); ++i)
      if (Rows()[i].Make == &MakePage<P>) return static_cast<P&>(*PageOf(sheets_[i]));
    throw std::logic_error("no such page");
  }
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
  // Checks what the window holds, unsaved edits included, and lists the
  // findings; each leads to its field.
  void CheckConfiguration1Click(TObject* Sender);
  // Shows the page of a finding, its port or server, and its field.
  void GoToFinding(const TFinding& finding);

  // Transfers: the old station and ports files, and export, import,
  // deletion and restore of the whole stored configuration. Each asks for
  // its file and shows what the command did.
  void MenuimportClick(TObject* Sender);
  void ImportsysClick(TObject* Sender);
  void ExportConfig1Click(TObject* Sender);
  void ImportConfig1Click(TObject* Sender);
  void DeleteConfig1Click(TObject* Sender);
  void RestoreBackup1Click(TObject* Sender);

  // The save command (the document's save, with this window as its host).
  bool Save() { return document_.Save(*this); }

  // The host of the commands and pages: messages through the dialog seam,
  // owned by this window; every page made so far shows the configuration
  // again after a command replaced it, or the folders a field derived.
  int Message(const std::string& text, const std::string& caption, UINT flags) override;
  void ShowConfiguration() override;
  void ShowTexts() override;
  void SetStatus(const std::string& text) override;
  SYSTEMTIME LocalTime() override { return LocalClock(); }
  HWND Owner() const override { return Handle(); }
  const std::vector<std::string>& DriverTypes() const override { return driverTypes_; }

  // Looks a control up by its name, making the page that holds it.
  TControl* FindControl(const std::string& name);
  TTabSheet* FindSheet(const std::string& name) const;
  // Selects the page, then focuses the control.
  void ShowField(TTabSheet* page, TControl* control);
  // An empty field selects the page alone.
  void ShowField(const std::string& page, const std::string& field) override;
  // The page shown and the caret in the field that edits the value.
  void ShowField(const std::string& page, const TConfigField& field);

  // The local time the clock shows; tests replace it.
  std::function<SYSTEMTIME()> LocalClock;

 private:
  void BuildMenu();
  void BuildSheets();
  void ActOnStartCode();
  void WriteWindowState();
  void CheckStoredVersion(const std::string& stored);
  // Where a window placed at left, top shows its caption on some monitor.
  POINT OnScreen(int left, int top) const;
  static const std::vector<TPageRow>& Rows();

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
  TDocument& document_;
  std::vector<TTabSheet*> sheets_;  // one for each row of the page table
  std::map<TTabSheet*, std::unique_ptr<TPage>> pages_;
  std::vector<std::string> driverTypes_;
  bool activated_ = false;
};
