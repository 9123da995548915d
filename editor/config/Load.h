// Loading the stored configuration from the registry into a configuration
// object. No window takes part: the pages show the object afterwards.
#pragma once
#include <string>

#include "editor/config/Configuration.h"
#include "editor/config/Encodings.h"
#include "editor/config/RegistryKeys.h"

class TRegistrySnapshot;

// The station values, the folders, the ports and the servers stored below
// root (kNodraxKey, or kMountKey for a mounted configuration file), as the
// tables of StoredValues.h say. A value that is absent (or of another type)
// leaves its part of the configuration as it was. The older value names
// System and ZubDos are renamed where they are found, below root. Returns
// whether the folders came from the older key Directories, which only a
// save carries over (the caller decides when).
// OnNeed leaves the port and server tables pending (PortsPending,
// ServersPending) for PortsNeeded and ServersNeeded.
enum class TTables { Now, OnNeed };
bool CargaRegistro(TConfiguration& config, const std::string& root = kNodraxKey,
                   TTables tables = TTables::Now);
// The same load from a tree read into memory (a configuration file read
// once), the tables with it; older names are renamed in the snapshot only.
bool CargaRegistro(TConfiguration& config, TRegistrySnapshot& file, const std::string& root);
// The ports alone; the servers alone.
void CargaPuertos(TConfiguration& config, const std::string& root = kNodraxKey);
void CargaServidores(TConfiguration& config, const std::string& root = kNodraxKey);
// Each table, if it is still pending.
void PortsNeeded(TConfiguration& config);
void ServersNeeded(TConfiguration& config);

// Reads the values of the four keys of the BBS below root that exist, in
// the order of their table; a value that is absent leaves its field. A
// value of the other type (an integer stored as text or the reverse) raises
// "Invalid data type for '<name>'". A text longer than its field is cut.
void ReadCarriedOverSettings(TCarriedOverSettings& settings, const std::string& root);
void ReadCarriedOverSettings(TCarriedOverSettings& settings, TRegistrySnapshot& file,
                             const std::string& root);

// Raises "Invalid data type for '<name>'" for the first value below root
// that the load reads as text and that is no text, so that a file the load
// cannot take is refused before anything is deleted.
void CheckLoadedValueTypes(const std::string& root);
void CheckLoadedValueTypes(TRegistrySnapshot& file, const std::string& root);

// The callsign and route that the load shows for a stored BbsCallsign: the
// two halves share one field of the record, so the route gets what room the
// callsign leaves.
TCallsignRoute LoadedIdentity(const std::string& stored);
