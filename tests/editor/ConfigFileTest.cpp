// Export, deletion and import of the whole stored configuration, against
// the real registry and real hive files in a folder on C:.
#include <windows.h>
#include <commdlg.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "editor/config/Load.h"
#include "editor/config/RegistryKeys.h"
#include "platform/Application.h"
#include "platform/Registry.h"
#include "support/DialogAnswerer.h"
#include "support/LoadSaveFixture.h"

namespace {

const char kFolder[] = "C:\\NodraxTransfers";
const std::string kOptions = "Software\\Nodrax\\Options", kSysopCall = "Software\\Nodrax\\Sounds\\SysopCall",
                  kHouseKeeping = "Software\\Nodrax\\HouseKeeping";

class ConfigFileTest : public TransferFixture {
 protected:
  void SetUp() override {
    TransferFixture::SetUp();
    std::filesystem::remove_all(kFolder);
    std::filesystem::create_directory(kFolder);
    CreateEmptyConfig();
    OpenEditor();
  }
  void TearDown() override {
    TransferFixture::TearDown();
    for (const auto& entry : std::filesystem::directory_iterator(kFolder))
      SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(kFolder);
  }
  static std::string File(const std::string& name) { return std::string(kFolder) + "\\" + name; }
  static std::size_t FileCount() {
    return std::distance(std::filesystem::directory_iterator(kFolder), {});
  }

  // A configuration loaded, saved and shown, so that the store holds
  // exactly what the save writes; then some of the BBS's own values.
  void StoreConfiguration(const std::string& callsign = "EA9ZZB") {
    WriteStrings(kConfigKey, {{"BbsCallsign", callsign + ".#CE.ESP.EURO"}, {"Hroute", "OK"}});
    WriteStrings(kFoldersKey, {{"ZubRoot", kTestRoot}, {"UsersPub", "C:\\A,*,*,*,*,*,*,*"}});
    WriteStrings(Key(kServersKey, "WP"), {{"File", "WP.EXE"}, {"Description", "White pages"}});
    WriteStrings(Key(kPortsKey, "Port3"), {{"Driver", "TCP"}, {"BaudRate", "6300"}});
    CargaRegistro(Config());
    ASSERT_EQ(TSaveOutcome::Saved, SaveConfiguration(Config()).Outcome);
    Form().ShowConfiguration();
    for (const char* name : {"AskBeforeClose", "Gateway", "SysopRing"}) WriteDword(kOptions, name, 7);
    WriteString(kSysopCall, "File", "C:\\Ring.wav");
    WriteDword(kHouseKeeping, "MaxRetLines", 40);
  }
  // What the file held; each import starts from an empty record, and how
  // the record is read and written: tests/config/CarriedOverTest.cpp.
  static void ExpectCarriedOver(DWORD options, const std::string& file, DWORD lines) {
    for (const char* name : {"AskBeforeClose", "Gateway", "SysopRing"})
      EXPECT_EQ(ReadDword(kOptions, name), options) << name;
    EXPECT_EQ(ReadString(kSysopCall, "File"), file);
    EXPECT_EQ(ReadDword(kHouseKeeping, "MaxRetLines"), lines);
  }
  static TStoredTree WithoutCarried(TStoredTree tree) {
    for (const char* key : {"Options", "Sounds", "Sounds\\Connection", "Sounds\\SysopCall", "HouseKeeping"})
      tree.erase(key);
    return tree;
  }
  static void SaveHive(const std::string& file) {
    ASSERT_EQ(ERROR_SUCCESS, TRegistry().SaveKey(kNodraxKey, file));
  }
  // The command with its file dialog answered, then the box with the
  // platform's text for the result, or the application's error display.
  void Export(std::optional<std::string> file, std::optional<LONG> result = std::nullopt) {
    dialogs.ExpectSaveFile(std::move(file));
    if (result) dialogs.ExpectMessageBox("Nodraxcfg", SystemErrorMessage(*result), MB_OK, IDOK);
    InvokeMenu("ExportConfig1");
  }
  void Import(const std::string& file, std::optional<LONG> result, const std::string& error = "") {
    dialogs.ExpectOpenFile(file);
    if (result) dialogs.ExpectMessageBox("Import Config File", SystemErrorMessage(*result), MB_OK, IDOK);
    if (!error.empty()) dialogs.ExpectMessageBox(Application().Title, error, MB_ICONERROR | MB_OK, IDOK);
    InvokeMenu("ImportConfig1");
  }
};

}  // namespace

