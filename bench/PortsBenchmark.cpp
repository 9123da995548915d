// Showing a port sets about twenty controls; its floor is the same texts,
// selections and checks put into bare Win32 controls with one call each.
// Each run shows the other of two ports whose every value differs, so that
// no text is already in place.
#include "bench/PortsBenchmark.h"
#include "bench/BenchDocument.h"
#include "bench/Timing.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "editor/app/Pages.h"
#include "editor/config/Configuration.h"
#include "platform/Application.h"

namespace {

using bench::Median;
using bench::TimeMs;

struct TShownPort {
  const char* driver;
  const char* caption;  // of the address field
  const char* address;
  int baud, com, mode;  // list items
  bool disabled, unprotos, yapp, gateway, rdonly;
  const char* fields[9];  // channels, paclen, maxframe, multi, maxblock, period, minute,
                          // fwd channels, label
};

const TShownPort kShown[] = {
    {"KAM", "Hex address:", "2F8", 3, 1, 0, false, true, false, true, false,
     {"4", "128", "2", "1", "10", "60", "05", "1", "VHF packet"}},
    {"DED", "Hex address:", "3E8", 5, 2, 2, true, false, true, false, true,
     {"7", "250", "4", "0", "50", "30", "00", "2", "UHF link"}},
    {"TCP", "TCP Port:", "8000", -1, 7, 1, false, false, false, true, true,
     {"9", "236", "7", "0", "40", "15", "10", "3", "Telnet"}},
};
const char* const kBauds[] = {"300",   "600",   "1200",  "2400",  "4800",  "9600",
                              "14400", "19200", "28800", "38400", "57600", "115200"};

void Store(TPortRecord& p, const TShownPort& s) {
  p = TPortRecord();
  SetField(p.Driver, s.driver);
  if (std::string(s.driver) == "TCP")
    SetField(p.BaudRate, s.address);
  else
    SetField(p.BaudRate, s.baud >= 0 ? kBauds[s.baud] : "0");
  SetField(p.HexAddress, std::string(s.driver) == "TCP" ? "0" : s.address);
  SetField(p.Com, std::to_string(s.com + 1));
  SetField(p.Tipopuerto, s.mode == 0 ? "U" : s.mode == 1 ? "G" : "B");
  SetField(p.Disabled, s.disabled ? "true" : "false");
  SetField(p.Unprotos, s.unprotos ? "L" : "");
  SetField(p.Yapp, s.yapp ? "Y" : "");
  SetField(p.Gateway, s.gateway ? "W" : "");
  SetField(p.Rdonly, s.rdonly ? "R" : "");
  char* fields[] = {p.NumChannels, p.Paclen, p.MaxFrame, p.Canal, p.MaxBlock,
                    p.Fwdperiodo, p.Fwdminute, p.NumFwdChannels, p.Label};
  const size_t widths[] = {sizeof p.NumChannels, sizeof p.Paclen, sizeof p.MaxFrame,
                           sizeof p.Canal, sizeof p.MaxBlock, sizeof p.Fwdperiodo,
                           sizeof p.Fwdminute, sizeof p.NumFwdChannels, sizeof p.Label};
  for (int i = 0; i < 9; ++i) lstrcpynA(fields[i], s.fields[i], static_cast<int>(widths[i]));
}

// The page's controls, bare.
struct TBareControls {
  HWND parent, type, caption, address, bauds, com;
  HWND modes[3], checks[5], fields[9];

