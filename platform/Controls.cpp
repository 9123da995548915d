// The base control, the containers and the label.
#include "platform/Controls.h"

#include <algorithm>
#include <unordered_map>

#include <stdexcept>

#include "platform/Application.h"
#include "platform/ControlSupport.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace nodrax_controls {

HINSTANCE Instance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

UINT NextControlId() {
  static UINT next = 100;
  const UINT id = next++;
  if (next >= 40000) next = 100;
  return id;
}

COLORREF Resolve(COLORREF colour) {
  if (colour & 0x80000000u) return GetSysColor(static_cast<int>(colour & 0xFF));
  return colour & 0x00FFFFFFu;
}

std::string WindowText(HWND hwnd) {
  if (!hwnd) return {};
  const int length = GetWindowTextLengthA(hwnd);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

FARPROC UserFunction(const char* name) {
  static HMODULE user = GetModuleHandleA("user32.dll");
  return user ? GetProcAddress(user, name) : nullptr;
}

int SystemDpi() {
  // The system's DPI changes only with a new sign-in.
  static const int dpi = [] {
    if (auto forSystem = UserFunctionAs<UINT(WINAPI*)()>("GetDpiForSystem"))
      if (const UINT got = forSystem()) return static_cast<int>(got);
    HDC screen = GetDC(nullptr);
    const int got = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return got > 0 ? got : 96;
  }();
  return dpi;
}

int WindowDpi(HWND hwnd) {
  static const auto forWindow = UserFunctionAs<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (hwnd && forWindow)
    if (const UINT got = forWindow(hwnd)) return static_cast<int>(got);
  return SystemDpi();
}

namespace {
// One memory device context for the process; the font of the DPI asked
// for is selected into it for each measure.
HDC MeasuringDC(int dpi) {
  static HDC dc = CreateCompatibleDC(nullptr);
  if (dc) SelectObject(dc, Application().Font(dpi));
  return dc;
}
}  // namespace

SIZE CaptionExtent(const std::string& text, int dpi) {
  RECT r{0, 0, 0, 0};
  if (HDC dc = MeasuringDC(dpi))
    DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
  return SIZE{r.right, r.bottom};
}

int FontHeight(int dpi) {
  TEXTMETRICA metrics{};
  HDC dc = MeasuringDC(dpi);
  return dc && GetTextMetricsA(dc, &metrics) ? metrics.tmHeight : ScaleTo(dpi, 13);
}

void InitControls() {
  static bool done = false;
  if (done) return;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                           ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  done = true;
}

}  // namespace nodrax_controls

using namespace nodrax_controls;

