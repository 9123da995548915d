// A full configuration, every page, port and server, goes through a load, a
// save, a fresh load in a new window and a second save: the stored values
// stay the same, byte for byte.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "editor/config/Encodings.h"
#include "platform/Application.h"
#include "support/LoadSaveFixture.h"

namespace {

// The weights' sum of the boxes that the pattern ticks: every other box,
// starting with the first or with the second.
int32_t Sum(const std::vector<int32_t>& weights, int start) {
  int32_t sum = 0;
  for (std::size_t i = 0; i < weights.size(); ++i)
    if ((i + start) % 2 == 0) sum += weights[i];
  return sum;
}

class RoundTripTest : public LoadSaveFixture, public ::testing::WithParamInterface<int> {
 protected:
  // A stored configuration in the exact form the save writes, so that the
  // first save must reproduce it. The pattern p flips every switch and box.
  void StoreFullConfiguration(int p) {
    const bool on = p == 0;
    const std::string root = kTestRoot;
    WriteStrings(
        kConfigKey,
        {{"BbsCallsign", "X1ABC.ABC.XX.EU"}, {"SSID", on ? "7" : "12"}, {"Locator", "IN70AA"},
         {"Qth", "Villaprueba de Arriba"}, {"ZipCode", "05001"}, {"SysOpCallsign", "X1ABD"},
         {"SysOpName", "Pedro"}, {"Unproto", on ? "12 34 AP" : "0 9 VM"},
         {"FirstConOptions", std::to_string(Sum(FirstConnectionWeights(), p))},
         {"SecurityOptions", ComposeSecurityOptions(Sum(SecurityWeights(), p),
                                                    Sum(SecurityWeights(), 1 - p),
                                                    Sum(SecurityWeights(), p))},
         {"WarningMessages", std::to_string(Sum(WarningWeights(), 1 - p))},
         {"ForwardTypeZub", ComposeSwitchAndSum(on, Sum(ForwardingWeights(), p))},
         {"ForwardResume", ComposeSwitchAndSum(!on, Sum(ResumeWeights(), 1 - p))},
         {"TestMode", SwitchText(on)}, {"FullLog", SwitchText(!on)},
         {"ChannelsIndication", SwitchText(on)}, {"UserGivesInformation", "OK"},
         {"CallsignsInMailBeacon", on ? "B15" : "150"}, {"MaxBids", "5000"},
         {"CopySysOpMessages", on ? "X1ABD" : "******"}, {"RouteWpMessages", "X1ABC.ABC.XX.EU"},
         {"ZubHeader", on ? "[$c] ZUB$E $$:$R" : "[X] HDR"}, {"Timeout", "11  22"},
         {"BulletinsLifetime", "45"}, {"MaxDownloadYapp", "300  150"},
         {"ScrollBuffers", "900  800  700"}, {"TFPCInterrupt", "FF"}, {"Hroute", "OK"},
         {"SentTextColor", "65280"}, {"ReceivedTextColor", "255"},
         {"ChannelInfColor", "16776960"}, {"MonitorHeaderColor", "12632256"},
         {"MonitorDataColor", "8421504"}, {"ConsoleTextColor", "65535"},
         {"WindowBackgroundColor", on ? "-2147483633" : "128"}});

    // From Sounds to Fwd: never read, what the root derives, which the save
    // writes back.
    for (const auto& [name, sub] : TNamedTexts{
             {"ZubRoot", ""}, {"Data", "\\Datos"}, {"Config", "\\Cfg"}, {"Yapp", "\\Yp"},
             {"Docs", "\\Dc"}, {"ImportFile", "\\In\\Mail.in"}, {"Filters", "\\Fl"},
             {"Servers", "\\Sv"}, {"Pg", "\\Pgs"}, {"Drivers", "\\Dv"}, {"Sounds", "\\Sounds"},
             {"Lang", "\\Config\\Lang"}, {"Log", "\\Data\\Log"}, {"Sat", "\\Data\\Sat"},
             {"Wp", "\\Data\\Wp"}, {"OldMail", "\\Data\\OldMail"}, {"Fwd", "\\Config\\Fwd"},
             {"Mail", "\\Datos\\Correo"}, {"CompresMail", "\\Datos\\Bin"}})
      WriteString(kFoldersKey, name, root + sub);
    WriteString(kFoldersKey, "UsersPub",
                root + "\\A,*," + root + "\\C,*," + root + "\\E,*,*," + root + "\\H");

    for (const TNamedText& v : kPort0Values)
      WriteString(Key(kPortsKey, "Port0"), std::string(v.Name), std::string(v.Text));
    const char* const modes[] = {"LYWRU", "G", "B", "LU", "YG", "WB", "RU", "LYG", "WRB", "U"};
    for (int i = 0; i < kPortCount; ++i) {
      const std::string n = std::to_string(i + p);
      WriteStrings(Key(kPortsKey, "Port" + std::to_string(i + 1)),
                   {{"Com", n}, {"Driver", i % 2 ? "TCP" : "KISS"}, {"HexAddress", "3F" + n},
                    {"BaudRate", "96" + n}, {"NumChannels", n},
                    {"Canal", std::to_string(i % 3 + 1)},
                    {"Paclen", "2" + n}, {"MaxFrame", std::to_string(i % 7 + 1)},
                    {"NumFwdChannels", "1" + n}, {"MaxBlock", "10" + n},
                    {"Disabled", (i + p) % 2 ? "true" : "false"},
                    {"FwdPeriode", "0" + std::to_string(i % 6) + "/" + std::to_string(15 + i)},
                    {"Mode", modes[(i + p) % kPortCount]}, {"Label", "Port number " + n}});
    }

    const char* const servers[] = {"Pms", "Fbb", "Dx", "Wx", "Int"};
    for (int i = 0; i < 5; ++i)
      WriteStrings(Key(kServersKey, servers[i]),
                   {{"File", i == 4 ? "INTERNAL SERVER" : "SERVER" + std::to_string(i) + ".EXE"},
                    {"Description", "Server " + std::to_string(i)},
                    {"Disabled", (i + p) % 2 ? "true" : "false"}});
  }

