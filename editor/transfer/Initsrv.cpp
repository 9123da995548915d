#include "editor/transfer/Initsrv.h"

#include "editor/config/Numbers.h"
#include "editor/config/Records.h"
#include "editor/transfer/Colores.h"

namespace {

#define WIDTH(field) sizeof(TConfigRecord::field)

// A record field of width N holds N - 1 characters.
std::string Cut(std::string_view text, std::size_t width) {
  return std::string(text.substr(0, width - 1));
}

// The lines that go straight into an edit field.
struct TDirectLine {
  int Line;
  std::optional<std::string> TInitSrv::*Text;
  std::size_t Width;
};
const TDirectLine kDirectLines[] = {
    {2, &TInitSrv::Ssid, WIDTH(SSID)},
    {3, &TInitSrv::Locator, WIDTH(Locator)},
    {4, &TInitSrv::Qth, WIDTH(Qth)},
    {6, &TInitSrv::Mail, WIDTH(Mail)},
    {7, &TInitSrv::CompresMail, WIDTH(CompresMail)},
    {9, &TInitSrv::Yapp, WIDTH(Yapp)},
    {10, &TInitSrv::Docs, WIDTH(Docs)},
    {11, &TInitSrv::SysOpName, WIDTH(SysOpName)},
    {12, &TInitSrv::SysOpCallsign, WIDTH(SysOpCallsign)},
    {13, &TInitSrv::CopySysOpMessages, WIDTH(CopySysOpMessages)},
    {14, &TInitSrv::ImportFile, WIDTH(ImportFile)},
    {33, &TInitSrv::ZubHeader, WIDTH(ZubHeader)},
    {34, &TInitSrv::MaxBids, WIDTH(MaxBids)},
    {35, &TInitSrv::BulletinsLifetime, WIDTH(BulletinsLifetime)},
    {37, &TInitSrv::RouteWpMessages, WIDTH(RouteWpMessages)},
    {38, &TInitSrv::ZipCode, WIDTH(ZipCode)},
};

const std::pair<int, std::optional<bool> TInitSrv::*> kSwitchLines[] = {
    {16, &TInitSrv::FullLog},
    {18, &TInitSrv::ChannelsIndication},
    {19, &TInitSrv::TestMode},
    {23, &TInitSrv::UserGivesInformation},
};

const std::pair<int, uint32_t TInitSrv::*> kColourLines[] = {
    {50, &TInitSrv::SentText},    {51, &TInitSrv::ReceivedText}, {52, &TInitSrv::MonitorHeader},
    {53, &TInitSrv::MonitorData}, {54, &TInitSrv::ConsoleText},  {55, &TInitSrv::ChannelInfo},
    {45, &TInitSrv::Background},
};

bool IsComment(const std::string& line) { return !line.empty() && line[0] == '#'; }

// The callsign and the route share one field of the record: the route gets
// the room that the callsign leaves, as the load gives it.
TCallsignRoute Identity(std::string_view line) {
  TCallsignRoute parts = SplitBbsCallsign(line);
  parts.Callsign = Cut(parts.Callsign, WIDTH(BbsCallsign));
  const std::size_t room = WIDTH(BbsCallsign) - 1 - parts.Callsign.size();
  parts.Route = room > 0 ? Cut(parts.Route, room) : std::string();
  return parts;
}

// Split at "," into at most eight values, A first; a value holding "*" is
// a disk not in use. Returns how many values the line holds: the disks
// after them are not named by the file and keep what the window shows.
std::size_t Disks(std::string_view line, TDisks& disks) {
  std::size_t start = 0, i = 0;
  for (; i < kDiskCount && start <= line.size(); ++i) {
    std::size_t comma = line.find(',', start);
    if (comma == std::string_view::npos) comma = line.size();
    const std::string_view value = line.substr(start, comma - start);
    if (value.find('*') == std::string_view::npos) disks[i] = Cut(value, WIDTH(Diska));
    start = comma + 1;
  }
  return i;
}

// Words are separated by white space; the description is the rest of the
// line after the second word, less the blanks (not tabs) before it.
std::optional<TInitSrvServer> Server(std::string_view line) {
  std::size_t pos = 0;
  auto word = [&] {
    while (pos < line.size() && IsWhiteSpace(line[pos])) ++pos;
    const std::size_t start = pos;
    while (pos < line.size() && !IsWhiteSpace(line[pos])) ++pos;
    return line.substr(start, pos - start);
  };
  TInitSrvServer server;
  const std::string_view name = word();
  // A blank line is no server. A name longer than the field would be stored
  // under a shorter name that another server may have: such a line is left
  // out, as the load leaves such a key out.
  if (name.empty() || name.size() >= sizeof(TServerRecord::Name)) return std::nullopt;
  server.Name = std::string(name);
  server.File = Cut(word(), sizeof(TServerRecord::File));
  while (pos < line.size() && line[pos] == ' ') ++pos;
  server.Description = Cut(line.substr(pos), sizeof(TServerRecord::Description));
  return server;
}

}  // namespace

