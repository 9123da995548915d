// The BBS's own settings that a configuration file carries over: read from
// its four keys, written back whole.
#include <map>
#include <string>

#include "editor/config/Load.h"
#include "editor/config/Save.h"
#include "support/RegistryTree.h"

namespace {

using CarriedOverTest = RegistryTreeFixture;

// A value the keys do not hold leaves its field as it was, and the whole
// record is written, also what was never read.
TEST_F(CarriedOverTest, WhatIsReadIsWrittenBackWithEveryOtherValueOfTheRecord) {
  const std::string options = "Software\\Nodrax\\Options", sounds = "Software\\Nodrax\\Sounds",
                    houseKeeping = "Software\\Nodrax\\HouseKeeping";
  const std::map<std::string, DWORD> held = {
      {"AskBeforeClose", 7}, {"Gateway", 7}, {"SysopRing", 7}, {"Justify", 9}};
  for (const char* name : {"AskBeforeClose", "Gateway", "SysopRing"}) WriteDword(options, name, 7);
  WriteString(sounds + "\\SysopCall", "File", "C:\\Ring.wav");
  WriteDword(houseKeeping, "MaxRetLines", 40);
  TCarriedOverSettings settings;
  settings.Justify = 9;
  ReadCarriedOverSettings(settings, ::kNodraxKey);
  RemoveNodraxTree();
  WriteCarriedOverSettings(settings);

  for (const char* name : {"AskBeforeClose", "DispInpExp", "Gateway", "Justify", "MinSysTray",
                           "Separators", "SplashScreen", "SysopRing"})
    EXPECT_EQ(held.count(name) ? held.at(name) : 0u, ReadDword(options, name)) << name;
  EXPECT_EQ(ReadString(sounds + "\\SysopCall", "File"), "C:\\Ring.wav");
  EXPECT_EQ(ReadDword(sounds + "\\SysopCall", "Repeat"), 0u);
  EXPECT_EQ(ReadString(sounds + "\\Connection", "File"), "");
  EXPECT_EQ(ReadDword(houseKeeping, "MaxRetLines"), 40u);
  EXPECT_EQ(ReadString(houseKeeping, "PreCmdFile"), "");
}

}  // namespace
