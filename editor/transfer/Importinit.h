// The window side of the Init.srv import (the reading is Initsrv.h).
#pragma once
#include <string>

class TForm1;
struct TInitSrv;

// Sets the window's fields, boxes and colours, the server list and
// ServerTable from what the file held, and marks the configuration changed.
void FillFromInitSrv(TForm1& form, const TInitSrv& read);
// Reads the file and fills the window from it; false, with nothing changed,
// when the file cannot be opened.
bool ImportInitSrv(TForm1& form, const std::string& path);
