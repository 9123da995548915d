// Export, deletion and import of the whole stored configuration, against
// the real registry and real hive files in a folder on C:.
#include <windows.h>
#include <commdlg.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "editor/config/RegistryKeys.h"
#include "editor/transfer/Importa.h"
#include "platform/Application.h"
#include "platform/Registry.h"
#include "support/LoadSaveFixture.h"

namespace {

const char kFolder[] = "C:\\NodraxTransfers";
const char kMount[] = "Nodrax";  // where the import mounts a file

class ConfigFileTest : public LoadSaveFixture {
 protected:
  void SetUp() override {
    LoadSaveFixture::SetUp();
    std::filesystem::remove_all(kFolder);
    std::filesystem::create_directory(kFolder);
    CreateEmptyConfig();
    OpenEditor();
  }
  void TearDown() override {
    TRegistry().UnLoadKey(kMount);
    LoadSaveFixture::TearDown();
    for (const auto& entry : std::filesystem::directory_iterator(kFolder))
      SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(kFolder);
  }
  static std::string File(const std::string& name) { return std::string(kFolder) + "\\" + name; }

  // A small configuration loaded into the window and saved, so that the
  // store holds exactly what the save writes; then the BBS's own keys.
  void StoreConfiguration(const std::string& callsign = "EA9ZZB") {
    WriteStrings(kConfigKey,
                 {{"BbsCallsign", callsign + ".#CE.ESP.EURO"}, {"SSID", "2"}, {"Hroute", "OK"}});
    WriteStrings(kFoldersKey, {{"ZubRoot", kTestRoot}, {"UsersPub", "C:\\A,*,*,*,*,*,*,*"}});
    WriteStrings(Key(kServersKey, "WP"), {{"File", "WP.EXE"}, {"Description", "White pages"}});
    WriteStrings(Key(kPortsKey, "Port3"), {{"Driver", "TCP"}, {"BaudRate", "6300"}});
    Form().ReloadRegistry1Click(nullptr);
    Form().MenusaveClick(nullptr);
    for (const char* name : {"AskBeforeClose", "Gateway", "SysopRing"})
      WriteDword("Software\\Nodrax\\Options", name, 7);
    WriteDword("Software\\Nodrax\\Sounds\\Connection", "Delay", 3);
    WriteString("Software\\Nodrax\\Sounds\\SysopCall", "File", "C:\\Ring.wav");
    WriteDword("Software\\Nodrax\\HouseKeeping", "MaxRetLines", 40);
    WriteString("Software\\Nodrax\\HouseKeeping", "BadRouT", "Bad routes");
  }
  // The BBS's own keys apart, checked by ExpectCarriedOver.
  static TStoredTree WithoutCarried(TStoredTree tree) {
    for (const char* key :
         {"Options", "Sounds", "Sounds\\Connection", "Sounds\\SysopCall", "HouseKeeping"})
      tree.erase(key);
    return tree;
  }
  // The whole record is written, also what the file did not hold.
  static void ExpectCarriedOver(int32_t options, const std::string& file, int32_t lines) {
    const std::string stored = "AskBeforeClose Gateway SysopRing";
    for (const char* name : {"AskBeforeClose", "DispInpExp", "Gateway", "Justify", "MinSysTray",
                             "Separators", "SplashScreen", "SysopRing"})
      EXPECT_EQ(ReadDword("Software\\Nodrax\\Options", name),
                DWORD(stored.find(name) == std::string::npos ? 0 : options)) << name;
    EXPECT_EQ(ReadString("Software\\Nodrax\\Sounds\\SysopCall", "File"), file);
    EXPECT_EQ(ReadDword("Software\\Nodrax\\Sounds\\SysopCall", "Repeat"), 0u);
    EXPECT_EQ(ReadDword("Software\\Nodrax\\HouseKeeping", "MaxRetLines"), DWORD(lines));
    EXPECT_EQ(ReadString("Software\\Nodrax\\HouseKeeping", "PreCmdFile"), "");
  }
  // The store as it is now, saved as a hive file by the platform.
  static void SaveHive(const std::string& file) {
    ASSERT_EQ(ERROR_SUCCESS, TRegistry().SaveKey(kNodraxKey, file));
  }
  static std::string Contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // The command with its file dialog answered, then the box with the
  // platform's text for the result (none after a cancel).
  void Export(std::optional<std::string> file, std::optional<LONG> result = std::nullopt) {
    dialogs.ExpectSaveFile(std::move(file));
    if (result) dialogs.ExpectMessageBox("Nodraxcfg", SystemErrorMessage(*result), MB_OK, IDOK);
    InvokeMenu("ExportConfig1");
  }
  void Import(const std::string& file, std::optional<LONG> result,
              const std::string& error = "") {
    dialogs.ExpectOpenFile(file);
    if (result)
      dialogs.ExpectMessageBox("Import Config File", SystemErrorMessage(*result), MB_OK, IDOK);
    if (!error.empty())  // shown by the application's error display
      dialogs.ExpectMessageBox(Application().Title, error, MB_ICONERROR | MB_OK, IDOK);
    InvokeMenu("ImportConfig1");
  }
  static bool Mounted() {
    HKEY key = nullptr;
    const bool mounted = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMount, 0, KEY_READ, &key) == 0;
    if (key) RegCloseKey(key);
    return mounted;
  }
};

}  // namespace

