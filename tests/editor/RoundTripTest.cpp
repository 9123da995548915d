// A full configuration, every page, port and server, goes through a load, a
// save, a fresh load in a new window and a second save: the stored values
// stay the same, byte for byte.
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
    auto config = [&](const char* name, const std::string& text) {
      WriteString(kConfigKey, name, text);
    };
    config("BbsCallsign", "X1ABC.ABC.XX.EU");
    config("SSID", on ? "7" : "12");
    config("Locator", "IN70AA");
    config("Qth", "Villaprueba de Arriba");
    config("ZipCode", "05001");
    config("SysOpCallsign", "X1ABD");
    config("SysOpName", "Pedro");
    config("Unproto", on ? "12 34 AP" : "0 9 VM");
    config("FirstConOptions", std::to_string(Sum(FirstConnectionWeights(), p)));
    config("SecurityOptions", ComposeSecurityOptions(Sum(SecurityWeights(), p),
                                                     Sum(SecurityWeights(), 1 - p),
                                                     Sum(SecurityWeights(), p)));
    config("WarningMessages", std::to_string(Sum(WarningWeights(), 1 - p)));
    config("ForwardTypeZub", ComposeSwitchAndSum(on, Sum(ForwardingWeights(), p)));
    config("ForwardResume", ComposeSwitchAndSum(!on, Sum(ResumeWeights(), 1 - p)));
    config("TestMode", SwitchText(on));
    config("FullLog", SwitchText(!on));
    config("ChannelsIndication", SwitchText(on));
    config("UserGivesInformation", "OK");
    config("CallsignsInMailBeacon", on ? "B15" : "150");
    config("MaxBids", "5000");
    config("CopySysOpMessages", on ? "X1ABD" : "******");
    config("RouteWpMessages", "X1ABC.ABC.XX.EU");
    config("ZubHeader", on ? "[$c] ZUB$E $$:$R" : "[X] HDR");
    config("Timeout", "11  22");
    config("BulletinsLifetime", "45");
    config("MaxDownloadYapp", "300  150");
    config("ScrollBuffers", "900  800  700");
    config("TFPCInterrupt", "FF");
    config("Hroute", "OK");
    config("SentTextColor", "65280");
    config("ReceivedTextColor", "255");
    config("ChannelInfColor", "16776960");
    config("MonitorHeaderColor", "12632256");
    config("MonitorDataColor", "8421504");
    config("ConsoleTextColor", "65535");
    config("WindowBackgroundColor", on ? "-2147483633" : "128");

    auto folder = [&](const char* name, const std::string& sub) {
      WriteString(kFoldersKey, name, root + sub);
    };
    folder("ZubRoot", "");
    folder("Data", "\\Datos");
    folder("Config", "\\Cfg");
    folder("Yapp", "\\Yp");
    folder("Docs", "\\Dc");
    folder("ImportFile", "\\In\\Mail.in");
    folder("Filters", "\\Fl");
    folder("Servers", "\\Sv");
    folder("Pg", "\\Pgs");
    folder("Drivers", "\\Dv");
    // Never read: what the root derives, which the save writes back.
    folder("Sounds", "\\Sounds");
    folder("Lang", "\\Config\\Lang");
    folder("Log", "\\Data\\Log");
    folder("Sat", "\\Data\\Sat");
    folder("Wp", "\\Data\\Wp");
    folder("OldMail", "\\Data\\OldMail");
    folder("Fwd", "\\Config\\Fwd");
    folder("Mail", "\\Datos\\Correo");
    folder("CompresMail", "\\Datos\\Bin");
    WriteString(kFoldersKey, "UsersPub",
                root + "\\A,*," + root + "\\C,*," + root + "\\E,*,*," + root + "\\H");

    const std::string port0 = std::string(kPortsKey) + "\\Port0";
    for (const TNamedText& v : kPort0Values)
      WriteString(port0, std::string(v.Name), std::string(v.Text));
    const char* const modes[] = {"LYWRU", "G", "B", "LU", "YG", "WB", "RU", "LYG", "WRB", "U"};
    for (int i = 0; i < kPortCount; ++i) {
      const std::string key = std::string(kPortsKey) + "\\Port" + std::to_string(i + 1);
      const std::string n = std::to_string(i + p);
      WriteString(key, "Com", n);
      WriteString(key, "Driver", i % 2 ? "TCP" : "KISS");
      WriteString(key, "HexAddress", "3F" + n);
      WriteString(key, "BaudRate", "96" + n);
      WriteString(key, "NumChannels", n);
      WriteString(key, "Canal", std::to_string(i % 3 + 1));
      WriteString(key, "Paclen", "2" + n);
      WriteString(key, "MaxFrame", std::to_string(i % 7 + 1));
      WriteString(key, "NumFwdChannels", "1" + n);
      WriteString(key, "MaxBlock", "10" + n);
      WriteString(key, "Disabled", (i + p) % 2 ? "true" : "false");
      WriteString(key, "FwdPeriode", "0" + std::to_string(i % 6) + "/" + std::to_string(15 + i));
      WriteString(key, "Mode", modes[(i + p) % kPortCount]);
      WriteString(key, "Label", "Port number " + n);
    }

    const char* const servers[] = {"Pms", "Fbb", "Dx", "Wx", "Int"};
    for (int i = 0; i < 5; ++i) {
      const std::string key = std::string(kServersKey) + "\\" + servers[i];
      WriteString(key, "File", i == 4 ? "INTERNAL SERVER" : "SERVER" + std::to_string(i) + ".EXE");
      WriteString(key, "Description", "Server " + std::to_string(i));
      WriteString(key, "Disabled", (i + p) % 2 ? "true" : "false");
    }
  }

  // A new window on fresh records: what the next start of the editor sees.
  void SaveFromAFreshWindow() {
    ReleaseRecords();
    AllocateRecords();
    auto window = std::make_unique<TForm1>();
    Application().MainWindow = window->Handle();
    window->Show();
    Pump();
    EXPECT_FALSE(ConfigModified);
    EXPECT_TRUE(SaveConfiguration(*window));
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
  ASSERT_EQ(1u + 1u + 1u + 11u + 1u + 5u, stored.size());  // Config, Folders, Ports + 11, Servers + 5

  OpenEditor();
  EXPECT_FALSE(ConfigModified);
  EXPECT_EQ(10, [] {
    int used = 0;
    for (int i = 0; i < kPortCount; ++i) used += PortInUse(PortTable[i]) ? 1 : 0;
    return used;
  }());
  EXPECT_EQ(5, ServerCount);
  EXPECT_TRUE(SaveConfiguration(Form()));
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
  Form().Editbbsindicativo->SetText("X1ABC");
  Form().Edithroute->SetText("ABC.XX.EU");
  Form().Datosusuario->SetChecked(false);
  ASSERT_TRUE(SaveConfiguration(Form()));
  EXPECT_EQ("NO", Text(kConfigKey, "UserGivesInformation"));
  EXPECT_EQ("OK", Text(kConfigKey, "Hroute"));
  InvokeMenu("ReloadRegistry1");
  EXPECT_TRUE(Form().Datosusuario->Checked());
}

TEST_F(RoundTripEdgeTest, ACallsignStoredWithoutARouteComesBackWithAnEmptyOne) {
  // The load gives a blank route, which the save writes after the dot; read
  // again that is no route at all, and the next save asks for one.
  WriteString(kConfigKey, "BbsCallsign", "X1ABC");
  OpenEditor();
  ASSERT_TRUE(SaveConfiguration(Form()));
  EXPECT_EQ("X1ABC. ", Text(kConfigKey, "BbsCallsign"));
  InvokeMenu("ReloadRegistry1");
  EXPECT_EQ("X1ABC", Form().Editbbsindicativo->Text());
  EXPECT_EQ("", Form().Edithroute->Text());
  AnswerMessage(IDOK);
  EXPECT_FALSE(SaveConfiguration(Form()));
  ASSERT_EQ(1u, Messages().size());
  EXPECT_EQ("BBS must have Hierarcical Route ", Messages()[0].text);
}

}  // namespace
