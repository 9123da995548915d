// A full stored configuration, every page, port and server, in the exact
// form the save writes it, for the round trips of the configuration object
// and of the window; and the save's outcome by name in a failure.
#pragma once
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "editor/config/Encodings.h"
#include "editor/config/Records.h"
#include "editor/config/Save.h"
#include "support/RegistryTree.h"

inline void PrintTo(TSaveOutcome outcome, std::ostream* out) {
  const char* const names[] = {"Saved", "NoCallsign", "NoRoute", "WriteFailed"};
  *out << names[static_cast<int>(outcome)];
}

// The weights' sum of the boxes that the pattern ticks: every other box,
// starting with the first or with the second.
inline int32_t PatternSum(const std::vector<int32_t>& weights, int start) {
  int32_t sum = 0;
  for (std::size_t i = 0; i < weights.size(); ++i)
    if ((i + start) % 2 == 0) sum += weights[i];
  return sum;
}

// Each key below Software\Nodrax with its values. The pattern p (0 or 1)
// flips every switch and box, so that the two patterns together store each
// of them both ways. Each port has no more forward channels than channels:
// the ports page warns about any other. Stored, with the keys Ports and
// Servers, that makes twenty keys.
inline std::vector<std::pair<std::string, TNamedTexts>> FullConfiguration(int p) {
  const bool on = p == 0;
  const std::string root = "C:\\NodraxTest\\BBS";  // the fixture's test root
  std::vector<std::pair<std::string, TNamedTexts>> keys = {
      {"Config",
       {{"BbsCallsign", "X1ABC.ABC.XX.EU"}, {"SSID", on ? "7" : "12"}, {"Locator", "IN70AA"},
        {"Qth", "Villaprueba de Arriba"}, {"ZipCode", "05001"}, {"SysOpCallsign", "X1ABD"},
        {"SysOpName", "Pedro"}, {"Unproto", on ? "12 34 AP" : "0 9 VM"},
        {"FirstConOptions", std::to_string(PatternSum(FirstConnectionWeights(), p))},
        {"SecurityOptions", ComposeSecurityOptions(PatternSum(SecurityWeights(), p),
                                                   PatternSum(SecurityWeights(), 1 - p),
                                                   PatternSum(SecurityWeights(), p))},
        {"WarningMessages", std::to_string(PatternSum(WarningWeights(), 1 - p))},
        {"ForwardTypeZub", ComposeSwitchAndSum(on, PatternSum(ForwardingWeights(), p))},
        {"ForwardResume", ComposeSwitchAndSum(!on, PatternSum(ResumeWeights(), 1 - p))},
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
        {"WindowBackgroundColor", on ? "-2147483633" : "128"}}},
      {"Folders", {{"UsersPub", root + "\\A,*," + root + "\\C,*," + root + "\\E,*,*," + root + "\\H"}}},
      {"Ports\\Port0", {}}};
  // From Sounds to Fwd: never read, what the root derives, which the save
  // writes back.
  for (const auto& [name, sub] : TNamedTexts{
           {"ZubRoot", ""}, {"Data", "\\Datos"}, {"Config", "\\Cfg"}, {"Yapp", "\\Yp"},
           {"Docs", "\\Dc"}, {"ImportFile", "\\In\\Mail.in"}, {"Filters", "\\Fl"},
           {"Servers", "\\Sv"}, {"Pg", "\\Pgs"}, {"Drivers", "\\Dv"}, {"Sounds", "\\Sounds"},
           {"Lang", "\\Config\\Lang"}, {"Log", "\\Data\\Log"}, {"Sat", "\\Data\\Sat"},
           {"Wp", "\\Data\\Wp"}, {"OldMail", "\\Data\\OldMail"}, {"Fwd", "\\Config\\Fwd"},
           {"Mail", "\\Datos\\Correo"}, {"CompresMail", "\\Datos\\Bin"}})
    keys[1].second.emplace_back(name, root + sub);
  for (const TNamedText& v : kPort0Values) keys[2].second.emplace_back(v.Name, v.Text);

  const char* const modes[] = {"LYWRU", "G", "B", "LU", "YG", "WB", "RU", "LYG", "WRB", "U"};
  for (int i = 0; i < kPortCount; ++i) {
    const std::string n = std::to_string(i + p);
    keys.push_back(
        {"Ports\\Port" + std::to_string(i + 1),
         {{"Com", n}, {"Driver", i % 2 ? "TCP" : "KISS"}, {"HexAddress", "3F" + n},
          {"BaudRate", "96" + n}, {"NumChannels", std::to_string(10 + i + p)},
          {"Canal", std::to_string(i % 3 + 1)}, {"Paclen", "2" + n},
          {"MaxFrame", std::to_string(i % 7 + 1)}, {"NumFwdChannels", n}, {"MaxBlock", "10" + n},
          {"Disabled", (i + p) % 2 ? "true" : "false"},
          {"FwdPeriode", "0" + std::to_string(i % 6) + "/" + std::to_string(15 + i)},
          {"Mode", modes[(i + p) % kPortCount]}, {"Label", "Port number " + n}}});
  }
  const char* const servers[] = {"Pms", "Fbb", "Dx", "Wx", "Int"};
  for (int i = 0; i < 5; ++i)
    keys.push_back(
        {std::string("Servers\\") + servers[i],
         {{"File", i == 4 ? "INTERNAL SERVER" : "SERVER" + std::to_string(i) + ".EXE"},
          {"Description", "Server " + std::to_string(i)},
          {"Disabled", (i + p) % 2 ? "true" : "false"}}});
  return keys;
}
