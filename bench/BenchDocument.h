// The document the benchmark's editor works on, as the process entry owns it.
#pragma once
#include "editor/config/Document.h"

TDocument& BenchDocument();
inline TConfiguration& Config() { return BenchDocument().Config(); }
