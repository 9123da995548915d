// The commands that replace the stored tree, with the window's changes
// pending and its port and server pages never opened, and "Restore Backup",
// which puts a file back whole. Real registry, real hive files on C:.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editor/config/RegistryKeys.h"
#include "platform/Registry.h"
#include "support/LoadSaveFixture.h"

namespace {

namespace fs = std::filesystem;

// Beside the test folder, which each row empties with its backups.
const char kFiles[] = "C:\\NodraxReplace";
const char kBackups[] = "C:\\NodraxTest\\BBS\\Backup";
const char kAsk[] = "Configuration has changed. Save?";

class ReplaceTest : public TransferFixture {
 protected:
  void SetUp() override {
    TransferFixture::SetUp();
    fs::remove_all(kFiles);
    fs::create_directories(kFiles);
  }
  void TearDown() override {
    TransferFixture::TearDown();
    fs::remove_all(kFiles);
  }
  static std::string File(const char* name) { return std::string(kFiles) + "\\" + name; }
  // A station with three ports and three servers, as the BBS keeps it.
  static void StoreStation(const std::string& callsign) {
    RemoveNodraxTree();
    WriteStrings(kConfigKey, {{"BbsCallsign", callsign + ".#CE.ESP.EURO"}, {"Hroute", "OK"}});
    WriteStrings(kFoldersKey, {{"ZubRoot", kTestRoot}});
    for (const char* port : {"Port1", "Port2", "Port3"})
      WriteStrings(Key(kPortsKey, port), {{"Driver", "TCP"}, {"Name", callsign + port}});
    for (const char* server : {"WP", "FWD", "MAIL"})
      WriteStrings(Key(kServersKey, callsign + server), {{"File", std::string(server) + ".EXE"}});
  }
  // The editor started on the station, an edit typed, its port and server
  // pages never opened unless asked.
  void StartAndEdit(bool openTablePages) {
    DestroyEditor();
    // A new start: a new configuration, as the process entry makes it.
    NewDocument();
    SetModified(false);
    OpenEditor();
    if (openTablePages) {
      Form().Page<TServersPage>();
      Form().Page<TPortsPage>();
    }
    Type(Form().Page<TGeneralPage>().Editciudad, "X");
    ASSERT_TRUE(Modified());
  }
  static std::vector<std::string> Backups() {
    std::vector<std::string> names;
    if (fs::is_directory(kBackups))
      for (const auto& entry : fs::directory_iterator(kBackups)) names.push_back(entry.path().string());
    return names;
  }
};

}  // namespace

// With an edit pending the question comes before anything is deleted:
// Cancel changes nothing and takes no backup; Yes and No store what the
// commands always stored, every port and server of the window with them,
// whether or not their pages were ever opened.
TEST_F(ReplaceTest, ChangesAreAskedAboutFirstAndEveryTableIsKept) {
  struct TRow { const char* command; int answer; };
  for (const TRow row : {TRow{"DeleteConfig1", IDCANCEL}, TRow{"ImportConfig1", IDCANCEL},
                         TRow{"DeleteConfig1", IDYES}, TRow{"DeleteConfig1", IDNO},
                         TRow{"ImportConfig1", IDYES}, TRow{"ImportConfig1", IDNO}}) {
    SCOPED_TRACE(std::string(row.command) + ", answer " + std::to_string(row.answer));
    const bool import = std::string(row.command) == "ImportConfig1";
    TStoredTree stored[2];
    for (const bool opened : {false, true}) {
      SCOPED_TRACE(opened ? "pages opened" : "pages never opened");
      RemoveTestFolder();
      StoreStation("EA9ZZB");
      StartAndEdit(opened);
      const TStoredTree before = Dump();
      if (import) {
        StoreStation("EB1XX");
        ASSERT_EQ(ERROR_SUCCESS, TRegistry().SaveKey(kNodraxKey, File("other.zub")));
        StoreStation("EA9ZZB");
        dialogs.ExpectOpenFile(File("other.zub"));
      }
      dialogs.ExpectMessageBox("Nodraxcfg", kAsk, MB_ICONQUESTION | MB_YESNOCANCEL, row.answer)
          .Then([&] { EXPECT_EQ(Dump(), before); });
      if (import && row.answer != IDCANCEL)
        dialogs.ExpectMessageBox("Import Config File", SystemErrorMessage(ERROR_SUCCESS), MB_OK, IDOK);
      InvokeMenu(row.command);
      dialogs.VerifyAndClear();
      stored[opened] = Dump();
      if (row.answer == IDCANCEL) {
        EXPECT_EQ(Dump(), before);
        EXPECT_TRUE(Backups().empty());
        EXPECT_TRUE(Modified());
        EXPECT_EQ(Form().Page<TGeneralPage>().Editciudad->Text(), "X");
        continue;
      }
      EXPECT_EQ(Backups().size(), 1u);
      if (!import && row.answer == IDNO) {
        EXPECT_FALSE(KeyExists(kNodraxKey));
        continue;
      }
      // The window's tables went back into the store (Yes), or the file's
      // came in (the import).
      for (const char* port : {"Port1", "Port2", "Port3"})
        EXPECT_TRUE(KeyExists(Key(kPortsKey, port))) << port;
      for (const char* server : {"WP", "FWD", "MAIL"}) {
        const std::string window = std::string("EA9ZZB") + server, file = std::string("EB1XX") + server;
        EXPECT_EQ(KeyExists(Key(kServersKey, window)), row.answer == IDYES) << window;
        EXPECT_EQ(KeyExists(Key(kServersKey, file)), import) << file;
      }
    }
    EXPECT_EQ(stored[false], stored[true]);
  }
}

