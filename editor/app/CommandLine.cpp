#include "editor/app/CommandLine.h"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "editor/app/FirstRun.h"
#include "editor/config/Check.h"
#include "editor/config/DiskProbe.h"
#include "editor/config/Document.h"
#include "editor/config/Host.h"
#include "editor/config/Load.h"
#include "editor/config/RegistryKeys.h"
#include "editor/transfer/Commands.h"
#include "editor/transfer/MountPoint.h"
#include "editor/transfer/ReplaceJournal.h"
#include "platform/Registry.h"

namespace {

// Where the command's lines go: the handles the program was given (a
// redirection, a pipe, or the shell's own under Wine), else the console of
// the process that started it. A program of the windows subsystem gets no
// console of its own, and none is made: a scheduled run must not flash one.
class TOutput {
 public:
  TOutput() {
    out_ = GetStdHandle(STD_OUTPUT_HANDLE);
    err_ = GetStdHandle(STD_ERROR_HANDLE);
    if (Usable(out_) && Usable(err_)) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    if (!Usable(out_))
      out_ = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
    if (!Usable(err_)) err_ = out_;
  }
  void Out(const std::string& text) { Write(out_, text); }
  void Err(const std::string& text) { Write(err_, text); }

 private:
  static bool Usable(HANDLE h) { return h && h != INVALID_HANDLE_VALUE; }
  static void Write(HANDLE h, std::string text) {
    if (!Usable(h)) return;
    // Lines end as Windows programs end them, for the files they go into.
    std::string lines;
    for (char c : text) {
      if (c == '\n') lines += '\r';
      lines += c;
    }
    DWORD written = 0;
    WriteFile(h, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
  }
  HANDLE out_ = nullptr, err_ = nullptr;
};

// The command line's host: the commands tell only of what stops them, so
// every message goes to standard error; every question gets its default
// button, which for the editor's questions is the answer that changes
// nothing. What a command did is printed from its result.
class TCommandLineHost : public IHost {
 public:
  explicit TCommandLineHost(TOutput& output) : output_(output) {}
  int Message(const std::string& text, const std::string&, UINT flags) override {
    const int answer = DefaultButton(flags);
    std::string line = text;
    if ((flags & MB_TYPEMASK) != MB_OK)
      line += answer == IDYES ? " Yes." : answer == IDNO ? " No." : " Cancelled.";
    output_.Err(line + "\n");
    return answer;
  }
  void ShowField(const std::string&, const std::string&) override {}
  void ShowConfiguration() override {}
  void ShowTexts() override {}
  void SetStatus(const std::string&) override {}
  SYSTEMTIME LocalTime() override {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
  }

