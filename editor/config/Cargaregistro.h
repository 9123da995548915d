// Loading the stored configuration into the main window and the tables.
#pragma once

class TForm1;

// The whole load: station options, folders, ports, servers, then the
// migration save when the older folder key was found.
void CargaRegistro(TForm1& form);
// The ports alone; the servers alone, into the ServerTable and ListBox1.
void CargaPuertos();
void CargaServidores(TForm1& form);
