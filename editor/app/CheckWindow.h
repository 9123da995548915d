// The findings of the configuration check (editor/config/Check.h) in a
// window of their own: a list of severity icon, where and sentence, which
// the sysop keeps open while fixing what it says. Enter or a double-click
// on a finding hands it to the caller, who shows its page and field. The
// window is resizable and keeps its size (CheckWidth and CheckHeight under
// the editor's own key, in 96-DPI pixels), and is laid out for the DPI of
// its monitor as the other windows are.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "editor/config/Check.h"
#include "platform/Controls.h"

using TGoToFinding = std::function<void(const TFinding&)>;

// Shows the findings in the check window, owned by owner: opens it, or
// brings the one that is open to the front with the new list. Enter or a
// double-click on a finding activates the owner and calls go with a copy
// of the finding; the window stays open. With no findings, a message box
// says that there is nothing to report, and a check window still open
// closes.
void ShowFindings(HWND owner, const std::vector<TFinding>& findings, TGoToFinding go);
// Closes the check window if it is open (its size is kept). Safe to call
// from go, and at any time after the window closed by itself or with its
// owner.
void CloseFindings();

class TFindingList;

class TCheckWindow : public TForm {
 public:
  explicit TCheckWindow(HWND owner);
  ~TCheckWindow() override;

  void SetFindings(const std::vector<TFinding>& findings, TGoToFinding go);
  // The finding under the selection, or -1.
  int Selected() const;
  int Count() const { return static_cast<int>(findings_.size()); }
  // Hands the selected finding to go.
  void GoToSelected();

  TControl* List() const;
  TLabel* Hint = nullptr;
  TButton* CloseButton = nullptr;

  // Client sizes in 96-DPI pixels.
  static constexpr int kDefaultWidth = 720, kDefaultHeight = 260;
  static constexpr int kMinWidth = 360, kMinHeight = 160;

 protected:
  LRESULT ContainerProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TCheckWindow(HWND owner, SIZE client);
  void Layout();
  void LoadIcons();
  void FitColumns();
  void SaveSize();
  SIZE ClientSize96() const;

  std::vector<std::unique_ptr<TControl>> owned_;
  TFindingList* list_ = nullptr;
  HIMAGELIST icons_ = nullptr;
  std::vector<TFinding> findings_;
  TGoToFinding go_;
  bool sizeSaved_ = false;
};

// The window while it is open, else nullptr (tests).
TCheckWindow* FindingsWindow();
