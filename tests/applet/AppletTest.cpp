// The Control Panel applet as the Control Panel uses it: the library loaded
// with LoadLibrary, CPlApplet called with every message, its resources read,
// and the editor started from ZubRoot. A recorder program copied into the
// prefix under the editor's name stands in for the editor and notes its
// command line in launched.txt beside itself.
#include <windows.h>
#include <aclapi.h>
#include <cpl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kFoldersKey[] = "Software\\Nodrax\\Folders";
const char kTestRoot[] = "C:\\nodrax applet test";

// A host path of the build as Wine sees it (the host root is Z:).
std::string HostPath(const char* path) {
  std::string windows = std::string("Z:") + path;
  std::replace(windows.begin(), windows.end(), '/', '\\');
  return windows;
}

void RemoveFolder(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveFolder(path);
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}

void CreateFolders(const std::string& path) {
  for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  CreateDirectoryA(path.c_str(), nullptr);
}

std::string ReadFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text(GetFileSize(file, nullptr), '\0');
  DWORD got = 0;
  if (!text.empty()) ::ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &got, nullptr);
  CloseHandle(file);
  text.resize(got);
  return text;
}

// What the recorder noted about one start.
struct TLaunch {
  std::string commandLine;
  int show = -2;
};

std::vector<TLaunch> Launches(const std::string& folder) {
  std::vector<TLaunch> launches;
  const std::string text = ReadFile(folder + "\\launched.txt");
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = text.find("\r\n", at);
    const size_t next = end == std::string::npos ? std::string::npos : text.find("\r\n", end + 2);
    if (next == std::string::npos) break;
    TLaunch launch;
    launch.commandLine = text.substr(at, end - at);
    launch.show = std::atoi(text.substr(end + 2 + 5, next - end - 7).c_str());  // "show N"
    launches.push_back(launch);
    at = next + 2;
  }
  return launches;
}

std::vector<TLaunch> WaitForLaunch(const std::string& folder, DWORD timeoutMs = 15000) {
  const DWORD start = GetTickCount();
  std::vector<TLaunch> launches;
  while ((launches = Launches(folder)).empty() && GetTickCount() - start < timeoutMs) Sleep(50);
  return launches;
}

class AppletTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveNodrax();
    RemoveFolder(kTestRoot);
    ASSERT_TRUE(CreateDirectoryA(kTestRoot, nullptr));
    module_ = LoadLibraryA(HostPath(NODRAX_APPLET).c_str());
    ASSERT_NE(nullptr, module_) << "cannot load " << NODRAX_APPLET << ": " << GetLastError();
    // Through void*: FARPROC has no parameters, and GCC warns on the direct cast.
    applet_ = reinterpret_cast<APPLET_PROC>(
        reinterpret_cast<void*>(GetProcAddress(module_, "CPlApplet")));
    ASSERT_NE(nullptr, applet_) << "CPlApplet is not exported";
    GetCurrentDirectoryA(MAX_PATH, previousDirectory_);
  }
  void TearDown() override {
    SetCurrentDirectoryA(previousDirectory_);
    if (module_) FreeLibrary(module_);
    for (const char* file : {"C:\\Nodraxcfg.exe", "C:\\nodrax.exe", "C:\\launched.txt"})
      DeleteFileA(file);
    RemoveFolder(kTestRoot);
    RemoveNodrax();
  }

  static void RemoveNodrax() {
    HKEY software = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                      &software) != ERROR_SUCCESS)
      return;
    RegDeleteTreeA(software, "Nodrax");
    RegCloseKey(software);
  }

  // Sets ZubRoot in the 32-bit view, where the editor writes it; raw bytes
  // so that a test can store a string without its terminator.
  static void SetRoot(const std::string& bytes, DWORD type = REG_SZ) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kFoldersKey, 0, nullptr, 0,
                                             KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key,
                                             nullptr));
    EXPECT_EQ(ERROR_SUCCESS,
              RegSetValueExA(key, "ZubRoot", 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())));
    RegCloseKey(key);
  }
  static void SetRootText(const std::string& root) { SetRoot(std::string(root) + '\0'); }

  // Puts the recorder into folder under the editor's name.
  static void PlaceEditor(const std::string& folder) {
    CreateFolders(folder);
    const std::string target = folder + "\\Nodraxcfg.exe";
    ASSERT_TRUE(CopyFileA(HostPath(NODRAX_RECORDER).c_str(), target.c_str(), FALSE))
        << target << ": " << GetLastError();
  }

  LONG Send(UINT message, LPARAM lParam1 = 0, LPARAM lParam2 = 0) {
    return applet_(GetDesktopWindow(), message, lParam1, lParam2);
  }

  HMODULE module_ = nullptr;
  APPLET_PROC applet_ = nullptr;
  char previousDirectory_[MAX_PATH] = "";
};

// ---------------------------------------------------------------------------
// Messages and resources.

