#include "platform/Application.h"

#include <stdexcept>

#include "platform/Controls.h"
#include "platform/ControlSupport.h"
#include "platform/Dialogs.h"

namespace {

HFONT MakeFont(int weight, int dpi) {
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

HFONT TApplication::Font() { return Font(nodrax_controls::SystemDpi()); }

HFONT TApplication::BoldFont() { return BoldFont(nodrax_controls::SystemDpi()); }

// Made once for each DPI and kept while the process runs: every control of
// a window shares them.
HFONT TApplication::Font(int dpi) {
  HFONT& font = fonts_[dpi];
  if (!font) font = MakeFont(FW_NORMAL, dpi);
  return font;
}

HFONT TApplication::BoldFont(int dpi) {
  HFONT& font = boldFonts_[dpi];
  if (!font) font = MakeFont(FW_BOLD, dpi);
  return font;
}

HFONT TApplication::FontAt(HFONT font, int dpi) {
  if (!font) return nullptr;
  for (const auto& [at, made] : fonts_)
    if (made == font) return Font(dpi);
  for (const auto& [at, made] : boldFonts_)
    if (made == font) return BoldFont(dpi);
  return nullptr;
}
