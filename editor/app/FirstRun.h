// The starting configuration on a machine that has none stored yet: a
// sample station, the folders below a root in the program-files folder, and
// the options a new BBS usually starts with. Nothing is stored until the
// sysop saves.
#pragma once

struct TConfiguration;

void Primeravez(TConfiguration& config);