TEST_F(ConfigFileTest, ExportProposesTheCallsignInLowerCaseAndACancelDoesNothing) {
  for (const char* callsign : {"EA9ZZB", ""}) {
    Form().Page<TGeneralPage>().Editbbsindicativo->SetText(callsign);
    Export(TScriptedDialogs::Cancel);
    const TFileDialogRequest& asked = dialogs.Last(TDialogKind::SaveFile)->file;
    EXPECT_EQ(asked.fileName, *callsign ? "ea9zzb" : "");
    EXPECT_EQ(asked.title + asked.filter + asked.defaultExt + asked.initialDir,
              "Saving Nodrax config file" "Nodrax config files (*.zub)|*.zub" "zub" "\\");
    EXPECT_EQ(asked.flags, DWORD(OFN_EXPLORER | OFN_NOCHANGEDIR));
    dialogs.VerifyAndClear();  // and no message
  }
  EXPECT_EQ(FileCount(), 0u);
}

TEST_F(ConfigFileTest, ExportReplacesAReadOnlyFileWithTheStoredValuesOnlyWhenTheSaveSucceeds) {
  const std::string file = File("ea9zzb.zub");
  std::ofstream(file) << "old backup";
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  RemoveNodraxTree();  // nothing to save: the old file stays as it was
  Export(file, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(std::filesystem::file_size(file), 10u);
  EXPECT_TRUE(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_READONLY);

  StoreConfiguration();
  Form().Page<TGeneralPage>().Editbbsindicativo->SetText("EB1XX");  // not saved: not exported
  Export(file, ERROR_SUCCESS);
  EXPECT_EQ(GetFileAttributesA(file.c_str()), DWORD(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(FileCount(), 1u);
  ASSERT_EQ(ERROR_SUCCESS, TRegistry().LoadKey(kMount, file));
  EXPECT_EQ(ReadString("Nodrax\\Config", "BbsCallsign"), "EA9ZZB.#CE.ESP.EURO");
  EXPECT_EQ(ReadDword("Nodrax\\Options", "Gateway"), 7u);
}

TEST_F(ConfigFileTest, DeleteRemovesTheStoreAndReloadsOnlyWhenItHadKeys) {
  StoreConfiguration();
  Form().Page<TDisksPage>().Diskb->SetText("C:\\B");
  SetModified(true);  // asked before anything is deleted
  dialogs.ExpectMessageBox("Nodraxcfg", "Configuration has changed. Save?",
                           MB_ICONQUESTION | MB_YESNOCANCEL, IDNO)
      .Then([] { EXPECT_TRUE(KeyExists(kNodraxKey)); });
  InvokeMenu("DeleteConfig1");
  EXPECT_FALSE(KeyExists(kNodraxKey));
  EXPECT_EQ(Form().Page<TGeneralPage>().Editbbsindicativo->Text(), "EA9ZZB");  // station values stay shown
  EXPECT_EQ(Form().Page<TDisksPage>().Diskb->Text(), "");                      // the disks go
  StoreConfiguration();
  SetModified(true);
  AnswerMessage(IDYES);  // stores the window into the emptied store
  InvokeMenu("DeleteConfig1");
  EXPECT_EQ(Text(kConfigKey, "BbsCallsign"), "EA9ZZB.#CE.ESP.EURO");

  // A key of values alone, then no key: deleted, nothing reloaded or asked.
  SetModified(true);
  RemoveNodraxTree();
  WriteString(kNodraxKey, "Stray", "value");
  InvokeMenu("DeleteConfig1");
  InvokeMenu("DeleteConfig1");
  EXPECT_FALSE(KeyExists(kNodraxKey));
}

TEST_F(ConfigFileTest, ImportPutsBackWhatTheSaveWritesAndTheFourBbsKeys) {
  StoreConfiguration();
  const TStoredTree expected = WithoutCarried(Dump());
  WriteString(kConfigKey, "NotRead", "x");
  WriteString("Software\\Nodrax\\Other", "Value", "x");
  Export(File("full.zub"), ERROR_SUCCESS);
  StoreConfiguration("EB1XX");

  Import(File("full.zub"), ERROR_SUCCESS);
  EXPECT_EQ(WithoutCarried(Dump()), expected);
  ExpectCarriedOver(7, "C:\\Ring.wav", 40);
  EXPECT_EQ(Form().Page<TGeneralPage>().Editbbsindicativo->Text(), "EA9ZZB");
  EXPECT_FALSE(Modified() || Mounted());
  const TFileDialogRequest& asked = dialogs.Last(TDialogKind::OpenFile)->file;
  EXPECT_EQ(asked.title + asked.filter + asked.initialDir,
            "Opening Nodrax config file" "Nodrax config files(*.zub)|*.zub" "\\");
}

TEST_F(ConfigFileTest, ImportReadsTheOlderFolderKeyAndStartsEachImportEmpty) {
  StoreConfiguration();
  SaveHive(File("options.zub"));
  RemoveNodraxTree();
  const std::string older = std::string(kTestRoot) + "\\OldCfg";
  WriteStrings(kConfigKey, {{"BbsCallsign", "EA9ZZB.#CE.ESP.EURO"}});
  WriteStrings(kDirectoriesKey, {{"ZubRoot", kTestRoot}, {"System", older}});
  SaveHive(File("older.zub"));

  Import(File("options.zub"), ERROR_SUCCESS);
  ExpectCarriedOver(7, "C:\\Ring.wav", 40);
  Import(File("older.zub"), ERROR_SUCCESS);
  ExpectCarriedOver(0, "", 0);  // no Options in this file: zeros, not the last file's
  EXPECT_FALSE(KeyExists(kDirectoriesKey));
  EXPECT_EQ(Text(kFoldersKey, "Config"), older);
}

TEST_F(ConfigFileTest, AFileThatCannotBeTakenChangesNothing) {
  StoreConfiguration();
  const TStoredTree before = Dump();
  auto import = [&](const std::string& file, std::optional<LONG> result, const std::string& error) {
    SetModified(true);  // a delete would ask before its reload
    Import(file, result, error);
    EXPECT_EQ(Dump(), before) << file;
    EXPECT_FALSE(Mounted()) << file;
    SetModified(false);
  };
  std::ofstream(File("text.zub")) << "[Nodrax]\r\nBbsCallsign=X1ABC\r\n";
  import(File("text.zub"), ERROR_NOT_REGISTRY_FILE, "");

  struct TBad { const char* key; const char* name; bool number; };
  for (const TBad& bad : {TBad{kConfigKey, "SSID", true}, TBad{"Software\\Nodrax\\Ports\\Port3", "Driver", true},
                          TBad{kOptions.c_str(), "Gateway", false}}) {
    if (bad.number) WriteDword(bad.key, bad.name, 1); else WriteString(bad.key, bad.name, "1");
    SaveHive(File(std::string(bad.name) + ".zub"));
    StoreConfiguration();
    import(File(std::string(bad.name) + ".zub"), std::nullopt,
           "Invalid data type for '" + std::string(bad.name) + "'");
  }
  // The save would refuse such a file after the delete had emptied the store.
  for (const char* identity : {"X1ABC.", ".#CE.ESP.EURO"}) {
    WriteString(kConfigKey, "BbsCallsign", identity);
    SaveHive(File("identity.zub"));
    StoreConfiguration();
    dialogs.ExpectOpenFile(File("identity.zub"));
    dialogs.ExpectMessageBox("Import Config File",
                             std::string("This file gives the BBS no ") +
                                 (identity[0] == '.' ? "callsign" : "hierarchical route") +
                                 ": nothing was imported.",
                             MB_ICONWARNING | MB_OK, IDOK);
    InvokeMenu("ImportConfig1");
    EXPECT_EQ(Dump(), before) << identity;
    EXPECT_FALSE(Mounted()) << identity;
  }
}

TEST_F(ConfigFileTest, WithoutThePrivilegesTheSysopSeesThePlatformsRefusal) {
  StoreConfiguration();
  SaveHive(File("kept.zub"));
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
  Import(File("kept.zub"), ERROR_PRIVILEGE_NOT_HELD);
  RevertToSelf();
  CloseHandle(thread);
  CloseHandle(process);
  EXPECT_FALSE(std::filesystem::exists(File("new.zub")));
  EXPECT_EQ(Text(kConfigKey, "BbsCallsign"), "EA9ZZB.#CE.ESP.EURO");
}

// An import cut short while its file was mounted leaves the mount point
// taken: the next import unmounts it first. One that cannot be unmounted (a
// program holds it open) is named plainly, in a real box, and nothing is
// imported.
TEST_F(ConfigFileTest, AMountLeftByAnImportCutShortIsFreedOrNamedPlainly) {
  StoreConfiguration("EB1XX");
  SaveHive(File("other.zub"));
  StoreConfiguration();
  SaveHive(File("stale.zub"));
  ASSERT_EQ(ERROR_SUCCESS, TRegistry().LoadKey(kMount, File("stale.zub")));
  Import(File("other.zub"), ERROR_SUCCESS);
  EXPECT_EQ(Text(kConfigKey, "BbsCallsign"), "EB1XX.#CE.ESP.EURO");
  EXPECT_FALSE(Mounted());

  const TStoredTree before = Dump();
  ASSERT_EQ(ERROR_SUCCESS, TRegistry().LoadKey(kMount, File("stale.zub")));
  HKEY held = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMount, 0, KEY_READ, &held));
  {
    TRealMessageBoxes real(dialogs);
    TDialogsGuard installed(real);
    dialogs.ExpectOpenFile(File("other.zub"));
    TDialogAnswerer sysop("Import Config File", IDOK);
    InvokeMenu("ImportConfig1");
    sysop.Join();
    ASSERT_TRUE(sysop.Found());
    EXPECT_EQ(sysop.Seen().text,
              "HKEY_LOCAL_MACHINE\\Nodrax, the key where the import reads its file, is taken (an "
              "earlier import may have stopped while its file was there) and cannot be freed:\n" +
                  SystemErrorMessage(ERROR_ACCESS_DENIED) +
                  "\n\nNothing was imported. Close the programs that may look into that key, or "
                  "restart Windows, and try again.");
  }
  RegCloseKey(held);
  EXPECT_EQ(Dump(), before);
}
