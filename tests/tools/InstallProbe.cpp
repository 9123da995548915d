// What the installer test cannot see or do from the host:
//   InstallProbe sddl <file>...         prints each file's owner and access
//                                       list as Windows reports them (SDDL)
//   InstallProbe press <text> <button>  waits for a dialog with that caption
//                                       or a text that begins so, prints its
//                                       texts and clicks the button (by id)
//   InstallProbe close <class>          asks the first top-level window of
//                                       the class to close (WM_CLOSE)
#include <windows.h>
#include <sddl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int PrintSddl(int count, char** files) {
  int failures = 0;
  for (int i = 0; i < count; ++i) {
    const SECURITY_INFORMATION wanted = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    DWORD size = 0;
    GetFileSecurityA(files[i], wanted, nullptr, 0, &size);
    void* descriptor = size ? LocalAlloc(LPTR, size) : nullptr;
    char* text = nullptr;
    if (descriptor && GetFileSecurityA(files[i], wanted, descriptor, size, &size) &&
        ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor, SDDL_REVISION_1, wanted,
                                                             &text, nullptr)) {
      std::printf("%s\n", text);
      LocalFree(text);
    } else {
      std::printf("error %lu\n", GetLastError());
      ++failures;
    }
    if (descriptor) LocalFree(descriptor);
  }
  return failures;
}

struct TFound {
  const char* text;
  HWND dialog;
  std::string said;  // the texts of its children, one a line
};

bool StartsWith(const char* text, const char* start) {
  return std::strncmp(text, start, std::strlen(start)) == 0;
}

// A top-level dialog whose caption or one of whose children's text begins
// with found->text.
BOOL CALLBACK FindDialog(HWND window, LPARAM data) {
  auto* found = static_cast<TFound*>(reinterpret_cast<void*>(data));
  char text[512] = "";
  GetClassNameA(window, text, sizeof text);
  if (std::strcmp(text, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  GetWindowTextA(window, text, sizeof text);
  bool match = StartsWith(text, found->text);
  std::string said;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    GetWindowTextA(child, text, sizeof text);
    match = match || StartsWith(text, found->text);
    said += text;
    said += '\n';
  }
  if (!match) return TRUE;
  found->dialog = window;
  found->said = said;
  return FALSE;
}

// Waits up to 30 s for the dialog, prints its children's texts and clicks
// its button as a sysop does.
int Press(const char* text, int button) {
  TFound found{text, nullptr, ""};
  for (int tries = 0; tries < 600 && !found.dialog; ++tries) {
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&found));
    if (!found.dialog) Sleep(50);
  }
  if (!found.dialog) return std::fprintf(stderr, "no dialog \"%s\"\n", text), 1;
  std::fputs(found.said.c_str(), stdout);
  HWND control = GetDlgItem(found.dialog, button);
  if (!control) return std::fprintf(stderr, "no button %d\n", button), 1;
  SendMessageA(control, BM_CLICK, 0, 0);
  // A box closes at once: gone before the next press looks for a dialog of
  // the same text. A wizard page stays, and the wait ends after 2 s.
  for (int tries = 0; tries < 40 && IsWindow(found.dialog) && IsWindowVisible(found.dialog);
       ++tries)
    Sleep(50);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "sddl") == 0) return PrintSddl(argc - 2, argv + 2);
  if (argc == 4 && std::strcmp(argv[1], "press") == 0) return Press(argv[2], std::atoi(argv[3]));
  if (argc == 3 && std::strcmp(argv[1], "close") == 0) {
    HWND window = FindWindowA(argv[2], nullptr);
    return window && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  std::fprintf(stderr, "usage: InstallProbe sddl <file>... | press <text> <button id> | close <class>\n");
  return 2;
}
