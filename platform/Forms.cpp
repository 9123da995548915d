// Top-level forms, their menus, and timers.
#include <functional>
#include <map>
#include <stdexcept>

#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/ControlSupport.h"

using namespace nodrax_controls;

namespace {

// Menu commands live above the control ids and far from IDOK/IDCANCEL.
UINT NextCommand() {
  static UINT next = 40000;
  const UINT id = next++;
  if (next >= 0xFF00) next = 40000;
  return id;
}

TMenuItem* FindItem(TMenuItem* item, const std::function<bool(const TMenuItem&)>& match) {
  if (!item) return nullptr;
  if (match(*item)) return item;
  for (const auto& child : item->Items())
    if (TMenuItem* found = FindItem(child.get(), match)) return found;
  return nullptr;
}

std::map<UINT_PTR, TTimer*>& Timers() {
  static std::map<UINT_PTR, TTimer*> timers;
  return timers;
}

}  // namespace

// ---------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(std::string name, std::string caption)
    : Name(std::move(name)), Caption(std::move(caption)) {}

void TMenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!owner_) return;
  EnableMenuItem(owner_, position_, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
  if (window_ && IsWindow(window_) && GetMenu(window_) == owner_) DrawMenuBar(window_);
}

TMenuItem* TMenuItem::Add(std::unique_ptr<TMenuItem> child) {
  children_.push_back(std::move(child));
  return children_.back().get();
}

// ---------------------------------------------------------------------------
// TForm

namespace {

DWORD WindowStyle(const TFormStyle& style) {
  DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  if (style.minimizeBox) windowStyle |= WS_MINIMIZEBOX;
  if (style.maximizeBox) windowStyle |= WS_MAXIMIZEBOX;
  if (!style.fixedBorder) windowStyle |= WS_THICKFRAME;
  return windowStyle;
}

constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;

}  // namespace

SIZE TForm::ClientSizeAt96(int outerWidth, int outerHeight, TFormStyle style) {
  RECT frame{0, 0, 0, 0};
  using TAdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = UserFunctionAs<TAdjustForDpi>("AdjustWindowRectExForDpi");
  if (!adjustForDpi || !adjustForDpi(&frame, WindowStyle(style), FALSE, kFormExStyle, 96)) {
    // Before Windows 10 the frame has the system's DPI; so has the window.
    frame = RECT{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WindowStyle(style), FALSE, kFormExStyle);
  }
  return SIZE{outerWidth - (frame.right - frame.left), outerHeight - (frame.bottom - frame.top)};
}

TForm::TForm(std::string className, std::string name, int clientWidth, int clientHeight,
             TFormStyle style, HWND owner)
    : TContainer(std::move(name)), clientWidth_(clientWidth), clientHeight_(clientHeight) {
  InitControls();
  // The window is sized for the monitor it will most likely show on: its
  // owner's, or the main one. The system tells the DPI it really has once
  // it exists.
  dpi_ = owner ? WindowDpi(owner) : SystemDpi();
  WNDCLASSEXA known{};
  known.cbSize = sizeof known;
  if (!GetClassInfoExA(Instance(), className.c_str(), &known)) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = StaticProc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconA(Instance(), "MAINICON");
    if (!wc.hIcon) wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.lpszClassName = className.c_str();
    if (!RegisterClassExA(&wc))
      throw std::runtime_error("Cannot register the window class " + className);
  }
  const DWORD windowStyle = WindowStyle(style);
  RECT r{0, 0, Scale(clientWidth), Scale(clientHeight)};
  AdjustWindowRectEx(&r, windowStyle, FALSE, kFormExStyle);
  HWND hwnd = CreateWindowExA(kFormExStyle, className.c_str(), "", windowStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, owner, nullptr,
                              Instance(), this);
  if (!hwnd) throw std::runtime_error("Cannot create the window " + Name);
  Attach(hwnd, nullptr);
  dpi_ = WindowDpi(hwnd);
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(Application().Font(dpi_)), FALSE);
  SetIcons();
  FitClientSize();
}

TForm::~TForm() {
  if (hwnd_) {
    // The owner of the handlers may be gone already; the window goes quietly.
    destroying_ = true;
    OnShow = nullptr;
    OnActivate = nullptr;
    OnCloseQuery = nullptr;
    OnDestroy = nullptr;
    DestroyWindow(hwnd_);
  }
  for (HICON icon : icons_)
    if (icon) DestroyIcon(icon);
}

RECT TForm::ClientRect96() const { return RECT{0, 0, clientWidth_, clientHeight_}; }

