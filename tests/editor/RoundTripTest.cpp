// A full stored configuration shown on every page of the window: showing it
// changes nothing, and the window's save stores it back byte for byte. The
// round trip of the configuration itself: tests/config/RoundTripTest.cpp.
#include <string>

#include "config/StoredConfiguration.h"
#include "support/LoadSaveFixture.h"

namespace {

class RoundTripTest : public LoadSaveFixture, public ::testing::WithParamInterface<int> {};

TEST_P(RoundTripTest, EveryPageShowsItUnchangedAndTheSaveStoresItBack) {
  for (const auto& [key, values] : FullConfiguration(GetParam()))
    WriteStrings(Key(kNodraxKey, key), values);
  const TStoredTree stored = Dump();
  ASSERT_EQ(20u, stored.size());

  OpenEditor();
  TForm1& f = Form();
  for (TTabSheet* sheet : f.Pagina->Pages()) {
    if (sheet->TabVisible) ClickTab(sheet);
    f.PageOf(sheet);
    EXPECT_FALSE(Modified()) << sheet->Name;
  }
  EXPECT_TRUE(f.Save());
  EXPECT_EQ(stored, Dump());
  EXPECT_TRUE(RequestClose());
}

INSTANTIATE_TEST_SUITE_P(BothWays, RoundTripTest, ::testing::Values(0, 1));

}  // namespace
