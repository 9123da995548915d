// The numbered-interface ports file ("port.sys"): interface lines of four
// tokens name their driver by a number.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "editor/ports/PortsFile.h"

// The driver of an interface number; "" for a number without one.
std::string PortsysDriver(std::string_view number);

// Reads the file's reads (PortsFileReads) into a new port table. A second
// BPQ interface stops the reading there, with its message.
TPortsFileResult ReadPortsys(const std::vector<std::string>& reads);
