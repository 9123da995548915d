// The backup of the stored configuration before "Import Config" and "Delete
// Config" replace it, and the sysop's choice when none can be written. Real
// registry, real hive files below C:\NodraxTest, which the fixture
// removes.
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editor/config/RegistryKeys.h"
#include "editor/transfer/Backup.h"
#include "editor/transfer/ReplaceSteps.h"
#include "platform/Registry.h"
#include "support/DialogAnswerer.h"
#include "support/LoadSaveFixture.h"

namespace {

namespace fs = std::filesystem;

const char kBackups[] = "C:\\NodraxTest\\BBS\\Backup";
const char kImportCaption[] = "Import Config File";
const SYSTEMTIME kAt{2026, 12, 2, 8, 14, 15, 3, 0};
const char kName[] = "Nodrax-20261208-141503.zub";

class BackupTest : public TransferFixture {
 protected:
  void SetUp() override {
    TransferFixture::SetUp();
    fs::create_directories(Files());
  }
  void Open() {
    CreateEmptyConfig();
    OpenEditor();
    Form().LocalClock = [] { return kAt; };
  }
  static std::string Files() { return std::string(kTestFolder) + "\\Files"; }
  static std::string File(const std::string& name) { return Files() + "\\" + name; }
  static std::string Backup(const std::string& name) { return std::string(kBackups) + "\\" + name; }
  static std::vector<std::string> Listed(const std::string& folder) {
    std::vector<std::string> names;
    if (fs::exists(folder))
      for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  // A configuration saved from the window, so that the store holds what the
  // save writes, with some of the BBS's own values beside it.
  void StoreConfiguration(const std::string& callsign) {
    WriteStrings(kConfigKey, {{"BbsCallsign", callsign + ".#CE.ESP.EURO"}, {"Hroute", "OK"}});
    WriteStrings(kFoldersKey, {{"ZubRoot", kTestRoot}});
    WriteStrings(Key(kServersKey, "WP"), {{"File", "WP.EXE"}, {"Description", "White pages"}});
    Form().ReloadRegistry1Click(nullptr);
    Form().MenusaveClick(nullptr);
    WriteDword("Software\\Nodrax\\Options", "Gateway", 7);
    WriteString("Software\\Nodrax\\Sounds\\SysopCall", "File", "C:\\Ring.wav");
  }
  static void SaveHive(const std::string& file) {
    ASSERT_EQ(ERROR_SUCCESS, TRegistry().SaveKey(kNodraxKey, file));
  }
  void Import(const std::string& file) {
    dialogs.ExpectOpenFile(file);
    dialogs.ExpectMessageBox(kImportCaption, SystemErrorMessage(ERROR_SUCCESS), MB_OK, IDOK);
    InvokeMenu("ImportConfig1");
  }
  // The import writes the BBS's own keys whole: what the tree did not hold
  // comes back as 0 or "", which is all an import may add to it.
  static TStoredTree LessZeroFill(TStoredTree after, const TStoredTree& before) {
    for (const char* carried : {"Options", "Sounds", "Sounds\\Connection", "Sounds\\SysopCall",
                                "HouseKeeping"}) {
      auto key = after.find(carried);
      if (key == after.end()) continue;
      const auto was = before.find(carried);
      for (auto value = key->second.begin(); value != key->second.end();) {
        const bool zero = value->second.second.find_first_not_of('\0') == std::string::npos;
        if (zero && (was == before.end() || !was->second.count(value->first)))
          value = key->second.erase(value);
        else
          ++value;
      }
      if (key->second.empty() && was == before.end()) after.erase(key);
    }
    return after;
  }
};

const char* Command(TReplacement replacement) {
  return replacement == TReplacement::Import ? "ImportConfig1" : "DeleteConfig1";
}

}  // namespace

// Each command leaves a backup of the tree it replaced, named in the status
// bar, and importing that backup gives the tree back. The import's backup
// comes within the same second as the one before it, and keeps its own name.
TEST_F(BackupTest, EachCommandBacksTheStoreUpAndTheImportOfTheBackupPutsItBack) {
  Open();
  struct TRow { TReplacement command; bool rootStored; };
  for (const TRow row : {TRow{TReplacement::Import, true}, TRow{TReplacement::Delete, true},
                         TRow{TReplacement::Delete, false}}) {
    SCOPED_TRACE(std::string(Command(row.command)) + (row.rootStored ? "" : ", root shown only"));
    RemoveTestFolder();
    fs::create_directories(Files());
    StoreConfiguration("EB1XX");
    SaveHive(File("other.zub"));
    StoreConfiguration("EA9ZZB");
    // Without a stored root the backup goes below the root the window shows.
    if (!row.rootStored) {
      HKEY folders = nullptr;
      ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFoldersKey, 0,
                                             KEY_SET_VALUE | KEY_WOW64_32KEY, &folders));
      RegDeleteValueA(folders, "ZubRoot");
      RegCloseKey(folders);
    }
    const TStoredTree taken = Dump();

