// The Control Panel applet as the Control Panel uses it: the library loaded
// with LoadLibrary, CPlApplet called with every message, its resources read,
// and the editor started from ZubRoot. A recorder program copied into the
// prefix under the editor's name stands in for the editor: each start adds
// "<show mode> <command line>" to launched.txt beside it.
#include <windows.h>
#include <aclapi.h>
#include <cpl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

const char kFoldersKey[] = "Software\\Nodrax\\Folders";
const std::string kTestRoot = "C:\\nodrax applet test";

// A host path of the build as Wine sees it (the host root is Z:).
std::string HostPath(const char* path) {
  std::string windows = std::string("Z:") + path;
  std::replace(windows.begin(), windows.end(), '/', '\\');
  return windows;
}

struct TLaunch {
  int show;
  std::string commandLine;
};

std::vector<TLaunch> Launches(const std::string& folder) {
  std::ifstream file(folder + "\\launched.txt");
  std::vector<TLaunch> launches;
  for (std::string line; std::getline(file, line);) {
    std::istringstream fields(line);
    TLaunch launch{};
    fields >> launch.show >> std::ws;
    std::getline(fields, launch.commandLine, '\r');
    launches.push_back(launch);
  }
  return launches;
}

// Every process this test program starts, the applet's starts of the
// editor among them, is created inside one job, so that a start is on
// record the moment its creation returns, however slowly the program then
// runs. One job for the process: it cannot leave it again.
class TStarts {
 public:
  TStarts() {
    GetDesktopWindow();  // a desktop process started for this one is none of ours
    job_ = CreateJobObjectA(nullptr, nullptr);
    joined_ = job_ && AssignProcessToJobObject(job_, GetCurrentProcess());
  }
  ~TStarts() {
    if (job_) CloseHandle(job_);
  }
  TStarts(const TStarts&) = delete;
  TStarts& operator=(const TStarts&) = delete;
  static TStarts& OfThisProcess() {
    static TStarts starts;
    return starts;
  }
  bool Joined() const { return joined_; }
  // The processes created so far, this one not counted.
  DWORD Count() const { return Accounting().TotalProcesses - 1; }
  // Waits until every process started so far has ended, so that all it
  // wrote is there; false when one still runs after 15 s.
  bool WaitUntilEnded() const {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 15000; Sleep(20))
      if (Accounting().ActiveProcesses <= 1) return true;
    return false;
  }

 private:
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION Accounting() const {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
    QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &info, sizeof info,
                              nullptr);
    return info;
  }
  HANDLE job_ = nullptr;
  bool joined_ = false;
};

class AppletTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(starts_.Joined()) << "no record of the processes started: " << GetLastError();
    Clean();
    module_ = LoadLibraryA(HostPath(NODRAX_APPLET).c_str());
    ASSERT_NE(nullptr, module_) << NODRAX_APPLET << ": " << GetLastError();
    // Through void*: FARPROC has no parameters, and GCC warns on the direct cast.
    applet_ = reinterpret_cast<APPLET_PROC>(
        reinterpret_cast<void*>(GetProcAddress(module_, "CPlApplet")));
    ASSERT_NE(nullptr, applet_) << "CPlApplet is not exported";
    GetCurrentDirectoryA(MAX_PATH, previousDirectory_);
  }
  void TearDown() override {
    SetCurrentDirectoryA(previousDirectory_);
    if (module_) FreeLibrary(module_);
    Clean();
  }
  static void Clean() {
    for (const char* file : {"C:\\Nodraxcfg.exe", "C:\\nodrax.exe", "C:\\launched.txt"})
      DeleteFileA(file);
    std::string folders = kTestRoot + '\0';  // a list of one, ending in two NULs
    SHFILEOPSTRUCTA remove{};
    remove.wFunc = FO_DELETE;
    remove.pFrom = folders.c_str();
    remove.fFlags = FOF_NO_UI;
    SHFileOperationA(&remove);
    HKEY software = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                      &software) == ERROR_SUCCESS) {
      RegDeleteTreeA(software, "Nodrax");
      RegCloseKey(software);
    }
  }

  // ZubRoot in the 32-bit view, where the editor writes it; raw bytes, so
  // that a test can store a string without its terminator.
  static void SetRoot(const std::string& bytes, DWORD type = REG_SZ) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kFoldersKey, 0, nullptr, 0,
                                             KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key,
                                             nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "ZubRoot", 0, type,
                                            reinterpret_cast<const BYTE*>(bytes.data()),
                                            static_cast<DWORD>(bytes.size())));
    RegCloseKey(key);
  }

  // Puts the recorder into folder under the given name.
  static void PlaceEditor(const std::string& folder, const char* name = "Nodraxcfg.exe") {
    SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    const std::string target = folder + "\\" + name;
    ASSERT_TRUE(CopyFileA(HostPath(NODRAX_RECORDER).c_str(), target.c_str(), FALSE)) << target;
  }

  LONG Send(UINT message, LPARAM lParam2 = 0) {
    return applet_(GetDesktopWindow(), message, 0, lParam2);
  }

  // What the started programs recorded in folder, once every process
  // started so far has ended: a second start is there as well as the first.
  std::vector<TLaunch> WaitForLaunches(const std::string& folder) {
    EXPECT_TRUE(starts_.WaitUntilEnded()) << "a started program did not end";
    return Launches(folder);
  }

  // The applet starts nothing while `run` runs; then, as proof that a start
  // would be seen, one double click with a root that holds the editor does
  // start it, and it is on record.
  void ExpectNothingStarted(const std::function<void()>& run) {
    const DWORD before = starts_.Count();
    run();
    EXPECT_EQ(before, starts_.Count()) << "a program was started";
    const std::string witness = kTestRoot + "\\witness";
    PlaceEditor(witness);
    SetRoot(witness + '\0');
    EXPECT_EQ(0, Send(CPL_DBLCLK));
    EXPECT_EQ(before + 1, starts_.Count()) << "the start of the editor left no record";
    EXPECT_EQ(1u, WaitForLaunches(witness).size()) << "the editor did not record its start";
  }

  TStarts& starts_ = TStarts::OfThisProcess();

  HMODULE module_ = nullptr;
  APPLET_PROC applet_ = nullptr;
  char previousDirectory_[MAX_PATH] = "";
};

TEST_F(AppletTest, AnswersEveryMessageAndKeepsNoState) {
  std::vector<std::pair<UINT, LONG>> rows = {
      {CPL_INIT, 1}, {CPL_GETCOUNT, 1},     {CPL_SELECT, 0}, {CPL_STOP, 0},   {CPL_EXIT, 0},
      {0, 0},        {CPL_STARTWPARMSA, 0}, {CPL_SETUP, 0},  {0x7FFF, 0}};
  // Twice, the second time in the other order: no answer depends on what
  // came before.
  for (int round = 0; round < 2; ++round, std::reverse(rows.begin(), rows.end())) {
    for (const auto& [message, answer] : rows) EXPECT_EQ(answer, Send(message)) << message;
    CPLINFO info;
    std::memset(&info, 0xA5, sizeof info);
    EXPECT_EQ(0, Send(CPL_INQUIRE, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(1, info.idIcon);
    EXPECT_EQ(1, info.idName);
    EXPECT_EQ(2, info.idInfo);
    EXPECT_EQ(9, info.lData);
    // CPL_NEWINQUIRE goes unanswered: the Control Panel then asks
    // CPL_INQUIRE and loads the resources itself.
    NEWCPLINFOA fresh, untouched;
    std::memset(&fresh, 0x5A, sizeof fresh);
    untouched = fresh;
    EXPECT_EQ(0, Send(CPL_NEWINQUIRE, reinterpret_cast<LPARAM>(&fresh)));
    EXPECT_EQ(0, std::memcmp(&untouched, &fresh, sizeof fresh));
  }
}

TEST_F(AppletTest, CarriesItsIconStringsAndVersion) {
  char text[128] = "";
  for (const auto& [id, expected] : {std::pair<UINT, const char*>{1, "Nodraxcfg"},
                                     {2, "Configure Nodrax server."}}) {
    ASSERT_GT(LoadStringA(module_, id, text, sizeof text), 0) << id;
    EXPECT_STREQ(expected, text);
  }
  // Icon 1: one picture, 32 x 32 pixels, 16 colours (4 bits).
  HRSRC group = FindResourceA(module_, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14));  // group icon
  ASSERT_NE(nullptr, group);
  const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(module_, group)));
  ASSERT_EQ(1, *reinterpret_cast<const WORD*>(dir + 4));
  const BYTE* entry = dir + 6;  // width, height, colours, reserved, planes, bits
  EXPECT_EQ(32, entry[0]);
  EXPECT_EQ(32, entry[1]);
  EXPECT_EQ(16, entry[2]);
  EXPECT_EQ(4, *reinterpret_cast<const WORD*>(entry + 6));
  HICON icon = static_cast<HICON>(LoadImageA(module_, MAKEINTRESOURCEA(1), IMAGE_ICON, 32, 32, 0));
  EXPECT_NE(nullptr, icon);
  DestroyIcon(icon);

  const std::string path = HostPath(NODRAX_APPLET);
  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeA(path.c_str(), &ignored));
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  UINT length = 0;
  for (const auto& [name, expected] :
       {std::pair<const char*, const char*>{"FileDescription", "Extension for Control Panel"},
        {"FileVersion", "1.00"}}) {
    char* value = nullptr;
    const std::string query = std::string("\\StringFileInfo\\040904E4\\") + name;
    ASSERT_TRUE(VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value),
                               &length)) << name;
    EXPECT_STREQ(expected, value);
  }
  VS_FIXEDFILEINFO* fixed = nullptr;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(static_cast<DWORD>(MAKELONG(0, 1)), fixed->dwFileVersionMS);
  EXPECT_EQ(0u, fixed->dwFileVersionLS);
}

// The roots a sysop may have: the editor runs once, with its path in quotes
// as the whole command line, shown normally.
TEST_F(AppletTest, DoubleClickStartsTheEditorOfTheStoredRoot) {
  // The longest root that fits: quote, root, "\Nodraxcfg.exe", quote and
  // the terminator make exactly 200 bytes.
  const std::string longest = kTestRoot + "\\" + std::string(183 - kTestRoot.size() - 1, 'l');
  SetEnvironmentVariableA("NXT", kTestRoot.c_str());
  const std::tuple<std::string, DWORD, std::string> rows[] = {  // root, type, editor's folder
      {kTestRoot + "\\with blank", REG_SZ, kTestRoot + "\\with blank"},
      {kTestRoot + "\\trailing\\", REG_SZ, kTestRoot + "\\trailing"},  // "trailing\\Nodraxcfg.exe"
      {longest, REG_SZ, longest},
      {"%NXT%\\expanded", REG_EXPAND_SZ, kTestRoot + "\\expanded"},
      {"%NXT%" + longest.substr(kTestRoot.size()), REG_EXPAND_SZ, longest}};
  // Decoys where an unquoted command line finds a program first:
  // "C:\nodrax" + ".exe", then "C:\nodrax applet test\with" + ".exe".
  PlaceEditor("C:", "nodrax.exe");
  PlaceEditor(kTestRoot, "with.exe");
  for (const auto& [root, type, folder] : rows) {
    SCOPED_TRACE(root);
    PlaceEditor(folder);
    // Two rows share a folder: the record is this row's alone.
    DeleteFileA((folder + "\\launched.txt").c_str());
    SetRoot(root + '\0', type);
    EXPECT_EQ(0, Send(CPL_DBLCLK));
    const std::vector<TLaunch> launches = WaitForLaunches(folder);
    ASSERT_EQ(1u, launches.size()) << "the editor did not start, or more than once";
    const std::string& line = launches[0].commandLine;
    const size_t close = line.find('"', 1);
    ASSERT_TRUE(line.front() == '"' && close != std::string::npos) << line;
    EXPECT_EQ(std::string::npos, line.find_first_not_of(' ', close + 1)) << "arguments: " << line;
    EXPECT_EQ("\\Nodraxcfg.exe\"", line.substr(close - 14, 15)) << line;
    EXPECT_EQ(SW_SHOWNORMAL, launches[0].show);
  }
  EXPECT_TRUE(Launches("C:").empty()) << "C:\\nodrax.exe was started";
  EXPECT_TRUE(Launches(kTestRoot).empty()) << "the decoy in the test folder was started";
}

