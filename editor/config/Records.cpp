#include "editor/config/Records.h"

TConfigRecord* ConfigRecord = nullptr;
TServerRecord* ServerTable = nullptr;
TPortRecord* PortTable = nullptr;
int ServerCount = 0;

void AllocateRecords() {
  if (!ConfigRecord) ConfigRecord = new TConfigRecord();
  if (!ServerTable) ServerTable = new TServerRecord[kServerCount]();
  if (!PortTable) {
    PortTable = new TPortRecord[kPortCount]();
    Borraports();
  }
}

void ReleaseRecords() {
  delete ConfigRecord;
  delete[] ServerTable;
  delete[] PortTable;
  ConfigRecord = nullptr;
  ServerTable = nullptr;
  PortTable = nullptr;
  ServerCount = 0;
}

bool PortInUse(const TPortRecord& port) {
  return port.Driver[0] != '\0' && std::strcmp(port.Driver, "NON") != 0;
}

void Borraports() {
  if (!PortTable) return;
  for (int i = 0; i < kPortCount; ++i) {
    PortTable[i] = TPortRecord();
    SetField(PortTable[i].Disabled, "false");
  }
}