TEST_F(ConfigFileTest, ExportProposesTheCallsignInLowerCaseAndACancelDoesNothing) {
  for (const char* callsign : {"EA9ZZB", ""}) {
    Form().Editbbsindicativo->SetText(callsign);
    Export(TScriptedDialogs::Cancel);
    const TFileDialogRequest& asked = dialogs.Last(TDialogKind::SaveFile)->file;
    EXPECT_EQ(asked.fileName, std::string(callsign) == "" ? "" : "ea9zzb");
    EXPECT_EQ(asked.title, "Saving Nodrax config file");
    EXPECT_EQ(asked.filter, "Nodrax config files (*.zub)|*.zub");
    EXPECT_EQ(asked.defaultExt, "zub");
    EXPECT_EQ(asked.initialDir, "\\");
    EXPECT_EQ(asked.flags, DWORD(OFN_EXPLORER | OFN_NOCHANGEDIR));
    dialogs.VerifyAndClear();  // no message
  }
  EXPECT_TRUE(std::filesystem::is_empty(kFolder));
}

TEST_F(ConfigFileTest, ExportReplacesAReadOnlyFileWithTheStoredValuesNotTheWindows) {
  StoreConfiguration();
  const std::string file = File("ea9zzb.zub");
  std::ofstream(file) << "old backup";
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  Form().Editbbsindicativo->SetText("EB1XX");  // not saved
  Export(file, ERROR_SUCCESS);
  EXPECT_EQ(GetFileAttributesA(file.c_str()), DWORD(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(kFolder), {}), 1);
  ASSERT_EQ(ERROR_SUCCESS, TRegistry().LoadKey(kMount, file));
  EXPECT_EQ(ReadString("Nodrax\\Config", "BbsCallsign"), "EA9ZZB.#CE.ESP.EURO");
  EXPECT_EQ(ReadDword("Nodrax\\Options", "Gateway"), 7u);
}

TEST_F(ConfigFileTest, AFailedExportShowsThePlatformsTextAndKeepsTheOldFile) {
  const std::string file = File("keep.zub");
  std::ofstream(file) << "old backup";
  RemoveNodraxTree();  // nothing to save
  Export(file, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Contents(file), "old backup");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(kFolder), {}), 1);
}

TEST_F(ConfigFileTest, DeleteRemovesTheStoreAndReloadsKeepingTheStation) {
  StoreConfiguration();
  InvokeMenu("DeleteConfig1");
  EXPECT_FALSE(KeyExists(kNodraxKey));
  EXPECT_EQ(Form().Editbbsindicativo->Text(), "EA9ZZB");

  // With unsaved changes the reload asks; Yes stores the window again.
  StoreConfiguration();
  ConfigModified = true;
  dialogs.ExpectMessageBox("Nodraxcfg", "Configuration has changed. Save?",
                           MB_ICONQUESTION | MB_YESNOCANCEL, IDYES)
      .Then([] { EXPECT_FALSE(KeyExists(kNodraxKey)); });
  InvokeMenu("DeleteConfig1");
  EXPECT_EQ(Text(kConfigKey, "BbsCallsign"), "EA9ZZB.#CE.ESP.EURO");
}

TEST_F(ConfigFileTest, DeleteOfAKeyWithoutSubkeysOrOfNoKeyDoesNotReload) {
  ConfigModified = true;  // a reload would ask
  RemoveNodraxTree();
  WriteString(kNodraxKey, "Stray", "value");
  InvokeMenu("DeleteConfig1");
  EXPECT_FALSE(KeyExists(kNodraxKey));
  InvokeMenu("DeleteConfig1");
  EXPECT_FALSE(KeyExists(kNodraxKey));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ConfigFileTest, ImportPutsBackWhatTheSaveWritesAndTheFourBbsKeys) {
  StoreConfiguration();
  const TStoredTree expected = WithoutCarried(Dump());
  WriteString(kConfigKey, "NotRead", "x");
  WriteString("Software\\Nodrax\\Other", "Value", "x");
  const std::string file = File("full.zub");
  Export(file, ERROR_SUCCESS);
  StoreConfiguration("EB1XX");  // another configuration in the store and the window

  Import(file, ERROR_SUCCESS);
  EXPECT_EQ(WithoutCarried(Dump()), expected);
  ExpectCarriedOver(7, "C:\\Ring.wav", 40);
  EXPECT_EQ(Form().Editbbsindicativo->Text(), "EA9ZZB");
  EXPECT_FALSE(ConfigModified || RegistryLoading || Mounted());
  const TFileDialogRequest& asked = dialogs.Last(TDialogKind::OpenFile)->file;
  EXPECT_EQ(asked.title, "Opening Nodrax config file");
  EXPECT_EQ(asked.filter, "Nodrax config files(*.zub)|*.zub");
  EXPECT_EQ(asked.initialDir, "\\");
}