    if (row.command == TReplacement::Import) {
      Import(File("other.zub"));
      EXPECT_EQ(Text(kConfigKey, "BbsCallsign"), "EB1XX.#CE.ESP.EURO");
    } else {
      InvokeMenu("DeleteConfig1");
      EXPECT_FALSE(KeyExists(kNodraxKey));
    }
    EXPECT_EQ(Listed(kBackups), std::vector<std::string>{kName});
    EXPECT_EQ(PanelText(0), " Backup: " + Backup(kName));
    if (!row.rootStored) continue;  // the import would store the shown root with it

    Import(Backup(kName));
    EXPECT_EQ(LessZeroFill(Dump(), taken), taken);
    EXPECT_FALSE(Mounted());
    // The import backed up what it replaced; the delete had left nothing.
    const std::string second = "Nodrax-20261208-141503-2.zub";
    const std::vector<std::string> made = row.command == TReplacement::Import
                                              ? std::vector<std::string>{second, kName}
                                              : std::vector<std::string>{kName};
    EXPECT_EQ(Listed(kBackups), made);
    EXPECT_EQ(PanelText(0), " Backup: " + Backup(row.command == TReplacement::Import ? second : kName));
  }
}

// When no backup can be written the sysop is asked, No the default: No keeps
// the store as it was, Yes goes on without a backup.
TEST_F(BackupTest, WithoutABackupNothingIsDeletedUnlessTheSysopSaysYes) {
  Open();
  enum TCause { FileInTheWay, NoRoot, NoPrivilege };
  struct TRow { TReplacement command; TCause cause; int answer; };
  const TRow rows[] = {{TReplacement::Delete, FileInTheWay, IDNO},
                       {TReplacement::Delete, FileInTheWay, IDYES},
                       {TReplacement::Delete, NoPrivilege, IDNO},
                       {TReplacement::Import, NoRoot, IDNO},
                       {TReplacement::Import, NoRoot, IDYES}};
  for (const TRow& row : rows) {
    SCOPED_TRACE(std::string(Command(row.command)) + ", cause " + std::to_string(row.cause) +
                 ", answer " + std::to_string(row.answer));
    RemoveTestFolder();
    fs::create_directories(Files());
    StoreConfiguration("EB1XX");
    SaveHive(File("other.zub"));
    StoreConfiguration("EA9ZZB");
    Form().StatusBar1->SetPanelText(0, "before");

    std::string reason;
    const char* when = row.command == TReplacement::Import ? "before the import replaces it"
                                                           : "before it is deleted";
    HANDLE thread = nullptr;
    if (row.cause == FileInTheWay) {
      std::ofstream(kBackups) << "not a folder";
      reason = std::string("The stored configuration could not be backed up into ") + kBackups +
               " " + when + ":\n" + SystemErrorMessage(ERROR_DIRECTORY);
    } else if (row.cause == NoRoot) {
      RemoveNodraxTree();
      WriteStrings(kConfigKey, {{"BbsCallsign", "EA9ZZB.#CE.ESP.EURO"}});
      Form().Page<TFoldersPage>().Directorioraiz->SetText("");
      SetModified(false);
      reason = std::string("The stored configuration cannot be backed up ") + when +
               ": no BBS root folder is stored or shown, and the backups go into its Backup "
               "folder.";
    } else {
      // The backup right disabled in a token of this thread, where the
      // editor's enabling of it in the process's token does not reach.
      HANDLE process = nullptr;
      ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_DUPLICATE, &process));
      ASSERT_TRUE(DuplicateTokenEx(process, TOKEN_ALL_ACCESS, nullptr, SecurityImpersonation,
                                   TokenImpersonation, &thread));
      CloseHandle(process);
      TOKEN_PRIVILEGES disabled{1, {{{0, 0}, 0}}};
      ASSERT_TRUE(LookupPrivilegeValueA(nullptr, SE_BACKUP_NAME, &disabled.Privileges[0].Luid));
      ASSERT_TRUE(AdjustTokenPrivileges(thread, FALSE, &disabled, 0, nullptr, nullptr));
      ASSERT_TRUE(SetThreadToken(nullptr, thread));
      reason = std::string("The stored configuration could not be backed up into ") + kBackups +
               " " + when + ":\n" + SystemErrorMessage(ERROR_PRIVILEGE_NOT_HELD);
    }
    const TStoredTree before = Dump();

    if (row.command == TReplacement::Import) dialogs.ExpectOpenFile(File("other.zub"));
    dialogs.ExpectMessageBox("Nodraxcfg", reason + "\n\nGo on without a backup?",
                             MB_ICONWARNING | MB_YESNO | MB_DEFBUTTON2, row.answer)
        .Then([&] { EXPECT_EQ(Dump(), before); });
    if (row.command == TReplacement::Import && row.answer == IDYES)
      dialogs.ExpectMessageBox(kImportCaption, SystemErrorMessage(ERROR_SUCCESS), MB_OK, IDOK);
    InvokeMenu(Command(row.command));
    if (thread) {
      RevertToSelf();
      CloseHandle(thread);
    }
    dialogs.VerifyAndClear();

    if (row.answer == IDNO)
      EXPECT_EQ(Dump(), before);
    else if (row.command == TReplacement::Import)
      EXPECT_EQ(Text(kConfigKey, "BbsCallsign"), "EB1XX.#CE.ESP.EURO");
    else
      EXPECT_FALSE(KeyExists(kNodraxKey));
    EXPECT_FALSE(Mounted());
    EXPECT_EQ(PanelText(0), "before");
    // No backup, and nothing half-written left beside where it would be.
    EXPECT_TRUE(!fs::is_directory(kBackups) || Listed(kBackups).empty());
  }

  // Once as the sysop sees it: a real box, No its default button.
  std::ofstream(kBackups) << "not a folder";
  const TStoredTree before = Dump();
  TRealMessageBoxes real(dialogs);
  TDialogsGuard installed(real);
  TDialogAnswerer sysop("Nodraxcfg", IDNO);
  InvokeMenu("DeleteConfig1");
  sysop.Join();
  ASSERT_TRUE(sysop.Found());
  EXPECT_EQ(sysop.Seen().defaultButton, IDNO);
  EXPECT_NE(sysop.Seen().text.find(SystemErrorMessage(ERROR_DIRECTORY)), std::string::npos)
      << sysop.Seen().text;
  EXPECT_EQ(Dump(), before);
}

