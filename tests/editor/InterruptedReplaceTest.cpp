// The real editor killed in the middle of each command that replaces the
// stored tree, at points timed from its own progress: it runs under this
// test as its debugger and reports every registry change and step of the
// command; the kill lands while the editor is stopped at the chosen one.
// The next start must find a store the BBS can run from (the tree before
// the command or after it), or ask to put back the backup taken before it,
// which then gives the tree before it back byte for byte.
//
// NODRAX_CRASH_POINTS sets how many kill points each command gets (8 by
// default, spread from before the backup to after the result).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "editor/app/MainWindow.h"
#include "platform/Registry.h"
#include "support/RegistryTree.h"

namespace {

namespace fs = std::filesystem;

const char kFiles[] = "C:\\NodraxCrash";
const char kImportFile[] = "C:\\NodraxCrash\\other.zub";
const char kRestoreFile[] = "C:\\NodraxCrash\\restore.zub";

std::string HostPath(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return "Z:" + path;
}

std::string TextOf(HWND hwnd, int item) {
  char text[2048] = "";
  DWORD_PTR ignored = 0;
  HWND control = item ? GetDlgItem(hwnd, item) : hwnd;
  if (control)
    SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, &ignored);
  return text;
}

// A sysop at the editor's dialogs, on a thread of its own: the debugger's
// thread must stay free to let the editor run. Each rule answers the
// dialogs of one caption whose text holds `holds`: a file dialog with a
// path, a message box with a button.
struct TRule {
  std::string caption, holds;
  int button = 0;
  std::string file;
};

class TSysop {
 public:
  TSysop(DWORD process, std::vector<TRule> rules)
      : process_(process), rules_(std::move(rules)), thread_([this] { Run(); }) {}
  ~TSysop() {
    stop_ = true;
    thread_.join();
  }
  TSysop(const TSysop&) = delete;
  TSysop& operator=(const TSysop&) = delete;
  // Every dialog answered, as "caption: text".
  std::vector<std::string> Seen() {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
  }
  bool Saw(const std::string& text) {
    for (const std::string& seen : Seen())
      if (seen.find(text) != std::string::npos) return true;
    return false;
  }

 private:
  void Run() {
    while (!stop_) {
      EnumWindows(&TSysop::Visit, reinterpret_cast<LPARAM>(this));
      Sleep(15);
    }
  }
  static BOOL CALLBACK Visit(HWND hwnd, LPARAM self) {
    auto* me = reinterpret_cast<TSysop*>(self);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    char cls[32] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    if (process != me->process_ || std::string(cls) != "#32770" || !IsWindowVisible(hwnd) ||
        hwnd == me->answered_)
      return TRUE;
    const std::string caption = TextOf(hwnd, 0), text = TextOf(hwnd, 0xFFFF);
    for (const TRule& rule : me->rules_) {
      if (rule.caption != caption || text.find(rule.holds) == std::string::npos) continue;
      if (!rule.file.empty()) {
        // The file name box of the open dialog (a combo box, or an edit).
        HWND name = GetDlgItem(hwnd, 0x47c);
        if (!name) name = GetDlgItem(hwnd, 0x480);
        if (!name) return TRUE;  // not laid out yet
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(rule.file.c_str()),
                            SMTO_ABORTIFHUNG, 2000, &ignored);
      }
      PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(rule.file.empty() ? rule.button : IDOK, BN_CLICKED), 0);
      me->answered_ = hwnd;
      std::lock_guard<std::mutex> lock(me->mutex_);
      me->seen_.push_back(caption + ": " + text);
      return FALSE;
    }
    return TRUE;
  }

  const DWORD process_;
  const std::vector<TRule> rules_;
  std::atomic<bool> stop_{false};
  HWND answered_ = nullptr;
  std::mutex mutex_;
  std::vector<std::string> seen_;
  std::thread thread_;
};

