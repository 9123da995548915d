// The command line: every tail is the window, one command, or a wrong
// line with its reason; a command that takes a file has one, and a tail
// that does not start with "/" is always the window.
#include "FuzzCheck.h"
#include "editor/config/Switches.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view tail = FuzzText(data, size);
  const TSwitches read = ReadSwitches(tail);
  const std::size_t first = tail.find_first_not_of(" \t");
  const bool slash = first != std::string_view::npos &&
                     (tail[first] == '/' || (tail[first] == '"' && tail.size() > first + 1));
  if (!slash) FUZZ_CHECK(read.Command == TSwitch::Window);
  FUZZ_CHECK((read.Command == TSwitch::Wrong) == !read.Error.empty());
  switch (read.Command) {
    case TSwitch::Export:
    case TSwitch::Import:
    case TSwitch::Restore:
      FUZZ_CHECK(!read.File.empty());
      break;
    case TSwitch::Backup:
    case TSwitch::Help:
    case TSwitch::Window:
    case TSwitch::Wrong:
      FUZZ_CHECK(read.File.empty());
      break;
    case TSwitch::Check:
      break;
  }
  FUZZ_CHECK(read.File.find('"') == std::string::npos);
  return 0;
}
