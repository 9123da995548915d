#include "editor/config/Switches.h"

#include <gtest/gtest.h>

TEST(CommandLineSwitches, NameTheWindowOrOneCommand) {
  struct TRow {
    const char* Tail;
    TSwitch Command;
    const char* File;
  } rows[] = {
      {"", TSwitch::Window, ""},
      {"  ", TSwitch::Window, ""},
      {"5", TSwitch::Window, ""},  // a start code
      {"-5", TSwitch::Window, ""},
      {"21", TSwitch::Window, ""},
      {"/export C:\\a.zub", TSwitch::Export, "C:\\a.zub"},
      {"/EXPORT\t\"C:\\My Files\\a b.zub\"", TSwitch::Export, "C:\\My Files\\a b.zub"},
      {"/import \"C:\\x\"y.zub", TSwitch::Import, "C:\\xy.zub"},
      {"/Restore   C:\\b.zub  ", TSwitch::Restore, "C:\\b.zub"},
      {"/backup", TSwitch::Backup, ""},
      {"/check", TSwitch::Check, ""},
      {"/check C:\\c.zub", TSwitch::Check, "C:\\c.zub"},
      {"/?", TSwitch::Help, ""},
      {"/export", TSwitch::Wrong, ""},
      {"/export \"\"", TSwitch::Wrong, ""},
      {"/backup C:\\b.zub", TSwitch::Wrong, ""},
      {"/import a b", TSwitch::Wrong, ""},
      {"/exportx a", TSwitch::Wrong, ""},
      {"/", TSwitch::Wrong, ""},
  };
  for (const TRow& row : rows) {
    const TSwitches read = ReadSwitches(row.Tail);
    EXPECT_EQ(row.Command, read.Command) << "[" << row.Tail << "]";
    EXPECT_EQ(row.File, read.File) << "[" << row.Tail << "]";
    EXPECT_EQ(row.Command == TSwitch::Wrong, !read.Error.empty()) << "[" << row.Tail << "]";
  }
}
