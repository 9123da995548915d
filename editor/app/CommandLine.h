// The commands run from the command line, without a window: for a nightly
// backup from the Task Scheduler, a station set up by a script, a check
// before the BBS starts. What each did goes to standard output, what went
// wrong to standard error; the exit code says which (kUsage lists them).
#pragma once
#include "editor/config/Switches.h"

enum TExitCode : int {
  kExitDone = 0,
  kExitUsage = 1,
  kExitRefused = 2,      // the file, or the BBS root, cannot be used: nothing changed
  kExitNoBackup = 3,     // no backup could be taken: nothing changed
  kExitFailed = 4,       // the store or the file could not be written or read
  kExitEditorOpen = 5,   // an editor window holds the configuration: nothing changed
  kExitInterrupted = 6,  // an interrupted command awaits the editor's question
};

// Runs the command the switches name (not Window) and returns the exit code.
int RunCommandLine(const TSwitches& switches);