// A restore makes the store exactly the file's tree, whatever it holds,
// backs up what it replaces and shows and announces the result; No, or a
// file that is no configuration file, changes nothing.
TEST_F(ReplaceTest, RestorePutsTheFileBackWholeAndBacksUpWhatItReplaces) {
  StoreStation("EB1XX");
  WriteRaw("Software\\Nodrax\\Config", "Fields", REG_DWORD, std::string("\x2A\0\0\0", 4));
  WriteRaw("Software\\Nodrax\\Options", "Blob", REG_BINARY, std::string("\0\x01\xFF", 3));
  WriteRaw("Software\\Nodrax\\Other\\Deep", "Lines", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
  WriteRaw("Software\\Nodrax\\Other", "Path", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9));
  WriteRaw("Software\\Nodrax", "AtTheRoot", REG_SZ, std::string("yes\0", 4));
  // The older folder key, which a load would carry over with a save.
  WriteRaw("Software\\Nodrax\\Directories", "ZubRoot", REG_SZ, std::string("C:\\Old\0", 7));
  const TStoredTree file = Dump();
  ASSERT_EQ(ERROR_SUCCESS, TRegistry().SaveKey(kNodraxKey, File("backup.zub")));
  std::ofstream(File("text.zub")) << "not a hive";

  struct TRow { const char* file; int answer; bool restored; };
  for (const TRow row : {TRow{"backup.zub", IDNO, false}, TRow{"text.zub", IDYES, false},
                         TRow{"backup.zub", IDYES, true}}) {
    SCOPED_TRACE(std::string(row.file) + ", answer " + std::to_string(row.answer));
    StoreStation("EA9ZZB");
    WriteString("Software\\Nodrax\\Mine", "Kept", "only here");
    RemoveTestFolder();
    DestroyEditor();
    SetModified(false);
    OpenEditor();
    const TStoredTree before = Dump();
    TNotifyCounter notified;
    dialogs.ExpectOpenFile(File(row.file));
    dialogs.ExpectMessageBoxContaining("Nodraxcfg", File(row.file), MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2,
                                       row.answer);
    if (row.answer == IDYES && !row.restored)
      dialogs.ExpectMessageBoxContaining("Nodraxcfg", "cannot be restored", MB_ICONWARNING | MB_OK, IDOK);
    InvokeMenu("RestoreBackup1");
    ASSERT_NE(dialogs.Last(TDialogKind::OpenFile), nullptr);
    EXPECT_EQ(dialogs.Last(TDialogKind::OpenFile)->file.title, "Restoring Nodrax backup");
    EXPECT_EQ(dialogs.Last(TDialogKind::OpenFile)->file.initialDir, kBackups);
    dialogs.VerifyAndClear();
    EXPECT_FALSE(Mounted());
    if (!row.restored) {
      EXPECT_EQ(Dump(), before);
      EXPECT_TRUE(Backups().empty());
      continue;
    }
    EXPECT_EQ(Dump(), file);  // byte for byte, and nothing of the tree it replaced
    EXPECT_EQ(Form().Page<TGeneralPage>().Editbbsindicativo->Text(), "EB1XX");
    EXPECT_FALSE(Modified());
    EXPECT_GT(notified.Count(), 0);
    // The tree it replaced is in the backup, so that the restore can be undone.
    ASSERT_EQ(Backups().size(), 1u);
    ASSERT_EQ(ERROR_SUCCESS, TRegistry().LoadKey(kMount, Backups()[0]));
    EXPECT_EQ(Dump(kMount), before);
    TRegistry().UnLoadKey(kMount);
  }
}