namespace {
// Which control a window belongs to. Kept in the process rather than as a
// window property: under Wine every property lookup is a round trip to the
// server, and the containers look controls up on every message.
std::unordered_map<HWND, TControl*>& ControlOf() {
  static std::unordered_map<HWND, TControl*> controls;
  return controls;
}
const char* const kTipsProp = "NodraxTips";
const char* const kContainerClass = "NodraxContainer";

// The platform's subclassing: the window procedure replaced by
// TControl::SubclassProc, and what it needs kept in the process. (comctl32's
// SetWindowSubclass keeps its data in a window property, and under Wine
// every property lookup is a round trip to the server: it made each message
// to a control some forty times as dear as to a bare one.)
struct THook {
  WNDPROC previous = nullptr;   // the procedure the window had before
  TControl* control = nullptr;  // nullptr once the control has let go
  bool child = false;           // a window inside the control (SubclassChild)
  bool unicode = false;         // kept as it was: messages arrive as before
};

std::unordered_map<HWND, THook>& Hooks() {
  static std::unordered_map<HWND, THook> hooks;
  return hooks;
}

LRESULT CallPrevious(const THook& hook, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return hook.unicode ? CallWindowProcW(hook.previous, hwnd, msg, wParam, lParam)
                      : CallWindowProcA(hook.previous, hwnd, msg, wParam, lParam);
}

LRESULT CallPrevious(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto it = Hooks().find(hwnd);
  if (it == Hooks().end()) return DefWindowProcA(hwnd, msg, wParam, lParam);
  return CallPrevious(it->second, hwnd, msg, wParam, lParam);
}

LONG_PTR WindowProcOf(HWND hwnd, bool unicode) {
  return unicode ? GetWindowLongPtrW(hwnd, GWLP_WNDPROC) : GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
}

bool Hook(HWND hwnd, TControl* control, bool child, WNDPROC proc) {
  auto& hooks = Hooks();
  auto it = hooks.find(hwnd);
  if (it != hooks.end()) {
    // Still hooked from a control that let go while another procedure lay
    // over ours: the hook serves the new control.
    it->second.control = control;
    it->second.child = child;
    return true;
  }
  THook hook;
  hook.control = control;
  hook.child = child;
  hook.unicode = IsWindowUnicode(hwnd) != FALSE;
  const LONG_PTR ours = reinterpret_cast<LONG_PTR>(proc);
  hook.previous = reinterpret_cast<WNDPROC>(hook.unicode ? SetWindowLongPtrW(hwnd, GWLP_WNDPROC, ours)
                                                         : SetWindowLongPtrA(hwnd, GWLP_WNDPROC, ours));
  if (!hook.previous) return false;
  hooks[hwnd] = hook;
  return true;
}

// Gives the window its procedure back. Another procedure laid over ours
// still calls ours: then the hook stays and only passes messages on, until
// the window is destroyed.
void Unhook(HWND hwnd, WNDPROC proc) {
  auto it = Hooks().find(hwnd);
  if (it == Hooks().end()) return;
  THook& hook = it->second;
  if (WindowProcOf(hwnd, hook.unicode) == reinterpret_cast<LONG_PTR>(proc)) {
    const LONG_PTR previous = reinterpret_cast<LONG_PTR>(hook.previous);
    if (hook.unicode)
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, previous);
    else
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, previous);
    Hooks().erase(it);
  } else {
    hook.control = nullptr;
  }
}
}  // namespace

// ---------------------------------------------------------------------------
// TControl

TControl::TControl(std::string name) : Name(std::move(name)) {}

TControl::~TControl() {
  if (!hwnd_) return;
  HWND hwnd = hwnd_;
  Detach();
  DestroyWindow(hwnd);
}

void TControl::Detach() {
  if (!hwnd_) return;
  if (tips_ && IsWindow(tips_)) {
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = GetAncestor(hwnd_, GA_ROOT);
    info.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    SendMessageA(tips_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  }
  tips_ = nullptr;
  if (child_) {
    Unhook(child_, SubclassProc);
    ControlOf().erase(child_);
    child_ = nullptr;
  }
  if (subclassed_) Unhook(hwnd_, SubclassProc);
  subclassed_ = false;
  ControlOf().erase(hwnd_);
  hwnd_ = nullptr;
}

TControl* TControl::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto it = ControlOf().find(hwnd);
  return it == ControlOf().end() ? nullptr : it->second;
}

namespace {
// The bounds of the next control made, with TControl::TMadeAt.
thread_local bool madeAtPending = false;
thread_local RECT madeAt{};
}  // namespace

TControl::TMadeAt::TMadeAt(int left, int top, int width, int height) {
  madeAt = RECT{left, top, left + width, top + height};
  madeAtPending = true;
}

TControl::TMadeAt::~TMadeAt() { madeAtPending = false; }

TControl::TMadeAtPaused::TMadeAtPaused() : pending_(madeAtPending) { madeAtPending = false; }

TControl::TMadeAtPaused::~TMadeAtPaused() { madeAtPending = pending_; }

bool TControl::TakeMadeAt() {
  if (!madeAtPending) return false;
  madeAtPending = false;
  bounds96_ = madeAt;
  placed_ = true;
  placedDpi_ = dpi_;
  return true;
}