TEST_F(ConfigFileTest, ImportReadsTheOlderFolderKeyAndStartsEachImportEmpty) {
  StoreConfiguration();
  SaveHive(File("options.zub"));
  RemoveNodraxTree();
  WriteStrings(kConfigKey, {{"BbsCallsign", "EA9ZZB.#CE.ESP.EURO"}});
  const std::string older = std::string(kTestRoot) + "\\OldCfg";
  WriteStrings(kDirectoriesKey, {{"ZubRoot", kTestRoot}, {"System", older}});
  SaveHive(File("older.zub"));

  Import(File("options.zub"), ERROR_SUCCESS);
  ExpectCarriedOver(7, "C:\\Ring.wav", 40);
  Import(File("older.zub"), ERROR_SUCCESS);
  ExpectCarriedOver(0, "", 0);  // no Options in this file: zeros, not the last file's
  EXPECT_FALSE(KeyExists(kDirectoriesKey));
  EXPECT_EQ(Text(kFoldersKey, "Config"), older);
  EXPECT_EQ(Text(kFoldersKey, "ZubRoot"), kTestRoot);
}

TEST_F(ConfigFileTest, AFileThatCannotBeTakenChangesNothing) {
  StoreConfiguration();
  const TStoredTree before = Dump();
  // Unsaved changes: a delete would ask before its reload.
  auto import = [&](const std::string& file, std::optional<LONG> result,
                    const std::string& error) {
    ConfigModified = true;
    Import(file, result, error);
    EXPECT_EQ(Dump(), before) << file;
    EXPECT_FALSE(Mounted()) << file;
    EXPECT_TRUE(ConfigModified) << file;
    ConfigModified = false;
  };
  std::ofstream(File("text.zub")) << "[Nodrax]\r\nBbsCallsign=X1ABC\r\n";
  import(File("text.zub"), ERROR_NOT_REGISTRY_FILE, "");

  struct TBad { const char* key; const char* name; bool number; };
  for (const TBad& bad : {TBad{kConfigKey, "SSID", true},
                          TBad{"Software\\Nodrax\\Ports\\Port3", "Driver", true},
                          TBad{"Software\\Nodrax\\Options", "Gateway", false}}) {
    if (bad.number) WriteDword(bad.key, bad.name, 1); else WriteString(bad.key, bad.name, "1");
    const std::string file = File(std::string(bad.name) + ".zub");
    SaveHive(file);
    StoreConfiguration();
    import(file, std::nullopt, "Invalid data type for '" + std::string(bad.name) + "'");
  }
}

TEST_F(ConfigFileTest, WithoutThePrivilegesTheSysopSeesThePlatformsRefusal) {
  StoreConfiguration();
  const std::string file = File("kept.zub");
  SaveHive(file);
  // The privileges disabled in a token of this thread: enabling them in the
  // process's token, as the editor does, does not reach it.
  HANDLE process = nullptr, thread = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_DUPLICATE, &process));
  ASSERT_TRUE(DuplicateTokenEx(process, TOKEN_ALL_ACCESS, nullptr, SecurityImpersonation,
                               TokenImpersonation, &thread));
  for (const char* name : {SE_BACKUP_NAME, SE_RESTORE_NAME}) {
    TOKEN_PRIVILEGES disabled{1, {{{0, 0}, 0}}};
    ASSERT_TRUE(LookupPrivilegeValueA(nullptr, name, &disabled.Privileges[0].Luid));
    ASSERT_TRUE(AdjustTokenPrivileges(thread, FALSE, &disabled, 0, nullptr, nullptr));
  }
  ASSERT_TRUE(SetThreadToken(nullptr, thread));
  Export(File("new.zub"), ERROR_PRIVILEGE_NOT_HELD);
  Import(file, ERROR_PRIVILEGE_NOT_HELD);
  RevertToSelf();
  CloseHandle(thread);
  CloseHandle(process);
  EXPECT_FALSE(std::filesystem::exists(File("new.zub")));
  EXPECT_EQ(Text(kConfigKey, "BbsCallsign"), "EA9ZZB.#CE.ESP.EURO");
}
