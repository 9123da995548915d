#include "editor/config/Switches.h"

#include <vector>

namespace {

// The arguments as Windows programs split them, for what a sysop types or
// a script writes: blanks separate, double quotes group and are dropped.
std::vector<std::string> Arguments(std::string_view tail) {
  std::vector<std::string> arguments;
  std::size_t i = 0;
  while (i < tail.size()) {
    while (i < tail.size() && (tail[i] == ' ' || tail[i] == '\t')) ++i;
    if (i >= tail.size()) break;
    std::string argument;
    bool quoted = false;
    for (; i < tail.size(); ++i) {
      const char c = tail[i];
      if (c == '"') {
        quoted = !quoted;
      } else if ((c == ' ' || c == '\t') && !quoted) {
        break;
      } else {
        argument += c;
      }
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

struct TName {
  const char* Name;
  TSwitch Command;
  int Files;  // 1: a file is required; 0: none is taken; -1: one may follow
};
const TName kNames[] = {
    {"/export", TSwitch::Export, 1}, {"/import", TSwitch::Import, 1},
    {"/restore", TSwitch::Restore, 1}, {"/backup", TSwitch::Backup, 0},
    {"/check", TSwitch::Check, -1},  {"/?", TSwitch::Help, 0},
    {"/help", TSwitch::Help, 0},
};

}  // namespace

const char kUsage[] =
    "Usage: Nodraxcfg [start code]\n"
    "       Nodraxcfg /export FILE     export the stored configuration into FILE\n"
    "       Nodraxcfg /import FILE     back up the stored configuration, then import FILE\n"
    "       Nodraxcfg /restore FILE    back up the stored configuration, then put FILE back whole\n"
    "       Nodraxcfg /backup          back up the stored configuration into <root>\\Backup\n"
    "       Nodraxcfg /check [FILE]    check the stored configuration, or FILE\n"
    "       Nodraxcfg /?               show this text\n"
    "Without a switch the editor's window opens. Exit codes: 0 done; 1 wrong command line;\n"
    "2 the file (or the BBS root) cannot be used; 3 no backup could be taken; 4 the store or\n"
    "the file could not be written or read; 5 an editor window holds the configuration;\n"
    "6 an interrupted command awaits the editor. /check: 0 nothing found, 1 warnings,\n"
    "2 errors, 4 the configuration cannot be read.\n";

TSwitches ReadSwitches(std::string_view tail) {
  TSwitches read;
  const std::vector<std::string> arguments = Arguments(tail);
  if (arguments.empty() || arguments[0].empty() || arguments[0][0] != '/') return read;
  const std::string name = Lower(arguments[0]);
  for (const TName& known : kNames) {
    if (name != known.Name) continue;
    const std::size_t files = arguments.size() - 1;
    if (known.Files == 1 && files == 0) {
      read.Command = TSwitch::Wrong;
      read.Error = arguments[0] + " needs the name of a file.";
    } else if ((known.Files == 0 && files > 0) || files > 1) {
      read.Command = TSwitch::Wrong;
      read.Error = "Too many arguments after " + arguments[0] + ": " + arguments.back();
    } else if (files == 1 && arguments[1].empty()) {
      read.Command = TSwitch::Wrong;
      read.Error = arguments[0] + " needs the name of a file.";
    } else {
      read.Command = known.Command;
      if (files == 1) read.File = arguments[1];
    }
    return read;
  }
  read.Command = TSwitch::Wrong;
  read.Error = "Unknown switch: " + arguments[0];
  return read;
}