void TControl::CreateHandle(TContainer* parent, const char* windowClass, DWORD style,
                            DWORD exStyle, const std::string& text, SIZE size) {
  InitControls();
  if (parent) {
    const TMadeAtPaused paused;
    parent->Realize();
  }
  dpi_ = parent ? parent->dpi_ : SystemDpi();
  RECT at{0, 0, size.cx, size.cy};
  if (TakeMadeAt()) at = PlacedRect();
  HWND hwnd = CreateWindowExA(exStyle, windowClass, text.c_str(), style | WS_CHILD, at.left,
                              at.top, at.right - at.left, at.bottom - at.top,
                              parent ? parent->Handle() : nullptr,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextControlId())),
                              Instance(), nullptr);
  if (!hwnd) throw std::runtime_error("Cannot create the window of " + Name);
  Attach(hwnd, parent);
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(Application().Font(dpi_)), FALSE);
}

void TControl::Attach(HWND hwnd, TContainer* parent) {
  hwnd_ = hwnd;
  parent_ = parent;
  ControlOf()[hwnd] = static_cast<TControl*>(this);
  subclassed_ = Hook(hwnd, this, false, SubclassProc);
}

void TControl::SubclassChild(HWND child) {
  if (!child) return;
  child_ = child;
  ControlOf()[child] = static_cast<TControl*>(this);
  Hook(child, this, true, SubclassProc);
}

LRESULT CALLBACK TControl::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto it = Hooks().find(hwnd);
  if (it == Hooks().end()) return DefWindowProcA(hwnd, msg, wParam, lParam);
  const THook hook = it->second;
  if (msg == WM_NCDESTROY) {
    // The last message of the window: the control lets go of it, and the
    // hook goes with it.
    if (hook.control && hook.child) {
      ControlOf().erase(hwnd);
      if (hook.control->child_ == hwnd) hook.control->child_ = nullptr;
    } else if (hook.control && hook.control->hwnd_ == hwnd) {
      hook.control->Detach();
    }
    Hooks().erase(hwnd);
    return CallPrevious(hook, hwnd, msg, wParam, lParam);
  }
  if (!hook.control) return CallPrevious(hook, hwnd, msg, wParam, lParam);
  if (hook.child) return hook.control->ChildProc(hwnd, msg, wParam, lParam);
  // Before the control's own handling, which may keep a mouse message to
  // itself.
  if (hook.control->tips_ && msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST)
    hook.control->RelayToHint(msg, wParam, lParam);
  return hook.control->WndProc(msg, wParam, lParam);
}
bool TControl::RunKeyEvent(UINT msg, WPARAM& wParam) {
  if (msg == WM_CHAR && OnKeyPress) {
    TKeyPressEvent handler = OnKeyPress;  // the handler may rebind the event
    char key = static_cast<char>(wParam);
    Fire([&] { handler(this, key); });
    if (key == 0) return true;
    wParam = static_cast<unsigned char>(key);
  } else if (msg == WM_KEYUP && OnKeyUp) {
    TKeyEvent handler = OnKeyUp;
    WORD key = static_cast<WORD>(wParam);
    Fire([&] { handler(this, key); });
    if (key == 0) return true;
    wParam = key;
  }
  return false;
}

LRESULT TControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CHAR:
    case WM_KEYUP:
      if (RunKeyEvent(msg, wParam)) return 0;
      break;
    case WM_SETCURSOR:
      // Only over this window itself: a container must not impose its
      // cursor on the controls it holds.
      if (cursor_ == TCursorKind::HandPoint && reinterpret_cast<HWND>(wParam) == hwnd_ &&
          LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
  }
  return DefaultProc(msg, wParam, lParam);
}

LRESULT TControl::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // A handler may have destroyed the window while its message was running.
  if (!hwnd_) return 0;
  return CallPrevious(hwnd_, msg, wParam, lParam);
}

LRESULT TControl::ChildProc(HWND child, UINT msg, WPARAM wParam, LPARAM lParam) {
  if ((msg == WM_CHAR || msg == WM_KEYUP) && RunKeyEvent(msg, wParam)) return 0;
  if (!IsWindow(child)) return 0;
  return DefaultChildProc(child, msg, wParam, lParam);
}

