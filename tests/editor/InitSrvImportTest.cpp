// "Import old INIT.SRV" through the window, from real files on C:, and the
// start codes that import and then save and close.
#include <windows.h>
#include <commdlg.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "editor/config/Configuration.h"
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
  f.FirstConnection().Desactivado1->SetChecked(true);  // a number on line 24 leaves it
  ConfigModified = false;
  const TStoredTree before = Dump();
  Import(Write(InitSrv()));

  const TFileDialogRequest asked = OpenRequests().back();
  EXPECT_EQ(asked.title, "Open Init.srv File");
  EXPECT_EQ(asked.filter, "Init.srv|*.srv");
  EXPECT_EQ(asked.initialDir, ".");
  EXPECT_EQ(asked.flags, DWORD(OFN_EXPLORER));
  ExpectTexts({{f.General().Editbbsindicativo, "EA9ZZB"}, {f.General().Edithroute, "#CE.ESP.EURO"},
               {f.General().Editssid, "2"}, {f.General().Editciudad, "Ceuta"}, {f.General().Editsysopnombre, "Jos\xe9 P\xe9rez"},
               {f.Miscellaneous1().Sysopmessage, ""}, {f.Folders().Directorioraiz, kTestRoot},
               {f.Folders().Directoriodata, std::string(kTestRoot) + "\\Data"},
               {f.Folders().Directoriomensajes, "C:\\NodraxTest\\Old\\MAIL"},
               {f.Folders().Directoriodocs, "C:\\NodraxTest\\Old\\DOCS"},
               {f.Folders().Ficheroimport, "C:\\ZUB\\IMPORT.TXT"}, {f.Disks().Diska, "C:\\ZUB\\A"}, {f.Disks().Diskc, ""},
               {f.Unproto().Editbackui, "5"}, {f.Unproto().Editdelayui, "10"}, {f.Miscellaneous1().Indicativosbaliza, "5"},
               {f.Miscellaneous2().timeoutusuarios, "10"}, {f.Miscellaneous2().Timeoutforward, "20"}, {f.Miscellaneous2().modemmax, "100"},
               {f.Miscellaneous2().bufermonitor, "800"}, {f.Miscellaneous1().Numerobid, "10000"}, {f.General().Codpostal, "51001"}});
  EXPECT_STREQ(Configuration->ConfigRecord.Mail, "C:\\NodraxTest\\Old\\MAIL");
  ExpectChecked(true, {f.Miscellaneous1().Log, f.Miscellaneous1().Indicacioncanales, f.Miscellaneous1().Datosusuario, f.Forwarding().Forwardzub, f.Forwarding().Mbl,
                       f.Forwarding().Caracterh, f.Forwarding().Compressforward, f.Forwarding().Resume, f.Forwarding().Xprotocol, f.FirstConnection().Excluido1,
                       f.FirstConnection().Experto1, f.FirstConnection().Desactivado1, f.Warnings().Menos1mega, f.Warnings().Held, f.Miscellaneous1().Mailbeacon,
                       f.Unproto().Ackui, f.Unproto().Userui, f.Security().Todosmensajesuser, f.Security().Borramensajesuser,
                       f.Security().Specialsys});
  ExpectChecked(false, {f.Miscellaneous1().Modotest, f.FirstConnection().Local1, f.FirstConnection().Pms1, f.Warnings().Reject, f.Unproto().Privateui, f.Unproto().Tituloui,
                        f.Security().Todosmensajessysop, f.Forwarding().Caractercabecera});
  EXPECT_EQ(f.Colours().Sendtext->FontColor(), RGB(255, 255, 255));
  EXPECT_EQ(f.Colours().Chaninfo->FontColor(), RGB(255, 0, 0));
  EXPECT_EQ(f.Colours().Consoletext->Color(), kButtonFaceColour);
  EXPECT_EQ(f.Colours().Panel1->Color(), kButtonFaceColour);

  ASSERT_EQ(Configuration->ServerCount, 3);
  ASSERT_EQ(f.Servers().ListBox1->ItemCount(), 3);
  EXPECT_EQ(f.Servers().ListBox1->Item(0) + f.Servers().ListBox1->Item(2), "WPCHAT");
  EXPECT_STREQ(Configuration->ServerTable[1].Name, "FWD");
  EXPECT_STREQ(Configuration->ServerTable[1].Description, "Forwarding");
  EXPECT_STREQ(Configuration->ServerTable[2].File, "CHAT.EXE");
  EXPECT_STREQ(Configuration->ServerTable[2].Disabled, "false");
  EXPECT_TRUE(ConfigModified);
  EXPECT_EQ(Dump(), before);
}

TEST_F(InitSrvImportTest, ACancelOrAFileThatCannotBeOpenedChangesNothing) {
  CreateEmptyConfig();
  OpenEditor();
  Import(TScriptedDialogs::Cancel);
  Import(std::string(kFolder) + "\\Missing.srv");
  EXPECT_EQ(Form().General().Editbbsindicativo->Text(), "");
  EXPECT_FALSE(ConfigModified);

  // Line 24 "0" disables the first-connection options.
  Form().FirstConnection().Local1->SetChecked(true);
  // A disk line naming A alone leaves the other disks as the root set them.
  Import(Write(InitSrv({{24, "0"}, {45, "0"}, {8, "C:\\ZUB\\A"}})));
  ExpectTexts({{Form().Disks().Diska, "C:\\ZUB\\A"}, {Form().Disks().Diskc, std::string(kTestRoot) + "\\UsersPub"}});
  ExpectChecked(true, {Form().FirstConnection().Desactivado1});
  ExpectChecked(false, {Form().FirstConnection().Local1, Form().FirstConnection().Excluido1});
  EXPECT_EQ(Form().Colours().Panel1->Color(), RGB(0, 0, 0));
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
