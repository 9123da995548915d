// The first run in the window: without a stored configuration the window
// shows the defaults and marks them unsaved; with one (even an empty one)
// nothing is applied. The defaults themselves: tests/config/FirstRunTest.cpp.
#include <string>

#include "support/LoadSaveFixture.h"

namespace {

using FirstRunTest = LoadSaveFixture;

TEST_F(FirstRunTest, WithoutAStoredConfigurationTheWindowShowsTheDefaultsAndAsksToSaveThem) {
  OpenEditor();
  EXPECT_TRUE(Modified());
  EXPECT_TRUE(Dump().empty());
  const TStationTexts& t = Config().Texts;
  ASSERT_FALSE(t.Editbbsindicativo.empty());
  TForm1& f = Form();
  ExpectTexts({{f.Page<TGeneralPage>().Editbbsindicativo, t.Editbbsindicativo},
               {f.Page<TGeneralPage>().Edithroute, t.Edithroute}, {f.Page<TGeneralPage>().Editssid, "2"},
               {f.Page<TFoldersPage>().Directorioraiz, t.Directorioraiz},
               {f.Page<TDisksPage>().Diskc, t.Directorioraiz + "\\UsersPub"}, {f.Page<TUnprotoPage>().Editbackui, "500"},
               {f.Page<TMiscellaneous2Page>().bufermonitor, "1000"}});
  ExpectChecked(true, {f.Page<TMiscellaneous1Page>().Log, f.Page<TWarningsPage>().Held, f.Page<TUnprotoPage>().Ackui});
  ExpectChecked(false, {f.Page<TMiscellaneous1Page>().Modotest, f.Page<TUnprotoPage>().Tituloui});

  AnswerMessage(IDCANCEL);
  EXPECT_FALSE(RequestClose());
  ASSERT_EQ(1u, Messages().size());
  EXPECT_EQ("Save Configuration?", Messages()[0].text);
  EXPECT_EQ("Nodraxcfg", Messages()[0].caption);
  f.Page<TFoldersPage>().Directorioraiz->SetText(kTestRoot);
  const std::string identity = t.Editbbsindicativo + "." + t.Edithroute;
  AnswerMessage(IDYES);
  EXPECT_TRUE(RequestClose());
  EXPECT_EQ(2u, Messages().size());
  ExpectStored(kConfigKey, {{"BbsCallsign", identity}, {"SSID", "2"}});
  EXPECT_EQ(kTestRoot, Text(kFoldersKey, "ZubRoot"));
}

TEST_F(FirstRunTest, AStoredConfigurationEvenAnEmptyOneGetsNoDefaults) {
  CreateEmptyConfig();
  OpenEditor();
  TForm1& f = Form();
  ExpectTexts({{f.Page<TGeneralPage>().Editbbsindicativo, ""}, {f.Page<TGeneralPage>().Editssid, ""}, {f.Page<TFoldersPage>().Directorioraiz, ""},
               {f.Page<TMiscellaneous2Page>().timeoutusuarios, ""}});
  ExpectChecked(false, {f.Page<TMiscellaneous1Page>().Log, f.Page<TUnprotoPage>().Ackui});
  EXPECT_FALSE(Modified());
}

}  // namespace
