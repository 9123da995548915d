#include "editor/app/CheckWindow.h"

#include <algorithm>
#include <utility>

#include "editor/config/RegistryKeys.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"

namespace {

constexpr TFormStyle kStyle{false, false, true};  // resizable, maximisable
constexpr char kCaption[] = "Nodraxcfg";
constexpr char kWidthValue[] = "CheckWidth";
constexpr char kHeightValue[] = "CheckHeight";
constexpr int kMargin = 8;
constexpr int kButtonWidth = 75, kButtonHeight = 25;
// The widths of the severity and where columns at 96 DPI; the sentence
// takes the rest, or more when it needs it (the list then scrolls).
constexpr int kSeverityColumn = 84, kWhereColumn = 180;

// The size the window had when it last closed, within reason.
SIZE StoredClientSize() {
  SIZE size{TCheckWindow::kDefaultWidth, TCheckWindow::kDefaultHeight};
  TRegistry reg;
  if (reg.OpenKeyReadOnly(kWindowKey)) {
    int width = 0, height = 0;
    if (reg.TryReadInteger(kWidthValue, width) && reg.TryReadInteger(kHeightValue, height)) {
      size.cx = std::clamp(width, TCheckWindow::kMinWidth, 4000);
      size.cy = std::clamp(height, TCheckWindow::kMinHeight, 3000);
    }
    reg.CloseKey();
  }
  return size;
}

// A system icon in the size of the DPI: scaled down from a larger image
// where the system can (comctl32 6), otherwise the shared one, which the
// image list scales.
HICON SystemIcon(LPCSTR id, int size, bool& owned) {
  using TLoad = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
  static const auto load = [] {
    HMODULE comctl = GetModuleHandleA("comctl32.dll");
    return comctl ? reinterpret_cast<TLoad>(reinterpret_cast<void (*)()>(
                        GetProcAddress(comctl, "LoadIconWithScaleDown")))
                  : nullptr;
  }();
  HICON icon = nullptr;
  // The IDI_ ids are integer resources: the same pointer value as a wide name.
  if (load && SUCCEEDED(load(nullptr, reinterpret_cast<PCWSTR>(id), size, size, &icon))) {
    owned = true;
    return icon;
  }
  owned = false;
  return static_cast<HICON>(LoadImageA(nullptr, id, IMAGE_ICON, size, size, LR_SHARED));
}

}  // namespace

// The list of findings: a report-style list view, one row selected at a
// time; Enter and a double-click on a row activate it.
class TFindingList : public TControl {
 public:
  TFindingList(TContainer* parent, std::function<void()> activate)
      : TControl("Findings"), activate_(std::move(activate)) {
    CreateHandle(parent, WC_LISTVIEWA,
                 WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                 WS_EX_CLIENTEDGE, "");
    SendMessageA(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | LVS_EX_LABELTIP | LVS_EX_DOUBLEBUFFER);
  }

  bool HandleNotify(NMHDR* header, LRESULT& result) override {
    if (header->code == NM_DBLCLK) {
      // On a row, not on the empty space below the rows.
      if (reinterpret_cast<NMITEMACTIVATE*>(header)->iItem >= 0) activate_();
      result = 0;
      return true;
    }
    if (header->code == NM_RETURN) {
      // Enter, where no dialog manager took it first.
      activate_();
      result = 0;
      return true;
    }
    return false;
  }

 private:
  std::function<void()> activate_;
};

// ---------------------------------------------------------------------------
// The one check window, and those that closed while one of their handlers
// ran: an object is deleted only when none of its handlers is running.

namespace {

std::unique_ptr<TCheckWindow>& Current() {
  static std::unique_ptr<TCheckWindow> window;
  return window;
}
std::vector<std::unique_ptr<TCheckWindow>>& Retired() {
  static std::vector<std::unique_ptr<TCheckWindow>> windows;
  return windows;
}
int running = 0;  // handlers of a check window on the stack

void Retire() {
  if (Current()) Retired().push_back(std::move(Current()));
  if (running == 0) Retired().clear();
}

}  // namespace

TCheckWindow* FindingsWindow() {
  TCheckWindow* window = Current().get();
  return window && !window->Closed() ? window : nullptr;
}

void CloseFindings() {
  if (TCheckWindow* window = FindingsWindow()) window->Close();
  Retire();
}

