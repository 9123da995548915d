// Port values: FwdPeriode and Mode parse and compose consistently, and no
// key name reaches outside the table.
#include "FuzzCheck.h"
#include "editor/config/Encodings.h"
#include "editor/config/Numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view text = FuzzText(data, size);

  const TFwdPeriode p = ParseFwdPeriode(text);
  FUZZ_CHECK(p.Minute.find('/') == std::string::npos);
  FUZZ_CHECK(p.Minute.size() + p.Period.size() <= text.size());
  if (!p.Period.empty()) {
    const TFwdPeriode back = ParseFwdPeriode(ComposeFwdPeriode(p.Minute, p.Period));
    FUZZ_CHECK(back.Period == p.Period && back.Minute == OrDefault(p.Minute, "00"));
  }

  const TPortMode m = ParsePortMode(text);
  const std::string mode = ComposePortMode(m);
  FUZZ_CHECK(!mode.empty() && mode.size() <= 5);
  const TPortMode again = ParsePortMode(mode);
  const bool any = !(m.Unprotos + m.Yapp + m.Gateway + m.Rdonly + m.Tipopuerto).empty();
  if (any) {
    FUZZ_CHECK(again.Unprotos == m.Unprotos && again.Yapp == m.Yapp && again.Gateway == m.Gateway &&
               again.Rdonly == m.Rdonly && again.Tipopuerto == m.Tipopuerto);
  } else {
    FUZZ_CHECK(mode == "G");
  }

  const std::optional<int> index = PortIndexFromKeyName(text);
  if (index) {
    FUZZ_CHECK(*index >= 0 && *index <= 9);
    FUZZ_CHECK(ReadNumber(text.substr(4)) == *index + 1);
  }
  return 0;
}
