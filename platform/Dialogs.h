// The one seam for modal questions and system dialogs. The product shows the
// real Win32 dialogs; tests install a scripted implementation that checks
// what is asked and answers it.
#pragma once
#include <windows.h>

#include <string>

struct TFileDialogRequest {
  HWND owner = nullptr;
  std::string title;
  std::string filter;      // "Text|*.txt|All|*.*"; empty for none
  std::string defaultExt;  // without the dot; empty for none
  std::string initialDir;  // empty for the dialog's own default
  std::string fileName;    // in: proposed name; out: the chosen full path
  unsigned maxFileName = 300;
  DWORD flags = 0;         // OFN_* flags
};

class IDialogs {
 public:
  virtual ~IDialogs() = default;
  // MessageBoxA: type carries the MB_ICON* and MB_* button flags; returns
  // IDOK, IDYES, IDNO, IDCANCEL...
  virtual int MessageBox(HWND owner, const std::string& text, const std::string& caption,
                         UINT type) = 0;
  // GetOpenFileNameA / GetSaveFileNameA; false when cancelled.
  virtual bool OpenFile(TFileDialogRequest& request) = 0;
  virtual bool SaveFile(TFileDialogRequest& request) = 0;
  // SHBrowseForFolderA from the desktop; false when cancelled or when the
  // choice is not a file-system folder.
  virtual bool BrowseFolder(HWND owner, const std::string& title, std::string& path) = 0;
  // ChooseColorA preset with colour; a cancelled dialog leaves colour as it
  // was. Returns whether the user pressed OK.
  virtual bool ChooseColour(HWND owner, COLORREF& colour) = 0;
  // ShellExecuteA with the verb "open"; the answer is ignored.
  virtual void ShellOpen(HWND owner, const std::string& target, int showCommand) = 0;
};

// The dialogs in use: the real ones unless a test installed others.
IDialogs& Dialogs();
// Installs dialogs (nullptr restores the real ones); returns the previous.
IDialogs* SetDialogs(IDialogs* dialogs);

class TWin32Dialogs : public IDialogs {
 public:
  int MessageBox(HWND owner, const std::string& text, const std::string& caption,
                 UINT type) override;
  bool OpenFile(TFileDialogRequest& request) override;
  bool SaveFile(TFileDialogRequest& request) override;
  bool BrowseFolder(HWND owner, const std::string& title, std::string& path) override;
  bool ChooseColour(HWND owner, COLORREF& colour) override;
  void ShellOpen(HWND owner, const std::string& target, int showCommand) override;
};
