// The Servers page's add of one server, timed against its raw floor.
#pragma once

class TForm1;

// Needs the hundred servers of a full configuration stored below
// Software\Nodrax\Servers; leaves them stored as it found them.
void BenchServers(TForm1& form, int runs);
