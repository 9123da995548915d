// A full configuration, every page, port and server, goes through a load, a
// save, a fresh load into a new configuration and a second save: the stored
// values stay the same, byte for byte.
#include <algorithm>
#include <string>

#include "config/StoredConfiguration.h"
#include "editor/config/Load.h"

namespace {

using T = TStationTexts;

class RoundTripTest : public RegistryTreeFixture, public ::testing::WithParamInterface<int> {};

TEST_P(RoundTripTest, SaveLoadAndSaveAgainLeaveTheSameBytes) {
  for (const auto& [key, values] : FullConfiguration(GetParam()))
    WriteStrings(Key(kNodraxKey, key), values);
  const TStoredTree stored = Dump();
  ASSERT_EQ(20u, stored.size());

  EXPECT_FALSE(CargaRegistro(Config()));
  EXPECT_EQ(10, std::count_if(Config().PortTable, Config().PortTable + kPortCount, PortInUse));
  EXPECT_EQ(5, Config().ServerCount);
  EXPECT_EQ(TSaveOutcome::Saved, SaveConfiguration(Config()).Outcome);
  EXPECT_EQ(stored, Dump());

  // What the next start of the editor sees.
  NewDocument();
  CargaRegistro(Config());
  EXPECT_EQ(TSaveOutcome::Saved, SaveConfiguration(Config()).Outcome);
  EXPECT_EQ(stored, Dump());
}

INSTANTIATE_TEST_SUITE_P(BothWays, RoundTripTest, ::testing::Values(0, 1));

using RoundTripEdgeTest = RegistryTreeFixture;

TEST_F(RoundTripEdgeTest, HrouteIsAlwaysOkSoUserInformationComesBackTicked) {
  Config().SetText(&T::Editbbsindicativo, "X1ABC");
  Config().SetText(&T::Edithroute, "ABC.XX.EU");
  Config().Boxes.Datosusuario = false;
  ASSERT_EQ(TSaveOutcome::Saved, SaveConfiguration(Config()).Outcome);
  ExpectStored(kConfigKey, {{"UserGivesInformation", "NO"}, {"Hroute", "OK"}});
  CargaRegistro(Config());
  EXPECT_TRUE(Config().Boxes.Datosusuario);
}

TEST_F(RoundTripEdgeTest, ACallsignStoredWithoutARouteComesBackWithAnEmptyOne) {
  // The load gives a blank route, which the save writes after the dot; read
  // again that is no route at all, and the next save asks for one.
  WriteString(kConfigKey, "BbsCallsign", "X1ABC");
  CargaRegistro(Config());
  ASSERT_EQ(TSaveOutcome::Saved, SaveConfiguration(Config()).Outcome);
  EXPECT_EQ("X1ABC. ", Text(kConfigKey, "BbsCallsign"));
  CargaRegistro(Config());
  EXPECT_EQ("X1ABC", Config().Texts.Editbbsindicativo);
  EXPECT_EQ("", Config().Texts.Edithroute);
  EXPECT_EQ(TSaveOutcome::NoRoute, SaveConfiguration(Config()).Outcome);
}

}  // namespace
