// Init.srv: the lines are read in bounded pieces, every text of the result
// fits the field it goes to, and the same file always gives the same result
// (nothing is taken from memory the file did not fill).
#include <string>

#include "FuzzCheck.h"
#include "editor/config/Records.h"
#include "editor/transfer/Colores.h"
#include "editor/transfer/Initsrv.h"

namespace {

// A conversion that changes lengths, so that the cuts are seen to come after it.
void WideOem(std::string& line) {
  std::string out;
  for (char c : line) {
    if (static_cast<unsigned char>(c) >= 0x80) out += '~';
    out += c;
  }
  line = out;
}

bool Fits(const std::string& text, std::size_t width) {
  return text.size() < width && text.find('\0') == std::string::npos;
}
bool Fits(const std::optional<std::string>& text, std::size_t width) {
  return !text || Fits(*text, width);
}
bool IsColour(uint32_t c) { return c == kButtonFaceColour || c <= 0x00FFFFFF; }

#define WIDTH(field) sizeof(TConfigRecord::field)

// Every field, in one text, to compare two parses.
std::string Describe(const TInitSrv& r) {
  std::string d;
  auto add = [&](const std::string& s) { d += s + '\x01'; };
  auto opt = [&](const std::optional<std::string>& s) { add(s ? "+" + *s : "-"); };
  auto flag = [&](const std::optional<bool>& b) { add(b ? (*b ? "1" : "0") : "-"); };
  for (const auto* s : {&r.Ssid, &r.Locator, &r.Qth, &r.Mail, &r.CompresMail, &r.Yapp, &r.Docs,
                        &r.SysOpName, &r.SysOpCallsign, &r.CopySysOpMessages, &r.ImportFile,
                        &r.ZubHeader, &r.MaxBids, &r.BulletinsLifetime, &r.RouteWpMessages,
                        &r.ZipCode})
    opt(*s);
  for (const auto* b : {&r.FullLog, &r.ChannelsIndication, &r.TestMode, &r.UserGivesInformation})
    flag(*b);
  for (const std::string& s :
       {r.Identity.Callsign, r.Identity.Route, r.Root, r.Unproto.Back, r.Unproto.Delay,
        r.Beacon.Count, r.TimeoutUsers, r.TimeoutForward, r.YappMax, r.ModemMax, r.BufferUser,
        r.BufferConsole, r.BufferMonitor})
    add(s);
  for (const std::string& s : r.Disks) add(s);
  for (bool b : {r.Unproto.Ack, r.Unproto.Private, r.Unproto.User, r.Unproto.Title,
                 r.ConnectionDisabled, r.Beacon.Beacon})
    add(b ? "1" : "0");
  flag(r.Forwarding.Switch);
  flag(r.CompressedForwarding.Switch);
  for (int64_t n : {int64_t(r.Security[0]), int64_t(r.Security[1]), int64_t(r.Security[2]),
                    int64_t(r.FirstConnection), int64_t(r.Warnings), int64_t(r.Forwarding.Sum),
                    int64_t(r.CompressedForwarding.Sum), int64_t(r.SentText),
                    int64_t(r.ReceivedText), int64_t(r.MonitorHeader), int64_t(r.MonitorData),
                    int64_t(r.ConsoleText), int64_t(r.ChannelInfo), int64_t(r.Background)})
    add(std::to_string(n));
  for (const TInitSrvServer& s : r.Servers) {
    add(s.Name);
    add(s.File);
    add(s.Description);
  }
  return d;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view file = FuzzText(data, size);

  std::size_t read = 0;
  for (const std::string& piece : InitSrvLines(file)) {
    FUZZ_CHECK(piece.size() <= kInitSrvPiece);
    FUZZ_CHECK(piece.find('\n') == std::string::npos && piece.find('\0') == std::string::npos);
    read += piece.size();
  }
  FUZZ_CHECK(read <= file.size());

  const TInitSrv r = ParseInitSrv(file, WideOem);
  FUZZ_CHECK(Describe(r) == Describe(ParseInitSrv(file, WideOem)));

  for (const auto& [text, width] :
       {std::pair{&r.Ssid, WIDTH(SSID)}, {&r.Locator, WIDTH(Locator)}, {&r.Qth, WIDTH(Qth)},
        {&r.Mail, WIDTH(Mail)}, {&r.CompresMail, WIDTH(CompresMail)}, {&r.Yapp, WIDTH(Yapp)},
        {&r.Docs, WIDTH(Docs)}, {&r.SysOpName, WIDTH(SysOpName)},
        {&r.SysOpCallsign, WIDTH(SysOpCallsign)}, {&r.CopySysOpMessages, WIDTH(CopySysOpMessages)},
        {&r.ImportFile, WIDTH(ImportFile)}, {&r.ZubHeader, WIDTH(ZubHeader)},
        {&r.MaxBids, WIDTH(MaxBids)}, {&r.BulletinsLifetime, WIDTH(BulletinsLifetime)},
        {&r.RouteWpMessages, WIDTH(RouteWpMessages)}, {&r.ZipCode, WIDTH(ZipCode)}})
    FUZZ_CHECK(Fits(*text, width));
  // The callsign, ".", the route: one field.
  FUZZ_CHECK(r.Identity.Callsign.size() + 1 + r.Identity.Route.size() <= WIDTH(BbsCallsign));
  FUZZ_CHECK(Fits(r.Root, WIDTH(ZubRoot)));
  for (const std::string& disk : r.Disks) FUZZ_CHECK(Fits(disk, WIDTH(Diska)) && disk.find('*') == std::string::npos);
  FUZZ_CHECK(Fits(r.Unproto.Back, WIDTH(Editbackui)) && Fits(r.Unproto.Delay, WIDTH(Editdelayui)));
  FUZZ_CHECK(Fits(r.Beacon.Count, WIDTH(Indicativosbaliza)));
  FUZZ_CHECK(Fits(r.TimeoutUsers, WIDTH(timeoutusuarios)) &&
             Fits(r.TimeoutForward, WIDTH(Timeoutforward)));
  FUZZ_CHECK(Fits(r.YappMax, WIDTH(yappmax)) && Fits(r.ModemMax, WIDTH(modemmax)));
  FUZZ_CHECK(Fits(r.BufferUser, WIDTH(buferusuario)) && Fits(r.BufferConsole, WIDTH(buferconsola)) &&
             Fits(r.BufferMonitor, WIDTH(bufermonitor)));
  if (r.ConnectionDisabled) FUZZ_CHECK(r.FirstConnection == 0);
  for (uint32_t c : {r.SentText, r.ReceivedText, r.MonitorHeader, r.MonitorData, r.ConsoleText,
                     r.ChannelInfo, r.Background})
    FUZZ_CHECK(IsColour(c));

  FUZZ_CHECK(r.Servers.size() <= static_cast<std::size_t>(kServerCount));
  for (const TInitSrvServer& s : r.Servers) {
    FUZZ_CHECK(!s.Name.empty() && Fits(s.Name, sizeof(TServerRecord::Name)));
    FUZZ_CHECK(Fits(s.File, sizeof(TServerRecord::File)) &&
               Fits(s.Description, sizeof(TServerRecord::Description)));
    for (char c : s.Name + s.File) FUZZ_CHECK(!IsWhiteSpace(c));
  }

  const std::string root = RootOfSystemFolder(file);
  FUZZ_CHECK(file.substr(0, root.size()) == root);
  return 0;
}