LRESULT TControl::DefaultChildProc(HWND child, UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallPrevious(child, msg, wParam, lParam);
}

void TControl::RelayToHint(UINT msg, WPARAM wParam, LPARAM lParam) {
  // What the tooltip's own subclassing (TTF_SUBCLASS) would pass it.
  MSG relayed{};
  relayed.hwnd = hwnd_;
  relayed.message = msg;
  relayed.wParam = wParam;
  relayed.lParam = lParam;
  relayed.time = static_cast<DWORD>(GetMessageTime());
  GetCursorPos(&relayed.pt);
  SendMessageA(tips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void TControl::Fire(const std::function<void()>& handler) {
  if (handler) Application().Guard(handler);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  const RECT bounds{left, top, left + width, top + height};
  // Made at these bounds already (TMadeAt): nothing to move.
  if (placed_ && placedDpi_ == dpi_ && EqualRect(&bounds, &bounds96_)) return;
  bounds96_ = bounds;
  placed_ = true;
  Place();
}

int TControl::Scale(int length) const { return ScaleTo(dpi_, length); }

RECT TControl::PlacedRect() const {
  RECT r = bounds96_;
  // The window of a combo box includes its dropped-down list; the height
  // asked for is the closed box's.
  if (dynamic_cast<const TComboBox*>(this)) r.bottom += 200;
  // Edges rather than sizes are scaled, so that controls that meet or keep
  // apart at 96 DPI still do at any other.
  return RECT{Scale(r.left), Scale(r.top), Scale(r.right), Scale(r.bottom)};
}

void TControl::Place() {
  if (!hwnd_ || !placed_) return;
  const RECT r = PlacedRect();
  SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  placedDpi_ = dpi_;
}

namespace {
// A window that was never given 96-DPI bounds keeps its place at the new
// DPI: its rectangle scaled.
void ScaleWindowRect(HWND hwnd, int from, int to) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  if (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  const int left = MulDiv(r.left, to, from), top = MulDiv(r.top, to, from);
  SetWindowPos(hwnd, nullptr, left, top, MulDiv(r.right, to, from) - left,
               MulDiv(r.bottom, to, from) - top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The application's font of a window, at the new DPI; a font of the
// window's own stays.
void ScaleFont(HWND hwnd, int dpi) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
  if (HFONT scaled = Application().FontAt(font, dpi))
    if (scaled != font) SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(scaled), FALSE);
}

bool IsUpDown(HWND hwnd) {
  char name[32] = "";
  GetClassNameA(hwnd, name, sizeof name);
  return lstrcmpiA(name, UPDOWN_CLASSA) == 0;
}
}  // namespace

void TControl::ApplyDpi(int oldDpi) {
  if (!hwnd_) return;
  ScaleFont(hwnd_, dpi_);
  if (placed_)
    Place();
  else if (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_CHILD)
    ScaleWindowRect(hwnd_, oldDpi, dpi_);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

RECT TControl::ClientRect96() const {
  RECT r{};
  if (!hwnd_) return r;
  GetClientRect(hwnd_, &r);
  if (dpi_ != 96) {
    r.right = MulDiv(r.right, 96, dpi_);
    r.bottom = MulDiv(r.bottom, 96, dpi_);
  }
  return r;
}

RECT TControl::BoundsRect() const {
  RECT r{};
  if (!hwnd_) return r;
  GetWindowRect(hwnd_, &r);
  if (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void TControl::SetVisible(bool visible) {
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

bool TControl::Visible() const {
  return hwnd_ && (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TControl::SetEnabled(bool enabled) {
  if (hwnd_) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

bool TControl::Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }

void TControl::SetFocus() {
  if (hwnd_) ::SetFocus(hwnd_);
}

bool TControl::Focused() const {
  HWND focus = GetFocus();
  return focus && (focus == hwnd_ || focus == child_);
}

void TControl::SetHint(const std::string& hint) {
  hint_ = hint;
  if (!hwnd_) return;
  HWND root = GetAncestor(hwnd_, GA_ROOT);
  if (!root || root == hwnd_) return;
  HWND tips = static_cast<HWND>(GetPropA(root, kTipsProp));
  if (!tips) {
    if (hint_.empty()) return;
    // One tooltip window per top-level window; it goes with its owner.
    tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                           WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, root, nullptr, Instance(), nullptr);
    if (!tips) return;
    SetPropA(root, kTipsProp, tips);
  }
  // The control relays its mouse messages itself (RelayToHint) rather than
  // letting the tooltip subclass it, which would cost a window property
  // lookup on every message.
  TTTOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.uFlags = TTF_IDISHWND;
  info.hwnd = root;
  info.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  info.hinst = nullptr;
  info.lpszText = const_cast<char*>(hint_.c_str());
  SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  tips_ = nullptr;
  if (!hint_.empty() && SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)))
    tips_ = tips;
}

std::string TControl::Text() const { return WindowText(hwnd_); }

void TControl::SetText(const std::string& text) {
  if (hwnd_) SetWindowTextA(hwnd_, text.c_str());
}

bool TControl::HandleCommand(WORD) { return false; }
bool TControl::HandleNotify(NMHDR*, LRESULT&) { return false; }
HBRUSH TControl::HandleCtlColor(HDC) { return nullptr; }
bool TControl::HandleDrawItem(DRAWITEMSTRUCT*) { return false; }

// ---------------------------------------------------------------------------
// TContainer

TContainer::TContainer(std::string name) : TControl(std::move(name)), color_(kBtnFace) {}

TContainer::~TContainer() {
  // Taken down here, while the container procedure still exists.
  if (hwnd_) {
    HWND hwnd = hwnd_;
    Detach();
    DestroyWindow(hwnd);
  }
  if (brush_) DeleteObject(brush_);
}

void TContainer::CreateContainer(TContainer* parent, DWORD style, DWORD exStyle,
                                 const std::string& text) {
  InitControls();
  if (parent) {
    const TMadeAtPaused paused;
    parent->Realize();
  }
  dpi_ = parent ? parent->dpi_ : SystemDpi();
  static ATOM registered = 0;
  if (!registered) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = StaticProc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kContainerClass;
    registered = RegisterClassExA(&wc);
    if (!registered && GetLastError() == ERROR_CLASS_ALREADY_EXISTS) registered = 1;
  }
  RECT at{0, 0, 0, 0};
  if (TakeMadeAt()) at = PlacedRect();
  HWND hwnd = CreateWindowExA(exStyle | WS_EX_CONTROLPARENT, kContainerClass, text.c_str(),
                              style | WS_CHILD | WS_CLIPCHILDREN, at.left, at.top,
                              at.right - at.left, at.bottom - at.top,
                              parent ? parent->Handle() : nullptr,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextControlId())),
                              Instance(), this);
  if (!hwnd) throw std::runtime_error("Cannot create the window of " + Name);
  Attach(hwnd, parent);
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(Application().Font(dpi_)), FALSE);
}

void TContainer::ApplyDpi(int oldDpi) {
  TControl::ApplyDpi(oldDpi);
  ApplyDpiToChildren(oldDpi);
}

void TContainer::ApplyDpiToChildren(int oldDpi) {
  if (!hwnd_) return;
  std::vector<HWND> upDowns;
  for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    TControl* control = FromHandle(child);
    if (control && control->hwnd_ == child) {
      const int old = control->dpi_;
      control->dpi_ = dpi_;
      if (old != dpi_) control->ApplyDpi(old);
      continue;
    }
    // A window made without the platform (an up-down button beside its
    // field): the same font at the new DPI, the same place scaled.
    ScaleFont(child, dpi_);
    ScaleWindowRect(child, oldDpi, dpi_);
    if (IsUpDown(child)) upDowns.push_back(child);
  }
  // Their fields are back at their full 96-DPI width by now: each up-down
  // button takes its place beside its field again, as when it was made.
  for (HWND upDown : upDowns)
    if (HWND buddy = reinterpret_cast<HWND>(SendMessageA(upDown, UDM_GETBUDDY, 0, 0)))
      SendMessageA(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
}

LRESULT CALLBACK TContainer::StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    if (auto* container = static_cast<TContainer*>(create->lpCreateParams)) {
      container->hwnd_ = hwnd;
      ControlOf()[hwnd] = static_cast<TControl*>(container);
    }
  }
  auto* container = static_cast<TContainer*>(FromHandle(hwnd));
  if (!container || container->hwnd_ != hwnd) return DefWindowProcA(hwnd, msg, wParam, lParam);
  return container->ContainerProc(msg, wParam, lParam);
}

