// The text forms of the stored values: how the load takes a stored text
// apart and how the save puts one together, so that every rule of the
// encodings lives in one place. Plain text in, plain text out; no Windows
// here, so all of it also builds natively for fuzzing.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// ---------------------------------------------------------------------------
// Words and numbers

// Blank, tab, line feed, vertical tab, form feed, carriage return: the same
// white space that the number rule skips.
bool IsWhiteSpace(char c);
bool IsDecimalDigit(char c);

// A word is a run of characters up to white space; white space around and
// between words is skipped.
std::vector<std::string> Words(std::string_view text);
std::string FirstWord(std::string_view text);

// Exactly `count` words; the ones the text does not have are empty.
std::vector<std::string> ScanWords(std::string_view text, std::size_t count);

// Exactly `count` numbers: word i read by the number rule (Numbers.h). A
// missing word, a word without leading digits and a number that does not fit
// 32 bits all give 0.
std::vector<int32_t> ScanIntegers(std::string_view text, std::size_t count);

bool Contains(std::string_view text, std::string_view part);

// "0" for an empty text: the stored form of an empty number field.
std::string ZeroIfEmpty(std::string_view text);
std::string OrDefault(std::string_view text, std::string_view fallback);

// ---------------------------------------------------------------------------
// Station identity: `BbsCallsign` is callsign "." hierarchical route.

struct TCallsignRoute {
  std::string Callsign;
  std::string Route;
};

// The callsign is the text before the first "."; the route is the first word
// after it. A text without "." is all callsign, with a single space as route.
TCallsignRoute SplitBbsCallsign(std::string_view text);
std::string JoinBbsCallsign(std::string_view callsign, std::string_view route);

// ---------------------------------------------------------------------------
// `Unproto`: back, one space, delay, one space, letters A V P M.

struct TUnproto {
  std::string Back;
  std::string Delay;
  bool Ack = false;      // Ackui, "A"
  bool Private = false;  // Privateui, "V"
  bool User = false;     // Userui, "P"
  bool Title = false;    // Tituloui, "M"
};

TUnproto ParseUnproto(std::string_view text);
// An empty back or delay is written as "0"; with no letter the text ends in
// the second space.
std::string ComposeUnproto(const TUnproto& unproto);

// The one-letter fields of the save: the letter when checked, else empty.
std::string LetterIf(bool checked, char letter);

// ---------------------------------------------------------------------------
// Option sets: a decimal sum of bit weights.

// The weights of each group, in the order of its check boxes.
const std::vector<int32_t>& ForwardingWeights();       // Caracterh 2 .. Testcallsign 4096
const std::vector<int32_t>& ResumeWeights();           // Resume 1, Xprotocol 2
const std::vector<int32_t>& FirstConnectionWeights();  // Excluido1 1 .. Pms1 2048
const std::vector<int32_t>& SecurityWeights();         // each of user, sysop, system: 1 .. 512
const std::vector<int32_t>& WarningWeights();          // Menos1mega 1 .. Held 512

// The flag word of one box: its weight when checked, else 0.
int32_t FlagWord(bool checked, int32_t weight);
// The sum of the weights of the checked boxes; boxes beyond the weights
// (or weights beyond the boxes) count as unchecked.
int32_t FlagSum(const std::vector<bool>& checked, const std::vector<int32_t>& weights);
// Which boxes a stored sum checks: box i when the sum has the bits of weight i.
std::vector<bool> FlagsOfSum(int32_t sum, const std::vector<int32_t>& weights);

// ---------------------------------------------------------------------------
// Switches: "OK" / "NO".

// The load's rule for a switch value: checked if the text contains "OK",
// then unchecked if it contains "NO" (so "NOK" is unchecked); a text with
// neither leaves the box as it was (nothing).
std::optional<bool> SwitchFromText(std::string_view text);
// The first word of `ForwardTypeZub` / `ForwardResume`: exactly "OK" or
// "NO", anything else leaves the box (nothing).
std::optional<bool> SwitchFromWord(std::string_view word);
std::string SwitchText(bool on);

// ---------------------------------------------------------------------------
// Compound values joined by two spaces.

// The parts joined by two spaces, "0" for each empty one: `Timeout`,
// `MaxDownloadYapp`, `ScrollBuffers`.
std::string JoinTwoSpaced(std::initializer_list<std::string_view> parts);
// `SecurityOptions`: user, sysop and system totals.
std::string ComposeSecurityOptions(int32_t user, int32_t sysop, int32_t system);

// `ForwardTypeZub` and `ForwardResume`: a switch word, two spaces, a sum.
struct TSwitchAndSum {
  std::optional<bool> Switch;
  int32_t Sum = 0;
};
TSwitchAndSum ParseSwitchAndSum(std::string_view text);
std::string ComposeSwitchAndSum(bool on, int32_t sum);

