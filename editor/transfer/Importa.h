// The BBS's own settings that the editor has no page for, carried over
// unchanged by the import of a configuration file: the keys Options,
// Sounds\Connection, Sounds\SysopCall and HouseKeeping.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct TCarriedOverSettings {
  // Options.
  int32_t AskBeforeClose = 0, DispInpExp = 0, Gateway = 0, Justify = 0, MinSysTray = 0,
          Separators = 0, SplashScreen = 0, SysopRing = 0;
  // Sounds\Connection and Sounds\SysopCall; File at most 99 characters.
  int32_t ConnectionDelay = 0, ConnectionEnabled = 0, ConnectionRepeat = 0;
  std::string ConnectionFile;
  int32_t SysopCallDelay = 0, SysopCallEnabled = 0, SysopCallRepeat = 0;
  std::string SysopCallFile;
  // HouseKeeping; the command and report files at most 49 characters, the
  // two texts BadFwdT and BadRouT at most 99.
  int32_t Activated = 0, ClrUser = 0, EpurMess = 0, EpurWP = 0, Hour = 0, MaintInf = 0,
          PostCmd = 0, PreCmd = 0;
  std::string PostCmdFile, PreCmdFile, ReportClrUser, ReportEpurMess, ReportEpurWP,
      ReportMaintInf, BadFwdT, BadRouT;
  int32_t ArchBull = 0, ArchOldFmt = 0, ArchPers = 0, BadFwdD = 0, BadRouD = 0, PN2X = 0,
          PY2X = 0, PF2K = 0, PY2K = 0, PK2A = 0, BN2X = 0, BS2X = 0, BY2X = 0, BF2X = 0,
          BX2K = 0, BK2A = 0, MaxRetLines = 0;
};

// What the last import carried over.
extern TCarriedOverSettings CarriedOverSettings;

// Reads the values of the four keys below root (kMountKey) that exist, in
// the order of the table; a value that is absent leaves its field. A value
// of the other type (an integer stored as text or the reverse) raises
// "Invalid data type for '<name>'". A text longer than its field is cut.
void ReadCarriedOverSettings(TCarriedOverSettings& settings, const std::string& root);
// Writes the whole record into Software\Nodrax, each key created when
// missing, in the order the BBS's own tools write them.
void WriteCarriedOverSettings(const TCarriedOverSettings& settings);

// Raises "Invalid data type for '<name>'" for the first value below root
// that the load reads as text and that is no text, so that a file the load
// cannot take is refused before anything is deleted.
void CheckLoadedValueTypes(const std::string& root);

// The values below one key that the load or the import reads: the key below
// the root ("\Config"; "\Ports\*" and "\Servers\*" stand for each port and
// server key), their names in the order they are read, and whether they
// are integers (else texts).
struct TReadValues {
  std::string Key;
  std::vector<std::string> Names;
  bool Integers = false;
};
// Every value that the load and the import of a configuration file read,
// from the tables by which the import checks a file before taking it.
std::vector<TReadValues> ReadValueTable();
