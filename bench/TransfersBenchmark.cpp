#include "bench/TransfersBenchmark.h"
#include "bench/BenchDocument.h"
#include "bench/RawTree.h"
#include "bench/Timing.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/app/Pages.h"
#include "editor/config/RegistryKeys.h"
#include "editor/config/Load.h"
#include "editor/config/Save.h"
#include "editor/transfer/Backup.h"
#include "editor/transfer/ReplaceJournal.h"
#include "editor/transfer/ReplaceSteps.h"
#include "editor/transfer/Restore.h"
#include "editor/transfer/InitSrvImport.h"
#include "editor/transfer/Initsrv.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"
#include "platform/RegistrySnapshot.h"

void DeleteConfigFiles(const std::string& folder) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "\\*.zub").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do DeleteFileA((folder + "\\" + found.cFileName).c_str());
  while (FindNextFileA(search, &found));
  FindClose(search);
}

namespace {

using bench::Median;

const char kFolder[] = "C:\\NodraxBench";
const char kFile[] = "C:\\NodraxBench\\full.zub";
const char kFloorFile[] = "C:\\NodraxBench\\floor.zub";

// Answers every file dialog with one path and every message box with OK.
class TBenchDialogs : public IDialogs {
 public:
  explicit TBenchDialogs(std::string path) : path_(std::move(path)) {}
  int MessageBox(HWND, const std::string& text, const std::string&, UINT type) override {
    last = text;
    return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;  // a restore is confirmed
  }
  bool OpenFile(TFileDialogRequest& r) override { return Answer(r); }
  bool SaveFile(TFileDialogRequest& r) override { return Answer(r); }
  bool BrowseFolder(HWND, const std::string&, std::string&) override { return false; }
  bool ChooseColour(HWND, COLORREF&) override { return false; }
  void ShellOpen(HWND, const std::string&, int) override {}
  std::string last;

 private:
  bool Answer(TFileDialogRequest& r) {
    r.fileName = path_;
    return true;
  }
  std::string path_;
};

// One side of a case: its work, timed, after an untimed prepare.
struct TSide {
  std::function<void()> prepare, work;
};

// The medians of the editor's runs and of its floor's, taking turns run by
// run (the editor first), so that both meet the same load of the machine.
std::pair<double, double> TakeTurns(int runs, const TSide& editor, const TSide& floor) {
  std::vector<double> editorMs, floorMs;
  for (int i = 0; i < runs; ++i) {
    for (const auto& [side, ms] : {std::pair<const TSide*, std::vector<double>*>{&editor, &editorMs},
                                   {&floor, &floorMs}}) {
      if (side->prepare) side->prepare();
      ms->push_back(bench::TimeMs(side->work));
    }
  }
  return {Median(editorMs), Median(floorMs)};
}

void EnablePrivilege(const char* name) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) return;
  TOKEN_PRIVILEGES tp{1, {{{0, 0}, SE_PRIVILEGE_ENABLED}}};
  if (LookupPrivilegeValueA(nullptr, name, &tp.Privileges[0].Luid))
    AdjustTokenPrivileges(token, FALSE, &tp, 0, nullptr, nullptr);
  CloseHandle(token);
}

// Every value below the key, read once; returns how many.
int RawReadTree(HKEY parent, const char* path) {
  HKEY key;
  if (RegOpenKeyExA(parent, path, 0, KEY_READ, &key)) return 0;
  static BYTE data[4096];
  int values = 0;
  char name[256];
  for (DWORD i = 0;; ++i, ++values) {
    DWORD nameLength = sizeof name, size = sizeof data, type = 0;
    if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data, &size)) break;
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = sizeof name;
    if (RegEnumKeyExA(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr)) break;
    values += RawReadTree(key, name);
  }
  RegCloseKey(key);
  return values;
}

void StoreCarriedOverSettings() {
  TCarriedOverSettings s;
  s.AskBeforeClose = s.Gateway = s.SysopRing = 1;
  s.ConnectionFile = s.SysopCallFile = "C:\\NodraxBench\\ring.wav";
  s.Activated = s.Hour = s.MaxRetLines = 3;
  s.PreCmdFile = s.PostCmdFile = "C:\\NodraxBench\\cmd.bat";
  WriteCarriedOverSettings(s);
}

