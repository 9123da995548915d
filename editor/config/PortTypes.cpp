#include "editor/config/PortTypes.h"

TPortClass PortClassOf(const std::string& type) {
  if (type == "None" || type == "Type of Port") return kNoType;
  if (type == "BPQ" || type == "AGW") return kBpqAgw;
  if (type == "TCP" || type == "TLN") return kTcpTln;
  return kSerial;  // the empty text too
}

void SetPortType(TPortRecord& port, const std::string& type) {
  struct TTypeRow {
    const char* Type;
    const char* Driver;
    const char* HexAddress;  // nullptr: unchanged
    const char* BaudRate;
    const char* Canal;
    const char* Com;
  };
  static const TTypeRow table[] = {
      {"None", "NON", nullptr, nullptr, nullptr, nullptr},
      {"TCP", "TCP", "0", nullptr, "0", "0"},
      {"BPQ", "BPQ", "0", "0", "1", nullptr},
      {"TLN", "TLN", "0", nullptr, "0", "0"},
      {"AGW", "AGW", "0", "0", "0", "0"},
  };
  SetField(port.Driver, type);
  for (const TTypeRow& row : table) {
    if (type != row.Type) continue;
    SetField(port.Driver, row.Driver);
    if (row.HexAddress) SetField(port.HexAddress, row.HexAddress);
    if (row.BaudRate) SetField(port.BaudRate, row.BaudRate);
    if (row.Canal) SetField(port.Canal, row.Canal);
    if (row.Com) SetField(port.Com, row.Com);
  }
  const TPortClass kind = PortClassOf(type);
  if (kind == kNoType) {
    SetField(port.Disabled, "false");
    return;
  }
  // The address field (in capitals) holds a TCP port's number, which goes into BaudRate,
  // and a serial port's I/O address; the packet engines have neither.
  if (kind == kTcpTln) SetField(port.BaudRate, "3F8");
  if (kind == kSerial) {
    SetField(port.HexAddress, "3F8");
    SetField(port.BaudRate, "9600");
    SetField(port.Canal, "0");
  }
  SetField(port.Com, "8");
  SetField(port.NumChannels, "7");
  SetField(port.Paclen, "250");
  SetField(port.MaxFrame, "4");
  SetField(port.MaxBlock, "50");
  SetField(port.Fwdminute, "00");
  SetField(port.Fwdperiodo, "30");
  SetField(port.NumFwdChannels, "2");
  SetField(port.Label, "Info for channel");
  SetField(port.Tipopuerto, "G");
  SetField(port.Unprotos, "");
  SetField(port.Gateway, "");
  SetField(port.Yapp, "");
  SetField(port.Rdonly, "R");
}