  // A new window on fresh records: what the next start of the editor sees.
  void SaveFromAFreshWindow() {
    ReleaseConfiguration();
    AllocateConfiguration();
    auto window = std::make_unique<TForm1>();
    Application().MainWindow = window->Handle();
    window->Show();
    Pump();
    EXPECT_FALSE(ConfigModified);
    EXPECT_TRUE(window->Save());
    window.reset();
    Application().MainWindow = nullptr;
    Pump();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
};

TEST_P(RoundTripTest, SaveLoadAndSaveAgainLeaveTheSameBytes) {
  StoreFullConfiguration(GetParam());
  const TStoredTree stored = Dump();
  // Config, Folders, Ports with 11 ports, Servers with 5 servers.
  ASSERT_EQ(1u + 1u + 1u + 11u + 1u + 5u, stored.size());

  OpenEditor();
  EXPECT_FALSE(ConfigModified);
  EXPECT_EQ(10, std::count_if(Config().PortTable, Config().PortTable + kPortCount, PortInUse));
  EXPECT_EQ(5, Configuration->ServerCount);
  EXPECT_TRUE(Form().Save());
  const TStoredTree first = Dump();
  EXPECT_EQ(stored, first);
  EXPECT_TRUE(RequestClose());

  SaveFromAFreshWindow();
  EXPECT_EQ(first, Dump());
}

INSTANTIATE_TEST_SUITE_P(BothWays, RoundTripTest, ::testing::Values(0, 1));

using RoundTripEdgeTest = LoadSaveFixture;

TEST_F(RoundTripEdgeTest, HrouteIsAlwaysOkSoUserInformationComesBackChecked) {
  CreateEmptyConfig();
  OpenEditor();
  Form().General().Editbbsindicativo->SetText("X1ABC");
  Form().General().Edithroute->SetText("ABC.XX.EU");
  Form().Miscellaneous1().Datosusuario->SetChecked(false);
  ASSERT_TRUE(Form().Save());
  ExpectStored(kConfigKey, {{"UserGivesInformation", "NO"}, {"Hroute", "OK"}});
  InvokeMenu("ReloadRegistry1");
  EXPECT_TRUE(Form().Miscellaneous1().Datosusuario->Checked());
}

TEST_F(RoundTripEdgeTest, ACallsignStoredWithoutARouteComesBackWithAnEmptyOne) {
  // The load gives a blank route, which the save writes after the dot; read
  // again that is no route at all, and the next save asks for one.
  WriteString(kConfigKey, "BbsCallsign", "X1ABC");
  OpenEditor();
  ASSERT_TRUE(Form().Save());
  EXPECT_EQ("X1ABC. ", Text(kConfigKey, "BbsCallsign"));
  InvokeMenu("ReloadRegistry1");
  ExpectTexts({{Form().General().Editbbsindicativo, "X1ABC"}, {Form().General().Edithroute, ""}});
  AnswerMessage(IDOK);
  EXPECT_FALSE(Form().Save());
  ASSERT_EQ(1u, Messages().size());
  EXPECT_EQ("BBS must have Hierarcical Route ", Messages()[0].text);
}

}  // namespace