// The editor's main window once it is shown and takes input (no modal box
// over it).
HWND ReadyForm(DWORD process) {
  HWND hwnd = nullptr;
  while ((hwnd = FindWindowExA(nullptr, hwnd, "TForm1", nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == process && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) return hwnd;
  }
  return nullptr;
}

// The command id of a menu item in a new editor process: Wine keeps menus
// per process, so the editor's own cannot be read from here. The ids are
// given in the order the items are made, from the first, in every process:
// a window made here gives each item's place.
UINT MenuCommand(const char* itemName) {
  TDocument document;
  TForm1 form(document);
  UINT first = UINT_MAX;
  std::function<void(const TMenuItem&)> lowest = [&](const TMenuItem& item) {
    if (item.Command()) first = std::min(first, item.Command());
    for (const auto& child : item.Items()) lowest(*child);
  };
  TMenuItem* item = form.FindMenuItem(itemName);
  for (const char* top : {"Menufile", "About1"})
    if (TMenuItem* menu = form.FindMenuItem(top)) lowest(*menu);
  return item ? 40000 + (item->Command() - first) : 0;
}

// The editor started as this thread's debuggee.
class TDebuggedEditor {
 public:
  TDebuggedEditor() {
    std::string command = "\"" + HostPath(NODRAX_EXE) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE,
                              DEBUG_ONLY_THIS_PROCESS, nullptr, nullptr, &startup, &info_);
  }
  ~TDebuggedEditor() {
    if (!started_) return;
    if (!exited_) {
      TerminateProcess(info_.hProcess, 9);
      Pump([] { return false; }, 10000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  bool Started() const { return started_; }
  DWORD Id() const { return info_.dwProcessId; }
  bool Exited() const { return exited_; }
  // Every progress line since the mark was seen (the mark's included).
  const std::vector<std::string>& Steps() const { return steps_; }
  // Every line of the editor's debug output, counted.
  int Lines() const { return lines_; }

  // Counts steps from the line holding `mark` on, and kills the editor
  // while it is stopped at step number `at` (0: the mark itself).
  void KillAt(const std::string& mark, std::size_t at) {
    mark_ = mark;
    killAt_ = at;
  }
  void Kill() {
    TerminateProcess(info_.hProcess, 9);
    killed_ = true;
  }
  bool Killed() const { return killed_; }

  // Lets the editor run, handling its debug events, until done() holds,
  // the editor has ended or timeoutMs have passed. Returns done().
  bool Pump(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!exited_ && !done() && GetTickCount() - start < timeoutMs) {
      DEBUG_EVENT event{};
      if (!WaitForDebugEvent(&event, 10)) continue;
      DWORD status = DBG_CONTINUE;
      switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
          if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
          break;
        case LOAD_DLL_DEBUG_EVENT:
          if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
          break;
        case EXCEPTION_DEBUG_EVENT:
          if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
            status = DBG_EXCEPTION_NOT_HANDLED;
          break;
        case OUTPUT_DEBUG_STRING_EVENT:
          Note(event.u.DebugString);
          break;
        case EXIT_PROCESS_DEBUG_EVENT:
          exited_ = true;
          break;
        default:
          break;
      }
      ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    }
    return done();
  }

 private:
  void Note(const OUTPUT_DEBUG_STRING_INFO& info) {
    std::string line(info.nDebugStringLength, '\0');
    SIZE_T read = 0;
    if (info.fUnicode || !ReadProcessMemory(info_.hProcess, info.lpDebugStringData, line.data(),
                                            line.size(), &read))
      return;
    line.resize(strnlen(line.c_str(), read));
    ++lines_;
    if (line.rfind("Nodraxcfg ", 0) != 0) return;
    if (steps_.empty() && (mark_.empty() || line.find(mark_) == std::string::npos)) return;
    steps_.push_back(line);
    if (!killed_ && !mark_.empty() && steps_.size() == killAt_ + 1) Kill();
  }

  PROCESS_INFORMATION info_{};
  bool started_ = false, exited_ = false, killed_ = false;
  std::string mark_;
  std::size_t killAt_ = 0;
  std::vector<std::string> steps_;
  int lines_ = 0;
};

struct TCommand {
  const char* name;      // the progress mark
  const char* item;      // the menu item
  std::vector<TRule> rules;
  // The dialog that says the command is over, if it shows one.
  const char* endCaption;
};

class InterruptedReplaceTest : public RegistryTreeFixture,
                               public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    RegistryTreeFixture::SetUp();
    fs::remove_all(kFiles);
    fs::create_directories(kFiles);
    // The file each command takes: another station, with keys and value
    // types no page shows.
    StoreStation("EB1XX", "C:\\NodraxTest\\Other");
    WriteDword("Software\\Nodrax\\Options", "Gateway", 7);
    WriteRaw("Software\\Nodrax\\Foreign\\Deep", "Blob", REG_BINARY, std::string("\x01\x00\xFF", 3));
    WriteRaw("Software\\Nodrax\\Config", "Lines", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
    ASSERT_EQ(ERROR_SUCCESS, TRegistry().SaveKey("\\Software\\Nodrax", kImportFile));
    fs::copy_file(kImportFile, kRestoreFile);
    RemoveNodraxTree();
  }
  void TearDown() override {
    TRegistry().UnLoadKey("\\Nodrax");
    fs::remove_all(kFiles);
    RegistryTreeFixture::TearDown();
  }

  // A station as the editor saves it: identity, root, two ports, servers.
  static void StoreStation(const std::string& callsign, const std::string& root) {
    WriteStrings(kConfigKey, {{"BbsCallsign", callsign + ".#CE.ESP.EURO"}, {"Hroute", "OK"}});
    WriteStrings(kFoldersKey, {{"ZubRoot", root}});
    for (const char* port : {"Port0", "Port1", "Port2"})
      WriteStrings(Key(kPortsKey, port), {{"Driver", "AGW"}, {"Name", port}});
    for (const char* server : {"WP", "FWD", "MAIL"})
      WriteStrings(Key(kServersKey, server), {{"File", std::string(server) + ".EXE"}});
  }
  // The station the sysop has before the command, with values of the BBS
  // that no page shows.
  static void StoreBefore() {
    RemoveNodraxTree();
    StoreStation("EA9ZZB", kTestRoot);
    WriteDword("Software\\Nodrax\\HouseKeeping", "Hour", 3);
    WriteRaw("Software\\Nodrax\\Mine", "Bytes", REG_BINARY, std::string("\0\1\2", 3));
  }
  // The tree as the BBS would find it; the editor's own window state, which
  // every close writes, left out.
  static TStoredTree Store() {
    return WithoutWindowState(Dump());
  }
  static TStoredTree WithoutWindowState(TStoredTree tree) {
    tree.erase("Windows\\Nodraxcfg");
    tree.erase("Windows");
    // The root that only the window state kept.
    if (tree.size() == 1 && tree.count("") && tree[""].empty()) tree.clear();
    return tree;
  }

  static TCommand CommandOf(int which) {
    const TRule importOk{"Import Config File", "", IDOK, ""};
    switch (which) {
      case 0:
        return {"step: Import Config", "ImportConfig1",
                {{"Opening Nodrax config file", "", 0, kImportFile}, importOk},
                "Import Config File"};
      case 1:
        return {"step: Delete Config", "DeleteConfig1", {}, nullptr};
      default:
        return {"step: Restore Backup", "RestoreBackup1",
                {{"Restoring Nodrax backup", "", 0, kRestoreFile},
                 {"Nodraxcfg", "back in place of the one stored now", IDYES, ""}},
                nullptr};
    }
  }

  // Runs the command in an editor under this test, killed at step `at`
  // (none: run to the end, then closed). The steps the command reported.
  std::vector<std::string> RunCommand(const TCommand& command, std::size_t at, bool kill) {
    TDebuggedEditor editor;
    EXPECT_TRUE(editor.Started()) << GetLastError();
    if (!editor.Started()) return {};
    const UINT menu = MenuCommand(command.item);
    std::vector<TRule> rules = command.rules;
    rules.push_back({"Nodraxcfg", "Save Configuration?", IDNO, ""});
    TSysop sysop(editor.Id(), rules);
    HWND form = nullptr;
    EXPECT_TRUE(editor.Pump([&] { return (form = ReadyForm(editor.Id())) != nullptr; }, 60000));
    if (!form) return {};
    if (kill) editor.KillAt(command.name, at);
    else editor.KillAt(command.name, SIZE_MAX);
    PostMessageA(form, WM_COMMAND, menu, 0);
    // The command is over once its last box is answered, or once the
    // window takes input again after it began.
    auto over = [&] {
      if (editor.Steps().empty()) return false;
      if (command.endCaption) return sysop.Saw(command.endCaption);
      const auto& steps = editor.Steps();
      return ReadyForm(editor.Id()) != nullptr &&
             std::any_of(steps.begin(), steps.end(), [](const std::string& step) {
               return step.find("journal cleared") != std::string::npos;
             });
    };
    EXPECT_TRUE(editor.Pump(over, 60000) || editor.Killed())
        << "the command did not end; debug lines " << editor.Lines() << ", menu "
        << menu << ", dialogs " << ::testing::PrintToString(sysop.Seen());
    if (kill && !editor.Killed()) editor.Kill();  // after the result
    if (!kill) PostMessageA(form, WM_CLOSE, 0, 0);
    editor.Pump([] { return false; }, 30000);
    EXPECT_TRUE(editor.Exited());
    return editor.Steps();
  }

  // Starts the editor as the sysop would after the kill, answers its
  // question about the interrupted command, and closes it. Whether it asked.
  bool StartAgain(int answer) {
    std::string command = "\"" + HostPath(NODRAX_EXE) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    EXPECT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &info));
    bool asked = false;
    {
      TSysop sysop(info.dwProcessId, {{"Nodraxcfg", "was interrupted", answer, ""},
                                      {"Nodraxcfg", "Save Configuration?", IDNO, ""}});
      HWND form = nullptr;
      for (int i = 0; i < 3000 && !(form = ReadyForm(info.dwProcessId)); ++i) Sleep(20);
      EXPECT_NE(form, nullptr) << "the editor did not start";
      if (form) PostMessageA(form, WM_CLOSE, 0, 0);
      EXPECT_EQ(WaitForSingleObject(info.hProcess, 30000), WAIT_OBJECT_0);
      asked = sysop.Saw("was interrupted");
    }
    TerminateProcess(info.hProcess, 9);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return asked;
  }
};

