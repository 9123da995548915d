// Saving the window and the tables to the registry.
#pragma once

#include <string>

class TForm1;
class TRegistry;

// The one save operation. Returns true when everything was written; false
// when the identity check refused or a write failed (both already shown).
bool SaveConfiguration(TForm1& form);

// How the save makes its writes durable: true (the default) flushes once,
// after the last write, before the save returns; a flush writes the whole
// hive, so that one flush covers every key the save wrote. false flushes
// each key as it is closed (kept for the benchmark's comparison).
extern bool SaveFlushesOnce;

// The warning text for the first write that the registry refused: the key,
// below HKEY_LOCAL_MACHINE, and the platform's text for the refusal. Every
// operation that writes the configuration reports a refusal with it, after
// saying what was not stored.
std::string FailedWriteText(const TRegistry& reg);

// Tells running programs that the stored configuration changed: posts
// "ZUBCFG_NOTIFY" to every top-level window, both parameters 0.
void NotifyConfigurationChanged();
