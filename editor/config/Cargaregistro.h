// Loading the stored configuration into the main window and the tables.
#pragma once
#include <string>

#include "editor/config/Encodings.h"
#include "editor/config/RegistryKeys.h"

class TForm1;

// The whole load: station options, folders, ports, servers, then the
// migration save when the older folder key was found.
void CargaRegistro(TForm1& form);
// The same from the keys below another root (a mounted configuration file),
// without the migration save; returns whether the older key Directories was
// found there.
bool CargaRegistroDesde(TForm1& form, const std::string& root);
// The ports alone; the servers alone, into the ServerTable and ListBox1.
void CargaPuertos(const std::string& root = kNodraxKey);
void CargaServidores(TForm1& form, const std::string& root = kNodraxKey);
// The callsign and route that the load shows for a stored BbsCallsign: the
// two halves share one field of the record, so the route gets what room the
// callsign leaves.
TCallsignRoute LoadedIdentity(const std::string& stored);
