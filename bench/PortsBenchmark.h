// Times the showing of a port on the Ports page.
#pragma once

class TForm1;

// Prints the median of PuertosbbsClick on ports in use against the floor of
// the same control texts put into bare controls. Replaces ports 1 to 3 of
// the PortTable.
void RunPortsBenchmark(TForm1& form, int runs);