void TForm::SetIcons() {
  if (!hwnd_) return;
  HICON made[2] = {nullptr, nullptr};
  // At the system's DPI the class's icons have the right sizes already.
  if (dpi_ != SystemDpi()) {
    using TMetricForDpi = int(WINAPI*)(int, UINT);
    static const auto metricForDpi = UserFunctionAs<TMetricForDpi>("GetSystemMetricsForDpi");
    auto metric = [this](int index) {
      return metricForDpi ? metricForDpi(index, static_cast<UINT>(dpi_))
                          : MulDiv(GetSystemMetrics(index), dpi_, SystemDpi());
    };
    const int sizes[2][2] = {{metric(SM_CXICON), metric(SM_CYICON)},
                             {metric(SM_CXSMICON), metric(SM_CYSMICON)}};
    for (int i = 0; i < 2; ++i)
      made[i] = static_cast<HICON>(
          LoadImageA(Instance(), "MAINICON", IMAGE_ICON, sizes[i][0], sizes[i][1], 0));
  }
  if (!made[0] && !made[1] && !icons_[0] && !icons_[1]) return;
  // No icon of the window's own shows the class's.
  SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(made[0]));
  SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(made[1]));
  for (int i = 0; i < 2; ++i) {
    if (icons_[i]) DestroyIcon(icons_[i]);
    icons_[i] = made[i];
  }
}