void ShowFindings(HWND owner, const std::vector<TFinding>& findings, TGoToFinding go) {
  if (findings.empty()) {
    CloseFindings();
    Dialogs().MessageBox(owner,
                         "The configuration check found nothing to report: no errors, no warnings.",
                         kCaption, MB_ICONINFORMATION | MB_OK);
    return;
  }
  TCheckWindow* window = FindingsWindow();
  if (!window || GetWindow(window->Handle(), GW_OWNER) != owner) {
    CloseFindings();
    Current() = std::make_unique<TCheckWindow>(owner);
    window = Current().get();
  }
  window->SetFindings(findings, std::move(go));
  window->Show();
  SetActiveWindow(window->Handle());
  window->List()->SetFocus();
}

// ---------------------------------------------------------------------------

TCheckWindow::TCheckWindow(HWND owner) : TCheckWindow(owner, StoredClientSize()) {}

TCheckWindow::TCheckWindow(HWND owner, SIZE client)
    : TForm("TCheckWindow", "CheckWindow", client.cx, client.cy, kStyle, owner) {
  SetCaption("Configuration check");
  auto make = [this](auto control) {
    auto* raw = control.get();
    owned_.push_back(std::move(control));
    return raw;
  };
  list_ = make(std::make_unique<TFindingList>(this, [this] { GoToSelected(); }));
  Hint = make(std::make_unique<TLabel>(this, "Hint", ""));
  CloseButton = make(std::make_unique<TButton>(this, "CloseButton", "Close"));
  // Closed once the click is handled: the button's window goes with it.
  CloseButton->OnClick = [this](TObject*) { PostMessageA(Handle(), WM_CLOSE, 0, 0); };

  const struct {
    const char* caption;
    int width;
  } columns[] = {{"Severity", kSeverityColumn}, {"Where", kWhereColumn}, {"Finding", 100}};
  for (int i = 0; i < 3; ++i) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(columns[i].caption);
    column.cx = Scale(columns[i].width);
    column.iSubItem = i;
    SendMessageA(list_->Handle(), LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
  LoadIcons();

  // Beside the owner, a little below and to the right of its corner.
  if (owner) {
    RECT at{};
    GetWindowRect(owner, &at);
    SetPosition(at.left + Scale(40), at.top + Scale(40));
  }
  Layout();
}

TCheckWindow::~TCheckWindow() {
  if (Handle()) SaveSize();
  // Children before the window that holds them.
  while (!owned_.empty()) owned_.pop_back();
  if (icons_) ImageList_Destroy(icons_);
}

TControl* TCheckWindow::List() const { return list_; }

void TCheckWindow::SetFindings(const std::vector<TFinding>& findings, TGoToFinding go) {
  findings_ = findings;
  go_ = std::move(go);
  HWND list = list_->Handle();
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  for (std::size_t i = 0; i < findings_.size(); ++i) {
    const TFinding& f = findings_[i];
    const bool error = f.Severity == TSeverity::Error;
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<char*>(error ? "Error" : "Warning");
    item.iImage = error ? 0 : 1;
    const int row = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    const std::string where = f.Where();
    const std::string* texts[] = {&where, &f.Text};
    for (int column = 1; column <= 2; ++column) {
      LVITEMA sub{};
      sub.iSubItem = column;
      sub.pszText = const_cast<char*>(texts[column - 1]->c_str());
      SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
    }
  }
  LVITEMA state{};
  state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
  SendMessageA(list, LVM_ENSUREVISIBLE, 0, FALSE);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  Hint->SetText(FindingsSummary(findings_) + " Enter or a double-click shows the field.");
  FitColumns();
  InvalidateRect(list, nullptr, TRUE);
}

int TCheckWindow::Selected() const {
  return static_cast<int>(
      SendMessageA(list_->Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TCheckWindow::GoToSelected() {
  const int i = Selected();
  if (i < 0 || i >= Count() || !go_) return;
  // Copies: the handler may check again and give this window a new list,
  // or close it.
  const TFinding finding = findings_[i];
  const TGoToFinding go = go_;
  HWND owner = GetWindow(Handle(), GW_OWNER);
  if (owner && IsWindowEnabled(owner)) SetActiveWindow(owner);
  ++running;
  Fire([&] { go(finding); });
  --running;
}

void TCheckWindow::LoadIcons() {
  const int size = Scale(16);
  HIMAGELIST icons = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 2, 0);
  for (LPCSTR id : {IDI_ERROR, IDI_WARNING}) {
    bool owned = false;
    HICON icon = SystemIcon(id, size, owned);
    ImageList_AddIcon(icons, icon);
    if (owned && icon) DestroyIcon(icon);
  }
  SendMessageA(list_->Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons));
  if (icons_) ImageList_Destroy(icons_);
  icons_ = icons;
}

SIZE TCheckWindow::ClientSize96() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  return SIZE{MulDiv(client.right, 96, Dpi()), MulDiv(client.bottom, 96, Dpi())};
}

void TCheckWindow::Layout() {
  // The form is sized while it is made, before its controls are.
  if (!list_ || !Handle() || IsIconic(Handle())) return;
  const SIZE size = ClientSize96();
  const int width = static_cast<int>(size.cx), height = static_cast<int>(size.cy);
  const int bottom = height - kMargin - kButtonHeight;
  list_->SetBounds(kMargin, kMargin, std::max(0, width - 2 * kMargin),
                   std::max(0, bottom - 2 * kMargin));
  CloseButton->SetBounds(width - kMargin - kButtonWidth, bottom, kButtonWidth, kButtonHeight);
  Hint->SetBounds(kMargin, bottom + (kButtonHeight - 14) / 2,
                  std::max(0, width - 3 * kMargin - kButtonWidth), 16);
  FitColumns();
}

void TCheckWindow::FitColumns() {
  if (!list_) return;
  HWND list = list_->Handle();
  SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, Scale(kSeverityColumn));
  SendMessageA(list, LVM_SETCOLUMNWIDTH, 1, Scale(kWhereColumn));
  // The sentence column fills the list, and is as wide as its longest
  // sentence: a narrow window scrolls rather than cut a sentence short.
  RECT inside{};
  GetClientRect(list, &inside);
  int width = inside.right - Scale(kSeverityColumn) - Scale(kWhereColumn);
  for (const TFinding& f : findings_) {
    const int text = static_cast<int>(
        SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(f.Text.c_str())));
    width = std::max(width, text + Scale(16));
  }
  SendMessageA(list, LVM_SETCOLUMNWIDTH, 2, std::max(width, Scale(100)));
}