  TBareControls() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 400, nullptr, nullptr,
                             instance, nullptr);
    auto child = [&](const char* cls, DWORD style) {
      return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 80, 200, parent,
                             nullptr, instance, nullptr);
    };
    type = child("COMBOBOX", CBS_DROPDOWN);
    caption = child("STATIC", 0);
    address = child("EDIT", ES_UPPERCASE);
    bauds = child("COMBOBOX", CBS_DROPDOWNLIST);
    for (const char* b : kBauds) SendMessageA(bauds, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(b));
    com = child("COMBOBOX", CBS_DROPDOWNLIST);
    for (int i = 1; i <= 10; ++i)
      SendMessageA(com, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(i).c_str()));
    for (HWND& m : modes) m = child("BUTTON", BS_AUTORADIOBUTTON);
    for (HWND& c : checks) c = child("BUTTON", BS_AUTOCHECKBOX);
    for (HWND& f : fields) f = child("EDIT", 0);
    // Drawn in the editor's font, as the page's controls are.
    EnumChildWindows(parent, [](HWND hwnd, LPARAM font) {
      SendMessageA(hwnd, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
      return TRUE;
    }, reinterpret_cast<LPARAM>(Application().Font()));
  }
  ~TBareControls() { DestroyWindow(parent); }

  void Show(const TShownPort& s) {
    SetWindowTextA(type, s.driver);
    SetWindowTextA(caption, s.caption);
    SetWindowTextA(address, s.address);
    SendMessageA(bauds, CB_SETCURSEL, s.baud, 0);
    SendMessageA(com, CB_SETCURSEL, s.com, 0);
    for (int i = 0; i < 3; ++i) SendMessageA(modes[i], BM_SETCHECK, i == s.mode, 0);
    const bool checked[] = {s.disabled, s.unprotos, s.yapp, s.gateway, s.rdonly};
    for (int i = 0; i < 5; ++i) SendMessageA(checks[i], BM_SETCHECK, checked[i], 0);
    for (int i = 0; i < 9; ++i) SetWindowTextA(fields[i], s.fields[i]);
  }
};

}  // namespace

void RunPortsBenchmark(TForm1& form, int runs) {
  // The page reads the stored ports when it is made: made first, it leaves
  // the ports stored below alone.
  form.Page<TPortsPage>();
  for (int i = 0; i < 3; ++i) Store(Config().PortTable[i], kShown[i]);
  // Picks the port without the selector's own click, which is not part of
  // showing it.
  auto show = [&form](int index) {
    TNotifyEvent click = std::move(form.Page<TPortsPage>().Puertosbbs->OnClick);
    form.Page<TPortsPage>().Puertosbbs->OnClick = nullptr;
    form.Page<TPortsPage>().Puertosbbs->SetItemIndex(index);
    form.Page<TPortsPage>().Puertosbbs->OnClick = std::move(click);
    const auto start = std::chrono::steady_clock::now();
    form.Page<TPortsPage>().PuertosbbsClick(form.Page<TPortsPage>().Puertosbbs);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
  };
  // The editor and the floor take turns, so that both meet the same load
  // of the machine.
  show(2);
  TBareControls bare;
  std::vector<double> serialMs, classesMs, floorSerialMs, floorClassesMs;
  for (int i = 0; i < 2 * runs; ++i) {
    const int other = i % 2;  // serial to serial, then back
    serialMs.push_back(show(other ? 1 : 0));
    floorSerialMs.push_back(TimeMs([&] { bare.Show(kShown[other ? 1 : 0]); }));
  }
  for (int i = 0; i < 2 * runs; ++i) {
    const int other = i % 2;  // serial to TCP, then back
    classesMs.push_back(show(other ? 2 : 0));
    floorClassesMs.push_back(TimeMs([&] { bare.Show(kShown[other ? 2 : 0]); }));
  }
  const double serial = Median(serialMs), classes = Median(classesMs);
  const double floorSerial = Median(floorSerialMs), floorClasses = Median(floorClassesMs);
  std::printf("show a port, serial to serial   %8.3f ms, floor %8.3f ms, ratio %5.2f\n", serial,
              floorSerial, serial / floorSerial);
  std::printf("show a port, serial to TCP      %8.3f ms, floor %8.3f ms, ratio %5.2f\n", classes,
              floorClasses, classes / floorClasses);
  std::printf("shown as stored                 %s\n",
              FieldText(Config().PortTable[0].Label) == kShown[0].fields[8] &&
                      FieldText(Config().PortTable[1].HexAddress) == kShown[1].address &&
                      !BenchDocument().Modified()
                  ? "yes"
                  : "NO");
}
