// The editor's command line, run as a real process: what each command
// prints, where, and with which exit code; that none opens a window; and
// that the commands that replace the stored tree refuse while an editor
// window holds it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/config/Save.h"
#include "support/EditorFixture.h"

namespace {

std::string HostPath(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return "Z:" + path;
}

struct TRun {
  DWORD Code = 99;
  std::string Out, Err;
  bool ShowedWindow = false;
};

// Whether a process has a visible top-level window now.
bool ShowsAWindow(DWORD process) {
  struct TSearch {
    DWORD Process;
    bool Found;
  } search{process, false};
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<TSearch*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == s->Process && IsWindowVisible(hwnd)) s->Found = true;
        return !s->Found;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

std::string ReadAll(HANDLE h) {
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  return text;
}

// Runs the editor with the arguments, its output into pipes or into files,
// and watches its windows until it ends.
TRun RunEditor(const std::string& arguments, bool intoFiles = false) {
  TRun run;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
  const std::string outFile = "C:\\NodraxTest\\out.txt", errFile = "C:\\NodraxTest\\err.txt";
  if (intoFiles) {
    CreateDirectoryA("C:\\NodraxTest", nullptr);
    outWrite = CreateFileA(outFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                           CREATE_ALWAYS, 0, nullptr);
    errWrite = CreateFileA(errFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                           CREATE_ALWAYS, 0, nullptr);
  } else {
    CreatePipe(&outRead, &outWrite, &inherit, 1 << 16);
    CreatePipe(&errRead, &errWrite, &inherit, 1 << 16);
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = outWrite;
  startup.hStdError = errWrite;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  std::string command = "\"" + HostPath(NODRAX_EXE) + "\" " + arguments;
  PROCESS_INFORMATION info{};
  const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &startup, &info);
  CloseHandle(outWrite);
  CloseHandle(errWrite);
  EXPECT_TRUE(started) << command;
  if (started) {
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(info.hProcess, 5) == WAIT_TIMEOUT) {
      if (ShowsAWindow(info.dwProcessId)) run.ShowedWindow = true;
      if (GetTickCount() - start > 60000) {
        TerminateProcess(info.hProcess, 98);
        ADD_FAILURE() << command << " did not end";
      }
    }
    GetExitCodeProcess(info.hProcess, &run.Code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  if (intoFiles) {
    for (auto [file, text] : {std::pair{outFile, &run.Out}, std::pair{errFile, &run.Err}}) {
      HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, 0, nullptr);
      *text = ReadAll(h);
      CloseHandle(h);
      DeleteFileA(file.c_str());
    }
  } else {
    run.Out = ReadAll(outRead);
    run.Err = ReadAll(errRead);
    CloseHandle(outRead);
    CloseHandle(errRead);
  }
  return run;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class CommandLineTest : public EditorFixture {
 protected:
  static std::string StoredCallsign() { return Text(kConfigKey, "BbsCallsign"); }
  static std::vector<std::string> Backups() {
    std::vector<std::string> found;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((std::string(kTestRoot) + "\\Backup\\*.zub").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return found;
    do found.push_back(std::string(kTestRoot) + "\\Backup\\" + data.cFileName);
    while (FindNextFileA(search, &data));
    FindClose(search);
    std::sort(found.begin(), found.end());
    return found;
  }
};

}  // namespace

TEST_F(CommandLineTest, EachCommandPrintsWhatItDidAndEndsWithItsCode) {
  StoreStation("EA4AAA");
  const std::string exported = std::string(kTestFolder) + "\\station.zub";
  // A second station, exported, to import over the first.
  {
    const TRun run = RunEditor("/export " + exported);
    EXPECT_EQ(0u, run.Code) << run.Err;
    EXPECT_TRUE(Contains(run.Out, exported)) << run.Out;
  }
  StoreStation("EA4BBB");

  struct TRow {
    std::string Arguments;
    DWORD Code;
    const char* Out;  // a part of standard output ("" for nothing)
    std::string Err;  // a part of standard error ("" for nothing)
    const char* Stored;  // the callsign stored afterwards
    bool IntoFiles;
  };
  const std::string missing = std::string(kTestFolder) + "\\missing.zub";
  const std::string notAHive = std::string(kTestFolder) + "\\out-of-place.txt";
  {
    HANDLE h = CreateFileA(notAHive.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, "not a hive", 10, &written, nullptr);
    CloseHandle(h);
  }
  const TRow rows[] = {
      {"/?", 0, "Usage: Nodraxcfg", "", "EA4BBB.#MAD.ESP.EU", false},
      {"/?", 0, "Usage: Nodraxcfg", "", "EA4BBB.#MAD.ESP.EU", true},
      {"/BACKUP", 0, "\\Backup\\Nodrax-", "", "EA4BBB.#MAD.ESP.EU", true},
      {"/frobnicate", 1, "", "Unknown switch: /frobnicate", "EA4BBB.#MAD.ESP.EU", false},
      {"/import", 1, "", "/import needs the name of a file", "EA4BBB.#MAD.ESP.EU", false},
      {"/backup now", 1, "", "Too many arguments", "EA4BBB.#MAD.ESP.EU", false},
      {"/import " + missing, 2, "", "Nothing was imported from " + missing, "EA4BBB.#MAD.ESP.EU", false},
      {"/restore \"" + notAHive + "\"", 2, "", "cannot be restored", "EA4BBB.#MAD.ESP.EU", false},
      // The station has no locator and no driver: a warning and an error,
      // a line each, then the count.
      {"/check", 2, "error: Folders\\Drivers: ", "", "EA4BBB.#MAD.ESP.EU", false},
      {"/check", 2, "warning: Config\\Locator: ", "", "EA4BBB.#MAD.ESP.EU", false},
      {"/check \"" + exported + "\"", 2, "1 error, 2 warnings.", "", "EA4BBB.#MAD.ESP.EU", false},
      {"/check " + missing, 4, "", "cannot be read", "EA4BBB.#MAD.ESP.EU", false},
      {"/import \"" + exported + "\"", 0, "Imported", "", "EA4AAA.#MAD.ESP.EU", false},
  };
  for (const TRow& row : rows) {
    const size_t backupsBefore = Backups().size();
    const TRun run = RunEditor(row.Arguments, row.IntoFiles);
    const std::string what = row.Arguments + (row.IntoFiles ? " (into files)" : " (into pipes)");
    EXPECT_EQ(row.Code, run.Code) << what << "\n" << run.Out << run.Err;
    EXPECT_FALSE(run.ShowedWindow) << what << " showed a window";
    EXPECT_TRUE(Contains(run.Out, row.Out)) << what << ": " << run.Out;
    EXPECT_TRUE(Contains(run.Err, row.Err)) << what << ": " << run.Err;
    // What a command did goes to standard output, what stopped it to error;
    // a check's findings are what it did.
    const bool check = Contains(row.Arguments, "/check") && row.Code != 4;
    EXPECT_EQ("", row.Code == 0 || check ? run.Err : run.Out) << what;
    EXPECT_EQ(row.Stored, StoredCallsign()) << what;
    // Only a backup and an import take backups; a refusal takes none.
    const bool backsUp = row.Code == 0 && (Contains(row.Arguments, "/BACKUP") ||
                                           Contains(row.Arguments, "/import"));
    EXPECT_EQ(backupsBefore + (backsUp ? 1 : 0), Backups().size()) << what;
  }

  // The restore puts the backup the import took back whole.
  const std::vector<std::string> backups = Backups();
  ASSERT_FALSE(backups.empty());
  const TRun restore = RunEditor("/restore \"" + backups.back() + "\"");
  EXPECT_EQ(0u, restore.Code) << restore.Err;
  EXPECT_TRUE(Contains(restore.Out, "Restored " + backups.back())) << restore.Out;
  EXPECT_TRUE(Contains(restore.Out, "Backup: ")) << restore.Out;
  EXPECT_FALSE(restore.ShowedWindow);
  EXPECT_EQ("EA4BBB.#MAD.ESP.EU", StoredCallsign());
}

TEST_F(CommandLineTest, ImportAndRestoreRefuseWhileAnEditorOrAnInterruptionHoldsTheStore) {
  StoreStation("EA4AAA");
  const std::string exported = std::string(kTestFolder) + "\\station.zub";
  ASSERT_EQ(0u, RunEditor("/export " + exported).Code);
  StoreStation("EA4BBB");

  // A note left by a replace that was cut short: only the window may decide.
  WriteString("Software\\Nodraxcfg\\Replacing", "Command", "Import Config");
  TRun run = RunEditor("/import " + exported);
  EXPECT_EQ(6u, run.Code) << run.Out << run.Err;
  EXPECT_TRUE(Contains(run.Err, "was interrupted")) << run.Err;
  EXPECT_EQ("EA4BBB.#MAD.ESP.EU", StoredCallsign());
  RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "Software\\Nodraxcfg\\Replacing", KEY_WOW64_32KEY, 0);

  // An editor window.
  std::string command = "\"" + HostPath(NODRAX_EXE) + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION editor{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &editor));
  bool shown = false;
  for (DWORD start = GetTickCount(); !shown && GetTickCount() - start < 30000;) {
    shown = ShowsAWindow(editor.dwProcessId);
    if (!shown) Sleep(50);
  }
  EXPECT_TRUE(shown) << "the editor opened no window";
  for (const char* refused : {"/import ", "/restore "}) {
    run = RunEditor(refused + exported);
    EXPECT_EQ(5u, run.Code) << refused << run.Out << run.Err;
    EXPECT_TRUE(Contains(run.Err, "open in Nodraxcfg")) << run.Err;
  }
  EXPECT_EQ("EA4BBB.#MAD.ESP.EU", StoredCallsign()) << "nothing was replaced";
  // Reading the store is no harm to the window.
  EXPECT_EQ(0u, RunEditor("/backup").Code);
  EXPECT_EQ(0u, RunEditor("/export " + std::string(kTestFolder) + "\\again.zub").Code);
  TerminateProcess(editor.hProcess, 0);
  WaitForSingleObject(editor.hProcess, 10000);
  CloseHandle(editor.hThread);
  CloseHandle(editor.hProcess);

  // With the window gone, the same import runs.
  EXPECT_EQ(0u, RunEditor("/import " + exported).Code);
  EXPECT_EQ("EA4AAA.#MAD.ESP.EU", StoredCallsign());
}