 private:
  TOutput& output_;
};

// The editor's mutexes, held until the process ends, for the commands that
// replace the stored tree: no window may open on it meanwhile, and none may
// be open. False when an editor holds either.
bool HoldEditorMutexes() {
  for (const char* name : {"PRIMERA_INSTANCIA_NODRAX_CFG", "Global\\PRIMERA_INSTANCIA_NODRAX_CFG"}) {
    HANDLE mutex = CreateMutexA(nullptr, TRUE, name);
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS) return false;
    // A global name a user without administrator rights may not create:
    // the editor that runs then holds the local one, checked above.
    if (!mutex && error == ERROR_ACCESS_DENIED) {
      HANDLE other = OpenMutexA(SYNCHRONIZE, FALSE, name);
      if (other) {
        CloseHandle(other);
        return false;
      }
    }
  }
  return true;
}

// The document as the window would start with it, without the carry-over
// of an older folder key (which saves) or the defaults' marks: what the
// import keeps of it is what the window would have kept.
void LoadAsTheWindowStarts(TDocument& document, IHost& host) {
  if (TRegistry().KeyExists(kConfigKey))
    document.Reload(host, TDocument::TOlderFolders::Keep);
  else
    Primeravez(document.Config());
}

int ExitCodeOf(const TCommandResult& result) {
  switch (result.Outcome) {
    case TCommandOutcome::Done: return kExitDone;
    case TCommandOutcome::Cancelled: return kExitRefused;
    case TCommandOutcome::Refused: return kExitRefused;
    case TCommandOutcome::NoBackup: return kExitNoBackup;
    case TCommandOutcome::Failed: return kExitFailed;
  }
  return kExitFailed;
}

// The stored configuration, or a configuration file, read as the BBS reads
// it and checked: a line for each finding, then the count. A file is read
// at a key of its own, so that a check never takes the key an editor's
// import or restore mounts its file at.
int Check(const std::string& file, TOutput& output) {
  static const char kCheckKey[] = "\\NodraxCheck";
  TDocument document;
  std::string root = kNodraxKey;
  std::unique_ptr<TMountedFile> mounted;
  if (!file.empty()) {
    FreeMountPoint(kCheckKey);
    const LONG rc = TRegistry().LoadKey(kCheckKey, file);
    if (rc != ERROR_SUCCESS) {
      output.Err(file + " cannot be read: " + SystemErrorMessage(rc) + "\n");
      return kExitFailed;
    }
    mounted = std::make_unique<TMountedFile>(kCheckKey);
    root = kCheckKey;
  }
  if (!TRegistry().KeyExists(KeyBelow(root, kConfigKey))) {
    output.Err((file.empty() ? std::string("No configuration is stored") : file + " holds no configuration") +
               ": there is nothing to check.\n");
    return kExitFailed;
  }
  CargaRegistro(document.Config(), root, TTables::Now);
  const std::vector<TFinding> findings = CheckConfiguration(document.Config(), TDiskProbe());
  std::string lines;
  for (const TFinding& finding : findings) lines += FindingLine(finding) + "\n";
  output.Out(lines + FindingsSummary(findings) + "\n");
  return CheckExitCode(findings);
}

int Run(const TSwitches& switches, TOutput& output) {
  TCommandLineHost host(output);
  TDocument document;
  switch (switches.Command) {
    case TSwitch::Window:
    case TSwitch::Help:
      output.Out(kUsage);
      return kExitDone;
    case TSwitch::Wrong:
      output.Err(switches.Error + "\n" + kUsage);
      return kExitUsage;
    case TSwitch::Check:
      return Check(switches.File, output);
    case TSwitch::Export: {
      const TCommandResult result = ExportConfigFile(switches.File);
      if (!result.Done()) {
        output.Err("The configuration was not exported to " + switches.File + ": " +
                   SystemErrorMessage(result.Code) + "\n");
        return kExitFailed;
      }
      output.Out("Exported the stored configuration to " + switches.File + "\n");
      return kExitDone;
    }
    case TSwitch::Backup: {
      const TCommandResult result = BackUpConfiguration(document, host);
      if (!result.Done()) return ExitCodeOf(result);
      if (result.File.empty())
        output.Out("Nothing is stored: no backup was written.\n");
      else
        output.Out(result.File + "\n");
      return kExitDone;
    }
    case TSwitch::Import:
    case TSwitch::Restore: {
      if (!HoldEditorMutexes()) {
        output.Err("The Nodrax configuration is open in Nodraxcfg, which holds it: nothing was " +
                   std::string(switches.Command == TSwitch::Import ? "imported" : "restored") +
                   ". Close the editor and try again.\n");
        return kExitEditorOpen;
      }
      if (const std::optional<TReplaceNote> note = InterruptedReplace()) {
        output.Err("\"" + note->Command +
                   "\" was interrupted before it had finished, and the stored configuration may "
                   "be incomplete. Start Nodraxcfg, which offers the backup taken before it, "
                   "then try again.\n");
        return kExitInterrupted;
      }
      LoadAsTheWindowStarts(document, host);
      const bool import = switches.Command == TSwitch::Import;
      const TCommandResult result = import ? ImportConfigFile(document, host, switches.File)
                                           : RestoreBackup(document, host, switches.File);
      if (!result.Backup.empty()) output.Out("Backup: " + result.Backup + "\n");
      // The window's boxes name the command in their caption; a line on
      // its own ("File not found.") needs the file and what became of the
      // store beside it.
      if (import && (result.Outcome == TCommandOutcome::Refused ||
                     result.Outcome == TCommandOutcome::NoBackup))
        output.Err("Nothing was imported from " + switches.File +
                   ": the stored configuration was not changed.\n");
      if (!result.Done()) return ExitCodeOf(result);
      output.Out((import ? "Imported " : "Restored ") + switches.File + "\n");
      return kExitDone;
    }
  }
  return kExitUsage;
}

}  // namespace

int RunCommandLine(const TSwitches& switches) {
  TOutput output;
  try {
    return Run(switches, output);
  } catch (const std::exception& error) {
    // A value of a type the load cannot take, and the like.
    output.Err(std::string(error.what()) + "\n");
    return kExitFailed;
  }
}
