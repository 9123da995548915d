// The save command of the window: the warning of a refused or failed save
// and the field it shows, the notification of a saved one, the close and
// reload questions that save. What the save stores: tests/config/SaveTest.cpp.
#include <fstream>
#include <string>

#include "platform/Registry.h"
#include "support/LoadSaveFixture.h"

namespace {

class SaveTest : public LoadSaveFixture {
 protected:
  void SetUp() override {
    LoadSaveFixture::SetUp();
    CreateEmptyConfig();
    OpenEditor();
  }
  void SetIdentity() {
    Form().Page<TGeneralPage>().Editbbsindicativo->SetText("X1ABC");
    Form().Page<TGeneralPage>().Edithroute->SetText("ABC.XX.EU");
  }
  void Save() { InvokeMenu("Menusave"); }
  static std::string Config(const std::string& name) { return Text(kConfigKey, name); }
  // A refused or failed save keeps the changes and tells no other program.
  static void ExpectNotSaved(TNotifyCounter& notified) {
    EXPECT_TRUE(Modified());
    EXPECT_EQ(0, notified.Count());
  }
  // Every box of a refused or failed save is the same warning.
  static void ExpectWarning(const TAskedMessage& m, std::initializer_list<std::string> parts) {
    EXPECT_EQ("Nodraxcfg", m.caption) << m.text;
    EXPECT_EQ(static_cast<UINT>(MB_ICONWARNING), m.type & MB_ICONMASK) << m.text;
    for (const std::string& part : parts) EXPECT_NE(std::string::npos, m.text.find(part)) << m.text;
  }
};

TEST_F(SaveTest, AMissingCallsignOrRouteRefusesTheSave) {
  SetModified(true);
  TNotifyCounter notified;
  Form().Pagina->SetActivePage(Form().FindSheet("Hojacolores"));
  AnswerMessage(IDOK);
  EXPECT_FALSE(Form().Save());
  ASSERT_EQ(1u, Messages().size());
  EXPECT_EQ("BBS must have a Callsign", Messages()[0].text);
  ExpectWarning(Messages()[0], {});
  EXPECT_EQ("Hojageneral", ActivePageName());
  EXPECT_EQ("Editbbsindicativo", FocusedName());
  ExpectNotSaved(notified);

  Form().Page<TGeneralPage>().Editbbsindicativo->SetText("X1ABC");
  Form().Pagina->SetActivePage(Form().FindSheet("Hojacolores"));
  AnswerMessage(IDOK);
  Save();
  ASSERT_EQ(2u, Messages().size());
  EXPECT_EQ("BBS must have Hierarcical Route ", Messages()[1].text);
  EXPECT_EQ("Hojageneral", ActivePageName());
  EXPECT_EQ("Edithroute", FocusedName());
  ExpectWarning(Messages()[1], {});
  ExpectNotSaved(notified);
}

TEST_F(SaveTest, ASuccessfulSavePostsTheNotificationWithZeroParametersToEveryProcess) {
  SetIdentity();
  SetModified(true);
  const std::string result = std::string(kTestFolder) + "\\notified.txt";
  CreateDirectoryA(kTestFolder, nullptr);
  TNotifyListener listener(result, 20000);
  ASSERT_TRUE(listener.Started());
  TNotifyCounter notified;
  EXPECT_TRUE(Form().Save());
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(Modified());
  EXPECT_EQ(0, notified.Seen());  // posted, not sent
  EXPECT_EQ(1, notified.Count());
  EXPECT_EQ(0u, notified.LastW());
  EXPECT_EQ(0, notified.LastL());
  // A top-level window of another process hears it too.
  EXPECT_EQ(0u, listener.ExitCode());
  std::ifstream in(result);
  ASSERT_TRUE(in.is_open()) << result;
  std::string text;
  std::getline(in, text);
  EXPECT_EQ("0 0", text);
}

// The save's failure text, whatever failed, is one warning; the changes
// stay marked, nobody is told, and a close that saved stays open.
TEST_F(SaveTest, AFailedWriteIsReportedAndKeepsTheChanges) {
  TForm1& f = Form();
  SetIdentity();
  f.Page<TFoldersPage>().Directorioraiz->SetText(kTestRoot);
  auto saveFails = [&](std::initializer_list<std::string> parts) {
    SetModified(true);
    TNotifyCounter notified;
    AnswerMessage(IDOK);
    const std::size_t before = Messages().size();
    EXPECT_FALSE(f.Save());
    ASSERT_EQ(before + 1, Messages().size());
    ExpectWarning(Messages().back(), parts);
    ExpectNotSaved(notified);
  };
  // A disk folder that UsersPub cannot hold...
  f.Page<TDisksPage>().Diska->SetText("A:\\one,two");
  saveFails({"Software\\Nodrax\\Folders"});
  // ...and a key the registry refuses to write.
  f.Page<TDisksPage>().Diska->SetText("A:\\one");
  Deny(kConfigKey, KEY_SET_VALUE);
  const std::string denied = "HKEY_LOCAL_MACHINE\\Software\\Nodrax\\Config";
  saveFails({denied, SystemErrorMessage(ERROR_ACCESS_DENIED)});

  AnswerMessage(IDYES);  // "Save Configuration?"
  AnswerMessage(IDOK);   // the failure
  EXPECT_FALSE(RequestClose());
  ASSERT_EQ(4u, Messages().size());
  EXPECT_EQ("Save Configuration?", Messages()[2].text);
  ExpectWarning(Messages()[3], {denied});
  EXPECT_TRUE(EditorOpen());
  EXPECT_TRUE(Modified());
}

TEST_F(SaveTest, EnterInTheLastFieldSavesAfterTheQuestion) {
  SetIdentity();
  SetModified(true);
  AnswerMessage(IDYES);
  PressEnter(Form().Page<TMiscellaneous2Page>().bufermonitor);
  ASSERT_EQ(1u, Messages().size());
  EXPECT_EQ("Save Configuration?", Messages()[0].text);
  EXPECT_FALSE(Modified());
  EXPECT_EQ("X1ABC.ABC.XX.EU", Config("BbsCallsign"));
}

TEST_F(SaveTest, ReloadAnsweredYesSavesFirstThenLoadsWhatWasSaved) {
  SetIdentity();
  Form().Page<TGeneralPage>().Editciudad->SetText("Saved");
  SetModified(true);
  AnswerMessage(IDYES);
  InvokeMenu("ReloadRegistry1");
  ASSERT_EQ(1u, Messages().size());
  EXPECT_EQ("Configuration has changed. Save?", Messages()[0].text);
  EXPECT_EQ("Saved", Config("Qth"));
  EXPECT_EQ("Saved", Form().Page<TGeneralPage>().Editciudad->Text());
  EXPECT_TRUE(Form().Page<TMiscellaneous1Page>().Datosusuario->Checked());  // from Hroute "OK"
  EXPECT_FALSE(Modified());
}

}  // namespace
