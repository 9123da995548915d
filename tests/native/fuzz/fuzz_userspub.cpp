// UsersPub: whatever is stored splits into eight disks that join and split
// back unchanged; eight storable disks survive a join and a split.
#include "FuzzCheck.h"
#include "editor/config/Encodings.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view text = FuzzText(data, size);
  const TDisks disks = SplitUsersPub(text);
  std::size_t used = 0;
  for (const std::string& d : disks) {
    FUZZ_CHECK(DiskStorable(d));
    FUZZ_CHECK(d != "*");
    FUZZ_CHECK(d.size() <= text.size());
    if (!d.empty()) ++used;
  }
  // One disk per item at most, however the items are spread.
  std::size_t commas = 0;
  for (char c : text) commas += c == ',';
  FUZZ_CHECK(used <= commas + 1);
  const std::optional<std::string> joined = JoinUsersPub(disks);
  FUZZ_CHECK(joined.has_value());
  FUZZ_CHECK(SplitUsersPub(*joined) == disks);

  // The input as eight disk fields separated by NUL.
  TDisks fields;
  std::size_t start = 0;
  for (std::size_t i = 0; i < kDiskCount && start <= text.size(); ++i) {
    std::size_t end = text.find('\0', start);
    if (end == std::string_view::npos) end = text.size();
    fields[i] = std::string(text.substr(start, end - start));
    start = end + 1;
  }
  const std::optional<std::string> stored = JoinUsersPub(fields);
  bool storable = true;
  for (const std::string& f : fields) storable = storable && DiskStorable(f);
  FUZZ_CHECK(stored.has_value() == storable);
  if (stored) {
    const TDisks back = SplitUsersPub(*stored);
    for (std::size_t i = 0; i < kDiskCount; ++i)
      FUZZ_CHECK(back[i] == (fields[i] == "*" ? std::string() : fields[i]));
  }
  return 0;
}
