// A station file of an older installation, as the import reads it.
#pragma once
#include <map>
#include <string>

// In the OEM code page (line 11), with comments, the separator and three
// servers; `lines` replaces lines by number.
inline std::string InitSrvFile(const std::map<int, std::string>& lines = {}) {
  std::map<int, std::string> station = {
      {1, "EA9ZZB.#CE.ESP.EURO"}, {2, "2"}, {3, "IM75JV"}, {4, "Ceuta"},
      {5, "C:\\NodraxTest\\BBS\\SYSTEM\\"}, {6, "C:\\NodraxTest\\Old\\MAIL"},
      {7, "C:\\NodraxTest\\Old\\BIN"}, {8, "C:\\ZUB\\A,*,*,*,*,*,*,*"},
      {9, "C:\\NodraxTest\\Old\\YAPP"}, {10, "C:\\NodraxTest\\Old\\DOCS"},
      {11, "Jos\x82 P\x82rez"}, {12, "EA9ZZC"}, {13, "******"}, {14, "C:\\ZUB\\IMPORT.TXT"},
      {16, "OK"}, {18, "OK"}, {19, "NO"}, {20, "OK 10"}, {21, "OK 3"}, {23, "OK"}, {24, "5"},
      {25, "3 0 1023"}, {26, "513"}, {28, "10 20"}, {29, "200 100"}, {31, "B5"},
      {32, "1000 900 800"}, {33, "[$c] ZUB$E $$:$R"}, {34, "10000"}, {35, "30"},
      {37, "EA9ZZB.#CE.ESP.EURO"}, {38, "51001"}, {39, "5 10 AP"}, {45, "16"}, {50, "15"},
      {51, "14"}, {52, "10"}, {53, "11"}, {54, "7"}, {55, "12"}};
  for (const auto& [n, text] : lines) station[n] = text;
  std::string file = "# Init.srv of EA9ZZB\r\n";
  for (int n = 1; n <= 56; ++n) file += station[n] + "\r\n";
  return file + "# servers -- below\r\nWP WP.EXE White pages server\r\n# off\r\n"
                "FWD FWD.EXE  Forwarding\r\nCHAT CHAT.EXE Chat";  // no line end at the end
}
