#include "editor/config/StartCodes.h"

#include "editor/config/Numbers.h"

int32_t StartCode(std::string_view commandTail) {
  return ReadInt32(commandTail).value_or(kStartCodeOutOfRange);
}

namespace {
constexpr std::string_view kGeneral = "Hojageneral";
constexpr std::string_view kFolders = "Hojadirectorios";
constexpr std::string_view kDisks = "Hojadirectorioszub";
constexpr std::string_view kUnprotos = "Hojaunprotos";
constexpr std::string_view kMiscI = "Hojamiscelanea";
constexpr std::string_view kColours = "Hojacolores";
constexpr std::string_view kMiscII = "Hojatiempos";
using T = TStationTexts;
using C = TConsoleColours;
constexpr TConfigField Text(TStationText text) { return {text, nullptr}; }
constexpr TConfigField Colour(TConsoleColour colour) { return {nullptr, colour}; }
}  // namespace

const std::array<TStartCodeRow, 41> kStartCodeTable{{
    {1, " Callsign not found", kGeneral, Text(&T::Editbbsindicativo), false, false},
    {2, " SSID not found", kGeneral, Text(&T::Editssid), false, false},
    {3, " Locator not found", kGeneral, Text(&T::Editlocator), false, false},
    {4, " QTH not found", kGeneral, Text(&T::Editciudad), false, false},
    {5, " Root folder not found", kFolders, Text(&T::Directorioraiz), false, false},
    {6, " Config folder not found", kFolders, Text(&T::Directorioconfig), false, false},
    {7, " Data folder not found", kFolders, Text(&T::Directoriodata), false, false},
    {8, " PG folder not found", kFolders, Text(&T::Pgdir), false, false},
    {9, " Filters folder not found", kFolders, Text(&T::Filtersdir), false, false},
    {10, " Servers folder not found", kFolders, Text(&T::Serversdir), false, false},
    {11, " Drivers folder not found", kFolders, Text(&T::Driversdir), false, false},
    {12, " Mail folder not found", kFolders, Text(&T::Directoriomensajes), false, false},
    {13, " Compressed Mail folder not found", kFolders, Text(&T::Directoriomensajesbin), false, false},
    {14, " UsersPub folder not found", kDisks, Text(&T::Diskc), false, false},
    {15, " Yapp folder not found", kFolders, Text(&T::Directorioyapp), false, false},
    {16, " Docs folder not found", kFolders, Text(&T::Directoriodocs), false, false},
    {17, " SysOp name not found", kGeneral, Text(&T::Editsysopnombre), false, false},
    {18, " SysOp Callsign not found", kGeneral, Text(&T::Editsysopindicativo), false, false},
    {19, " Callsign to copy SysOp msg's not found", kMiscI, Text(&T::Sysopmessage), false, false},
    {20, " Import File not found", kFolders, Text(&T::Ficheroimport), false, false},
    // The import codes leave the window where activation put it.
    {21, "", kGeneral, Text(&T::Editbbsindicativo), true, false},
    {22, "", kGeneral, Text(&T::Editbbsindicativo), false, true},
    {23, "", kGeneral, Text(&T::Editbbsindicativo), true, true},
    {26, " HRoute not found", kGeneral, Text(&T::Edithroute), false, false},
    {31, " Timeout not found", kMiscII, Text(&T::timeoutusuarios), false, false},
    {32, " Max Yapp not found", kMiscII, Text(&T::yappmax), false, false},
    {33, " Max Calls in beacon not found", kMiscI, Text(&T::Indicativosbaliza), false, false},
    {34, " Buffer lines not found", kMiscII, Text(&T::buferusuario), false, false},
    {35, " Zub Header not found", kMiscI, Text(&T::Cabecera), false, false},
    {36, " Max BID's not found", kMiscI, Text(&T::Numerobid), false, false},
    {37, " Bull's Lifetime not found", kMiscII, Text(&T::Diasboletines), false, false},
    {38, " WP Route not found", kMiscI, Text(&T::Wpmessage), false, false},
    {39, " Zip Code not found", kGeneral, Text(&T::Codpostal), false, false},
    {40, " Unprotos not found", kUnprotos, Text(&T::Editbackui), false, false},
    {42, " Background color not found", kColours, Colour(&C::Background), false, false},
    {43, " Sent Text color not found", kColours, Colour(&C::Sendtext), false, false},
    {44, " Received Text color not found", kColours, Colour(&C::Receivedtext), false, false},
    {45, " Monitor header color not found", kColours, Colour(&C::Monhead), false, false},
    {46, " Monitor data color not found", kColours, Colour(&C::Mondata), false, false},
    {47, " Console Text color not found", kColours, Colour(&C::Consoletext), false, false},
    {48, " Channel info color not found", kColours, Colour(&C::Chaninfo), false, false},
}};

TStartCodeRow StartCodeRowFor(int32_t code) {
  for (const TStartCodeRow& row : kStartCodeTable)
    if (row.Code == code) return row;
  return {code, "", kGeneral, Text(&T::Editbbsindicativo), false, false};
}

bool StartCodeShowsInfoBox(int32_t code) {
  if (code == 0) return false;
  const TStartCodeRow row = StartCodeRowFor(code);
  return !row.ImportsInitSrv && !row.ImportsPortsSys;
}
