#include "bench/TransfersBenchmark.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "editor/app/Main.h"
#include "editor/config/RegistryKeys.h"
#include "editor/config/Save.h"
#include "editor/transfer/Importa.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"

namespace {

const char kFolder[] = "C:\\NodraxBench";
const char kFile[] = "C:\\NodraxBench\\full.zub";
const char kFloorFile[] = "C:\\NodraxBench\\floor.zub";

// Answers every file dialog with one path and every message box with OK.
class TBenchDialogs : public IDialogs {
 public:
  explicit TBenchDialogs(std::string path) : path_(std::move(path)) {}
  int MessageBox(HWND, const std::string& text, const std::string&, UINT) override {
    last = text;
    return IDOK;
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

double Median(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  return ms.size() % 2 ? ms[ms.size() / 2] : (ms[ms.size() / 2 - 1] + ms[ms.size() / 2]) / 2;
}

// The median of runs of work, each after an untimed prepare.
double TimeMs(int runs, const std::function<void()>& prepare, const std::function<void()>& work) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    if (prepare) prepare();
    const auto start = std::chrono::steady_clock::now();
    work();
    ms.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  return Median(ms);
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
  // Into a new file, as the floor writes; then over the file of the run before.
  const double exported = TimeMs(runs, [] { DeleteFileA(kFile); }, run);
  const double replaced = TimeMs(runs, nullptr, run);
  SetDialogs(previous);
  const bool ok = answers.last == SystemErrorMessage(ERROR_SUCCESS);

  EnablePrivilege(SE_BACKUP_NAME);
  auto rawSave = [] {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Nodrax", 0, KEY_READ | KEY_WOW64_32KEY,
                      &key) == ERROR_SUCCESS) {
      RegSaveKeyA(key, kFloorFile, nullptr);
      RegCloseKey(key);
    }
  };
  const double floor = TimeMs(runs, [] { DeleteFileA(kFloorFile); }, rawSave);
  // Over a file the floor deletes it first, as a plain export would.
  const double floorOver = TimeMs(runs, [&] { CopyFileA(kFile, kFloorFile, FALSE); }, [&] {
    DeleteFileA(kFloorFile);
    rawSave();
  });
  Report("export", exported, "floor (RegSaveKeyA)", floor);
  Report("export over a file", replaced, "floor (delete, save)", floorOver);
  std::printf("export succeeded        %s\n", ok ? "yes" : "NO");
}

void BenchmarkImport(TForm1& form, int runs) {
  TBenchDialogs answers(kFile);
  IDialogs* previous = SetDialogs(&answers);
  const bool flushes = SaveFlushesOnce;
  SaveFlushesOnce = true;  // as the editor saves
  const double imported = TimeMs(runs, nullptr, [&] { form.ImportConfig1Click(nullptr); });
  SaveFlushesOnce = flushes;
  SetDialogs(previous);
  const bool ok = answers.last == SystemErrorMessage(ERROR_SUCCESS);

  EnablePrivilege(SE_RESTORE_NAME);
  EnablePrivilege(SE_BACKUP_NAME);
  int values = 0;
  const double floor = TimeMs(runs, nullptr, [&] {
    if (RegLoadKeyA(HKEY_LOCAL_MACHINE, "Nodrax", kFile) != ERROR_SUCCESS) return;
    values = RawReadTree(HKEY_LOCAL_MACHINE, "Nodrax");
    RegUnLoadKeyA(HKEY_LOCAL_MACHINE, "Nodrax");
  });
  Report("import", imported, "floor (mount+read)", floor);
  std::printf("import succeeded        %s (%d values in the file)\n", ok ? "yes" : "NO", values);
}
