// What choosing a port's type does to the port: the driver, and the values
// every port of that class starts with. Plain C++: it builds natively too.
#pragma once
#include <string>

#include "editor/config/Records.h"

// The classes of port types, by what their fields mean.
enum TPortClass : unsigned {
  kNoType = 1,  // "None": the port is not used
  kBpqAgw = 2,  // a packet engine on this machine
  kTcpTln = 4,  // a TCP port, whose number the address field holds
  kSerial = 8,  // a TNC on a serial port: every other driver
};
constexpr unsigned kAnyType = kBpqAgw | kTcpTln | kSerial;
TPortClass PortClassOf(const std::string& type);

// The type chosen for the port: its driver, the fields its type fixes, and
// the defaults of its class (the address, the speed, the COM port, the
// channels, the frame sizes, the forwarding times, the label, the guest
// mode, read-only). A port without a type is not disabled: it is not used.
void SetPortType(TPortRecord& port, const std::string& type);
