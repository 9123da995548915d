// Saving the window and the tables to the registry.
#pragma once

class TForm1;

// The one save operation. Returns true when everything was written; false
// when the identity check refused or a write failed (both already shown).
bool SaveConfiguration(TForm1& form);