int Points() {
  const char* wanted = std::getenv("NODRAX_CRASH_POINTS");
  const int points = wanted ? std::atoi(wanted) : 8;
  return std::max(points, 2);
}

}  // namespace

// Each kill point leaves a store that is the tree before the command or the
// one after it, or the next start asks and puts the tree before it back.
TEST_P(InterruptedReplaceTest, AKillAtAnyStepLeavesTheOldTreeTheNewOneOrTheQuestion) {
  const TCommand command = CommandOf(GetParam());
  StoreBefore();
  const TStoredTree before = Store();
  const std::vector<std::string> steps = RunCommand(command, 0, false);
  ASSERT_GT(steps.size(), 4u) << "the editor reported no progress";
  const TStoredTree after = Store();
  ASSERT_NE(after, before);
  EXPECT_FALSE(KeyExists("Software\\Nodraxcfg"));
  if (GetParam() == 2) {
    // A restore gives the file's tree back whole, values of every type.
    ASSERT_EQ(ERROR_SUCCESS, TRegistry().LoadKey("\\Nodrax", kRestoreFile));
    const TStoredTree file = Dump("Nodrax");
    TRegistry().UnLoadKey("\\Nodrax");
    EXPECT_EQ(after, WithoutWindowState(file));
  }

  const int points = Points();
  int asked = 0;
  bool saidNo = false;
  for (int i = 0; i < points; ++i) {
    // From the mark, before the backup, to the last step and past it.
    const std::size_t at = i * steps.size() / (points - 1);
    SCOPED_TRACE("killed at step " + std::to_string(at) + " of " + std::to_string(steps.size()) +
                 (at < steps.size() ? " (" + steps[at] + ")" : " (after the result)"));
    StoreBefore();
    RemoveTestFolder();
    RunCommand(command, at, true);
    const TStoredTree found = Store();
    const bool whole = found == before || found == after;
    // Once, killed in the middle of the delete, the sysop answers No: the
    // store stays as the kill left it, and no later start asks again.
    const bool inDelete = at < steps.size() && steps[at].find(" deleted:") != std::string::npos;
    const int answer = inDelete && !saidNo ? IDNO : IDYES;
    saidNo = saidNo || answer == IDNO;
    const bool question = StartAgain(answer);
    asked += question;
    if (!question) {
      EXPECT_TRUE(whole) << "no question, and the store is neither the old tree nor the new";
    } else if (answer == IDYES) {
      EXPECT_EQ(Store(), before) << "the backup did not bring the old tree back";
    } else {
      EXPECT_EQ(Store(), found);
      EXPECT_FALSE(StartAgain(IDYES)) << "asked again after No";
    }
    EXPECT_FALSE(KeyExists("Software\\Nodraxcfg"));
    EXPECT_FALSE(TRegistry().KeyExists("\\Nodrax")) << "a mount was left";
  }
  // Points between the note and its clearing are asked about.
  EXPECT_GT(asked, 0);
}

INSTANTIATE_TEST_SUITE_P(Commands, InterruptedReplaceTest, ::testing::Values(0, 1, 2),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(info.param == 0   ? "ImportConfig"
                                              : info.param == 1 ? "DeleteConfig"
                                                                : "RestoreBackup");
                         });
