// The named-interface ports file ("ports.sys" and every other name):
// interface lines of five tokens name their driver.
#pragma once
#include <string>
#include <vector>

#include "editor/ports/PortsFile.h"

// Reads the file's reads (PortsFileReads) into a new port table.
TPortsFileResult ReadPorts(const std::vector<std::string>& reads);
