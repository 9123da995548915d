// The GUI application object: title, help file name, the message loop and the
// standard display of an error that escaped an event handler.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <map>
#include <string>

class TApplication {
 public:
  std::string Title;
  std::string HelpFile;
  HWND MainWindow = nullptr;

  // Runs the message loop until the main form is destroyed. Tab and the
  // arrow keys move between controls as in a dialog.
  void Run();
  // Handles the messages waiting now, then returns.
  void ProcessMessages();
  // Shows the error's own text in a message box captioned with Title.
  void ShowException(const std::exception& error);
  // Runs fn; an error escaping it is shown and swallowed.
  void Guard(const std::function<void()>& fn);
  // The font every control is given: 8 points at the DPI of the control's
  // window. Without a DPI, the system's.
  HFONT Font();
  HFONT BoldFont();
  HFONT Font(int dpi);
  HFONT BoldFont(int dpi);
  // The same kind of font (Font or BoldFont) for another DPI; nullptr for a
  // font that is not one of these.
  HFONT FontAt(HFONT font, int dpi);

 private:
  std::map<int, HFONT> fonts_;      // by DPI
  std::map<int, HFONT> boldFonts_;  // by DPI
};

TApplication& Application();
