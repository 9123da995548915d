// Times the editor's save and load of a full configuration against the
// fewest raw registry calls that write and read the same values; then, with
// that configuration stored, the editor's start-up, the add of a server,
// the show of a port and one message to a control, each against its floor.
//
//   registry_benchmark [runs]     (default 25; at least 20)
//
// Everything happens in one process and one run, on the registry of the Wine
// prefix (or Windows machine) it runs on; the configuration under
// Software\Nodrax is replaced, so run it on a prefix of its own.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/ControlsBenchmark.h"
#include "bench/ServersBenchmark.h"
#include "bench/StartupBenchmark.h"
#include "bench/PortsBenchmark.h"
#include "bench/TransfersBenchmark.h"
#include "bench/Timing.h"
#include "editor/app/Pages.h"
#include "editor/config/Load.h"
#include "editor/config/Configuration.h"
#include "editor/config/RegistryKeys.h"
#include "editor/config/Save.h"
#include "platform/Application.h"
#include "platform/Registry.h"

namespace {

using bench::Median;
using bench::TimeMs;

const char kTree[] = "Software\\Nodrax";

struct TValue {
  std::string name;
  DWORD type;
  std::vector<BYTE> data;
};
struct TKey {
  std::string path;  // below HKEY_LOCAL_MACHINE
  std::vector<TValue> values;
};

// Every key and value below path, parents before children.
void Snapshot(const std::string& path, std::vector<TKey>& out) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key))
    return;
  TKey entry{path, {}};
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameLen = sizeof name, type = 0, size = 0;
    if (RegEnumValueA(key, i, name, &nameLen, nullptr, &type, nullptr, &size)) break;
    TValue v{name, type, std::vector<BYTE>(size)};
    nameLen = sizeof name;
    RegEnumValueA(key, i, name, &nameLen, nullptr, &type, v.data.data(), &size);
    entry.values.push_back(std::move(v));
  }
  std::vector<std::string> subkeys;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameLen = sizeof name;
    if (RegEnumKeyExA(key, i, name, &nameLen, nullptr, nullptr, nullptr, nullptr)) break;
    subkeys.push_back(name);
  }
  RegCloseKey(key);
  out.push_back(std::move(entry));
  for (const std::string& sub : subkeys) Snapshot(path + "\\" + sub, out);
}

size_t CountValues(const std::vector<TKey>& keys) {
  size_t n = 0;
  for (const TKey& k : keys) n += k.values.size();
  return n;
}

bool SameTree(const std::vector<TKey>& a, const std::vector<TKey>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].path != b[i].path || a[i].values.size() != b[i].values.size()) return false;
    for (size_t j = 0; j < a[i].values.size(); ++j) {
      const TValue &x = a[i].values[j], &y = b[i].values[j];
      if (x.name != y.name || x.type != y.type || x.data != y.data) return false;
    }
  }
  return true;
}

// The floor of a save: one create, one write per value and one close per
// key, and a single flush of the tree at the end.
void RawWrite(const std::vector<TKey>& keys) {
  for (const TKey& k : keys) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, k.path.c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key, nullptr))
      continue;
    for (const TValue& v : k.values)
      RegSetValueExA(key, v.name.c_str(), 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
    RegCloseKey(key);
  }
  HKEY tree;
  if (!RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTree, 0, KEY_READ | KEY_WOW64_32KEY, &tree)) {
    RegFlushKey(tree);
    RegCloseKey(tree);
  }
}

// The floor of a load: one open, one read per value and one close per key.
void RawRead(const std::vector<TKey>& keys) {
  static BYTE buffer[4096];
  for (const TKey& k : keys) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, k.path.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key))
      continue;
    for (const TValue& v : k.values) {
      DWORD type, size = sizeof buffer;
      RegQueryValueExA(key, v.name.c_str(), nullptr, &type, buffer, &size);
    }
    RegCloseKey(key);
  }
}

BOOL CALLBACK ClearEdit(HWND child, LPARAM) {
  char cls[16];
  if (GetClassNameA(child, cls, sizeof cls) && lstrcmpiA(cls, "Edit") == 0)
    SetWindowTextA(child, "");
  return TRUE;
}

double MedianMs(int runs, const std::function<void()>& work) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) ms.push_back(TimeMs(work));
  return Median(ms);
}

