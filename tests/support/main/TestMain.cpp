// The entry of every test program under Wine. The C runtime writes standard
// output in text mode, "\r\n" at each line's end, and Wine passes that on to
// the host unchanged; CTest reads the list of cases from that output and
// would take the "\r" into the names of the suites. Binary mode keeps the
// lines as GoogleTest writes them.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
