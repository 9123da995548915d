// "Import old INIT.SRV": the station file of an older installation fills
// the configuration as the sysop could have, field by field, so that the
// root folder derives the other folders as typing it would; the servers
// replace the server list. Nothing is stored until the sysop saves.
#pragma once
#include <string>

class TDocument;
struct TConfiguration;
struct TInitSrv;

// Fills the configuration from what the file held.
void FillFromInitSrv(TConfiguration& config, const TInitSrv& read);
// Reads the file into the document's configuration and marks it changed;
// false, with nothing changed, when the file cannot be opened.
bool ImportInitSrv(TDocument& document, const std::string& path);
