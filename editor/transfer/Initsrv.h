// The station file of older installations, Init.srv: plain text in the OEM
// code page. A station section of numbered lines runs up to the first line
// holding "--"; every line after that describes one server. Lines starting
// with "#" are comments and are not counted.
//
// Plain C++: the conversion from the OEM code page is handed in, and the
// result is a plain record that the configuration is filled from.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/config/Encodings.h"

// Turns a station line from the OEM code page into the ANSI one, in place.
using TOemToAnsi = std::function<void(std::string&)>;

// The most of a line that one read takes; the rest of a longer line is read
// as the next line.
inline constexpr std::size_t kInitSrvPiece = 148;
// The station lines that mean something; later ones are read and dropped.
inline constexpr int kInitSrvStationLines = 56;

// The file as the lines it is read in, without their line ends. A line ends
// at LF or CR LF; a line longer than kInitSrvPiece comes in pieces of that
// length (a line end right after a full piece ends that line, it gives no
// empty line); Ctrl+Z ends the file, as it does for a file read as text; a
// NUL ends the text of its piece.
std::vector<std::string> InitSrvLines(std::string_view file);

struct TInitSrvServer {
  std::string Name;         // at most 14 characters
  std::string File;         // at most 19
  std::string Description;  // at most 99
};

// What the file holds, each text cut to the width of the field it goes to.
struct TInitSrv {
  // Lines that go straight into an edit field, as read; nothing when the
  // file is too short to have the line.
  // Line 13 is already decoded: a "*" first gives an empty text.
  std::optional<std::string> Ssid, Locator, Qth, Mail, CompresMail, Yapp, Docs, SysOpName,
      SysOpCallsign, CopySysOpMessages, ImportFile, ZubHeader, MaxBids, BulletinsLifetime,
      RouteWpMessages, ZipCode;
  // The "OK"/"NO" lines 16, 18, 19 and 23: nothing when the line is missing
  // or holds neither.
  std::optional<bool> FullLog, ChannelsIndication, TestMode, UserGivesInformation;

  // Lines decoded after the whole station section was read; a line the file
  // does not have decodes as an empty line.
  TCallsignRoute Identity{"", " "};                 // 1
  std::string Root;                                 // 5, cut at its second-to-last "\"
  TDisks Disks;                                     // 8
  std::size_t DiskValues = 0;                       // 8: the disks it names, A first
  TUnproto Unproto;                                 // 39
  std::array<int32_t, 3> Security{};                // 25: user, sysop, system
  bool ConnectionDisabled = false;                  // 24 is exactly "0"
  int32_t FirstConnection = 0;                      // 24
  int32_t Warnings = 0;                             // 26
  TSwitchAndSum Forwarding;                         // 20
  TSwitchAndSum CompressedForwarding;               // 21
  TMailBeacon Beacon{false, "0"};                   // 31
  std::string TimeoutUsers, TimeoutForward;         // 28
  std::string YappMax, ModemMax;                    // 29
  std::string BufferUser, BufferConsole, BufferMonitor;  // 32
  // Colours as 0x00BBGGRR or the button-face reference (Colores.h).
  uint32_t SentText = 0, ReceivedText = 0, MonitorHeader = 0, MonitorData = 0, ConsoleText = 0,
           ChannelInfo = 0, Background = 0;  // 50, 51, 52, 53, 54, 55, 45

  // The server lines in file order, at most a hundred.
  std::vector<TInitSrvServer> Servers;
};

TInitSrv ParseInitSrv(std::string_view file, const TOemToAnsi& oemToAnsi);

// The BBS root folder of line 5, a folder directly below it written with a
// closing backslash: the text up to the second backslash from its end.
std::string RootOfSystemFolder(std::string_view line);
