// The start code of the command line: a program that starts the editor
// with a number points the sysop at a missing setting, or has the old text
// files imported and saved.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "editor/config/Configuration.h"

// A tail whose number does not fit 32 bits gives this code, which has no row
// and so is treated as any other code.
inline constexpr int32_t kStartCodeOutOfRange = -1;

// The code of the command-line tail by the number rule.
int32_t StartCode(std::string_view commandTail);

struct TStartCodeRow {
  int32_t Code;
  std::string_view Message;  // for status panel 0, empty for none
  std::string_view Page;     // tab sheet to select
  TConfigField Field;        // the value whose field gets the focus
  bool ImportsInitSrv;       // run the station-file import, then Save & Exit
  bool ImportsPortsSys;      // run the ports-file import (after the other), then Save & Exit
};

extern const std::array<TStartCodeRow, 41> kStartCodeTable;

// The row of a code; a code without a row gets no message, the General page
// and the callsign field.
TStartCodeRow StartCodeRowFor(int32_t code);
// Every code but 0 and the import codes 21, 22 and 23 is followed by the
// information box, also the codes without a row.
bool StartCodeShowsInfoBox(int32_t code);