// The texts that a load puts into the window's edit fields, each in a bare
// edit control of its own, in a hidden window as the editor's are.
class TBareEdits {
 public:
  explicit TBareEdits(TForm1& form) {
    EnumChildWindows(form.Handle(), Collect, reinterpret_cast<LPARAM>(&texts_));
    parent_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 400, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    for (std::size_t i = 0; i < texts_.size(); ++i) {
      HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                  WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0,
                                  static_cast<int>(i) * 2, 150, 21, parent_, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
      SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(Application().Font()), FALSE);
      edits_.push_back(edit);
    }
  }
  ~TBareEdits() { DestroyWindow(parent_); }
  std::size_t Count() const { return texts_.size(); }
  void Clear() {
    for (HWND edit : edits_) SetWindowTextA(edit, "");
  }
  void Fill() {
    for (std::size_t i = 0; i < edits_.size(); ++i) SetWindowTextA(edits_[i], texts_[i].c_str());
  }

 private:
  static BOOL CALLBACK Collect(HWND child, LPARAM param) {
    char cls[16];
    char text[512];
    if (GetClassNameA(child, cls, sizeof cls) && lstrcmpiA(cls, "Edit") == 0 &&
        GetWindowTextA(child, text, sizeof text) > 0)
      reinterpret_cast<std::vector<std::string>*>(param)->push_back(text);
    return TRUE;
  }
  std::vector<std::string> texts_;
  std::vector<HWND> edits_;
  HWND parent_ = nullptr;
};