std::vector<std::string> InitSrvLines(std::string_view file) {
  const std::size_t end = file.find('\x1a');
  if (end != std::string_view::npos) file = file.substr(0, end);
  std::vector<std::string> lines;
  std::string piece;
  auto finish = [&] {
    const std::size_t nul = piece.find('\0');
    if (nul != std::string::npos) piece.resize(nul);
    lines.push_back(std::move(piece));
    piece.clear();
  };
  auto lineEndAt = [&](std::size_t i) -> std::size_t {  // its length, 0 for none
    if (i < file.size() && file[i] == '\n') return 1;
    if (i + 1 < file.size() && file[i] == '\r' && file[i + 1] == '\n') return 2;
    return 0;
  };
  for (std::size_t i = 0; i < file.size();) {
    if (const std::size_t lineEnd = lineEndAt(i)) {
      finish();
      i += lineEnd;
      continue;
    }
    piece += file[i++];
    if (piece.size() == kInitSrvPiece) {
      finish();
      i += lineEndAt(i);
    }
  }
  if (!piece.empty()) finish();
  return lines;
}

std::string RootOfSystemFolder(std::string_view line) {
  for (int cut = 0; cut < 2; ++cut) {
    const std::size_t slash = line.rfind('\\');
    if (slash == std::string_view::npos) break;
    line = line.substr(0, slash);
  }
  return std::string(line);
}

TInitSrv ParseInitSrv(std::string_view file, const TOemToAnsi& oemToAnsi) {
  const std::vector<std::string> lines = InitSrvLines(file);
  // station[n] is significant line n; lines the file does not have stay
  // absent and decode as empty.
  std::array<std::optional<std::string>, kInitSrvStationLines + 1> station;
  std::size_t next = 0;
  int number = 0;
  for (; next < lines.size(); ++next) {
    const std::string& line = lines[next];
    if (line.find("--") != std::string::npos) {
      ++next;
      break;
    }
    if (IsComment(line)) continue;
    if (++number > kInitSrvStationLines) continue;
    std::string converted = line;
    if (oemToAnsi) oemToAnsi(converted);
    station[number] = std::move(converted);
  }
  auto text = [&](int n) -> std::string_view {
    return station[n] ? std::string_view(*station[n]) : std::string_view();
  };

  TInitSrv r;
  for (const TDirectLine& d : kDirectLines)
    if (station[d.Line]) r.*d.Text = Cut(*station[d.Line], d.Width);
  if (r.CopySysOpMessages) r.CopySysOpMessages = ParseCopySysOpMessages(*r.CopySysOpMessages);
  for (const auto& [line, field] : kSwitchLines)
    if (station[line]) r.*field = SwitchFromText(*station[line]);

  r.Identity = Identity(text(1));
  r.Root = Cut(RootOfSystemFolder(text(5)), WIDTH(ZubRoot));
  r.DiskValues = Disks(text(8), r.Disks);

  r.Unproto = ParseUnproto(text(39));
  r.Unproto.Back = Cut(r.Unproto.Back, WIDTH(Editbackui));
  r.Unproto.Delay = Cut(r.Unproto.Delay, WIDTH(Editdelayui));
  const std::vector<int32_t> security = ScanIntegers(text(25), 3);
  for (std::size_t i = 0; i < r.Security.size(); ++i) r.Security[i] = security[i];
  r.ConnectionDisabled = text(24) == "0";
  r.FirstConnection = ReadInt32Or0(text(24));
  r.Warnings = ReadInt32Or0(text(26));
  r.Forwarding = ParseSwitchAndSum(text(20));
  r.CompressedForwarding = ParseSwitchAndSum(text(21));
  r.Beacon = ParseCallsignsInMailBeacon(text(31));
  r.Beacon.Count = Cut(r.Beacon.Count, WIDTH(Indicativosbaliza));

  const std::vector<std::string> timeouts = ScanWords(text(28), 2);
  r.TimeoutUsers = Cut(timeouts[0], WIDTH(timeoutusuarios));
  r.TimeoutForward = Cut(timeouts[1], WIDTH(Timeoutforward));
  const std::vector<std::string> downloads = ScanWords(text(29), 2);
  r.YappMax = Cut(downloads[0], WIDTH(yappmax));
  r.ModemMax = Cut(downloads[1], WIDTH(modemmax));
  const std::vector<std::string> buffers = ScanWords(text(32), 3);
  r.BufferUser = Cut(buffers[0], WIDTH(buferusuario));
  r.BufferConsole = Cut(buffers[1], WIDTH(buferconsola));
  r.BufferMonitor = Cut(buffers[2], WIDTH(bufermonitor));

  for (const auto& [line, colour] : kColourLines) r.*colour = Colores(text(line));

  for (; next < lines.size() && r.Servers.size() < static_cast<std::size_t>(kServerCount); ++next) {
    if (IsComment(lines[next])) continue;
    if (std::optional<TInitSrvServer> server = Server(lines[next]))
      r.Servers.push_back(std::move(*server));
  }
  return r;
}