void TForm::ChangeDpi(int dpi, const RECT* suggested) {
  if (!hwnd_ || dpi <= 0) return;
  const int old = dpi_;
  if (dpi != old) {
    dpi_ = dpi;
    // Drawn once, when every control has its new place.
    SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    if (HFONT font = Application().FontAt(
            reinterpret_cast<HFONT>(SendMessageA(hwnd_, WM_GETFONT, 0, 0)), dpi_))
      SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ApplyDpiToChildren(old);
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    SetIcons();
  }
  if (suggested)
    SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  // The suggestion scales the frame too; the client area must be exact.
  FitClientSize();
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TForm::FitClientSize() {
  if (!hwnd_) return;
  // Measured rather than computed: a menu bar may take more than one line.
  for (int attempt = 0; attempt < 2; ++attempt) {
    RECT client, window;
    GetClientRect(hwnd_, &client);
    GetWindowRect(hwnd_, &window);
    const int dw = Scale(clientWidth_) - (client.right - client.left);
    const int dh = Scale(clientHeight_) - (client.bottom - client.top);
    if (dw == 0 && dh == 0) return;
    SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left + dw,
                 window.bottom - window.top + dh, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TForm::SetCaption(const std::string& caption) {
  if (hwnd_) SetWindowTextA(hwnd_, caption.c_str());
}

void TForm::SetMenu(std::unique_ptr<TMenuItem> root) {
  if (!hwnd_) return;
  HMENU old = GetMenu(hwnd_);
  menu_ = std::move(root);
  HMENU bar = nullptr;
  if (menu_) {
    bar = CreateMenu();
    std::function<void(HMENU, TMenuItem*)> append = [&](HMENU menu, TMenuItem* item) {
      item->owner_ = menu;
      item->window_ = hwnd_;
      item->position_ = static_cast<UINT>(GetMenuItemCount(menu));
      item->command_ = NextCommand();
      const UINT state = item->enabled_ ? MF_ENABLED : MF_GRAYED;
      if (item->Caption == "-") {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      } else if (!item->children_.empty()) {
        HMENU popup = CreatePopupMenu();
        for (const auto& child : item->children_) append(popup, child.get());
        AppendMenuA(menu, MF_POPUP | MF_STRING | state, reinterpret_cast<UINT_PTR>(popup),
                    item->Caption.c_str());
      } else {
        AppendMenuA(menu, MF_STRING | state, item->command_, item->Caption.c_str());
      }
    };
    for (const auto& child : menu_->children_) append(bar, child.get());
  }
  ::SetMenu(hwnd_, bar);
  if (old) DestroyMenu(old);
  DrawMenuBar(hwnd_);
  FitClientSize();
}

TMenuItem* TForm::FindMenuItem(const std::string& name) const {
  return FindItem(menu_.get(), [&](const TMenuItem& item) { return item.Name == name; });
}

void TForm::SetPosition(int left, int top) {
  if (hwnd_)
    SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT TForm::Position() const {
  RECT r{};
  if (hwnd_) GetWindowRect(hwnd_, &r);
  return POINT{r.left, r.top};
}

void TForm::Show() {
  if (!hwnd_) return;
  if (!shown_) {
    shown_ = true;
    TNotifyEvent handler = OnShow;
    if (handler) Fire([&] { handler(this); });
    if (!hwnd_) return;
  }
  if (IsMainForm && !Application().MainWindow) Application().MainWindow = hwnd_;
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

bool TForm::CloseQuery() {
  TCloseQueryEvent handler = OnCloseQuery;
  if (!handler) return true;
  bool canClose = true;
  bool finished = false;
  Fire([&] {
    handler(this, canClose);
    finished = true;
  });
  // A query that failed half-way keeps the window open: closing could lose
  // what it was about to save.
  return finished && canClose;
}

void TForm::Close() {
  if (!hwnd_ || !CloseQuery() || !hwnd_) return;
  if (inModal_) {
    // The modal loop ends and hides the window; the caller destroys it.
    if (modalResult_ == 0) modalResult_ = IDCANCEL;
    closeApproved_ = true;
    return;
  }
  DestroyWindow(hwnd_);
}

void TForm::SetModalResult(int result) { modalResult_ = result; }

int TForm::ShowModal() {
  if (!hwnd_) return IDCANCEL;
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  modalResult_ = 0;
  closeApproved_ = false;
  if (!shown_) {
    shown_ = true;
    TNotifyEvent handler = OnShow;
    if (handler) Fire([&] { handler(this); });
    if (!hwnd_) return IDCANCEL;
  }
  const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (owner) EnableWindow(owner, FALSE);
  inModal_ = true;
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);

  bool quit = false;
  int quitCode = 0;
  while (hwnd_) {
    if (modalResult_ != 0) {
      if (closeApproved_ || CloseQuery()) break;
      modalResult_ = 0;
    }
    closeApproved_ = false;
    MSG msg;
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      quit = true;
      quitCode = static_cast<int>(msg.wParam);
      break;
    }
    if (got == -1) break;
    Dispatch(msg);
  }
  inModal_ = false;
  // The owner is enabled before this window hides, so that it gets the
  // activation back rather than some other program.
  if (owner && ownerWasEnabled) EnableWindow(owner, TRUE);
  if (hwnd_) {
    if (owner && GetActiveWindow() == hwnd_) SetActiveWindow(owner);
    ShowWindow(hwnd_, SW_HIDE);
  }
  if (quit) PostQuitMessage(quitCode);
  if (modalResult_ == 0) modalResult_ = IDCANCEL;
  return modalResult_;
}

LRESULT TForm::ContainerProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (lParam == 0 && HIWORD(wParam) == 0) {
        const UINT command = LOWORD(wParam);
        TMenuItem* item = FindItem(menu_.get(), [&](const TMenuItem& it) {
          return it.command_ == command && it.owner_ != nullptr;
        });
        if (item) {
          // Windows sends nothing for a grayed item; neither does a stray
          // command reach one.
          TNotifyEvent handler = item->OnClick;
          if (item->Enabled() && handler) Fire([&] { handler(item); });
          return 0;
        }
      }
      break;
    case WM_ACTIVATE: {
      const WORD state = LOWORD(wParam);
      if (state == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
        break;
      }
      const bool minimized = HIWORD(wParam) != 0;
      if (!minimized) {
        // A control of this form keeps the keyboard if it has it already;
        // otherwise it goes back to the control that had it, and only
        // failing that to the form, which passes it on to its first control.
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus) && IsWindowVisible(focus)) {
          // stays where it is
        } else if (lastFocus_ && IsWindow(lastFocus_) && IsChild(hwnd_, lastFocus_) &&
                   IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_)) {
          ::SetFocus(lastFocus_);
        } else {
          DefWindowProcA(hwnd_, msg, wParam, lParam);
        }
      }
      TNotifyEvent handler = OnActivate;
      if (handler) Fire([&] { handler(this); });
      return 0;
    }
    case WM_SETFOCUS: {
      // The form itself takes no keys: pass the focus on to a control.
      HWND target = nullptr;
      if (lastFocus_ && IsWindow(lastFocus_) && IsChild(hwnd_, lastFocus_) &&
          IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_))
        target = lastFocus_;
      else
        target = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
      if (target && target != hwnd_) ::SetFocus(target);
      return 0;
    }
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DPICHANGED:
      ChangeDpi(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_DESTROY: {
      if (inModal_) {
        if (HWND owner = GetWindow(hwnd_, GW_OWNER)) EnableWindow(owner, TRUE);
      }
      TNotifyEvent handler = OnDestroy;
      if (handler && !destroying_) Fire([&] { handler(this); });
      // The window takes its menu with it.
      std::function<void(TMenuItem*)> forget = [&](TMenuItem* item) {
        item->owner_ = nullptr;
        item->window_ = nullptr;
        for (const auto& child : item->children_) forget(child.get());
      };
      if (menu_) forget(menu_.get());
      if (Application().MainWindow == hwnd_) Application().MainWindow = nullptr;
      if (IsMainForm && !destroying_) PostQuitMessage(0);
      break;
    }
  }
  return TContainer::ContainerProc(msg, wParam, lParam);
}

// ---------------------------------------------------------------------------
// TTimer

TTimer::TTimer(std::string name, UINT intervalMs) : Name(std::move(name)), interval_(intervalMs) {
  SetEnabled(true);
}

TTimer::~TTimer() { SetEnabled(false); }

void TTimer::SetEnabled(bool enabled) {
  if (enabled && !id_ && interval_ > 0) {
    id_ = SetTimer(nullptr, 0, interval_, TimerProc);
    if (id_) Timers()[id_] = this;
  } else if (!enabled && id_) {
    KillTimer(nullptr, id_);
    Timers().erase(id_);
    id_ = 0;
  }
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = Timers().find(id);
  if (it != Timers().end()) it->second->Tick();
}

void TTimer::Tick() {
  // A handler that shows a modal box would otherwise be entered again by
  // every tick while its box is open.
  if (ticking_ || !OnTimer) return;
  ticking_ = true;
  TNotifyEvent handler = OnTimer;
  Application().Guard([&] { handler(this); });
  ticking_ = false;
}