std::string BackupFolder() { return StoredRootFolder() + "\\Backup"; }

// The backups of earlier runs, which the editor's backups would prune.
void EmptyBackups() { DeleteConfigFiles(BackupFolder()); }

// A bare RegSaveKeyA of the stored tree into the file.
void RawSaveTree(const char* file) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Nodrax", 0, KEY_READ | KEY_WOW64_32KEY, &key) ==
      ERROR_SUCCESS) {
    RegSaveKeyA(key, file, nullptr);
    RegCloseKey(key);
  }
}

// A bare RegDeleteTreeA of the stored tree.
void RawDeleteTree() {
  HKEY software = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                    &software) != ERROR_SUCCESS)
    return;
  RegDeleteTreeA(software, "Nodrax");
  RegCloseKey(software);
}

void Report(const char* what, double ms, const char* floorWhat, double floor) {
  std::printf("%-24s%8.3f ms\n%-24s%8.3f ms\n%-24s%8.2f\n", what, ms, floorWhat, floor,
              (std::string(what) + "/floor").c_str(), ms / floor);
}

}  // namespace

void BenchmarkExport(TForm1& form, int runs) {
  CreateDirectoryA(kFolder, nullptr);
  StoreCarriedOverSettings();
  TBenchDialogs answers(kFile);
  IDialogs* previous = SetDialogs(&answers);
  auto run = [&] { form.ExportConfig1Click(nullptr); };
  EnablePrivilege(SE_BACKUP_NAME);
  auto rawSave = [] { RawSaveTree(kFloorFile); };
  // Into a new file, as the floor writes; then over the file of the run
  // before, which the floor deletes first, as a plain export would.
  const auto [exported, floor] =
      TakeTurns(runs, {[] { DeleteFileA(kFile); }, run}, {[] { DeleteFileA(kFloorFile); }, rawSave});
  const auto [replaced, floorOver] =
      TakeTurns(runs, {nullptr, run}, {[&] { CopyFileA(kFile, kFloorFile, FALSE); }, [&] {
                                         DeleteFileA(kFloorFile);
                                         rawSave();
                                       }});
  SetDialogs(previous);
  const bool ok = answers.last == SystemErrorMessage(ERROR_SUCCESS);
  Report("export", exported, "floor (RegSaveKeyA)", floor);
  Report("export over a file", replaced, "floor (delete, save)", floorOver);
  std::printf("export succeeded        %s\n", ok ? "yes" : "NO");
}

