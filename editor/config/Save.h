// Saving the window and the tables to the registry.
#pragma once

class TForm1;

// The one save operation. Returns true when everything was written; false
// when the identity check refused or a write failed (both already shown).
bool SaveConfiguration(TForm1& form);

// How the save makes its writes durable: true (the default) flushes once,
// after the last write, before the save returns; a flush writes the whole
// hive, so that one flush covers every key the save wrote. false flushes
// each key as it is closed (kept for the benchmark's comparison).
extern bool SaveFlushesOnce;
