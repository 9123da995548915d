// "Import old INIT.SRV" through the window, from real files on C:, and the
// start codes that import and then save and close.
#include <windows.h>
#include <commdlg.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "editor/config/Records.h"
#include "editor/transfer/Colores.h"
#include "support/LoadSaveFixture.h"

namespace {

const char kFolder[] = "C:\\NodraxInitSrv";

// A station file of an older installation, in the OEM code page, with
// comments, the separator and three servers; `lines` replaces lines by
// number.
std::string InitSrv(const std::map<int, std::string>& lines = {}) {
  std::map<int, std::string> station = {
      {1, "EA9ZZB.#CE.ESP.EURO"}, {2, "2"}, {3, "IM75JV"}, {4, "Ceuta"},
      {5, "C:\\NodraxTest\\BBS\\SYSTEM\\"}, {6, "C:\\NodraxTest\\Old\\MAIL"},
      {7, "C:\\NodraxTest\\Old\\BIN"}, {8, "C:\\ZUB\\A,*,*,*,*,*,*,*"},
      {9, "C:\\NodraxTest\\Old\\YAPP"}, {10, "C:\\NodraxTest\\Old\\DOCS"},
      {11, "Jos\x82 P\x82rez"}, {12, "EA9ZZC"}, {13, "******"}, {14, "C:\\ZUB\\IMPORT.TXT"},
      {16, "OK"}, {18, "OK"}, {19, "NO"}, {20, "OK 10"}, {21, "OK 3"}, {23, "OK"}, {24, "5"},
      {25, "3 0 1023"}, {26, "513"}, {28, "10 20"}, {29, "200 100"}, {31, "B5"},
      {32, "1000 900 800"}, {33, "[$c] ZUB$E $$:$R"}, {34, "10000"}, {35, "30"},
      {37, "EA9ZZB.#CE.ESP.EURO"}, {38, "51001"}, {39, "5 10 AP"}, {45, "16"}, {50, "15"},
      {51, "14"}, {52, "10"}, {53, "11"}, {54, "7"}, {55, "12"}};
  for (const auto& [n, text] : lines) station[n] = text;
  std::string file = "# Init.srv of EA9ZZB\r\n";
  for (int n = 1; n <= 56; ++n) file += station[n] + "\r\n";
  return file + "# servers -- below\r\nWP WP.EXE White pages server\r\n# off\r\n"
                "FWD FWD.EXE  Forwarding\r\nCHAT CHAT.EXE Chat";  // no line end at the end
}

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

TEST_F(InitSrvImportTest, FillsTheWindowAndTheServersAndStoresNothing) {
  CreateEmptyConfig();
  OpenEditor();
  TForm1& f = Form();
  f.Desactivado1->SetChecked(true);  // a number on line 24 leaves it
  ConfigModified = false;
  const TStoredTree before = Dump();
  Import(Write(InitSrv()));

  const TFileDialogRequest asked = OpenRequests().back();
  EXPECT_EQ(asked.title, "Open Init.srv File");
  EXPECT_EQ(asked.filter, "Init.srv|*.srv");
  EXPECT_EQ(asked.initialDir, ".");
  EXPECT_EQ(asked.flags, DWORD(OFN_EXPLORER));
  ExpectTexts({{f.Editbbsindicativo, "EA9ZZB"}, {f.Edithroute, "#CE.ESP.EURO"},
               {f.Editssid, "2"}, {f.Editciudad, "Ceuta"}, {f.Editsysopnombre, "Jos\xe9 P\xe9rez"},
               {f.Sysopmessage, ""}, {f.Directorioraiz, kTestRoot},
               {f.Directoriodata, std::string(kTestRoot) + "\\Data"},
               {f.Directoriomensajes, "C:\\NodraxTest\\Old\\MAIL"},
               {f.Directoriodocs, "C:\\NodraxTest\\Old\\DOCS"},
               {f.Ficheroimport, "C:\\ZUB\\IMPORT.TXT"}, {f.Diska, "C:\\ZUB\\A"}, {f.Diskc, ""},
               {f.Editbackui, "5"}, {f.Editdelayui, "10"}, {f.Indicativosbaliza, "5"},
               {f.timeoutusuarios, "10"}, {f.Timeoutforward, "20"}, {f.modemmax, "100"},
               {f.bufermonitor, "800"}, {f.Numerobid, "10000"}, {f.Codpostal, "51001"}});
  EXPECT_STREQ(ConfigRecord->Mail, "C:\\NodraxTest\\Old\\MAIL");
  ExpectChecked(true, {f.Log, f.Indicacioncanales, f.Datosusuario, f.Forwardzub, f.Mbl,
                       f.Caracterh, f.Compressforward, f.Resume, f.Xprotocol, f.Excluido1,
                       f.Experto1, f.Desactivado1, f.Menos1mega, f.Held, f.Mailbeacon,
                       f.Ackui, f.Userui, f.Todosmensajesuser, f.Borramensajesuser,
                       f.Specialsys});
  ExpectChecked(false, {f.Modotest, f.Local1, f.Pms1, f.Reject, f.Privateui, f.Tituloui,
                        f.Todosmensajessysop, f.Caractercabecera});
  EXPECT_EQ(f.Sendtext->FontColor(), RGB(255, 255, 255));
  EXPECT_EQ(f.Chaninfo->FontColor(), RGB(255, 0, 0));
  EXPECT_EQ(f.Consoletext->Color(), kButtonFaceColour);
  EXPECT_EQ(f.Panel1->Color(), kButtonFaceColour);

  ASSERT_EQ(ServerCount, 3);
  ASSERT_EQ(f.ListBox1->ItemCount(), 3);
  EXPECT_EQ(f.ListBox1->Item(0) + f.ListBox1->Item(2), "WPCHAT");
  EXPECT_STREQ(ServerTable[1].Name, "FWD");
  EXPECT_STREQ(ServerTable[1].Description, "Forwarding");
  EXPECT_STREQ(ServerTable[2].File, "CHAT.EXE");
  EXPECT_STREQ(ServerTable[2].Disabled, "false");
  EXPECT_TRUE(ConfigModified);
  EXPECT_EQ(Dump(), before);
}

TEST_F(InitSrvImportTest, ACancelOrAFileThatCannotBeOpenedChangesNothing) {
  CreateEmptyConfig();
  OpenEditor();
  Import(TScriptedDialogs::Cancel);
  Import(std::string(kFolder) + "\\Missing.srv");
  EXPECT_EQ(Form().Editbbsindicativo->Text(), "");
  EXPECT_FALSE(ConfigModified);

  // Line 24 "0" disables the first-connection options.
  Form().Local1->SetChecked(true);
  // A disk line naming A alone leaves the other disks as the root set them.
  Import(Write(InitSrv({{24, "0"}, {45, "0"}, {8, "C:\\ZUB\\A"}})));
  ExpectTexts({{Form().Diska, "C:\\ZUB\\A"}, {Form().Diskc, std::string(kTestRoot) + "\\UsersPub"}});
  ExpectChecked(true, {Form().Desactivado1});
  ExpectChecked(false, {Form().Local1, Form().Excluido1});
  EXPECT_EQ(Form().Panel1->Color(), RGB(0, 0, 0));
}

TEST_F(InitSrvImportTest, StartCode21ImportsSavesAndCloses) {
  CommandTail = "21";
  AnswerOpenFile(Write(InitSrv()));
  OpenEditor();
  EXPECT_FALSE(EditorOpen());
  EXPECT_EQ(Text(kConfigKey, "BbsCallsign"), "EA9ZZB.#CE.ESP.EURO");
  EXPECT_EQ(Text(kFoldersKey, "Mail"), "C:\\NodraxTest\\Old\\MAIL");
  EXPECT_EQ(Text(Key(kServersKey, "WP"), "File"), "WP.EXE");
  EXPECT_EQ(Text(Key(kServersKey, "CHAT"), "Description"), "Chat");
}

TEST_F(InitSrvImportTest, StartCode23ImportsTheStationFileThenThePortsFile) {
  CommandTail = "23";
  AnswerOpenFile(Write(InitSrv()));
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
