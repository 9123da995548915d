#include "editor/config/Encodings.h"

#include "editor/config/Numbers.h"

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

namespace {
// The next word at or after `pos`; `pos` moves past it.
std::string_view NextWord(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && IsWhiteSpace(text[pos])) ++pos;
  const std::size_t start = pos;
  while (pos < text.size() && !IsWhiteSpace(text[pos])) ++pos;
  return text.substr(start, pos - start);
}
}  // namespace

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::size_t pos = 0;
  for (std::string_view w = NextWord(text, pos); !w.empty(); w = NextWord(text, pos))
    words.emplace_back(w);
  return words;
}

std::string FirstWord(std::string_view text) {
  std::size_t pos = 0;
  return std::string(NextWord(text, pos));
}

std::vector<std::string> ScanWords(std::string_view text, std::size_t count) {
  std::vector<std::string> words;
  words.reserve(count);
  std::size_t pos = 0;
  for (std::size_t i = 0; i < count; ++i) words.emplace_back(NextWord(text, pos));
  return words;
}

std::vector<int32_t> ScanIntegers(std::string_view text, std::size_t count) {
  std::vector<int32_t> numbers;
  numbers.reserve(count);
  std::size_t pos = 0;
  for (std::size_t i = 0; i < count; ++i) numbers.push_back(ReadInt32Or0(NextWord(text, pos)));
  return numbers;
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

std::string ZeroIfEmpty(std::string_view text) { return OrDefault(text, "0"); }

std::string OrDefault(std::string_view text, std::string_view fallback) {
  return std::string(text.empty() ? fallback : text);
}

// ---------------------------------------------------------------------------

TCallsignRoute SplitBbsCallsign(std::string_view text) {
  const std::size_t dot = text.find('.');
  if (dot == std::string_view::npos) return {std::string(text), " "};
  return {std::string(text.substr(0, dot)), FirstWord(text.substr(dot + 1))};
}

std::string JoinBbsCallsign(std::string_view callsign, std::string_view route) {
  std::string joined(callsign);
  joined += '.';
  joined += route;
  return joined;
}

// ---------------------------------------------------------------------------

TUnproto ParseUnproto(std::string_view text) {
  const std::vector<std::string> w = ScanWords(text, 3);
  TUnproto u;
  u.Back = w[0];
  u.Delay = w[1];
  u.Ack = Contains(w[2], "A");
  u.Private = Contains(w[2], "V");
  u.User = Contains(w[2], "P");
  u.Title = Contains(w[2], "M");
  return u;
}

std::string ComposeUnproto(const TUnproto& u) {
  return ZeroIfEmpty(u.Back) + " " + ZeroIfEmpty(u.Delay) + " " + LetterIf(u.Ack, 'A') +
         LetterIf(u.Private, 'V') + LetterIf(u.User, 'P') + LetterIf(u.Title, 'M');
}

std::string LetterIf(bool checked, char letter) {
  return checked ? std::string(1, letter) : std::string();
}

// ---------------------------------------------------------------------------

const std::vector<int32_t>& ForwardingWeights() {
  static const std::vector<int32_t> w{2, 4, 8, 16, 32, 64, 128, 256, 512, 1024, 2048, 4096};
  return w;
}

const std::vector<int32_t>& ResumeWeights() {
  static const std::vector<int32_t> w{1, 2};
  return w;
}

const std::vector<int32_t>& FirstConnectionWeights() {
  static const std::vector<int32_t> w{1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 1024, 2048};
  return w;
}

const std::vector<int32_t>& SecurityWeights() {
  static const std::vector<int32_t> w{1, 2, 4, 8, 16, 32, 64, 128, 256, 512};
  return w;
}

const std::vector<int32_t>& WarningWeights() { return SecurityWeights(); }

int32_t FlagWord(bool checked, int32_t weight) { return checked ? weight : 0; }

int32_t FlagSum(const std::vector<bool>& checked, const std::vector<int32_t>& weights) {
  // Unsigned, so that no list of weights can overflow into undefined behaviour.
  uint32_t sum = 0;
  for (std::size_t i = 0; i < checked.size() && i < weights.size(); ++i)
    if (checked[i]) sum += static_cast<uint32_t>(weights[i]);
  return static_cast<int32_t>(sum);
}

std::vector<bool> FlagsOfSum(int32_t sum, const std::vector<int32_t>& weights) {
  std::vector<bool> checked;
  checked.reserve(weights.size());
  const uint32_t bits = static_cast<uint32_t>(sum);
  for (int32_t w : weights) {
    const uint32_t wb = static_cast<uint32_t>(w);
    checked.push_back(wb != 0 && (bits & wb) == wb);
  }
  return checked;
}

// ---------------------------------------------------------------------------

std::optional<bool> SwitchFromText(std::string_view text) {
  std::optional<bool> on;
  if (Contains(text, "OK")) on = true;
  if (Contains(text, "NO")) on = false;
  return on;
}

std::optional<bool> SwitchFromWord(std::string_view word) {
  if (word == "OK") return true;
  if (word == "NO") return false;
  return std::nullopt;
}

std::string SwitchText(bool on) { return on ? "OK" : "NO"; }

// ---------------------------------------------------------------------------

std::string JoinTwoSpaced(std::initializer_list<std::string_view> parts) {
  std::string joined;
  for (std::string_view p : parts) {
    if (!joined.empty()) joined += "  ";
    joined += ZeroIfEmpty(p);
  }
  return joined;
}

std::string ComposeSecurityOptions(int32_t user, int32_t sysop, int32_t system) {
  return std::to_string(user) + "  " + std::to_string(sysop) + "  " + std::to_string(system);
}

TSwitchAndSum ParseSwitchAndSum(std::string_view text) {
  std::size_t pos = 0;
  TSwitchAndSum parsed;
  parsed.Switch = SwitchFromWord(NextWord(text, pos));
  parsed.Sum = ReadInt32Or0(NextWord(text, pos));
  return parsed;
}

std::string ComposeSwitchAndSum(bool on, int32_t sum) {
  return SwitchText(on) + "  " + std::to_string(sum);
}

// ---------------------------------------------------------------------------

TMailBeacon ParseCallsignsInMailBeacon(std::string_view text) {
  if (text.empty()) return {false, "0"};
  if (IsDecimalDigit(text[0])) return {false, std::string(text)};
  return {true, std::string(text.substr(1))};
}

std::string ComposeCallsignsInMailBeacon(bool beacon, std::string_view count) {
  return LetterIf(beacon, 'B') + ZeroIfEmpty(count);
}

std::string ParseCopySysOpMessages(std::string_view text) {
  if (!text.empty() && text[0] == '*') return std::string();
  return std::string(text);
}

std::string ComposeCopySysOpMessages(std::string_view callsign) {
  return OrDefault(callsign, kNoSysopCopy);
}

// ---------------------------------------------------------------------------

TDisks SplitUsersPub(std::string_view text) {
  TDisks disks;
  std::size_t taken = 0;
  std::size_t start = 0;
  while (taken < kDiskCount && start <= text.size()) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) comma = text.size();
    const std::string_view item = text.substr(start, comma - start);
    if (!item.empty()) disks[taken++] = item == "*" ? std::string() : std::string(item);
    start = comma + 1;
  }
  return disks;
}