void BenchmarkImport(TForm1& form, int runs) {
  TBenchDialogs answers(kFile);
  IDialogs* previous = SetDialogs(&answers);
  EnablePrivilege(SE_RESTORE_NAME);
  EnablePrivilege(SE_BACKUP_NAME);
  int values = 0;
  // The tree as the import leaves it, which the floor writes back raw.
  EmptyBackups();
  form.ImportConfig1Click(nullptr);
  std::vector<bench::raw::TKey> stored;
  bench::raw::Snapshot(bench::raw::kTree, stored);
  const std::string floorBackup = std::string(kFolder) + "\\floor-backup.zub";
  // The floor is the import's necessary steps done raw: the backup's
  // export, the delete, the file mounted and every value of it read, and
  // the writes of the save.
  std::vector<double> saveMs, deleteMs, readMs, writeMs;
  const auto [imported, floor] = TakeTurns(
      runs, {EmptyBackups, [&] { form.ImportConfig1Click(nullptr); }},
      {[&] { DeleteFileA(floorBackup.c_str()); }, [&] {
         saveMs.push_back(bench::TimeMs([&] { RawSaveTree(floorBackup.c_str()); }));
         deleteMs.push_back(bench::TimeMs(RawDeleteTree));
         readMs.push_back(bench::TimeMs([&] {
           if (RegLoadKeyA(HKEY_LOCAL_MACHINE, "Nodrax", kFile) != ERROR_SUCCESS) return;
           values = RawReadTree(HKEY_LOCAL_MACHINE, "Nodrax");
           RegUnLoadKeyA(HKEY_LOCAL_MACHINE, "Nodrax");
         }));
         writeMs.push_back(bench::TimeMs([&] { bench::raw::RawWrite(stored); }));
       }});
  SetDialogs(previous);
  const bool ok = answers.last == SystemErrorMessage(ERROR_SUCCESS);
  Report("import", imported, "floor (backup, delete, read, write)", floor);
  std::printf("import succeeded        %s (%d values in the file)\n", ok ? "yes" : "NO", values);
  std::printf("import's floor, its steps: RegSaveKeyA %.3f ms, RegDeleteTreeA %.3f ms, mount, "
              "read and unmount %.3f ms, raw writes %.3f ms\n",
              Median(saveMs), Median(deleteMs), Median(readMs), Median(writeMs));

  // Where the import's time goes: its steps one by one, each on the same
  // tree and file as the import.
  TRegistry reg;
  auto mounted = [&](const std::function<void()>& work) {
    reg.LoadKey(kMountKey, kFile);
    const double ms = bench::TimeMs(work);
    reg.UnLoadKey(kMountKey);
    return ms;
  };
  std::vector<double> mount, read, checks, load, backup, remove, save, reload;
  SYSTEMTIME at{};
  for (int i = 0; i < runs; ++i) {
    mount.push_back(bench::TimeMs([&] {
      reg.LoadKey(kMountKey, kFile);
      reg.UnLoadKey(kMountKey);
    }));
    TRegistrySnapshot file;
    read.push_back(mounted([&] { file.Take(kMountKey); }));
    auto fromFile = std::make_unique<TConfiguration>();
    checks.push_back(bench::TimeMs([&] {
      TCarriedOverSettings carried;
      ReadCarriedOverSettings(carried, file, kMountKey);
      CheckLoadedValueTypes(file, kMountKey);
    }));
    load.push_back(bench::TimeMs([&] { CargaRegistro(*fromFile, file, kMountKey); }));
    GetLocalTime(&at);
    backup.push_back(bench::TimeMs([&] { BackUpStoredConfiguration(StoredRootFolder(), at); }));
    remove.push_back(bench::TimeMs([] { TRegistry().DeleteKey(kNodraxKey); }));
    WriteCarriedOverSettings(Config().CarriedOverSettings);
    save.push_back(bench::TimeMs([] { SaveConfiguration(Config()); }));
    reload.push_back(bench::TimeMs([&] {
      CargaRegistro(Config());
      form.ShowConfiguration();
    }));
  }
  std::printf("import, its steps: mount and unmount %.3f ms, the file read into memory %.3f ms, "
              "its checks %.3f ms, the load from it %.3f ms, backup %.3f ms, delete %.3f ms, "
              "save %.3f ms; a reload, which it makes only when the save stored otherwise, "
              "%.3f ms\n",
              Median(mount), Median(read), Median(checks), Median(load), Median(backup),
              Median(remove), Median(save), Median(reload));
}

namespace {

// Every value of the key at `from` below `to`, and every key below it,
// with the fewest calls: the floor of a restore's copy.
void RawCopyTree(HKEY from, HKEY to) {
  static BYTE data[65536];
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = sizeof name, size = sizeof data, type = 0;
    if (RegEnumValueA(from, i, name, &nameLength, nullptr, &type, data, &size)) break;
    RegSetValueExA(to, name, 0, type, data, size);
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = sizeof name;
    if (RegEnumKeyExA(from, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr)) break;
    HKEY in = nullptr, out = nullptr;
    if (RegOpenKeyExA(from, name, 0, KEY_READ, &in) == ERROR_SUCCESS &&
        RegCreateKeyExA(to, name, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &out,
                        nullptr) == ERROR_SUCCESS)
      RawCopyTree(in, out);
    if (in) RegCloseKey(in);
    if (out) RegCloseKey(out);
  }
}

}  // namespace

