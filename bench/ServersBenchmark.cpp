// Times the add of one server on the Servers page, the way the sysop makes
// it: the key written, the server put into the ServerTable and ListBox1, and
// the broadcast. Its floor is the same work with raw calls: one create,
// three writes, one flush and one close, one item inserted into a bare list
// box, three bare edits emptied and the same broadcast posted.
#include "bench/ServersBenchmark.h"
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
#include "editor/config/Load.h"
#include "editor/config/Configuration.h"

namespace {

using bench::Median;
using bench::TimeMs;

const char kServers[] = "Software\\Nodrax\\Servers";
const char kAdded[] = "SRV99";

std::string AddedKey() { return std::string(kServers) + "\\" + kAdded; }

void RemoveAdded() { RegDeleteKeyExA(HKEY_LOCAL_MACHINE, AddedKey().c_str(), KEY_WOW64_32KEY, 0); }

void RawAdd() {
  HKEY key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, AddedKey().c_str(), 0, nullptr, 0,
                      KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key, nullptr))
    return;
  auto write = [&](const char* name, const char* text) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(strlen(text) + 1));
  };
  write("File", "SRV99.EXE");
  write("Description", "Server number 99");
  write("Disabled", "true");
  RegFlushKey(key);
  RegCloseKey(key);
}

}  // namespace

void BenchServers(TForm1& form, int runs) {
  // Each run starts from 99 stored servers and ends with 100; what comes
  // before it (removing the 100th again, the sysop's typing) is not timed.
  // The add and its floor take turns, so that both meet the same load of
  // the machine.
  std::vector<double> add, floor;
  bool added = true;
  HWND bare = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_POPUP | LBS_NOTIFY, 0, 0, 150,
                              252, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  for (int i = 0; i < kServerCount - 1; ++i)
    SendMessageA(bare, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Config().ServerTable[i].Name));
  HWND edits[3];
  for (HWND& edit : edits)
    edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_POPUP, 0, 0, 150, 21, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  const UINT notify = RegisterWindowMessageA("ZUBCFG_NOTIFY");
  TServersPage& page = form.Page<TServersPage>();
  for (int i = 0; i < runs; ++i) {
    RemoveAdded();
    CargaServidores(Config());
    page.ShowConfiguration();
    page.Editaddserver->SetText(kAdded);
    page.Editfileserver->SetText("srv99.exe");
    page.Editinfo->SetText("Server number 99");
    page.Disabled->SetChecked(true);
    add.push_back(TimeMs([&] { page.BotonaddserverClick(page.Botonaddserver); }));
    added = added && Config().ServerCount == kServerCount && page.ListBox1->ItemCount() == kServerCount &&
            page.Editaddserver->Text().empty();
    RemoveAdded();
    SetWindowTextA(edits[0], kAdded);
    SetWindowTextA(edits[1], "SRV99.EXE");
    SetWindowTextA(edits[2], "Server number 99");
    floor.push_back(TimeMs([&] {
      RawAdd();
      SendMessageA(bare, LB_INSERTSTRING, kServerCount - 1, reinterpret_cast<LPARAM>(kAdded));
      for (HWND edit : edits) SetWindowTextA(edit, "");
      PostMessageA(HWND_BROADCAST, notify, 0, 0);
    }));
    SendMessageA(bare, LB_DELETESTRING, kServerCount - 1, 0);
  }
  DestroyWindow(bare);
  for (HWND edit : edits) DestroyWindow(edit);
  std::printf("add one server (write, list, broadcast)         %8.3f ms\n", Median(add));
  std::printf("floor (raw writes, bare list and edits, post)   %8.3f ms\n", Median(floor));
  std::printf("add/floor                                       %8.2f\n",
              Median(add) / Median(floor));
  std::printf("server added and the list refilled              %s\n", added ? "yes" : "NO");
}