// The ten newest backups stay, newest by when each was written, whatever
// its name says (a clock set back, "-n" names given again); the one just
// written, the file being imported and every file not named as a backup
// are never deleted.
TEST_F(BackupTest, PruningKeepsTheTenNewestWrittenAndTouchesNothingElse) {
  WriteStrings(kConfigKey, {{"BbsCallsign", "EA9ZZB.#CE.ESP.EURO"}});
  fs::create_directories(kBackups);
  // Named in one order, written in the other: the first name is the newest.
  const std::vector<std::string> older = {
      "Nodrax-20250101-000000.zub",    "Nodrax-20250102-000000.zub",   "Nodrax-20250103-000000.zub",
      "Nodrax-20250104-000000-9.zub",  "Nodrax-20250104-000000-10.zub", "Nodrax-20250105-000000.zub",
      "Nodrax-20250106-000000.zub",    "nodrax-20250107-000000.ZUB",   "Nodrax-20250108-000000.zub",
      "Nodrax-20250109-000000.zub",    "Nodrax-20250110-000000.zub",   "Nodrax-20250111-000000.zub",
      "Nodrax-20250112-000000.zub"};
  const std::vector<std::string> others = {
      "Nodrax-before-upgrade.zub", "Nodrax-20240101-000000.zub.new", "Nodrax-20240101-000000.txt",
      "Nodrax-20240101-000000-0.zub", "Nodrax-2024010-000000.zub", "Nodrax-20240101-000000.zubx",
      "Other.zub"};
  for (std::size_t i = 0; i < older.size(); ++i) {
    std::ofstream(Backup(older[i])) << "old";
    const SYSTEMTIME day{2025, 6, 0, static_cast<WORD>(28 - i), 12, 0, 0, 0};
    FILETIME written;
    SystemTimeToFileTime(&day, &written);
    const HANDLE file = CreateFileA(Backup(older[i]).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
  }
  for (const std::string& name : others) std::ofstream(Backup(name)) << "mine";
  fs::create_directory(Backup("Nodrax-20000101-000000.zub"));  // a folder so named

  const TBackupResult made = BackUpStoredConfiguration(kTestRoot, kAt, Backup(older.back()));
  ASSERT_EQ(made.Code, ERROR_SUCCESS);
  EXPECT_EQ(made.File, Backup(kName));
  EXPECT_EQ(made.Folder, kBackups);
  std::vector<std::string> expected(older.begin(), older.begin() + 9);  // the nine newest
  expected.push_back(kName);
  expected.push_back(older.back());  // being imported
  expected.insert(expected.end(), others.begin(), others.end());
  expected.push_back("Nodrax-20000101-000000.zub");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Listed(kBackups), expected);
  // The file is the stored tree: it mounts, and holds the callsign.
  ASSERT_EQ(ERROR_SUCCESS, TRegistry().LoadKey(kMount, made.File));
  EXPECT_EQ(Text("Nodrax\\Config", "BbsCallsign"), "EA9ZZB.#CE.ESP.EURO");
  TRegistry().UnLoadKey(kMount);

  // A clock set back: the new backup is the oldest by its name, and stays,
  // as does the one written just before it.
  const TBackupResult early =
      BackUpStoredConfiguration(std::string(kTestRoot) + "\\", {2001, 1, 0, 1, 0, 0, 0, 0});
  ASSERT_EQ(early.Code, ERROR_SUCCESS);
  EXPECT_EQ(early.File, Backup("Nodrax-20010101-000000.zub"));
  EXPECT_TRUE(fs::exists(early.File));
  EXPECT_TRUE(fs::exists(made.File));
  EXPECT_FALSE(fs::exists(Backup(older[8])));
  EXPECT_FALSE(fs::exists(Backup(older.back())));  // no longer spared
  EXPECT_EQ(Listed(kBackups).size(), expected.size() - 1);

  // Nothing stored: nothing to keep, no folder made.
  RemoveNodraxTree();
  const std::string elsewhere = std::string(kTestFolder) + "\\Elsewhere";
  const TBackupResult none = BackUpStoredConfiguration(elsewhere, kAt);
  EXPECT_EQ(none.Code, ERROR_SUCCESS);
  EXPECT_EQ(none.File, "");
  EXPECT_FALSE(fs::exists(elsewhere));
}

