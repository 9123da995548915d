// The configuration check on any configuration and any disk: the records
// take raw bytes (fields without their terminator included), the texts and
// the folders typed ones, and the disk answers as the input says. The check
// never crashes, every finding says where it is and what it is, a port's
// finding names a port of the table and a server's one a server in use,
// and the exit code follows the severities.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "editor/config/Check.h"

namespace {

using T = TStationTexts;

class TFuzzDisk : public IDiskProbe {
 public:
  std::string answers;  // one byte per path, picked by the path's hash
  std::vector<std::string> names;

  TKind Kind(const std::string& path) const override {
    return static_cast<TKind>(Answer(path) % 3);
  }
  std::vector<std::string> Files(const std::string&, const std::string&) const override {
    return names;
  }
  bool CanCreate(const std::string& path) const override { return Answer(path) & 4; }
  std::optional<std::string> Expand(const std::string& path) const override {
    if (path.find('%') == std::string::npos) return path;
    if (Answer(path) & 8) return std::nullopt;
    return "C:\\" + path;
  }

 private:
  unsigned char Answer(const std::string& path) const {
    if (answers.empty()) return 0;
    return static_cast<unsigned char>(answers[std::hash<std::string>()(path) % answers.size()]);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  TFuzzDisk disk;
  disk.answers = input.ConsumeRandomLengthString(16);
  for (int n = input.ConsumeIntegralInRange(0, 6); n > 0; --n)
    disk.names.push_back(input.ConsumeRandomLengthString(12));

  TConfiguration c;
  // Texts as typed: the root derives the folders below it.
  const TStationText texts[] = {&T::Editbbsindicativo, &T::Edithroute,      &T::Editssid,
                                &T::Editlocator,       &T::Editsysopindicativo,
                                &T::Directorioraiz,    &T::Directoriodata,  &T::Driversdir,
                                &T::Serversdir,        &T::Ficheroimport,   &T::Pgdir,
                                &T::Diska,             &T::Diskb,           &T::Directoriomensajesbin};
  for (TStationText text : texts)
    if (input.ConsumeBool()) c.SetText(text, CutToField(input.ConsumeRandomLengthString(40), text));
  // Raw bytes over part of the record: fields that are not terminated.
  if (input.ConsumeBool()) {
    const std::size_t at = input.ConsumeIntegralInRange<std::size_t>(0, sizeof c.ConfigRecord - 1);
    const std::vector<unsigned char> bytes =
        input.ConsumeBytes<unsigned char>(sizeof c.ConfigRecord - at);
    if (!bytes.empty())
      std::memcpy(reinterpret_cast<unsigned char*>(&c.ConfigRecord) + at, bytes.data(),
                  bytes.size());
  }
  for (TPortRecord& port : c.PortTable) {
    const std::vector<unsigned char> bytes = input.ConsumeBytes<unsigned char>(
        input.ConsumeIntegralInRange<std::size_t>(0, sizeof port));
    if (!bytes.empty()) std::memcpy(&port, bytes.data(), bytes.size());
  }
  c.ServerCount = input.ConsumeIntegralInRange(-2, kServerCount + 2);
  for (int i = 0; i < 8; ++i) {
    TServerRecord& server = c.ServerTable[i];
    const std::vector<unsigned char> bytes = input.ConsumeBytes<unsigned char>(
        input.ConsumeIntegralInRange<std::size_t>(0, sizeof server));
    if (!bytes.empty()) std::memcpy(&server, bytes.data(), bytes.size());
  }

  const std::vector<TFinding> findings = CheckConfiguration(c, disk);
  bool error = false;
  for (const TFinding& f : findings) {
    FUZZ_CHECK(!f.Key.empty() && !f.Page.empty() && !f.Field.empty() && !f.Text.empty());
    FUZZ_CHECK(f.Where().compare(0, f.Key.size(), f.Key) == 0);
    if (f.Key.compare(0, 6, "Ports\\") == 0) {
      FUZZ_CHECK(f.Row >= 0 && f.Row < kPortCount && f.Page == "Hojapuertosbbs");
    } else if (f.Key.compare(0, 7, "Servers") == 0) {
      FUZZ_CHECK(f.Row >= 0 && f.Row < c.ServerCount && f.Page == "Hojaservers");
    } else {
      FUZZ_CHECK(f.Row == -1 && (f.Key == "Config" || f.Key == "Folders"));
    }
    const std::string line = FindingLine(f);
    FUZZ_CHECK(line.find(f.Where()) != std::string::npos);
    error = error || f.Severity == TSeverity::Error;
  }
  FUZZ_CHECK(CheckExitCode(findings) == (error ? 2 : findings.empty() ? 0 : 1));
  FUZZ_CHECK(!FindingsSummary(findings).empty());
  return 0;
}