TEST_F(AppletTest, AnswersEveryMessageAndKeepsNoState) {
  struct Row {
    UINT message;
    LONG answer;
  };
  Row rows[] = {{CPL_INIT, 1},        {CPL_GETCOUNT, 1}, {CPL_SELECT, 0},
                      {CPL_STOP, 0},        {CPL_EXIT, 0},     {0, 0},
                      {CPL_STARTWPARMSA, 0}, {CPL_SETUP, 0},   {0x7FFF, 0}};
  // Twice over, and in another order the second time: no answer depends on
  // what came before.
  for (int round = 0; round < 2; ++round) {
    for (const Row& row : rows) EXPECT_EQ(row.answer, Send(row.message)) << "message " << row.message;
    std::reverse(std::begin(rows), std::end(rows));

    CPLINFO info;
    std::memset(&info, 0xA5, sizeof info);
    EXPECT_EQ(0, Send(CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(1, info.idIcon);
    EXPECT_EQ(1, info.idName);
    EXPECT_EQ(2, info.idInfo);
    EXPECT_EQ(9, info.lData);

    // CPL_NEWINQUIRE is left unanswered, so the Control Panel asks
    // CPL_INQUIRE and loads the resources itself.
    NEWCPLINFOA newInfo;
    std::memset(&newInfo, 0x5A, sizeof newInfo);
    NEWCPLINFOA untouched = newInfo;
    EXPECT_EQ(0, Send(CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&newInfo)));
    EXPECT_EQ(0, std::memcmp(&untouched, &newInfo, sizeof newInfo));
  }
}

TEST_F(AppletTest, CarriesItsIconStringsAndVersion) {
  char text[128] = "";
  ASSERT_GT(LoadStringA(module_, 1, text, sizeof text), 0);
  EXPECT_STREQ("Nodraxcfg", text);
  ASSERT_GT(LoadStringA(module_, 2, text, sizeof text), 0);
  EXPECT_STREQ("Configure Nodrax server.", text);

  // Icon 1: one picture of 32 x 32 pixels in 16 colours.
  HRSRC group = FindResourceA(module_, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  ASSERT_NE(nullptr, group);
  const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(module_, group)));
  ASSERT_NE(nullptr, dir);
  ASSERT_EQ(1, *reinterpret_cast<const WORD*>(dir + 4)) << "one picture";
  const BYTE* entry = dir + 6;  // width, height, colour count, reserved, planes, bit count
  EXPECT_EQ(32, entry[0]);
  EXPECT_EQ(32, entry[1]);
  EXPECT_EQ(16, entry[2]);
  EXPECT_EQ(4, *reinterpret_cast<const WORD*>(entry + 6));
  HICON icon = static_cast<HICON>(LoadImageA(module_, MAKEINTRESOURCEA(1), IMAGE_ICON, 32, 32, 0));
  ASSERT_NE(nullptr, icon);
  ICONINFO parts{};
  ASSERT_TRUE(GetIconInfo(icon, &parts));
  BITMAP colour{};
  GetObjectA(parts.hbmColor, sizeof colour, &colour);
  EXPECT_EQ(32, colour.bmWidth);
  EXPECT_EQ(32, colour.bmHeight);
  DeleteObject(parts.hbmColor);
  DeleteObject(parts.hbmMask);
  DestroyIcon(icon);

  const std::string path = HostPath(NODRAX_APPLET);
  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeA(path.c_str(), &ignored));
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  auto field = [&](const char* name) {
    char* value = nullptr;
    UINT length = 0;
    const std::string query = std::string("\\StringFileInfo\\040904E4\\") + name;
    return VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)
               ? std::string(value)
               : std::string("(missing)");
  };
  EXPECT_EQ("Extension for Control Panel", field("FileDescription"));
  EXPECT_EQ("1.00", field("FileVersion"));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(MAKELONG(0, 1), fixed->dwFileVersionMS);
  EXPECT_EQ(0u, fixed->dwFileVersionLS);
}

// ---------------------------------------------------------------------------
// Starting the editor.

// The start of the editor from the roots a sysop may have: the program runs
// once, with its quoted path as the whole command line, shown normally.
TEST_F(AppletTest, DoubleClickStartsTheEditorOfTheStoredRoot) {
  struct Row {
    std::string root;    // ZubRoot
    std::string folder;  // where the editor is then found
  };
  const std::string base = kTestRoot;
  // The longest root that still fits: quote, root, "\Nodraxcfg.exe", quote
  // and the terminator make exactly 200 bytes.
  const std::string longest = base + "\\" + std::string(183 - base.size() - 1, 'l');
  const Row rows[] = {
      {base + "\\with blank", base + "\\with blank"},
      {base + "\\trailing\\", base + "\\trailing"},  // gives "trailing\\Nodraxcfg.exe"
      {longest, longest},
  };
  // Decoys where a command line with the path unquoted would find a program
  // first: "C:\nodrax" + ".exe", then "C:\nodrax applet test\with" + ".exe".
  PlaceEditor("C:");
  ASSERT_TRUE(MoveFileExA("C:\\Nodraxcfg.exe", "C:\\nodrax.exe", MOVEFILE_REPLACE_EXISTING));
  PlaceEditor(base);
  ASSERT_TRUE(MoveFileA((base + "\\Nodraxcfg.exe").c_str(), (base + "\\with.exe").c_str()));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.root);
    PlaceEditor(row.folder);
    SetRootText(row.root);
    EXPECT_EQ(0, Send(CPL_DBLCLK));
    const std::vector<TLaunch> launches = WaitForLaunch(row.folder);
    ASSERT_EQ(1u, launches.size()) << "the editor did not start, or more than once";
    const std::string& line = launches[0].commandLine;
    ASSERT_FALSE(line.empty());
    EXPECT_EQ('"', line.front()) << line;
    const size_t close = line.find('"', 1);
    ASSERT_NE(std::string::npos, close) << line;
    EXPECT_EQ(std::string::npos, line.find_first_not_of(' ', close + 1)) << "arguments: " << line;
    const std::string program = line.substr(1, close - 1);
    EXPECT_EQ("\\Nodraxcfg.exe", program.substr(program.size() - 14)) << program;
    EXPECT_EQ(SW_SHOWNORMAL, launches[0].show);
  }
  EXPECT_TRUE(Launches("C:").empty()) << "C:\\nodrax.exe was started";
  EXPECT_TRUE(Launches(base).empty()) << "the decoy in the test folder was started";
}