void BenchmarkRestore(TForm1& form, int runs) {
  // The file of the export: the full configuration, restored over itself.
  TBenchDialogs answers(kFile);
  IDialogs* previous = SetDialogs(&answers);
  EnablePrivilege(SE_RESTORE_NAME);
  EnablePrivilege(SE_BACKUP_NAME);
  auto emptyBackups = EmptyBackups;
  const std::string floorBackup = std::string(kFolder) + "\\floor-backup.zub";
  auto floorRun = [&] {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Nodrax", 0, KEY_READ | KEY_WOW64_32KEY,
                      &key) == ERROR_SUCCESS) {
      RegSaveKeyA(key, floorBackup.c_str(), nullptr);
      RegCloseKey(key);
    }
    HKEY software = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &software);
    RegDeleteTreeA(software, "Nodrax");
    if (RegLoadKeyA(HKEY_LOCAL_MACHINE, "Nodrax", kFile) == ERROR_SUCCESS) {
      HKEY in = nullptr, out = nullptr;
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Nodrax", 0, KEY_READ, &in);
      RegCreateKeyExA(software, "Nodrax", 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr,
                      &out, nullptr);
      if (in && out) RawCopyTree(in, out);
      if (in) RegCloseKey(in);
      if (out) RegCloseKey(out);
      RegUnLoadKeyA(HKEY_LOCAL_MACHINE, "Nodrax");
    }
    RegCloseKey(software);
  };
  // Editor and floor take turns, each from the same full tree and with no
  // backups of earlier runs in the folder.
  std::vector<double> restored, floor;
  for (int i = 0; i < runs; ++i) {
    emptyBackups();
    DeleteFileA(floorBackup.c_str());
    restored.push_back(bench::TimeMs([&] { form.RestoreBackup1Click(nullptr); }));
    emptyBackups();
    DeleteFileA(floorBackup.c_str());
    floor.push_back(bench::TimeMs(floorRun));
  }
  SetDialogs(previous);
  HKEY software = nullptr;
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ | KEY_WOW64_32KEY, &software);
  const bool whole = RawReadTree(software, "Nodrax") > 0 && !TRegistry().KeyExists(kJournalKey);
  RegCloseKey(software);
  Report("restore", Median(restored), "floor (save, delete, copy)", Median(floor));
  std::printf("restore succeeded       %s\n", whole ? "yes" : "NO");

  // Where the restore's time goes: its steps one by one.
  std::vector<double> mount, backup, note, remove, copy, reload;
  SYSTEMTIME at{};
  for (int i = 0; i < runs; ++i) {
    emptyBackups();
    mount.push_back(bench::TimeMs([] { CheckRestorable(kFile); }));
    GetLocalTime(&at);
    backup.push_back(bench::TimeMs([&] { BackUpStoredConfiguration(StoredRootFolder(), at, kFile); }));
    note.push_back(bench::TimeMs([&] {
      BeginReplacing(form, TReplacement::Restore, kFile);
      EndReplace();
    }));
    remove.push_back(bench::TimeMs([] { TRegistry().DeleteKey(kNodraxKey); }));
    TRegistry().LoadKey(kMountKey, kFile);
    copy.push_back(bench::TimeMs([] {
      TRegistry reg;
      reg.CopyKey(kMountKey, kNodraxKey);
      reg.Flush();
    }));
    TRegistry().UnLoadKey(kMountKey);
    reload.push_back(bench::TimeMs([&] { form.ReloadRegistry1Click(nullptr); }));
  }
  std::printf("restore, its steps: the file checked (mount, unmount) %.3f ms, backup %.3f ms, note %.3f ms, "
              "delete %.3f ms, copy %.3f ms, reload %.3f ms\n",
              Median(mount), Median(backup), Median(note), Median(remove), Median(copy),
              Median(reload));

  // The note of a replace under way, written and cleared, against the
  // import it guards.
  answers = TBenchDialogs(kFile);
  previous = SetDialogs(&answers);
  std::vector<double> imports, notes;
  for (int i = 0; i < runs; ++i) {
    emptyBackups();
    imports.push_back(bench::TimeMs([&] { form.ImportConfig1Click(nullptr); }));
    notes.push_back(bench::TimeMs([&] {
      BeginReplacing(form, TReplacement::Import, BackupFolder() + "\\Nodrax-20261208-120000.zub");
      EndReplace();
    }));
  }
  SetDialogs(previous);
  std::printf("import %.3f ms, its note of a replace under way %.3f ms (%.1f %%)\n",
              Median(imports), Median(notes), 100 * Median(notes) / Median(imports));
}

