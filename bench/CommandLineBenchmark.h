// The configuration check of the stored full configuration, with the disk
// probed, against the load of the same store; and the command line's
// /export, /backup and /check, each a process from its start to its exit,
// against reg.exe saving the same tree and against /export.
#pragma once

void RunCheckBenchmark(int runs);
void RunCommandLineBenchmark(int runs);
