#pragma once

// The first show of each page (made when its sheet is first shown) in a
// window of its own, against the same controls made bare with the same
// texts, shown and painted; the Ports page reads the stored ports, and its
// floor the same values raw. Prints the heaviest page's figures. Needs the
// configuration stored and in Configuration.
void RunPagesBenchmark(int runs);