HBRUSH TContainer::BackgroundBrush() {
  if (!brush_) brush_ = CreateSolidBrush(Resolve(color_));
  return brush_;
}

void TContainer::SetColor(COLORREF color) {
  if (color == color_) return;
  color_ = color;
  if (brush_) DeleteObject(brush_);
  brush_ = nullptr;
  if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TContainer::SetBorderSunken(bool sunken) {
  if (!hwnd_) return;
  LONG_PTR ex = GetWindowLongPtrA(hwnd_, GWL_EXSTYLE);
  ex = sunken ? (ex | WS_EX_CLIENTEDGE) : (ex & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
  SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, ex);
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TContainer::PaintGroupFrame(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  HGDIOBJ oldFont = SelectObject(dc, Application().Font(dpi_));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  RECT frame = client;
  frame.top += metrics.tmHeight / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  const std::string caption = WindowText(hwnd_);
  if (!caption.empty()) {
    RECT text{Scale(9), 0, client.right - Scale(9), metrics.tmHeight};
    DrawTextA(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
    RECT gap{text.left - Scale(2), text.top, text.right + Scale(2), text.bottom};
    FillRect(dc, &gap, BackgroundBrush());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd_) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    DrawTextA(dc, caption.c_str(), -1, &text, DT_SINGLELINE);
  }
  SelectObject(dc, oldFont);
}

LRESULT TContainer::ContainerProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (lParam) {
        if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam)))
          if (child->HandleCommand(HIWORD(wParam))) return 0;
      }
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (TControl* child = FromHandle(header->hwndFrom)) {
        LRESULT result = 0;
        if (child->HandleNotify(header, result)) return result;
      }
      break;
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_MENU)
        if (TControl* child = FromHandle(item->hwndItem))
          if (child->HandleDrawItem(item)) return TRUE;
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam)))
        if (HBRUSH brush = child->HandleCtlColor(dc)) return reinterpret_cast<LRESULT>(brush);
      // Captions of check boxes, radio buttons and read-only fields stand on
      // the container's own background.
      if (msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN) {
        SetBkColor(dc, Resolve(color_));
        return reinterpret_cast<LRESULT>(BackgroundBrush());
      }
      break;
    }
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd_, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, BackgroundBrush());
      return 1;
    }
    case WM_PAINT:
      if (groupFrame_) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd_, &paint);
        PaintGroupFrame(dc);
        EndPaint(hwnd_, &paint);
        return 0;
      }
      break;
    case WM_SETTEXT:
    case WM_ENABLE:
      if (groupFrame_) {
        const LRESULT result = DefWindowProcA(hwnd_, msg, wParam, lParam);
        InvalidateRect(hwnd_, nullptr, TRUE);
        return result;
      }
      break;
    case WM_NEXTDLGCTL: {
      // The dialog manager moves the focus with this message also for
      // windows that are not dialogs (the arrow keys).
      HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                   : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0);
      if (target) ::SetFocus(target);
      return 0;
    }
    case WM_LBUTTONDOWN:
      pressed_ = true;
      break;
    case WM_LBUTTONUP:
      if (pressed_) {
        pressed_ = false;
        TNotifyEvent handler = OnClick;
        if (handler) Fire([&] { handler(this); });
        return 0;
      }
      break;
  }
  return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

