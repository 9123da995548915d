#include "editor/transfer/ReplaceJournal.h"

#include "editor/config/RegistryKeys.h"
#include "platform/Registry.h"

void BeginReplace(const TReplaceNote& note) {
  TRegistry reg;
  if (!reg.OpenKey(kJournalKey, true)) return;
  reg.WriteString("Command", note.Command);
  reg.WriteString("Backup", note.Backup);
  reg.WriteString("Started", note.Started);
  reg.CloseKey();  // flushed as it closes
  NoteProgress("step", "journal written");
}

namespace {
// The editor's key beside the tree, which holds nothing but the note.
std::string NoteParent() {
  const std::string note = kJournalKey;
  return note.substr(0, note.rfind('\\'));
}
}  // namespace

void EndReplace() {
  // The note and the key that holds it: nothing of the editor's stays
  // beside the BBS's tree.
  TRegistry().DeleteKey(NoteParent());
  NoteProgress("step", "journal cleared");
}

std::optional<TReplaceNote> InterruptedReplace() {
  TRegistry reg;
  // Every start asks: the key that holds the note is looked for first.
  if (!reg.KeyExists(NoteParent())) return std::nullopt;
  if (!reg.OpenKeyReadOnly(kJournalKey)) {
    // Cut short as the note was being cleared: the command had finished.
    reg.DeleteKey(NoteParent());
    return std::nullopt;
  }
  TReplaceNote note;
  try {
    note.Command = reg.ReadString("Command");
    note.Backup = reg.ReadString("Backup");
    note.Started = reg.ReadString("Started");
  } catch (const ERegistryException&) {
    // Values of another type are no note of ours, yet the key says a
    // command was under way: it is asked about without a backup to offer.
  }
  if (note.Command.empty()) note.Command = "A command that replaces the configuration";
  return note;
}
