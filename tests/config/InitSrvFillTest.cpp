// What an Init.srv gives the configuration, without a window: the folder
// lines against the folders that the root derives.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "editor/config/Configuration.h"
#include "editor/transfer/InitSrvImport.h"
#include "editor/transfer/Initsrv.h"

namespace {

using T = TStationTexts;

// A station section with the root of line 5 and the four folder lines that
// follow it; `lines` replaces lines by number.
TConfiguration Filled(const std::map<int, std::string>& lines) {
  std::map<int, std::string> station = {{1, "N0CALL.#CE.ESP.EURO"},
                                        {5, "C:\\BBS\\SYSTEM\\"},
                                        {6, "D:\\OLD\\MAIL"},
                                        {7, "D:\\OLD\\BIN"},
                                        {9, "D:\\OLD\\YAPP"},
                                        {10, "D:\\OLD\\DOCS"}};
  for (const auto& [n, text] : lines) station[n] = text;
  std::string file;
  for (int n = 1; n <= 56; ++n) file += station[n] + "\r\n";
  TConfiguration config;
  FillFromInitSrv(config, ParseInitSrv(file, [](std::string&) {}));
  return config;
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
      const TConfiguration c = Filled({{blank.Number, text}});
      for (const TLine& line : folders) {
        const std::string expected = &line == &blank ? line.Derived : line.Given;
        EXPECT_EQ(expected, c.Texts.*line.Field) << "blank line " << blank.Number;
        EXPECT_EQ(expected, RecordText(c.ConfigRecord, MirroredField(line.Field)))
            << "blank line " << blank.Number;
      }
    }
  }
}

}  // namespace
