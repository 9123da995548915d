// Times the editor's start-up against a program that shows one empty window.
#pragma once

// Needs the full configuration stored, with servers servers, and
// Nodraxcfg.exe and startup_floor.exe beside the running program.
void RunStartupBenchmark(int runs, int servers);