// A root that is not a full path would start whatever program lies at the
// Control Panel's current drive or folder; a double quote would end the
// quoted path early. None of them starts anything, with decoys where each
// would find a program.
TEST_F(AppletTest, ARootThatIsNoFullPathOrHoldsAQuoteStartsNothing) {
  const std::string inside = kTestRoot + "\\quoted";
  const std::string decoys[] = {"C:", kTestRoot, kTestRoot + "\\relative",
                                kTestRoot + "\\drive relative", inside,
                                kTestRoot + "\\%NODRAX_APPLET_UNSET%\\x"};
  for (const std::string& folder : decoys) PlaceEditor(folder);
  ASSERT_TRUE(SetCurrentDirectoryA(kTestRoot.c_str()));
  SetEnvironmentVariableA("NODRAX_APPLET_QUOTE", (inside + "\"").c_str());
  Send(CPL_INIT);
  const std::pair<std::string, DWORD> rows[] = {
      {"", REG_SZ},                          // the current drive's root
      {"relative", REG_SZ},                  // the current folder
      {"\\nodrax applet test", REG_SZ},      // the current drive
      {"C:drive relative", REG_SZ},          // the current folder of drive C:
      {inside + "\"", REG_SZ},               // "...\quoted"" \Nodraxcfg.exe"
      {"%NODRAX_APPLET_QUOTE%", REG_EXPAND_SZ},
      {"%NODRAX_APPLET_UNSET%\\x", REG_EXPAND_SZ},  // stays unexpanded: no full path
      {"\\\\?\\C:\\nodrax applet test", REG_SZ},  // the device namespaces
      {"\\\\.\\C:\\nodrax applet test", REG_SZ}};
  ExpectNothingStarted([&] {
    EXPECT_EQ(0, Send(CPL_DBLCLK)) << "no key";
    SetRoot("", REG_BINARY);
    EXPECT_EQ(0, Send(CPL_DBLCLK)) << "no value";
    for (const auto& [root, type] : rows) {
      SetRoot(root + '\0', type);
      EXPECT_EQ(0, Send(CPL_DBLCLK)) << root;
    }
  });
  for (const std::string& folder : decoys)
    EXPECT_TRUE(Launches(folder).empty()) << folder << " was started";
}

// A root that does not fit the 200-byte command starts nothing at all: not
// a cut path, and not the editor at the root of the drive either.
TEST_F(AppletTest, ARootTooLongForTheCommandStartsNothing) {
  const std::string tooLong = kTestRoot + "\\" + std::string(184 - kTestRoot.size() - 1, 'x');
  for (const std::string& folder : {std::string("C:"), tooLong, tooLong.substr(0, 183)})
    PlaceEditor(folder);
  ASSERT_TRUE(SetCurrentDirectoryA(kTestRoot.c_str()));
  SetEnvironmentVariableA("NXT", kTestRoot.c_str());
  const std::pair<std::string, DWORD> rows[] = {
      {tooLong + '\0', REG_SZ},                               // one byte past the command
      {kTestRoot + std::string(250, 'y') + '\0', REG_SZ},     // past the read
      {std::string(200, 'z'), REG_SZ},                        // no terminator
      {"%NXT%" + tooLong.substr(kTestRoot.size()) + '\0', REG_EXPAND_SZ},
      {"%NXT%" + std::string(190, 'y') + '\0', REG_EXPAND_SZ}};  // past the room
  ExpectNothingStarted([&] {
    for (const auto& [root, type] : rows) {
      SetRoot(root, type);
      EXPECT_EQ(0, Send(CPL_DBLCLK)) << root.substr(0, 40);
    }
  });
  for (const std::string& folder : {std::string("C:"), tooLong, tooLong.substr(0, 183)})
    EXPECT_TRUE(Launches(folder).empty()) << folder << " was started";
}

