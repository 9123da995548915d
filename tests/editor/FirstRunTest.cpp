// The first run in the window: without a stored configuration the window
// shows the defaults and marks them unsaved; with one (even an empty one)
// nothing is applied. The defaults themselves: tests/config/FirstRunTest.cpp.
#include <string>

#include "support/LoadSaveFixture.h"

namespace {

using FirstRunTest = LoadSaveFixture;

TEST_F(FirstRunTest, WithoutAStoredConfigurationTheWindowShowsTheDefaultsAndAsksToSaveThem) {
  OpenEditor();
  EXPECT_TRUE(ConfigModified);
  EXPECT_TRUE(Dump().empty());
  const TStationTexts& t = Config().Texts;
  ASSERT_FALSE(t.Editbbsindicativo.empty());
  TForm1& f = Form();
  ExpectTexts({{f.General().Editbbsindicativo, t.Editbbsindicativo},
               {f.General().Edithroute, t.Edithroute}, {f.General().Editssid, "2"},
               {f.Folders().Directorioraiz, t.Directorioraiz},
               {f.Disks().Diskc, t.Directorioraiz + "\\UsersPub"}, {f.Unproto().Editbackui, "500"},
               {f.Miscellaneous2().bufermonitor, "1000"}});
  ExpectChecked(true, {f.Miscellaneous1().Log, f.Warnings().Held, f.Unproto().Ackui});
  ExpectChecked(false, {f.Miscellaneous1().Modotest, f.Unproto().Tituloui});

  AnswerMessage(IDCANCEL);
  EXPECT_FALSE(RequestClose());
  ASSERT_EQ(1u, Messages().size());
  EXPECT_EQ("Save Configuration?", Messages()[0].text);
  EXPECT_EQ("Nodraxcfg", Messages()[0].caption);
  f.Folders().Directorioraiz->SetText(kTestRoot);
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
  ExpectTexts({{f.General().Editbbsindicativo, ""}, {f.General().Editssid, ""}, {f.Folders().Directorioraiz, ""},
               {f.Miscellaneous2().timeoutusuarios, ""}});
  ExpectChecked(false, {f.Miscellaneous1().Log, f.Unproto().Ackui});
  EXPECT_FALSE(ConfigModified);
}

}  // namespace
