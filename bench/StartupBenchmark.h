// Times the editor's start-up against programs that show one empty window.
#pragma once
#include <string>

// Needs the full configuration stored, its station callsign given, and
// Nodraxcfg.exe, startup_floor.exe and startup_floor_manifest.exe beside the
// running program.
void RunStartupBenchmark(int runs, const std::string& callsign);