// ---------------------------------------------------------------------------
// `CallsignsInMailBeacon`: "B" when the beacon is on, then the count.

struct TMailBeacon {
  bool Beacon = false;
  std::string Count;
};
// A text starting with a digit is the count alone (beacon off); any other
// text has the beacon on and the count from its second character. An empty
// text, which no save writes, reads as beacon off with the count "0", the
// same as a save of an empty count.
TMailBeacon ParseCallsignsInMailBeacon(std::string_view text);
// An empty count is written as "0".
std::string ComposeCallsignsInMailBeacon(bool beacon, std::string_view count);

// ---------------------------------------------------------------------------
// Texts with a stand-in for "empty".

inline constexpr std::string_view kNoSysopCopy = "******";
inline constexpr std::string_view kDefaultZubHeader = "[$c] ZUB$E $$:$R";

// `CopySysOpMessages`: a text starting with "*" means no callsign.
std::string ParseCopySysOpMessages(std::string_view text);
std::string ComposeCopySysOpMessages(std::string_view callsign);

// ---------------------------------------------------------------------------
// `UsersPub`: the eight virtual disks A to H joined by ",", "*" for unused.

constexpr std::size_t kDiskCount = 8;
using TDisks = std::array<std::string, kDiskCount>;

// Split at ","; empty items are skipped, so later items move up; at most
// eight items are taken; an item "*" and a missing item give an empty disk.
TDisks SplitUsersPub(std::string_view text);
// A disk path holding "," cannot be stored: it would split into two disks
// and push every later disk one place on. Such a list gives nothing, so that
// the caller can refuse it instead of storing a shifted list.
bool DiskStorable(std::string_view disk);
std::optional<std::string> JoinUsersPub(const TDisks& disks);

// ---------------------------------------------------------------------------
// Ports.

// `FwdPeriode`: minute "/" period.
struct TFwdPeriode {
  std::string Minute;
  std::string Period;
};
// The minute is the text before the first "/", the period the first word
// after it. A text without "/" is all minute, with an empty period.
TFwdPeriode ParseFwdPeriode(std::string_view text);
// Empty parts are written as "00" and "30".
std::string ComposeFwdPeriode(std::string_view minute, std::string_view period);

// `Mode`: the letters L, Y, W, R and one user type of U, G, B.
struct TPortMode {
  std::string Unprotos;    // "L" or empty
  std::string Yapp;        // "Y" or empty
  std::string Gateway;     // "W" or empty
  std::string Rdonly;      // "R" or empty
  std::string Tipopuerto;  // the first of "U", "G", "B" in that order, or empty
};
TPortMode ParsePortMode(std::string_view text);
// The fields joined in order; an empty result is written as "G".
std::string ComposePortMode(const TPortMode& mode);

struct TNamedText {
  std::string_view Name;
  std::string_view Text;
};

// What the save writes for an empty port field, in its order of writing.
// `Driver` has none (a port without a driver has no key); `FwdPeriode` is
// composed by ComposeFwdPeriode.
inline constexpr std::array<TNamedText, 12> kPortDefaults{{
    {"Com", "0"},
    {"HexAddress", "0"},
    {"BaudRate", "0"},
    {"NumChannels", "3"},
    {"Canal", "1"},
    {"Paclen", "80"},
    {"MaxFrame", "3"},
    {"NumFwdChannels", "0"},
    {"MaxBlock", "10"},
    {"Disabled", "false"},
    {"Mode", "G"},
    {"Label", "Default"},
}};
// The default of a port value by name; empty when it has none.
std::string_view PortDefault(std::string_view valueName);

// The fixed values of the file-forwarding pseudo-port `Port0`, in order.
inline constexpr std::array<TNamedText, 14> kPort0Values{{
    {"Com", "0"},
    {"Driver", "0"},
    {"HexAddress", "0"},
    {"BaudRate", "0"},
    {"NumChannels", "0"},
    {"Canal", "0"},
    {"Paclen", "0"},
    {"MaxFrame", "0"},
    {"NumFwdChannels", "0"},
    {"MaxBlock", "0"},
    {"FwdPeriode", "00/01"},
    {"Mode", "----"},
    {"Label", "File-fwd."},
    {"Disabled", "false"},
}};

// The `PortTable` index (0-9) of a subkey of `Ports`: "Port" (in any case,
// as the registry compares names) and one or two digits numbering 1 to 10.
// "Port0", other numbers, other names and longer names ("Port100", which
// the bare 5th-and-6th-character rule would take for port 10) give nothing.
std::optional<int> PortIndexFromKeyName(std::string_view name);
// "Port" followed by index + 1.
std::string PortKeyName(int index);
