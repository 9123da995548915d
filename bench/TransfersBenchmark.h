// Benchmarks of the transfers, each against the fewest raw calls that do the
// same work; called from the registry benchmark's main with the window that
// holds the full configuration.
#pragma once
#include <string>

class TForm1;

// Every configuration file (*.zub) of the folder deleted: the backups of
// earlier runs, which a backup would otherwise prune.
void DeleteConfigFiles(const std::string& folder);

// Export of the stored tree against a bare RegSaveKeyA.
void BenchmarkExport(TForm1& form, int runs);
// Import of that file against a bare mount, a raw read of its values and an
// unmount.
void BenchmarkImport(TForm1& form, int runs);
// Restore of that file (Restore Backup) against its own steps done raw: a
// RegSaveKeyA of the stored tree (the backup), a raw delete of it, and a
// mount, a raw copy of every key and value of the file, an unmount. Editor
// and floor take turns. Also the share of the import that goes to noting
// that a replace is under way and clearing the note.
void BenchmarkRestore(TForm1& form, int runs);
// Import of the largest Init.srv the format allows (every line 148
// characters, 100 servers) into the window, against reading the same file
// and setting on bare controls the texts and ticks that the import puts
// into the window, and the server list. Taking turns, as every case here.
void BenchmarkInitSrv(TForm1& form, int runs);
