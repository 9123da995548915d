// The start code: every tail maps to a row of the table or to the any-other
// row, with the information box exactly where it belongs.
#include "FuzzCheck.h"
#include "editor/config/StartCodes.h"
#include "editor/config/Numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view tail = FuzzText(data, size);
  const int32_t code = StartCode(tail);
  const std::optional<int32_t> exact = ReadInt32(tail);
  FUZZ_CHECK(code == (exact ? *exact : kStartCodeOutOfRange));
  const TStartCodeRow row = StartCodeRowFor(code);
  FUZZ_CHECK(row.Code == code);
  FUZZ_CHECK(!row.Page.empty() && (row.Field.Text != nullptr) != (row.Field.Colour != nullptr));
  const bool imports = row.ImportsInitSrv || row.ImportsPortsSys;
  FUZZ_CHECK(imports == (code >= 21 && code <= 23));
  FUZZ_CHECK(StartCodeShowsInfoBox(code) == (code != 0 && !imports));
  if (code < 1 || code > 48) FUZZ_CHECK(row.Message.empty() && row.Page == "Hojageneral");
  return 0;
}
