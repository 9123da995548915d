#include "bench/CommandLineBenchmark.h"
#include "bench/TransfersBenchmark.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/Timing.h"
#include "editor/config/Check.h"
#include "editor/config/Configuration.h"
#include "editor/config/DiskProbe.h"
#include "editor/config/Load.h"

namespace {

using bench::Median;
using bench::TimeMs;

const char kExportFile[] = "C:\\NodraxBench\\cmdline.zub";
const char kFloorFile[] = "C:\\NodraxBench\\cmdline-floor.zub";

void Touch(const std::string& path) { std::ofstream(path, std::ios::binary) << ""; }

// The process from its creation to its exit, its output into NUL, as a
// scheduled task's would go into a file; -1 when it does not start.
struct TRun {
  double ms = -1;
  DWORD code = 0;
};
TRun RunProcess(const std::string& program, const std::string& arguments) {
  TRun run;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
  PROCESS_INFORMATION process{};
  std::string line = "\"" + program + "\" " + arguments;
  run.ms = TimeMs([&] {
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
      process.hProcess = nullptr;
      return;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
  });
  CloseHandle(nul);
  if (!process.hProcess) return {};
  GetExitCodeProcess(process.hProcess, &run.code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

std::string OwnFolder() {
  char self[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder(self, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

// The editor's case and its floor's, taking turns run by run (the editor
// first), each after its untimed preparation; false when a run failed.
struct TCase {
  const char* What;
  std::string Program, Arguments;
  void (*Prepare)();
  DWORD Expected;
};

bool TakeTurns(int runs, const TCase& editor, const TCase& floor, double& editorMs,
               double& floorMs) {
  std::vector<double> ms[2];
  bool ok = true;
  for (int i = 0; i < runs; ++i) {
    int side = 0;
    for (const TCase* c : {&editor, &floor}) {
      if (c->Prepare) c->Prepare();
      const TRun run = RunProcess(c->Program, c->Arguments);
      ok = ok && run.ms >= 0 && run.code == c->Expected;
      ms[side++].push_back(run.ms);
    }
  }
  editorMs = Median(ms[0]);
  floorMs = Median(ms[1]);
  return ok;
}

std::string BackupFolderOf(const TConfiguration& c) { return c.Texts.Directorioraiz + "\\Backup"; }

}  // namespace

void RunCheckBenchmark(int runs) {
  auto loaded = std::make_unique<TConfiguration>();
  CargaRegistro(*loaded);
  // The disk as a station's: the drivers of the ports' types, the servers'
  // programs; the folders the save made are there already.
  for (const char* driver : {"KIS", "TCP"})
    Touch(loaded->Texts.Driversdir + "\\" + driver + ".dll");
  for (int i = 0; i < loaded->ServerCount; ++i)
    Touch(loaded->Texts.Serversdir + "\\" + loaded->ServerTable[i].File);
  std::vector<double> checkMs, loadMs;
  std::size_t findings = 0;
  for (int i = 0; i < runs; ++i) {
    checkMs.push_back(TimeMs([&] { findings = CheckConfiguration(*loaded, TDiskProbe()).size(); }));
    auto fresh = std::make_unique<TConfiguration>();
    loadMs.push_back(TimeMs([&] { CargaRegistro(*fresh, kNodraxKey, TTables::Now); }));
  }
  const double check = Median(checkMs), load = Median(loadMs);
  std::printf("check of the full configuration, disk probed %8.3f ms (%zu findings)\n", check,
              findings);
  std::printf("floor (the load of the same store, tables read) %8.3f ms\n", load);
  std::printf("check/load                                 %8.2f\n", check / load);
}

void RunCommandLineBenchmark(int runs) {
  const std::string editor = OwnFolder() + "Nodraxcfg.exe";
  // reg.exe's "save", which Wine 8's reg.exe lacks (bench/SaveKeyProcess.cpp).
  const std::string reg = OwnFolder() + "regsave_floor.exe";
  const std::string regSave = kFloorFile;
  static std::string backups;
  {
    auto loaded = std::make_unique<TConfiguration>();
    CargaRegistro(*loaded, kNodraxKey, TTables::OnNeed);
    backups = BackupFolderOf(*loaded);
  }
  const auto deleteExport = [] { DeleteFileA(kExportFile); };
  const auto deleteFloor = [] { DeleteFileA(kFloorFile); };
  const auto emptyBackups = [] { DeleteConfigFiles(backups); };
  const TCase exportCase{"/export", editor, std::string("/export ") + kExportFile, deleteExport, 0};
  const TCase regCase{"reg save", reg, regSave, deleteFloor, 0};
  const TCase usageCase{"/?", editor, "/?", nullptr, 0};
  const TCase backupCase{"/backup", editor, "/backup", emptyBackups, 0};
  // The check's code says what it found (0 to 2); each run must find the
  // same as the first.
  const TRun firstCheck = RunProcess(editor, "/check");
  const TCase checkCase{"/check", editor, "/check", nullptr,
                        firstCheck.code <= 2 ? firstCheck.code : 0xFFFFFFFF};
  // Once each untimed: the programs' files come into the cache.
  for (const TCase* c : {&exportCase, &regCase, &backupCase}) {
    if (c->Prepare) c->Prepare();
    RunProcess(c->Program, c->Arguments);
  }
  struct TRow {
    const TCase& Editor;
    const TCase& Floor;
  } rows[] = {{exportCase, regCase}, {backupCase, regCase}, {checkCase, exportCase},
              {usageCase, regCase}};
  for (const TRow& row : rows) {
    double editorMs = 0, floorMs = 0;
    const bool ok = TakeTurns(runs, row.Editor, row.Floor, editorMs, floorMs);
    std::printf("Nodraxcfg %-8s process %8.3f ms; %s %8.3f ms; ratio %5.2f%s\n", row.Editor.What,
                editorMs, row.Floor.Program == editor ? (std::string("Nodraxcfg ") + row.Floor.What).c_str()
                                                      : "a bare RegSaveKeyA process (reg save)",
                floorMs, editorMs / floorMs, ok ? "" : " (A RUN FAILED)");
  }
  emptyBackups();
}