// The stored root as the load reads it: the older Directories key in place
// of Folders, and no root from a relative path or a value of another type.
TEST_F(BackupTest, TheStoredRootIsAFullPathAsTheLoadReadsIt) {
  struct TRow { const char* key; const char* root; const char* expected; };
  for (const TRow& row : {TRow{kFoldersKey, "C:\\BBS", "C:\\BBS"},
                          TRow{kFoldersKey, "\\\\server\\bbs", "\\\\server\\bbs"},
                          TRow{kFoldersKey, "BBS", ""}, TRow{kFoldersKey, "C:BBS", ""},
                          TRow{kFoldersKey, nullptr, ""}, TRow{kDirectoriesKey, "D:\\Old", "D:\\Old"}}) {
    RemoveNodraxTree();
    WriteString(kFoldersKey, "Data", "C:\\Data");
    if (row.root) WriteString(row.key, "ZubRoot", row.root);
    EXPECT_EQ(StoredRootFolder(), row.expected) << (row.root ? row.root : "(none)");
  }
  // Through a variable, stored for expanding or as plain text: where it
  // points; a variable that is not set gives no root.
  SetEnvironmentVariableA("NODRAX_TEST_DRIVE", "C:");
  struct TExpanded { const char* stored; const char* expected; };
  for (const TExpanded& row : {TExpanded{"%NODRAX_TEST_DRIVE%\\BBS", "C:\\BBS"},
                               TExpanded{"%NODRAX_NOT_SET%\\BBS", ""}}) {
    for (const DWORD type : {DWORD{REG_EXPAND_SZ}, DWORD{REG_SZ}}) {
      RemoveNodraxTree();
      WriteRaw(kFoldersKey, "ZubRoot", type, std::string(row.stored) + '\0');
      EXPECT_EQ(StoredRootFolder(), row.expected) << row.stored << ", type " << type;
    }
  }
  WriteDword(kDirectoriesKey, "ZubRoot", 1);
  EXPECT_EQ(StoredRootFolder(), "");
}