// A guest in the Control Panel's or Explorer's process leaves the host's
// DLL search as it found it: through a whole session of messages, the
// start of the editor included, the host loads by name what it loaded
// before (here from its current folder and a PATH folder), and its current
// folder stays. Each case is a process of its own, so the search before
// the session is the host's unchanged one.
TEST_F(AppletTest, LeavesItsHostsDllSearchAndFolderAsItFoundThem) {
  const std::string onPath = kTestRoot + "\\on path";
  const std::string editorFolder = kTestRoot + "\\editor";
  SHCreateDirectoryExA(nullptr, onPath.c_str(), nullptr);
  PlaceEditor(editorFolder);
  SetRoot(editorFolder + '\0');
  ASSERT_TRUE(CopyFileA(HostPath(NODRAX_APPLET).c_str(), (kTestRoot + "\\nxcurrent.dll").c_str(),
                        FALSE));
  ASSERT_TRUE(CopyFileA(HostPath(NODRAX_APPLET).c_str(), (onPath + "\\nxpath.dll").c_str(), FALSE));
  ASSERT_TRUE(SetCurrentDirectoryA(kTestRoot.c_str()));
  char path[32768] = "";
  GetEnvironmentVariableA("PATH", path, sizeof path);
  SetEnvironmentVariableA("PATH", (onPath + ";" + path).c_str());
  for (int session = 0; session < 2; ++session) {
    if (session) {
      CPLINFO info{};
      EXPECT_EQ(1, Send(CPL_INIT));
      EXPECT_EQ(1, Send(CPL_GETCOUNT));
      EXPECT_EQ(0, Send(CPL_INQUIRE, reinterpret_cast<LPARAM>(&info)));
      EXPECT_EQ(0, Send(CPL_DBLCLK));
      EXPECT_EQ(1u, WaitForLaunches(editorFolder).size());
      EXPECT_EQ(0, Send(CPL_STOP));
      EXPECT_EQ(0, Send(CPL_EXIT));
    }
    for (const char* name : {"nxcurrent.dll", "nxpath.dll"}) {
      HMODULE planted = LoadLibraryA(name);
      EXPECT_NE(nullptr, planted) << name << (session ? " after" : " before");
      if (planted) FreeLibrary(planted);
    }
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_STREQ(kTestRoot.c_str(), current);
  }
  SetEnvironmentVariableA("PATH", path);
}

// The Control Panel runs unelevated, where HKEY_LOCAL_MACHINE grants reading
// only: reading is all the applet needs.
TEST_F(AppletTest, AKeyThatGrantsOnlyReadingIsEnough) {
  const std::string folder = kTestRoot + "\\read only";
  PlaceEditor(folder);
  SetRoot(folder + '\0');
  EXPLICIT_ACCESS_A readers{};
  BuildExplicitAccessWithNameA(&readers, const_cast<char*>("EVERYONE"), KEY_READ, SET_ACCESS,
                               NO_INHERITANCE);
  PACL acl = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, SetEntriesInAclA(1, &readers, nullptr, &acl));
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFoldersKey, 0,
                                         KEY_ALL_ACCESS | KEY_WOW64_32KEY, &key));
  EXPECT_EQ(ERROR_SUCCESS,
            SetSecurityInfo(key, SE_REGISTRY_KEY,
                            DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                            nullptr, nullptr, acl, nullptr));
  RegCloseKey(key);
  LocalFree(acl);
  key = nullptr;
  EXPECT_EQ(ERROR_ACCESS_DENIED, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFoldersKey, 0,
                                               KEY_ALL_ACCESS | KEY_WOW64_32KEY, &key));
  if (key) RegCloseKey(key);
  EXPECT_EQ(0, Send(CPL_DBLCLK));
  EXPECT_EQ(1u, WaitForLaunches(folder).size());
}

// Wine's own Control Panel loads the item, asks it as the system does and
// opens it.
TEST_F(AppletTest, WinesControlPanelOpensIt) {
  const std::string folder = kTestRoot + "\\control";
  PlaceEditor(folder);
  SetRoot(folder + '\0');
  std::string command = "control.exe \"" + HostPath(NODRAX_APPLET) + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process));
  EXPECT_EQ(1u, WaitForLaunches(folder).size());
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 15000));
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace
