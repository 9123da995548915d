#include "editor/config/ServerStore.h"

#include <windows.h>

#include <algorithm>

#include "editor/config/AnsiText.h"
#include "editor/config/Save.h"
#include "platform/Registry.h"

namespace {

// The registry's form of the internal server: the BBS takes any File that
// starts with "*" for it.
const char kInternalServerStored[] = "**********";

// What the registry keeps of the file field: the program's name in
// capitals, or the internal server's mark. The mark is compared after the
// capitals, so that "internal server" typed by hand is the internal server
// too and not a program of that name that the BBS would try to start.
std::string StoredFile(const std::string& typed) {
  const std::string file = Capitals(typed);
  return file == kInternalServer ? kInternalServerStored : file;
}

// The entry of the server of that name, or -1.
int EntryOf(const TConfiguration& c, const std::string& name) {
  for (int i = 0; i < c.ServerCount; ++i)
    if (lstrcmpiA(c.ServerTable[i].Name, name.c_str()) == 0) return i;
  return -1;
}

// Where a new server goes: before the first entry whose name sorts after
// it, as the registry lists its keys, so that a list read from the registry
// and one kept here stay the same.
int PlaceOf(const TConfiguration& c, const std::string& name) {
  int i = 0;
  while (i < c.ServerCount && lstrcmpiA(c.ServerTable[i].Name, name.c_str()) < 0) ++i;
  return i;
}

}  // namespace

std::string ShownProgram(const TServerRecord& server) {
  return server.File[0] == '*' ? kInternalServer : FieldText(server.File);
}

TServerResult StoreServer(TConfiguration& c, const std::string& name, const std::string& program,
                          const std::string& description, bool disabled,
                          const std::string& root) {
  TServerResult result;
  if (name.empty() || program.empty()) {
    result.Outcome = TServerOutcome::Unnamed;
    return result;
  }
  if (name.find('\\') != std::string::npos) {
    result.Outcome = TServerOutcome::BadName;
    return result;
  }
  int entry = EntryOf(c, name);
  // A change of a server is always allowed; a new one must still fit the
  // table, or the list would not show it.
  if (entry < 0 && c.ServerCount >= kServerCount) {
    result.Outcome = TServerOutcome::Full;
    return result;
  }
  TServerRecord server{};
  SetField(server.Name, name);
  SetField(server.File, StoredFile(program));
  SetField(server.Description, description);
  SetField(server.Disabled, disabled ? "true" : "false");
  TRegistry reg;
  if (reg.OpenKey(KeyBelow(root, kServersKey) + "\\" + name, true)) {
    reg.WriteString("File", FieldText(server.File));
    reg.WriteString("Description", description);
    reg.WriteString("Disabled", FieldText(server.Disabled));
    reg.CloseKey();
  }
  if (reg.Failed()) {
    result.Outcome = TServerOutcome::WriteFailed;
    result.Failure = FailedWriteText(reg);
    return result;
  }
  // The table keeps every other server as it was, also those an import
  // brought in that are not stored yet.
  if (entry < 0) {
    entry = PlaceOf(c, name);
    std::copy_backward(c.ServerTable + entry, c.ServerTable + c.ServerCount,
                       c.ServerTable + c.ServerCount + 1);
    ++c.ServerCount;
  }
  c.ServerTable[entry] = server;
  result.Entry = entry;
  return result;
}

TServerResult DeleteServer(TConfiguration& c, int i, const std::string& root) {
  TServerResult result;
  if (i < 0 || i >= c.ServerCount) {
    result.Outcome = TServerOutcome::Unnamed;
    return result;
  }
  const std::string key = KeyBelow(root, kServersKey) + "\\" + FieldText(c.ServerTable[i].Name);
  TRegistry reg;
  if (reg.KeyExists(key)) reg.DeleteKey(key);
  if (reg.Failed()) {
    result.Outcome = TServerOutcome::WriteFailed;
    result.Failure = FailedWriteText(reg);
    return result;
  }
  std::copy(c.ServerTable + i + 1, c.ServerTable + c.ServerCount, c.ServerTable + i);
  c.ServerTable[--c.ServerCount] = TServerRecord();
  result.Entry = i;
  return result;
}
