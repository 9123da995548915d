// "Import old INIT.SRV" through the window, from real files on C:, and the
// start codes that import and then save and close.
#include <windows.h>
#include <commdlg.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "config/InitSrvFile.h"
#include "editor/transfer/Colores.h"
#include "support/LoadSaveFixture.h"

namespace {

const char kFolder[] = "C:\\NodraxInitSrv";

class InitSrvImportTest : public LoadSaveFixture {
 protected:
  void SetUp() override {
    LoadSaveFixture::SetUp();
    std::filesystem::remove_all(kFolder);
    std::filesystem::create_directory(kFolder);
  }
  void TearDown() override {
    LoadSaveFixture::TearDown();
    std::filesystem::remove_all(kFolder);
  }
  static std::string Write(const std::string& contents, const std::string& name = "Init.srv") {
    const std::string path = std::string(kFolder) + "\\" + name;
    std::ofstream(path, std::ios::binary) << contents;
    return path;
  }
  void Import(std::optional<std::string> path) {
    AnswerOpenFile(std::move(path));
    InvokeMenu("Menuimport");
  }
};

}  // namespace

// The command reads the file in the OEM code page, shows what it filled
// on every page built, the servers in the list, and stores nothing. What
// each line fills: tests/config/InitSrvFillTest.cpp.
TEST_F(InitSrvImportTest, ShowsTheFileAndTheServersAndStoresNothing) {
  CreateEmptyConfig();
  OpenEditor();
  TForm1& f = Form();
  f.Page<TUnprotoPage>();  // built before the import, shown again by it
  SetModified(false);
  const TStoredTree before = Dump();
  Import(Write(InitSrvFile()));

  const TFileDialogRequest asked = OpenRequests().back();
  EXPECT_EQ(asked.title, "Open Init.srv File");
  EXPECT_EQ(asked.filter, "Init.srv|*.srv");
  EXPECT_EQ(asked.initialDir, ".");
  EXPECT_EQ(asked.flags, DWORD(OFN_EXPLORER));
  ExpectTexts({{f.Page<TGeneralPage>().Editbbsindicativo, "EA9ZZB"}, {f.Page<TGeneralPage>().Editsysopnombre, "Jos\xe9 P\xe9rez"},
               {f.Page<TUnprotoPage>().Editbackui, "5"}, {f.Page<TFoldersPage>().Directorioraiz, kTestRoot}});
  ExpectChecked(true, {f.Page<TUnprotoPage>().Ackui, f.Page<TForwardingPage>().Mbl});
  EXPECT_EQ(f.Page<TColoursPage>().Sendtext->FontColor(), RGB(255, 255, 255));
  EXPECT_EQ(f.Page<TColoursPage>().Consoletext->Color(), kButtonFaceColour);
  EXPECT_EQ(f.Page<TColoursPage>().Panel1->Color(), kButtonFaceColour);
  ASSERT_EQ(f.Page<TServersPage>().ListBox1->ItemCount(), 3);
  EXPECT_EQ(f.Page<TServersPage>().ListBox1->Item(0) + f.Page<TServersPage>().ListBox1->Item(2), "WPCHAT");
  EXPECT_TRUE(Modified());
  EXPECT_EQ(Dump(), before);
}

TEST_F(InitSrvImportTest, ACancelOrAFileThatCannotBeOpenedChangesNothing) {
  CreateEmptyConfig();
  OpenEditor();
  Import(TScriptedDialogs::Cancel);
  Import(std::string(kFolder) + "\\Missing.srv");
  EXPECT_EQ(Form().Page<TGeneralPage>().Editbbsindicativo->Text(), "");
  EXPECT_EQ(Config().Texts.Editbbsindicativo, "");
  EXPECT_FALSE(Modified());
}

TEST_F(InitSrvImportTest, StartCode21ImportsSavesAndCloses) {
  CommandTail = "21";
  AnswerOpenFile(Write(InitSrvFile()));
  OpenEditor();
  EXPECT_FALSE(EditorOpen());
  EXPECT_EQ(Text(kConfigKey, "BbsCallsign"), "EA9ZZB.#CE.ESP.EURO");
  EXPECT_EQ(Text(kFoldersKey, "Mail"), "C:\\NodraxTest\\Old\\MAIL");
  EXPECT_EQ(Text(Key(kServersKey, "WP"), "File"), "WP.EXE");
  EXPECT_EQ(Text(Key(kServersKey, "CHAT"), "Description"), "Chat");
}

TEST_F(InitSrvImportTest, StartCode23ImportsTheStationFileThenThePortsFile) {
  CommandTail = "23";
  AnswerOpenFile(Write(InitSrvFile()));
  AnswerOpenFile(Write("1 TCP 0 8000 x\n2 4 1 0 250 4 2 50 00/30 G Net\n", "ports.sys"));
  OpenEditor();
  EXPECT_FALSE(EditorOpen());
  EXPECT_EQ(OpenRequests().front().title, "Open Init.srv File");
  EXPECT_EQ(Text(kConfigKey, "BbsCallsign"), "EA9ZZB.#CE.ESP.EURO");
  EXPECT_EQ(Text(Key(kPortsKey, "Port2"), "BaudRate"), "8000");
}

TEST_F(InitSrvImportTest, AStartCodeWhoseDialogIsCancelledStillSavesAndCloses) {
  WriteStrings(kConfigKey, {{"BbsCallsign", "EA9ZZB.#CE.ESP.EURO"}});
  WriteStrings(kFoldersKey, {{"ZubRoot", kTestRoot}});
  CommandTail = "21";
  AnswerOpenFile(TScriptedDialogs::Cancel);
  OpenEditor();
  EXPECT_FALSE(EditorOpen());
  EXPECT_EQ(Text(kConfigKey, "SSID"), "0");  // written by the save
}