// Every page set, all ten ports in use, a hundred servers.
void FillFullConfiguration(TForm1& f) {
  f.General().Editbbsindicativo->SetText("EA9ZZB");
  f.General().Edithroute->SetText("#CE.ESP.EURO");
  f.General().Editssid->SetText("2");
  f.General().Editciudad->SetText("Ceuta");
  f.General().Editlocator->SetText("IM75JV");
  f.General().Codpostal->SetText("51001");
  f.General().Editsysopindicativo->SetText("EA9ZZB");
  f.General().Editsysopnombre->SetText("Luis");
  f.Folders().Directorioraiz->SetText("C:\\NodraxBench\\BBS");
  for (TEdit* disk : {f.Disks().Diska, f.Disks().Diskb, f.Disks().Diskd, f.Disks().Diske, f.Disks().Diskf, f.Disks().Diskg, f.Disks().Diskh})
    disk->SetText("C:\\NodraxBench\\BBS\\UsersPub");
  f.Unproto().Editbackui->SetText("500");
  f.Unproto().Editdelayui->SetText("5");
  f.Miscellaneous1().Indicativosbaliza->SetText("20");
  f.Miscellaneous1().Numerobid->SetText("10000");
  f.Miscellaneous1().Sysopmessage->SetText("EA9ZZB");
  f.Miscellaneous1().Wpmessage->SetText("EA9ZZB");
  f.Miscellaneous1().Cabecera->SetText("[$c] ZUB$E $$:$R");
  f.Miscellaneous2().timeoutusuarios->SetText("10");
  f.Miscellaneous2().Timeoutforward->SetText("10");
  f.Miscellaneous2().Diasboletines->SetText("30");
  f.Miscellaneous2().yappmax->SetText("200");
  f.Miscellaneous2().modemmax->SetText("100");
  f.Miscellaneous2().buferusuario->SetText("1000");
  f.Miscellaneous2().buferconsola->SetText("1000");
  f.Miscellaneous2().bufermonitor->SetText("1000");
  int n = 0;
  for (TCheckBox* box :
       {f.Unproto().Ackui, f.Unproto().Privateui, f.Unproto().Userui, f.Unproto().Tituloui, f.FirstConnection().Excluido1, f.FirstConnection().Local1, f.FirstConnection().Experto1, f.FirstConnection().Sysop1,
        f.FirstConnection().Bbs1, f.FirstConnection().Paginacion1, f.FirstConnection().Guest1, f.FirstConnection().Modem1, f.FirstConnection().Todosmensajes1, f.FirstConnection().Listaunprotos1,
        f.FirstConnection().Listanuevos1, f.FirstConnection().Pms1, f.Security().Todosmensajesuser, f.Security().Borramensajessysop, f.Security().Syssys,
        f.Security().Remoteuser, f.Security().Labelssysop, f.Security().Deletesys, f.Warnings().Menos1mega, f.Warnings().Errorarchivo, f.Warnings().Servererror,
        f.Warnings().Pingpong, f.Warnings().Noruta, f.Warnings().Held, f.Forwarding().Forwardzub, f.Forwarding().Compressforward, f.Forwarding().Resume, f.Forwarding().Xprotocol,
        f.Forwarding().Mbl, f.Forwarding().Caracterh, f.Miscellaneous1().Modotest, f.Miscellaneous1().Log, f.Miscellaneous1().Indicacioncanales, f.Miscellaneous1().Datosusuario,
        f.Miscellaneous1().Mailbeacon, f.Miscellaneous1().Deldata, f.Miscellaneous1().Wpnoheld})
    box->SetChecked(n++ % 3 != 0);
  for (int i = 0; i < kPortCount; ++i) {
    TPortRecord& p = Configuration->PortTable[i];
    SetField(p.Driver, i % 2 ? "TCP" : "KIS");
    SetField(p.Com, std::to_string(i + 1));
    SetField(p.BaudRate, "9600");
    SetField(p.HexAddress, "3F8");
    SetField(p.NumChannels, "4");
    SetField(p.Canal, "1");
    SetField(p.Paclen, "128");
    SetField(p.MaxFrame, "4");
    SetField(p.NumFwdChannels, "2");
    SetField(p.MaxBlock, "10");
    SetField(p.Fwdminute, "05");
    SetField(p.Fwdperiodo, "30");
    SetField(p.Unprotos, "L");
    SetField(p.Yapp, "Y");
    SetField(p.Tipopuerto, "U");
    SetField(p.Label, "Port " + std::to_string(i + 1));
  }
  for (int i = 0; i < kServerCount; ++i) {
    TServerRecord& s = Configuration->ServerTable[i];
    SetField(s.Name, "SRV" + std::to_string(i));
    SetField(s.File, "srv" + std::to_string(i) + ".exe");
    SetField(s.Description, "Server number " + std::to_string(i));
    SetField(s.Disabled, i % 2 ? "true" : "false");
  }
  Configuration->ServerCount = kServerCount;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = std::max(20, argc > 1 ? std::atoi(argv[1]) : 25);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  ZubcfgNotifyMessage = RegisterWindowMessageA("ZUBCFG_NOTIFY");
  TRegistry().DeleteKey(kNodraxKey);
  AllocateConfiguration();
  TForm1 form;
  FillFullConfiguration(form);

  SaveFlushesOnce = false;
  if (!form.Save()) {
    std::fprintf(stderr, "the first save failed\n");
    return 1;
  }
  std::vector<TKey> keys;
  Snapshot(kTree, keys);

  const double saveEach = MedianMs(runs, [&] { form.Save(); });
  std::vector<TKey> afterEach;
  Snapshot(kTree, afterEach);
  SaveFlushesOnce = true;
  const double saveOnce = MedianMs(runs, [&] { form.Save(); });
  std::vector<TKey> afterOnce;
  Snapshot(kTree, afterOnce);
  SaveFlushesOnce = false;
  const double floor = MedianMs(runs, [&] { RawWrite(keys); });
  // A load into the window that holds the same configuration, and one into a
  // window that holds another: there every field is emptied (untimed) before
  // each run, so every text the load sets is new. Their floors: the raw read
  // alone, and the raw read with the same texts set on bare edit controls,
  // emptied the same way. The four take turns, so that all meet the same
  // load of the machine.
  auto emptiedLoad = [&] {
    EnumChildWindows(form.Handle(), ClearEdit, 0);
    return TimeMs([&] {
      RegistryLoading = true;
      CargaRegistro(*Configuration);
      form.ShowConfiguration();
      RegistryLoading = false;
    });
  };
  emptiedLoad();
  TBareEdits bare(form);
  std::vector<double> same, cold, raw, withControls;
  for (int i = 0; i < runs; ++i) {
    same.push_back(TimeMs([&] {
      RegistryLoading = true;
      CargaRegistro(*Configuration);
      form.ShowConfiguration();
      RegistryLoading = false;
    }));
    cold.push_back(emptiedLoad());
    raw.push_back(TimeMs([&] { RawRead(keys); }));
    bare.Clear();
    withControls.push_back(TimeMs([&] {
      RawRead(keys);
      bare.Fill();
    }));
  }
  const double load = Median(same), loadCold = Median(cold), rawRead = Median(raw),
               loadFloor = Median(withControls);
  std::printf("full configuration: %zu keys, %zu values; %d runs each, medians\n", keys.size(),
              CountValues(keys), runs);
  std::printf("save, flush per key     %8.3f ms\n", saveEach);
  std::printf("save, one flush at end  %8.3f ms\n", saveOnce);
  std::printf("floor (raw writes)      %8.3f ms\n", floor);
  std::printf("load (same in window)   %8.3f ms\n", load);
  std::printf("load (window emptied)   %8.3f ms\n", loadCold);
  std::printf("raw read                %8.3f ms\n", rawRead);
  std::printf("raw read + %zu texts on bare edits  %8.3f ms\n", bare.Count(), loadFloor);
  std::printf("save/floor              %8.2f (flush per key), %.2f (one flush)\n", saveEach / floor,
              saveOnce / floor);
  std::printf("load/raw read           %8.2f (same in window), %.2f (window emptied)\n",
              load / rawRead, loadCold / rawRead);
  std::printf("load/floor with controls %7.2f (window emptied)\n", loadCold / loadFloor);
  std::printf("same values both ways   %s\n",
              SameTree(keys, afterEach) && SameTree(keys, afterOnce) ? "yes" : "NO");
  RunStartupBenchmark(runs, Configuration->ServerCount);
  BenchServers(form, runs);
  RunPortsBenchmark(form, runs);
  BenchmarkExport(form, runs);
  BenchmarkImport(form, runs);
  BenchmarkInitSrv(form, runs);
  RunControlsBenchmark(runs);
  return 0;
}
