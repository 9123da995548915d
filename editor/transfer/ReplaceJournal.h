// A command that replaces the stored tree ("Import Config", "Delete
// Config", "Restore Backup") notes, before it deletes anything, that it is
// under way and which backup it took, and clears the note once the store
// holds its result. A note found when the editor starts means the command
// was cut short (a crash, a power cut, a log-off) and the store may be half
// written: the start offers to put that backup back.
//
// The note lives in the same hive as the tree, so that Windows writes both
// in the order they were made: a store that lost the note to a power cut
// lost the delete after it too.
#pragma once
#include <optional>
#include <string>

struct TReplaceNote {
  std::string Command;  // the menu command, "Import Config"...
  std::string Backup;   // the backup taken before it; empty when none was
  std::string Started;  // local time, "YYYY-MM-DD HH:MM:SS"
};

// Writes the note (and makes it durable before the command goes on).
void BeginReplace(const TReplaceNote& note);
// Clears it: the store holds what the command meant it to.
void EndReplace();
// The note a command left when it was cut short.
std::optional<TReplaceNote> InterruptedReplace();
