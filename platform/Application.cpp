#include "platform/Application.h"

#include <stdexcept>

#include "platform/Controls.h"
#include "platform/ControlSupport.h"
#include "platform/Dialogs.h"

namespace {

HFONT MakeFont(int weight) {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  HFONT font = CreateFontA(-MulDiv(8, dpi, 72), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Shell Dlg 2");
  return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace

namespace nodrax_controls {

namespace {

// The page control that the focus is in: on its tabs or in one of its pages.
TPageControl* PagesAroundFocus() {
  for (HWND w = GetFocus(); w; w = GetParent(w)) {
    TControl* control = TControl::FromHandle(w);
    if (auto* pages = dynamic_cast<TPageControl*>(control)) return pages;
    if (auto* sheet = dynamic_cast<TTabSheet*>(control)) return sheet->PageControl();
    if (!(GetWindowLongPtrA(w, GWL_STYLE) & WS_CHILD)) break;
  }
  return nullptr;
}

}  // namespace

void Dispatch(MSG& msg) {
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
    if (TPageControl* pages = PagesAroundFocus()) {
      pages->SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
      return;
    }
  }
  // The messages of a window go through the dialog manager of its top-level
  // window, so that Tab, Shift+Tab and the arrows move between controls.
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (root && IsDialogMessageA(root, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

}  // namespace nodrax_controls

using nodrax_controls::Dispatch;

TApplication& Application() {
  static TApplication app;
  return app;
}

void TApplication::Run() {
  MSG msg;
  for (;;) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    Dispatch(msg);
  }
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The loop that owns the quit must still see it.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    Dispatch(msg);
  }
}

void TApplication::ShowException(const std::exception& error) {
  HWND owner = MainWindow && IsWindow(MainWindow) ? MainWindow : GetActiveWindow();
  Dialogs().MessageBox(owner, error.what(), Title, MB_ICONERROR | MB_OK);
}

void TApplication::Guard(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const std::exception& error) {
    ShowException(error);
  } catch (...) {
    ShowException(std::runtime_error("An unknown error occurred."));
  }
}

HFONT TApplication::Font() {
  if (!font_) font_ = MakeFont(FW_NORMAL);
  return font_;
}

HFONT TApplication::BoldFont() {
  if (!boldFont_) boldFont_ = MakeFont(FW_BOLD);
  return boldFont_;
}
