// What the editor's command line asks for: the window (with a start code,
// or none), or one of the commands that run without a window. Plain C++:
// it builds natively and is fuzzed.
#pragma once
#include <string>
#include <string_view>

enum class TSwitch {
  Window,   // no switch: the window, the tail a start code or nothing
  Export,   // /export FILE
  Import,   // /import FILE
  Restore,  // /restore FILE
  Backup,   // /backup
  Check,    // /check [FILE]
  Help,     // /?
  Wrong,    // an unknown switch, a missing or extra argument: Error says which
};

struct TSwitches {
  TSwitch Command = TSwitch::Window;
  std::string File;
  std::string Error;
};

// The tail of the command line, after the program's name. A switch starts
// with "/" (a "-" would be taken for the sign of a start code); names are
// matched without regard to case. A file name with blanks is quoted.
TSwitches ReadSwitches(std::string_view tail);

// The usage, as /? and every wrong command line print it.
extern const char kUsage[];