namespace {

// Every line at its 148 characters: the value, then blanks or letters.
std::string LargestInitSrv() {
  auto line = [](std::string text, char pad) {
    text.resize(kInitSrvPiece, pad);
    return text + "\r\n";
  };
  const std::vector<std::string> station = {
      "EA9ZZB.#CE.ESP.EURO", "2", "IM75JV", "Ceuta", "C:\\NodraxBench\\BBS\\SYSTEM\\",
      "C:\\NodraxBench\\MAIL", "C:\\NodraxBench\\BIN", "C:\\A,C:\\B,C:\\C,C:\\D,C:\\E,C:\\F,C:\\G,C:\\H",
      "C:\\NodraxBench\\YAPP", "C:\\NodraxBench\\DOCS", "Jose", "EA9ZZB", "EA9ZZB",
      "C:\\NodraxBench\\IMPORT.TXT", "x", "OK", "x", "OK", "NO", "OK 4094", "OK 3", "x", "OK",
      "4095", "1023 1023 1023", "1023", "x", "10 20", "200 100", "x", "B5", "1000 900 800",
      "[$c] ZUB$E $$:$R", "10000", "30", "x", "EA9ZZB.#CE.ESP.EURO", "51001", "5 10 AVPM"};
  std::string file;
  for (std::size_t n = 1; n <= 56; ++n) {
    const std::string text = n <= station.size() ? station[n - 1] : std::to_string(n % 16);
    // Blanks after numbers keep them numbers; texts are cut at their fields.
    file += line(text, text.find_first_not_of("0123456789 ") == std::string::npos ? ' ' : 'x');
  }
  file += line("--", '-');
  for (int i = 0; i < 100; ++i)
    file += line("SRV" + std::to_string(i) + " SRV" + std::to_string(i) + ".EXE Server", 'd');
  return file;
}

bool IsEdit(HWND window) {
  char cls[16];
  return GetClassNameA(window, cls, sizeof cls) && lstrcmpiA(cls, "Edit") == 0;
}

bool IsCheckBox(HWND window) {
  char cls[16];
  if (!GetClassNameA(window, cls, sizeof cls) || lstrcmpiA(cls, "Button")) return false;
  const LONG_PTR type = GetWindowLongPtrA(window, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX;
}

// What a window shows: the text of every edit, the state of every box.
struct TShown {
  std::vector<std::pair<HWND, std::string>> texts;
  std::vector<std::pair<HWND, bool>> boxes;
};

BOOL CALLBACK CollectShown(HWND child, LPARAM shown) {
  TShown& s = *reinterpret_cast<TShown*>(shown);
  if (IsEdit(child)) {
    char text[512] = "";
    GetWindowTextA(child, text, sizeof text);
    s.texts.emplace_back(child, text);
  } else if (IsCheckBox(child)) {
    s.boxes.emplace_back(child, SendMessageA(child, BM_GETCHECK, 0, 0) == BST_CHECKED);
  }
  return TRUE;
}

TShown Shown(HWND window) {
  TShown shown;
  EnumChildWindows(window, CollectShown, reinterpret_cast<LPARAM>(&shown));
  return shown;
}

// Another configuration's look: every edit empty, every box clear.
BOOL CALLBACK EmptyField(HWND child, LPARAM) {
  if (IsEdit(child))
    SetWindowTextA(child, "");
  else if (IsCheckBox(child))
    SendMessageA(child, BM_SETCHECK, BST_UNCHECKED, 0);
  return TRUE;
}

// The texts and ticks the import puts into the window, and the server
// list, on bare controls of the same classes, styles and font as the
// editor's, each on a shown sheet of a shown window where the editor's is
// on the page shown, else on a hidden sheet.
struct TBareWindow {
  HWND window = nullptr, shownSheet = nullptr, hiddenSheet = nullptr;
  std::vector<std::pair<HWND, std::string>> texts;
  std::vector<HWND> boxes;
  HWND list = nullptr;
  std::vector<std::string> servers;

  TBareWindow(const std::vector<std::pair<HWND, std::string>>& set,
              const std::vector<HWND>& ticked, HWND editorList, const TInitSrv& read) {
    window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 400, nullptr,
                             nullptr, nullptr, nullptr);
    auto sheet = [&](DWORD visible) {
      return CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_CLIPSIBLINGS | visible, 0, 0, 400, 400,
                             window, nullptr, nullptr, nullptr);
    };
    shownSheet = sheet(WS_VISIBLE);
    hiddenSheet = sheet(0);
    auto on = [&](HWND editors) { return IsWindowVisible(editors) ? shownSheet : hiddenSheet; };
    for (const auto& [edit, t] : set)
      texts.emplace_back(
          CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, 0, 0, 150,
                          21, on(edit), nullptr, nullptr, nullptr),
          t);
    for (HWND box : ticked)
      boxes.push_back(CreateWindowExA(0, "BUTTON", "",
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0,
                                      150, 17, on(box), nullptr, nullptr, nullptr));
    list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY |
                               LBS_NOINTEGRALHEIGHT,
                           0, 0, 150, 150, on(editorList), nullptr, nullptr, nullptr);
    for (const TInitSrvServer& server : read.Servers) servers.push_back(server.Name);
    // Drawn in the editor's font, as the window's controls are.
    EnumChildWindows(window, [](HWND child, LPARAM font) {
      SendMessageA(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
      return TRUE;
    }, reinterpret_cast<LPARAM>(Application().Font()));
    UpdateWindow(window);
  }
  void Empty() {
    EnumChildWindows(window, EmptyField, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
  }
  ~TBareWindow() { DestroyWindow(window); }

  void Fill(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const auto& [edit, t] : texts) SetWindowTextA(edit, t.c_str());
    for (HWND box : boxes) SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    // The list redrawn once, not once for every server.
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (const std::string& name : servers)
      SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
  }
};

}  // namespace

