// What an Init.srv gives the configuration, without a window: every line
// into its field or box, the folder lines against the folders that the root
// derives, and the servers.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "config/InitSrvFile.h"
#include "editor/config/Configuration.h"
#include "editor/transfer/Colores.h"
#include "editor/transfer/InitSrvImport.h"
#include "editor/transfer/Initsrv.h"

namespace {

using T = TStationTexts;
using B = TStationBoxes;

// The file filled into the configuration, over what it held before.
TConfiguration Filled(const std::string& file, TConfiguration config = {}) {
  FillFromInitSrv(config, ParseInitSrv(file, [](std::string&) {}));
  return config;
}

// Members hold no names: a failure tells the member by its place.
template <class Part, class Value>
void ExpectEach(const Part& part, const std::vector<std::pair<Value Part::*, Value>>& expected) {
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(expected[i].second, part.*expected[i].first) << "entry " << i << " of the list";
}

TEST(InitSrvFill, EveryLineReachesItsFieldItsBoxOrItsColour) {
  TConfiguration before;
  before.Boxes.Desactivado1 = true;  // a number on line 24 leaves it
  const TConfiguration c = Filled(InitSrvFile(), before);
  const std::string root = "C:\\NodraxTest\\BBS";
  ExpectEach<TStationTexts, std::string>(
      c.Texts,
      {{&T::Editbbsindicativo, "EA9ZZB"}, {&T::Edithroute, "#CE.ESP.EURO"},
       {&T::Editssid, "2"}, {&T::Editciudad, "Ceuta"}, {&T::Sysopmessage, ""},
       {&T::Directorioraiz, root}, {&T::Directoriodata, root + "\\Data"},
       {&T::Directoriomensajes, "C:\\NodraxTest\\Old\\MAIL"},
       {&T::Directoriodocs, "C:\\NodraxTest\\Old\\DOCS"}, {&T::Ficheroimport, "C:\\ZUB\\IMPORT.TXT"},
       {&T::Diska, "C:\\ZUB\\A"}, {&T::Diskc, ""}, {&T::Editbackui, "5"}, {&T::Editdelayui, "10"},
       {&T::Indicativosbaliza, "5"}, {&T::timeoutusuarios, "10"}, {&T::Timeoutforward, "20"},
       {&T::modemmax, "100"}, {&T::bufermonitor, "800"}, {&T::Numerobid, "10000"},
       {&T::Codpostal, "51001"}});
  EXPECT_STREQ("C:\\NodraxTest\\Old\\MAIL", c.ConfigRecord.Mail);
  std::vector<std::pair<TStationBox, bool>> boxes;
  for (TStationBox on : {&B::Log, &B::Indicacioncanales, &B::Datosusuario, &B::Forwardzub, &B::Mbl,
                         &B::Caracterh, &B::Compressforward, &B::Resume, &B::Xprotocol,
                         &B::Excluido1, &B::Experto1, &B::Desactivado1, &B::Menos1mega, &B::Held,
                         &B::Mailbeacon, &B::Ackui, &B::Userui, &B::Todosmensajesuser,
                         &B::Borramensajesuser, &B::Specialsys})
    boxes.emplace_back(on, true);
  for (TStationBox off : {&B::Modotest, &B::Local1, &B::Pms1, &B::Reject, &B::Privateui,
                          &B::Tituloui, &B::Todosmensajessysop, &B::Caractercabecera})
    boxes.emplace_back(off, false);
  ExpectEach(c.Boxes, boxes);
  // Palette 15 white, 12 light red; 16 is no palette index.
  ExpectEach<TConsoleColours, uint32_t>(c.Colours,
                                        {{&TConsoleColours::Sendtext, RGB(255, 255, 255)},
                                         {&TConsoleColours::Chaninfo, RGB(255, 0, 0)},
                                         {&TConsoleColours::Background, kButtonFaceColour}});

  ASSERT_EQ(3, c.ServerCount);
  EXPECT_STREQ("WP", c.ServerTable[0].Name);
  EXPECT_STREQ("FWD", c.ServerTable[1].Name);
  EXPECT_STREQ("Forwarding", c.ServerTable[1].Description);
  EXPECT_STREQ("CHAT", c.ServerTable[2].Name);
  EXPECT_STREQ("CHAT.EXE", c.ServerTable[2].File);
  EXPECT_STREQ("false", c.ServerTable[2].Disabled);
}

// Line 24: exactly "0" disables the first-connection options and clears
// their boxes; a sum ticks its boxes and leaves Disabled as it was.
TEST(InitSrvFill, LineTwentyFourDisablesOrTicksTheFirstConnectionOptions) {
  // Line, Desactivado1 and Local1 before; Desactivado1, Excluido1, Local1
  // and Experto1 after.
  struct { const char* Line; bool Before[2], After[4]; } const cases[] = {
      {"5", {true, false}, {true, true, false, true}},
      {"5", {false, true}, {false, true, false, true}},
      {"0", {false, true}, {true, false, false, false}}};
  for (const auto& k : cases) {
    TConfiguration before;
    before.Boxes.Desactivado1 = k.Before[0];
    before.Boxes.Local1 = k.Before[1];
    const TStationBoxes b = Filled(InitSrvFile({{24, k.Line}}), before).Boxes;
    EXPECT_EQ((std::vector<bool>(k.After, k.After + 4)),
              (std::vector<bool>{b.Desactivado1, b.Excluido1, b.Local1, b.Experto1}))
        << k.Line << (k.Before[0] ? " disabled" : " local");
  }
}

// A disk line naming A alone leaves the other disks as the root set them;
// background 0 is the palette's black.
TEST(InitSrvFill, AShortDiskLineKeepsTheDisksTheRootGave) {
  const TConfiguration c = Filled(InitSrvFile({{8, "C:\\ZUB\\A"}, {45, "0"}}));
  EXPECT_EQ("C:\\ZUB\\A", c.Texts.Diska);
  EXPECT_EQ("C:\\NodraxTest\\BBS\\UsersPub", c.Texts.Diskc);
  EXPECT_EQ(RGB(0, 0, 0), c.Colours.Background);
}

// A blank folder line names no folder: the one the root derived stays,
// where it used to empty it, and the other folder lines still count.
TEST(InitSrvFolderLines, ABlankLineKeepsTheFolderTheRootDerived) {
  struct TLine {
    int Number;
    TStationText Field;
    const char* Derived;  // from the root C:\BBS
    const char* Given;    // the line as the file gives it
  };
  const TLine folders[] = {{6, &T::Directoriomensajes, "C:\\BBS\\Data\\Mail", "D:\\OLD\\MAIL"},
                           {7, &T::Directoriomensajesbin, "C:\\BBS\\Data\\Binmail", "D:\\OLD\\BIN"},
                           {9, &T::Directorioyapp, "C:\\BBS\\UsersPub\\Yapp", "D:\\OLD\\YAPP"},
                           {10, &T::Directoriodocs, "C:\\BBS\\Data\\Docs", "D:\\OLD\\DOCS"}};
  for (const TLine& blank : folders) {
    for (const char* text : {"", "  \t"}) {
      std::map<int, std::string> lines = {{5, "C:\\BBS\\SYSTEM\\"}};
      for (const TLine& line : folders) lines[line.Number] = &line == &blank ? text : line.Given;
      const TConfiguration c = Filled(InitSrvFile(lines));
      for (const TLine& line : folders) {
        const std::string expected = &line == &blank ? line.Derived : line.Given;
        EXPECT_EQ(expected, c.Texts.*line.Field) << "blank line " << blank.Number;
        EXPECT_EQ(expected, FieldText(c.ConfigRecord, MirroredField(line.Field)))
            << "blank line " << blank.Number;
      }
    }
  }
}

}  // namespace