void TCheckWindow::SaveSize() {
  if (sizeSaved_ || !Handle() || IsIconic(Handle()) || IsZoomed(Handle())) return;
  sizeSaved_ = true;
  const SIZE size = ClientSize96();
  TRegistry reg;
  if (!reg.OpenKey(kWindowKey, true)) return;
  reg.WriteInteger(kWidthValue, static_cast<int>(size.cx));
  reg.WriteInteger(kHeightValue, static_cast<int>(size.cy));
  reg.CloseKey();
}

LRESULT TCheckWindow::ContainerProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) Layout();
      break;
    case WM_GETMINMAXINFO:
      if (Handle()) {
        RECT r{0, 0, Scale(kMinWidth), Scale(kMinHeight)};
        AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = POINT{r.right - r.left, r.bottom - r.top};
        return 0;
      }
      break;
    case WM_DPICHANGED: {
      // The form sizes itself to the client size it was made with; this
      // window keeps the size the sysop gave it, at the new DPI.
      const SIZE kept = ClientSize96();
      const LRESULT result = TForm::ContainerProc(msg, wParam, lParam);
      if (Handle() && !IsZoomed(Handle())) {
        RECT client{}, window{};
        GetClientRect(Handle(), &client);
        GetWindowRect(Handle(), &window);
        SetWindowPos(Handle(), nullptr, 0, 0,
                     window.right - window.left + Scale(kept.cx) - client.right,
                     window.bottom - window.top + Scale(kept.cy) - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      LoadIcons();
      Layout();
      return result;
    }
    case WM_COMMAND:
      // Enter and Escape, as the dialog manager sends them.
      if (lParam == 0 && LOWORD(wParam) == IDOK) {
        GoToSelected();
        return 0;
      }
      if (lParam == 0 && LOWORD(wParam) == IDCANCEL) {
        PostMessageA(Handle(), WM_CLOSE, 0, 0);
        return 0;
      }
      break;
    case WM_DESTROY:
      SaveSize();
      break;
  }
  return TForm::ContainerProc(msg, wParam, lParam);
}
