// Process entry of the configuration editor.
#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <memory>

#include "editor/app/MainWindow.h"
#include "editor/config/Configuration.h"
#include "platform/Application.h"

namespace {
// The text after the program name and the blanks that follow it.
std::string CommandLineTail() {
  const char* p = GetCommandLineA();
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Never released or closed: it lives exactly as long as this editor.
  CreateMutexA(nullptr, TRUE, "PRIMERA_INSTANCIA_NODRAX_CFG");
  if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;

  ZubcfgNotifyMessage = RegisterWindowMessageA("ZUBCFG_NOTIFY");
  CommandTail = CommandLineTail();
  AllocateConfiguration();

  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  TApplication& app = Application();
  app.Title = "Nodrax configuration tool";
  app.HelpFile = "nodrax.hlp";
  try {
    auto form = std::make_unique<TForm1>();
    app.MainWindow = form->Handle();
    form->Show();
    app.Run();
  } catch (const std::exception& error) {
    app.ShowException(error);
  }
  return 0;
}