TPanel::TPanel(TContainer* parent, std::string name) : TContainer(std::move(name)) {
  CreateContainer(parent, WS_VISIBLE, 0, "");
}

TGroupBox::TGroupBox(TContainer* parent, std::string name, const std::string& caption)
    : TContainer(std::move(name)) {
  SetGroupFrame(true);
  CreateContainer(parent, WS_VISIBLE, 0, caption);
}

// ---------------------------------------------------------------------------
// TLabel

TLabel::TLabel(TContainer* parent, std::string name, const std::string& caption)
    : TControl(std::move(name)), fontColor_(kWindowText), color_(kBtnFace) {
  // Sized to its caption until the form places it.
  CreateHandle(parent, "STATIC", WS_VISIBLE | SS_LEFT | SS_NOTIFY, 0, caption,
               CaptionExtent(caption, parent ? parent->Dpi() : SystemDpi()));
}

void TLabel::ApplyDpi(int oldDpi) {
  TControl::ApplyDpi(oldDpi);
  if (Placed() || !hwnd_) return;
  const SIZE size = CaptionExtent(Text(), dpi_);
  SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE TLabel::CaptionSize() const {
  SIZE size{};
  if (!hwnd_) return size;
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(hwnd_, WM_GETFONT, 0, 0));
  const std::string text = Text();
  auto measure = [&](HFONT with) {
    SIZE extent{};
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, with);
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    return extent;
  };
  size = measure(font);
  if (dpi_ != 96) {
    size.cx = (size.cx * 96 + dpi_ - 1) / dpi_;
    size.cy = (size.cy * 96 + dpi_ - 1) / dpi_;
    // Text does not grow in proportion to the DPI: the same kind of font at
    // 96 DPI may need more. The larger holds the caption at both, should
    // the window move to a monitor of 96 DPI.
    if (HFONT at96 = Application().FontAt(font, 96)) {
      const SIZE wide = measure(at96);
      size.cx = std::max(size.cx, wide.cx);
      size.cy = std::max(size.cy, wide.cy);
    }
  }
  return size;
}