void BenchmarkInitSrv(TForm1& form, int runs) {
  const std::string path = std::string(kFolder) + "\\Init.srv";
  CreateDirectoryA(kFolder, nullptr);
  const std::string contents = LargestInitSrv();
  std::ofstream(path, std::ios::binary) << contents;
  TBenchDialogs answers(path);
  IDialogs* previous = SetDialogs(&answers);
  // Into a window that shows another configuration: every edit emptied,
  // every box cleared and the server list emptied (untimed) before each
  // run, so that each text and tick the import puts in is new.
  auto empty = [&] {
    EnumChildWindows(form.Handle(), EmptyField, 0);
    form.Page<TServersPage>().ListBox1->ClearItems();
  };
  auto import = [&] { form.MenuimportClick(nullptr); };
  // One run first, untimed, to see what the import puts into the window:
  // the floor sets those texts and ticks those boxes, and nothing else.
  empty();
  const TShown before = Shown(form.Handle());
  import();
  const TShown after = Shown(form.Handle());
  std::vector<std::pair<HWND, std::string>> set;
  std::vector<HWND> ticked;
  for (std::size_t i = 0; i < after.texts.size() && i < before.texts.size(); ++i)
    if (after.texts[i] != before.texts[i]) set.push_back(after.texts[i]);
  for (std::size_t i = 0; i < after.boxes.size() && i < before.boxes.size(); ++i)
    if (after.boxes[i] != before.boxes[i]) ticked.push_back(after.boxes[i].first);
  const TInitSrv read = ParseInitSrv(contents, nullptr);
  TBareWindow bare(set, ticked, form.Page<TServersPage>().ListBox1->Handle(), read);
  const auto [imported, floor] =
      TakeTurns(runs, {empty, import}, {[&] { bare.Empty(); }, [&] { bare.Fill(path); }});
  SetDialogs(previous);
  Report("Init.srv import", imported, "floor (read, set texts)", floor);
  std::printf("Init.srv file           %zu bytes, %zu servers; the import sets %zu of the "
              "window's %zu edits and ticks %zu of its %zu boxes, and so does the floor\n",
              contents.size(), read.Servers.size(), set.size(), after.texts.size(), ticked.size(),
              after.boxes.size());
}
