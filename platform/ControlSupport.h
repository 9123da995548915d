// Helpers shared by the control units; not for use outside platform/.
#pragma once
#include <windows.h>

#include <string>

namespace nodrax_controls {

// The module that registers the window classes.
HINSTANCE Instance();

// A fresh child-window id. Ids start well above IDOK/IDCANCEL, which the
// dialog manager sends for Enter and Escape, and below the menu commands.
UINT NextControlId();

// A colour as a GDI colour: explicit 0x00BBGGRR colours as they are, system
// colour references (high bit set, index in the low byte) resolved.
COLORREF Resolve(COLORREF colour);

// The standard system colours of the form defaults.
constexpr COLORREF kBtnFace = 0x8000000F;
constexpr COLORREF kWindowText = 0x80000008;

std::string WindowText(HWND hwnd);

// Measures text in the application's font for the DPI given, without a
// window: a window's own device context is a round trip to the server under
// Wine.
SIZE CaptionExtent(const std::string& text, int dpi);
int FontHeight(int dpi);

// Screen resolution. Layouts are written for 96 DPI; a window shows them at
// the DPI of its monitor. The per-monitor functions exist from Windows 10
// on: before that every window has the system's DPI.
int SystemDpi();
int WindowDpi(HWND hwnd);
// A length of the 96-DPI layout at the DPI given.
inline int ScaleTo(int dpi, int length) { return dpi == 96 ? length : MulDiv(length, dpi, 96); }
// A function of user32 that older Windows lacks, or nullptr.
FARPROC UserFunction(const char* name);
template <class F>
F UserFunctionAs(const char* name) {
  // Through void (*)(), which converts to any function type without a warning.
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(UserFunction(name)));
}

// Registers the common control classes once.
void InitControls();

// Handles one message of a message loop: Ctrl+Tab turns the page of the
// page control that holds the focus, the dialog manager of the message's
// top-level window navigates, the rest is translated and dispatched.
void Dispatch(MSG& msg);

}  // namespace nodrax_controls
