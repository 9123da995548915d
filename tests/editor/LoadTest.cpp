// The load as the window runs it: what it shows marks nothing changed, and a
// configuration found only under the older folder key is saved as the window
// opens. What the load puts into the configuration is tested on the object
// (tests/config/LoadTest.cpp).
#include "support/LoadSaveFixture.h"

namespace {

class LoadTest : public LoadSaveFixture {};

TEST_F(LoadTest, TheLoadItselfMarksNothingChanged) {
  WriteStrings(kConfigKey, {{"FullLog", "OK"}, {"SecurityOptions", "1023  1023  1023"},
                            {"Unproto", "1 2 AVPM"}});
  OpenEditor();
  ExpectChecked(true, {Form().Page<TMiscellaneous1Page>().Log, Form().Page<TSecurityPage>().Specialsys});
  EXPECT_FALSE(Modified());
}

TEST_F(LoadTest, OnlyDirectoriesIsMovedToFoldersByTheSaveOfTheOpening) {
  WriteString(kConfigKey, "BbsCallsign", "X1ABC.ABC.XX.EU");
  WriteString(kDirectoriesKey, "ZubRoot", kTestRoot);
  TNotifyCounter notified;
  OpenEditor();
  EXPECT_FALSE(KeyExists(kDirectoriesKey));
  EXPECT_EQ(kTestRoot, Text(kFoldersKey, "ZubRoot"));
  EXPECT_FALSE(Modified());
  EXPECT_EQ(1, notified.Count());
}

}  // namespace
