// The BBS's own settings that the editor has no page for, carried over
// unchanged by the import of a configuration file: the keys Options,
// Sounds\Connection, Sounds\SysopCall and HouseKeeping.
#pragma once
#include <cstdint>
#include <string>

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
