// Saving the window and the tables to the registry.
#pragma once

class TForm1;

// The one save operation. Returns true when everything was written; false
// when the identity check refused or a write failed (both already shown).
bool SaveConfiguration(TForm1& form);

// How the save makes its writes durable: false (the default) flushes each
// key as it is closed; true flushes every written key once, at the end of
// the save, before it returns.
extern bool SaveFlushesOnce;