TLabel::~TLabel() {
  if (hwnd_) {
    HWND hwnd = hwnd_;
    Detach();
    DestroyWindow(hwnd);
  }
  if (brush_) DeleteObject(brush_);
}

// The same colour again is no change and repaints nothing: a load sets
// every colour, and mostly to what it already is.
void TLabel::SetFontColor(COLORREF color) {
  if (color == fontColor_) return;
  fontColor_ = color;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void TLabel::SetColor(COLORREF color) {
  if (!transparent_ && color == color_ && brush_) return;
  color_ = color;
  transparent_ = false;
  if (brush_) DeleteObject(brush_);
  brush_ = CreateSolidBrush(Resolve(color));
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void TLabel::SetTransparent(bool transparent) {
  transparent_ = transparent;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void TLabel::SetBold(bool bold) {
  if (!hwnd_) return;
  HFONT font = bold ? Application().BoldFont(dpi_) : Application().Font(dpi_);
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void TLabel::SetAlignment(TAlignment alignment) {
  if (!hwnd_) return;
  LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
  // Only text labels align; pictures and etched lines keep their kind.
  if ((style & SS_TYPEMASK) > SS_RIGHT) return;
  const LONG_PTR align = alignment == TAlignment::Center ? SS_CENTER
                         : alignment == TAlignment::Right ? SS_RIGHT
                                                          : SS_LEFT;
  SetWindowLongPtrA(hwnd_, GWL_STYLE, (style & ~static_cast<LONG_PTR>(SS_TYPEMASK)) | align);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

bool TLabel::HandleCommand(WORD code) {
  if (code != STN_CLICKED) return false;
  TNotifyEvent handler = OnClick;
  if (handler) Fire([&] { handler(this); });
  return true;
}

HBRUSH TLabel::HandleCtlColor(HDC dc) {
  SetTextColor(dc, Resolve(fontColor_));
  if (transparent_) {
    SetBkMode(dc, TRANSPARENT);
    return parent_ ? parent_->BackgroundBrush() : static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  }
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, Resolve(color_));
  if (!brush_) brush_ = CreateSolidBrush(Resolve(color_));
  return brush_;
}