TEST_F(AppletTest, WithoutTheKeyTheEditorAtTheRootOfTheCurrentDriveIsTried) {
  PlaceEditor("C:");
  ASSERT_TRUE(SetCurrentDirectoryA(kTestRoot));
  EXPECT_EQ(0, Send(CPL_DBLCLK));
  const std::vector<TLaunch> launches = WaitForLaunch("C:");
  ASSERT_EQ(1u, launches.size());
  EXPECT_EQ(0u, launches[0].commandLine.find("\""));
}

// A root that does not fit the 200-byte command starts nothing at all: not
// a cut path, and not the editor at the root of the drive either.
TEST_F(AppletTest, ARootTooLongForTheCommandStartsNothing) {
  PlaceEditor("C:");
  ASSERT_TRUE(SetCurrentDirectoryA(kTestRoot));
  const std::string tooLong =
      std::string(kTestRoot) + "\\" + std::string(184 - sizeof kTestRoot, 'x');
  ASSERT_EQ(184u, tooLong.size());
  PlaceEditor(tooLong);
  PlaceEditor(tooLong.substr(0, 183));
  const std::string roots[] = {
      tooLong + '\0',                            // one byte past the command
      std::string(kTestRoot) + std::string(250, 'y') + '\0',  // past the read buffer
      std::string(200, 'z'),                     // fills it, stored without terminator
  };
  for (const std::string& root : roots) {
    SetRoot(root);
    EXPECT_EQ(0, Send(CPL_DBLCLK));
  }
  Sleep(2000);  // long enough for a start that should not have happened
  EXPECT_TRUE(Launches(tooLong).empty());
  EXPECT_TRUE(Launches(tooLong.substr(0, 183)).empty()) << "a cut root was started";
  EXPECT_TRUE(Launches("C:").empty()) << "the editor at the root was started";
}

// The Control Panel runs unelevated; the applet only reads, so a key that
// grants reading alone still leads it to the editor.
TEST_F(AppletTest, AKeyThatGrantsOnlyReadingIsEnough) {
  const std::string folder = std::string(kTestRoot) + "\\read only";
  PlaceEditor(folder);
  SetRootText(folder);
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFoldersKey, 0,
                                         KEY_ALL_ACCESS | KEY_WOW64_32KEY, &key));
  EXPLICIT_ACCESS_A readers{};
  BuildExplicitAccessWithNameA(&readers, const_cast<char*>("EVERYONE"), KEY_READ, SET_ACCESS,
                               NO_INHERITANCE);
  PACL acl = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, SetEntriesInAclA(1, &readers, nullptr, &acl));
  EXPECT_EQ(ERROR_SUCCESS, SetSecurityInfo(key, SE_REGISTRY_KEY,
                                           DACL_SECURITY_INFORMATION |
                                               PROTECTED_DACL_SECURITY_INFORMATION,
                                           nullptr, nullptr, acl, nullptr));
  RegCloseKey(key);
  LocalFree(acl);
  HKEY probe = nullptr;
  const LONG full = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFoldersKey, 0,
                                  KEY_ALL_ACCESS | KEY_WOW64_32KEY, &probe);
  if (probe) RegCloseKey(probe);
  EXPECT_EQ(ERROR_ACCESS_DENIED, full) << "the key still grants full access";

  EXPECT_EQ(0, Send(CPL_DBLCLK));
  EXPECT_EQ(1u, WaitForLaunch(folder).size());
}

// Wine's own Control Panel loads the item, asks it as the system does and
// opens it.
TEST_F(AppletTest, WinesControlPanelOpensIt) {
  const std::string folder = std::string(kTestRoot) + "\\control";
  PlaceEditor(folder);
  SetRootText(folder);
  std::string command = "control.exe \"" + HostPath(NODRAX_APPLET) + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process))
      << GetLastError();
  EXPECT_EQ(1u, WaitForLaunch(folder).size());
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 15000));
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace
