#pragma once

// The first show of each page (made when its sheet is first shown) in a
// window of its own, against the same controls made bare with the same
// texts; prints the heaviest page's figures.
void RunPagesBenchmark(int runs);
