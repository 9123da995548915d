#include "platform/Dialogs.h"

#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "platform/ControlSupport.h"

namespace {

IDialogs* installed = nullptr;

// The common dialogs, the shell and COM are loaded when a dialog first needs
// them. Linked as imports they were loaded at every start, and under Wine
// that cost about a third of the time an empty program takes to show its
// window, for dialogs that most sessions never open. An entry that cannot
// be found leaves its dialog cancelled.
template <typename F>
F Entry(const char* library, const char* name) {
  HMODULE module = GetModuleHandleA(library);
  if (!module) module = LoadLibraryA(library);  // kept for the process
  if (!module) return nullptr;
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

constexpr char kComDlg[] = "comdlg32.dll";
constexpr char kShell[] = "shell32.dll";
constexpr char kOle[] = "ole32.dll";

// "Text|*.txt|All|*.*" as the common dialogs want it: NUL-separated pairs
// ending in two NULs.
std::vector<char> FilterBuffer(const std::string& filter) {
  std::vector<char> buffer(filter.begin(), filter.end());
  for (char& c : buffer)
    if (c == '|') c = '\0';
  buffer.push_back('\0');
  buffer.push_back('\0');
  return buffer;
}

bool RunFileDialog(TFileDialogRequest& request, bool save) {
  std::vector<char> filter = FilterBuffer(request.filter);
  // Room for the proposed name even when it is longer than asked for.
  std::vector<char> file(std::max<size_t>(request.maxFileName, request.fileName.size() + 1), '\0');
  request.fileName.copy(file.data(), request.fileName.size());

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = request.owner;
  ofn.lpstrFilter = request.filter.empty() ? nullptr : filter.data();
  ofn.nFilterIndex = request.filter.empty() ? 0 : 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
  ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  ofn.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str();
  ofn.Flags = request.flags | OFN_EXPLORER | OFN_ENABLESIZING;
  using TFileDialog = BOOL(WINAPI*)(OPENFILENAMEA*);
  const auto run = Entry<TFileDialog>(kComDlg, save ? "GetSaveFileNameA" : "GetOpenFileNameA");
  if (!run || !run(&ofn)) return false;
  request.fileName = file.data();
  return true;
}

}  // namespace

IDialogs& Dialogs() {
  static TWin32Dialogs real;
  return installed ? *installed : real;
}

IDialogs* SetDialogs(IDialogs* dialogs) {
  IDialogs* previous = installed;
  installed = dialogs;
  return previous;
}

int TWin32Dialogs::MessageBox(HWND owner, const std::string& text, const std::string& caption,
                              UINT type) {
  // MessageBox is a macro for MessageBoxA, so this very member is named
  // MessageBoxA too: only the global one must be called here.
  return ::MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

bool TWin32Dialogs::OpenFile(TFileDialogRequest& request) { return RunFileDialog(request, false); }

bool TWin32Dialogs::SaveFile(TFileDialogRequest& request) { return RunFileDialog(request, true); }

bool TWin32Dialogs::BrowseFolder(HWND owner, const std::string& title, std::string& path) {
  const auto initialize = Entry<HRESULT(WINAPI*)(void*, DWORD)>(kOle, "CoInitializeEx");
  const auto uninitialize = Entry<void(WINAPI*)()>(kOle, "CoUninitialize");
  const auto release = Entry<void(WINAPI*)(void*)>(kOle, "CoTaskMemFree");
  const auto browse = Entry<PIDLIST_ABSOLUTE(WINAPI*)(BROWSEINFOA*)>(kShell, "SHBrowseForFolderA");
  const auto pathOf = Entry<BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, LPSTR)>(kShell, "SHGetPathFromIDListA");
  if (!initialize || !uninitialize || !release || !browse || !pathOf) return false;
  // The shell's browser needs COM on this thread.
  const HRESULT com = initialize(nullptr, COINIT_APARTMENTTHREADED);
  char display[MAX_PATH] = "";
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;  // the desktop
  info.pszDisplayName = display;
  info.lpszTitle = title.c_str();
  info.ulFlags = 0;
  bool ok = false;
  if (PIDLIST_ABSOLUTE chosen = browse(&info)) {
    char folder[MAX_PATH] = "";
    ok = pathOf(chosen, folder) != FALSE;
    if (ok) path = folder;
    release(chosen);
  }
  if (SUCCEEDED(com)) uninitialize();
  return ok;
}

bool TWin32Dialogs::ChooseColour(HWND owner, COLORREF& colour) {
  // The custom colours last for the session, as the dialog's own row.
  static COLORREF custom[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                RGB(255, 255, 255)};
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner;
  cc.rgbResult = nodrax_controls::Resolve(colour);
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
  const auto choose = Entry<BOOL(WINAPI*)(CHOOSECOLORA*)>(kComDlg, "ChooseColorA");
  if (!choose || !choose(&cc)) return false;
  colour = cc.rgbResult;
  return true;
}

void TWin32Dialogs::ShellOpen(HWND owner, const std::string& target, int showCommand) {
  using TExecute = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  if (const auto execute = Entry<TExecute>(kShell, "ShellExecuteA"))
    execute(owner, "open", target.c_str(), nullptr, nullptr, showCommand);
}
