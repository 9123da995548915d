// The first show of a page, from the choice of its tab to the page painted:
// its controls made from its table, the configuration shown in them, the
// sheet shown and painted. Its floor does that work and nothing of the
// editor's: the same windows made bare, each with its class, styles,
// place, font and text, then the bare sheet shown and painted with plain
// calls. The Ports page reads the stored ports when it is first shown, as
// after the editor's start, so its floor reads the same values raw first.
// Each run has a new main window; the page and its floor take turns, so
// that both meet the same load of the machine.
#include "bench/PagesBenchmark.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchDocument.h"
#include "bench/Timing.h"
#include "editor/app/MainWindow.h"
#include "editor/config/Configuration.h"
#include "editor/config/Encodings.h"
#include "editor/config/RegistryKeys.h"
#include "editor/config/StoredValues.h"
#include "platform/Application.h"

namespace {

using bench::Median;
using bench::TimeMs;

struct TBareWindow {
  std::string Class;
  DWORD Style, ExStyle;
  RECT Rect;  // in the parent's client coordinates
  std::string Text;
  int Parent;  // index into the windows, -1 for the sheet
  HFONT Font;
  std::vector<std::string> Items;  // of a combo box
};

void Describe(HWND parent, int parentIndex, std::vector<TBareWindow>& windows) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    TBareWindow window;
    char cls[64] = "";
    GetClassNameA(child, cls, sizeof cls);
    // The platform's own containers (panels, groups, radio groups) are bare
    // windows that only hold others.
    window.Class = lstrcmpiA(cls, "NodraxContainer") == 0 ? "STATIC" : cls;
    window.Style = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_STYLE));
    window.ExStyle = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_EXSTYLE));
    GetWindowRect(child, &window.Rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window.Rect), 2);
    char text[512] = "";
    GetWindowTextA(child, text, sizeof text);
    window.Text = text;
    window.Parent = parentIndex;
    window.Font = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0));
    windows.push_back(window);
    // A combo box's own edit and list come with it; its items are texts
    // the page sets.
    if (lstrcmpiA(cls, "ComboBox") == 0) {
      const LRESULT count = SendMessageA(child, CB_GETCOUNT, 0, 0);
      for (LRESULT i = 0; i < count; ++i) {
        char item[256] = "";
        SendMessageA(child, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        windows.back().Items.push_back(item);
      }
    } else {
      Describe(child, static_cast<int>(windows.size()) - 1, windows);
    }
  }
}

// Makes the windows below a hidden child of the host, then shows the
// child and paints the host, children and all.
void MakeBare(HWND host, const RECT& area, const std::vector<TBareWindow>& windows) {
  HWND sheet = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_CLIPSIBLINGS, area.left,
                               area.top, area.right - area.left, area.bottom - area.top, host,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  std::vector<HWND> made;
  for (const TBareWindow& s : windows) {
    HWND parent = s.Parent < 0 ? sheet : made[s.Parent];
    HWND w = CreateWindowExA(s.ExStyle, s.Class.c_str(), s.Text.c_str(), s.Style | WS_CHILD,
                             s.Rect.left, s.Rect.top, s.Rect.right - s.Rect.left,
                             s.Rect.bottom - s.Rect.top, parent, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    if (w && s.Font) SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(s.Font), FALSE);
    for (const std::string& item : s.Items)
      SendMessageA(w, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    made.push_back(w);
  }
  ShowWindow(sheet, SW_SHOWNA);
  UpdateWindow(host);
}

// The stored ports as the page's first show reads them: every value of
// every numbered port key, with one open, one read per value and one close.
void RawReadPorts() {
  static BYTE data[4096];
  HKEY ports;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPortsKey + 1, 0, KEY_READ | KEY_WOW64_32KEY, &ports))
    return;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = sizeof name;
    if (RegEnumKeyExA(ports, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr)) break;
    if (!PortIndexFromKeyName(name)) continue;
    HKEY port;
    if (RegOpenKeyExA(ports, name, 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &port)) continue;
    for (const TPortValue& v : PortValues()) {
      DWORD type, size = sizeof data;
      RegQueryValueExA(port, v.Name, nullptr, &type, data, &size);
    }
    RegCloseKey(port);
  }
  RegCloseKey(ports);
}

struct TPageTimes {
  std::string Name;
  std::size_t Windows = 0;
  double Page = 0, Floor = 0;
  bool ReadsPorts = false;
};

}  // namespace

void RunPagesBenchmark(int runs) {
  std::vector<TPageTimes> pages;
  std::vector<std::string> sheets;
  {
    TForm1 form(BenchDocument());
    for (TTabSheet* sheet : form.Pagina->Pages())
      if (sheet->TabVisible && sheet != form.FindSheet("Hojageneral")) sheets.push_back(sheet->Name);
  }
  for (const std::string& name : sheets) {
    TPageTimes times;
    times.Name = name;
    std::vector<double> page, floor;
    std::vector<TBareWindow> windows;
    for (int i = 0; i < runs; ++i) {
      // The editor: a new window, shown, and the page's first show.
      {
        TForm1 form(BenchDocument());
        ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
        UpdateWindow(form.Handle());
        // The start reads the station's values and leaves the ports for
        // their page: the page reads them when it is first shown.
        Config().PortsPending = true;
        Config().TablesRoot = kNodraxKey;
        TTabSheet* sheet = form.FindSheet(name);
        page.push_back(TimeMs([&] {
          form.Pagina->SetActivePage(sheet);
          UpdateWindow(form.Handle());
        }));
        // Only the Ports page reads the stored ports.
        times.ReadsPorts = !Config().PortsPending;
        Config().PortsPending = false;
        if (windows.empty()) Describe(sheet->Handle(), -1, windows);
        // The floor, in a window of the same size at the same place, shown
        // and painted before it is timed.
        RECT area = form.Pagina->DisplayRect();
        RECT outer;
        GetWindowRect(form.Handle(), &outer);
        HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, outer.left, outer.top,
                                    outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
        UpdateWindow(host);
        floor.push_back(TimeMs([&] {
          if (times.ReadsPorts) RawReadPorts();
          MakeBare(host, area, windows);
        }));
        DestroyWindow(host);
      }
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    times.Windows = windows.size();
    times.Page = Median(page);
    times.Floor = Median(floor);
    pages.push_back(times);
  }
  std::printf("first shows: %d runs of each page, each run a new main window, the page's first "
              "show then its floor\n",
              runs);
  const TPageTimes* heaviest = nullptr;
  for (const TPageTimes& p : pages) {
    std::printf("first show of %-22s %3zu windows %7.3f ms, floor %7.3f ms%s, ratio %5.2f\n",
                p.Name.c_str(), p.Windows, p.Page, p.Floor,
                p.ReadsPorts ? " (ports read raw)" : "", p.Page / p.Floor);
    if (!heaviest || p.Page > heaviest->Page) heaviest = &p;
  }
  if (heaviest)
    std::printf("heaviest page: %s, %.3f ms against %.3f ms, ratio %.2f\n", heaviest->Name.c_str(),
                heaviest->Page, heaviest->Floor, heaviest->Page / heaviest->Floor);
}
