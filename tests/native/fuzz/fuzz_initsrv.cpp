// Init.srv: lines are read in pieces of at most 148 characters, every text
// of the result fits the field it goes to, and the same file gives the same
// result (nothing comes from memory the file did not fill).
#include <string>

#include "FuzzCheck.h"
#include "editor/config/Records.h"
#include "editor/transfer/Colores.h"
#include "editor/transfer/Initsrv.h"

namespace {

// A conversion that changes lengths, so that the cuts are seen to follow it.
void WideOem(std::string& line) {
  std::string out;
  for (char c : line) (static_cast<unsigned char>(c) >= 0x80 ? out += "~" : out) += c;
  line = out;
}

#define W(field) sizeof(TConfigRecord::field)
bool Fits(const std::string& text, std::size_t width) {
  return text.size() < width && text.find('\0') == std::string::npos;
}

// Every field of the result with its width (0: a number or a flag, as text).
std::vector<std::pair<std::string, std::size_t>> Fields(const TInitSrv& r) {
  std::vector<std::pair<std::string, std::size_t>> f;
  auto opt = [&](const std::optional<std::string>& s, std::size_t w) { f.push_back({s ? "+" + *s : "-", w + 1}); };
  auto num = [&](int64_t n) { f.push_back({std::to_string(n), 0}); };
  for (const auto& [s, w] : {std::pair{&r.Ssid, W(SSID)}, {&r.Locator, W(Locator)}, {&r.Qth, W(Qth)},
                             {&r.Mail, W(Mail)}, {&r.CompresMail, W(CompresMail)}, {&r.Yapp, W(Yapp)},
                             {&r.Docs, W(Docs)}, {&r.SysOpName, W(SysOpName)},
                             {&r.SysOpCallsign, W(SysOpCallsign)},
                             {&r.CopySysOpMessages, W(CopySysOpMessages)},
                             {&r.ImportFile, W(ImportFile)}, {&r.ZubHeader, W(ZubHeader)},
                             {&r.MaxBids, W(MaxBids)}, {&r.BulletinsLifetime, W(BulletinsLifetime)},
                             {&r.RouteWpMessages, W(RouteWpMessages)}, {&r.ZipCode, W(ZipCode)}})
    opt(*s, w);
  for (const auto& [s, w] : {std::pair{&r.Root, W(ZubRoot)}, {&r.Unproto.Back, W(Editbackui)},
                             {&r.Unproto.Delay, W(Editdelayui)}, {&r.Beacon.Count, W(Indicativosbaliza)},
                             {&r.TimeoutUsers, W(timeoutusuarios)}, {&r.TimeoutForward, W(Timeoutforward)},
                             {&r.YappMax, W(yappmax)}, {&r.ModemMax, W(modemmax)},
                             {&r.BufferUser, W(buferusuario)}, {&r.BufferConsole, W(buferconsola)},
                             {&r.BufferMonitor, W(bufermonitor)}})
    f.push_back({*s, w});
  for (const std::string& disk : r.Disks) f.push_back({disk, W(Diska)});
  for (const auto* b : {&r.FullLog, &r.ChannelsIndication, &r.TestMode, &r.UserGivesInformation,
                        &r.Forwarding.Switch, &r.CompressedForwarding.Switch})
    num(*b ? 1 + **b : 0);
  for (int64_t n : {r.Security[0], r.Security[1], r.Security[2], r.FirstConnection, r.Warnings,
                    r.Forwarding.Sum, r.CompressedForwarding.Sum})
    num(n);
  for (bool b : {r.Unproto.Ack, r.Unproto.Private, r.Unproto.User, r.Unproto.Title,
                 r.ConnectionDisabled, r.Beacon.Beacon})
    num(b);
  for (const TInitSrvServer& s : r.Servers)
    f.insert(f.end(), {{s.Name, sizeof(TServerRecord::Name)}, {s.File, sizeof(TServerRecord::File)},
                       {s.Description, sizeof(TServerRecord::Description)}});
  return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view file = FuzzText(data, size);
  std::size_t read = 0;
  for (const std::string& piece : InitSrvLines(file)) {
    FUZZ_CHECK(piece.size() <= kInitSrvPiece && Fits(piece, kInitSrvPiece + 1));
    FUZZ_CHECK(piece.find('\n') == std::string::npos);
    read += piece.size();
  }
  FUZZ_CHECK(read <= file.size());

  const TInitSrv r = ParseInitSrv(file, WideOem);
  const auto fields = Fields(r);
  FUZZ_CHECK(fields == Fields(ParseInitSrv(file, WideOem)));
  for (const auto& [text, width] : fields) FUZZ_CHECK(width == 0 || Fits(text, width));
  // The callsign, ".", the route: one field.
  FUZZ_CHECK(r.Identity.Callsign.size() + 1 + r.Identity.Route.size() <= W(BbsCallsign));
  for (uint32_t c : {r.SentText, r.ReceivedText, r.MonitorHeader, r.MonitorData, r.ConsoleText,
                     r.ChannelInfo, r.Background})
    FUZZ_CHECK(c == kButtonFaceColour || c <= 0x00FFFFFF);
  FUZZ_CHECK(r.Servers.size() <= static_cast<std::size_t>(kServerCount));
  for (const TInitSrvServer& s : r.Servers) {
    FUZZ_CHECK(!s.Name.empty());
    for (char c : s.Name + s.File) FUZZ_CHECK(!IsWhiteSpace(c));
  }
  const std::string root = RootOfSystemFolder(file);
  FUZZ_CHECK(file.substr(0, root.size()) == root);
  return 0;
}