bool DiskStorable(std::string_view disk) { return !Contains(disk, ","); }

std::optional<std::string> JoinUsersPub(const TDisks& disks) {
  std::string joined;
  for (std::size_t i = 0; i < kDiskCount; ++i) {
    if (!DiskStorable(disks[i])) return std::nullopt;
    if (i > 0) joined += ',';
    joined += OrDefault(disks[i], "*");
  }
  return joined;
}

// ---------------------------------------------------------------------------

TFwdPeriode ParseFwdPeriode(std::string_view text) {
  const std::size_t slash = text.find('/');
  if (slash == std::string_view::npos) return {std::string(text), std::string()};
  return {std::string(text.substr(0, slash)), FirstWord(text.substr(slash + 1))};
}

std::string ComposeFwdPeriode(std::string_view minute, std::string_view period) {
  return OrDefault(minute, "00") + "/" + OrDefault(period, "30");
}

TPortMode ParsePortMode(std::string_view text) {
  auto letter = [text](std::string_view l) { return Contains(text, l) ? std::string(l) : std::string(); };
  TPortMode m;
  m.Unprotos = letter("L");
  m.Yapp = letter("Y");
  m.Gateway = letter("W");
  m.Rdonly = letter("R");
  for (std::string_view type : {"U", "G", "B"}) {
    if (Contains(text, type)) {
      m.Tipopuerto = std::string(type);
      break;
    }
  }
  return m;
}

std::string ComposePortMode(const TPortMode& m) {
  return OrDefault(m.Unprotos + m.Yapp + m.Gateway + m.Rdonly + m.Tipopuerto, PortDefault("Mode"));
}

std::string_view PortDefault(std::string_view valueName) {
  for (const TNamedText& d : kPortDefaults)
    if (d.Name == valueName) return d.Text;
  return {};
}

std::optional<int> PortIndexFromKeyName(std::string_view name) {
  if (name.size() < 5 || name.size() > 6) return std::nullopt;
  constexpr std::string_view kPrefix = "port";
  for (std::size_t i = 0; i < kPrefix.size(); ++i) {
    const char c = name[i];
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower != kPrefix[i]) return std::nullopt;
  }
  int number = 0;
  for (std::size_t i = kPrefix.size(); i < name.size(); ++i) {
    if (!IsDecimalDigit(name[i])) return std::nullopt;
    number = number * 10 + (name[i] - '0');
  }
  if (number < 1 || number > 10) return std::nullopt;
  return number - 1;
}

std::string PortKeyName(int index) { return "Port" + std::to_string(index + 1); }
