// The records of the configuration: the station, the ten ports and the
// hundred servers (Configuration.h holds them). Fixed-width, NUL-terminated ANSI fields; a
// width counts the terminator. Nothing is ever written past a width: every
// store goes through SetField, which cuts at the width.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

template <std::size_t N>
inline void SetField(char (&field)[N], std::string_view text) {
  static_assert(N > 0, "a field holds at least its terminator");
  std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
  std::memmove(field, text.data(), n);
  field[n] = '\0';
}

template <std::size_t N>
inline std::string FieldText(const char (&field)[N]) {
  return std::string(field, ::strnlen(field, N));
}

template <std::size_t N>
inline bool FieldEmpty(const char (&field)[N]) { return field[0] == '\0'; }

// A text field of a record by its place, for the tables that list a
// record's fields: where it starts and its width, the terminator counted.
template <typename TRecord>
struct TFieldPlace {
  std::size_t Offset;
  std::size_t Width;
};
#define NODRAX_FIELD_PLACE(Record, name) \
  TFieldPlace<Record> { offsetof(Record, name), sizeof(Record::name) }

template <typename TRecord>
std::string FieldText(const TRecord& record, TFieldPlace<TRecord> field) {
  const char* text = reinterpret_cast<const char*>(&record) + field.Offset;
  return std::string(text, ::strnlen(text, field.Width));
}

template <typename TRecord>
void SetField(TRecord& record, TFieldPlace<TRecord> field, std::string_view text) {
  char* place = reinterpret_cast<char*>(&record) + field.Offset;
  const std::size_t n = text.size() < field.Width - 1 ? text.size() : field.Width - 1;
  std::memmove(place, text.data(), n);
  place[n] = '\0';
}

struct TConfigRecord {
  char BbsCallsign[35];
  char SSID[3];
  char Locator[10];
  char Qth[50];
  char ZubRoot[90];
  char Config[100];
  char Mail[100];
  char CompresMail[100];
  char Data[100];
  char Yapp[100];
  char Docs[100];
  char Filters[100];
  char Servers[100];
  char Pg[100];
  char Drivers[100];
  char Sounds[100];
  char Lang[100];
  char Log[100];
  char Sat[100];
  char Wp[100];
  char OldMail[100];
  char Fwd[100];
  char Diska[80], Diskb[80], Diskc[80], Diskd[80], Diske[80], Diskf[80], Diskg[80], Diskh[80];
  char SysOpName[50];
  char SysOpCallsign[15];
  char CopySysOpMessages[80];
  char ImportFile[80];
  char FullLog[3];
  char ChannelsIndication[3];
  char TestMode[3];
  char ForwardTypeZub[10];
  char Forwardzub[3];
  char ForwardResume[10];
  char Compressforward[3];

  // Forwarding flag words; bit value 1 is not used.
  int32_t Caracterh, Caractercabecera, Mbl, Nobbscallsign, Deldata, Norecover,
      Bbsdeclaradas, Wpnoheld, Xprioridad, Bidalterno, Noxchecksum, Testcallsign;
  int32_t Resume, Xprotocol;
  int32_t ForwardTotal, ResumeTotal;

  char UserGivesInformation[3];
  int32_t FirstConTotal;
  int32_t Excluido1, Local1, Experto1, Sysop1, Bbs1, Paginacion1, Guest1, Modem1,
      Todosmensajes1, Listaunprotos1, Listanuevos1, Pms1;

  char SecurityOptions[20];
  int32_t UserTotal, SysopTotal, SystemTotal;
  int32_t Todosmensajesuser, Borramensajesuser, Sysuser, Remoteuser, Labelsuser,
      Deleteuser, Gatewaysuser, Dosuser, Alldiskuser, Specialuser;
  int32_t Todosmensajessysop, Borramensajessysop, Syssysop, Remotesysop,
      Labelssysop, Deletesysop, Gatewayssysop, Dossysop, Alldisksysop, Specialsysop;
  int32_t Todosmensajessys, Borramensajessys, Syssys, Remotesys, Labelssys,
      Deletesys, Gatewayssys, Dossys, Alldisksys, Specialsys;

  int32_t Menos1mega, Errorarchivo, Servererror, Pingpong, Noruta, Nonts,
      Mensajenoencontrado, Errorpropuesta, Reject, Held;
  int32_t WarningTotal;

  char timeoutusuarios[8];
  char Timeoutforward[8];
  char Timeout[16];
  char yappmax[12];
  char modemmax[12];
  char MaxDownloadYapp[24];
  char Mailbeacon[2];
  char Indicativosbaliza[6];
  char CallsignsInMailBeacon[8];
  char buferusuario[10];
  char bufermonitor[10];
  char buferconsola[10];
  char ScrollBuffers[30];
  char ZubHeader[20];
  char MaxBids[8];
  char BulletinsLifetime[75];
  char RouteWpMessages[100];
  char ZipCode[10];
  char Editbackui[20];
  char Editdelayui[20];
  char Ackui[2], Privateui[2], Userui[2], Tituloui[2];
};

struct TPortRecord {
  char PortKey[10];
  char Com[5];
  char Driver[5];
  char BaudRate[10];
  char HexAddress[15];
  char Disabled[6];
  char NumChannels[3];
  char Canal[3];
  char Paclen[4];
  char MaxFrame[2];
  char NumFwdChannels[5];
  char MaxBlock[6];
  char Fwdperiodo[4];
  char Fwdminute[4];
  char Mode[16];
  char Unprotos[2];
  char Yapp[2];
  char Gateway[2];
  char Rdonly[2];
  char Tipopuerto[2];
  char Label[50];
};

struct TServerRecord {
  char Name[15];
  char File[20];
  char Description[100];
  char Disabled[6];
};

constexpr int kPortCount = 10;
constexpr int kServerCount = 100;

using TPortTable = TPortRecord[kPortCount];
using TServerTable = TServerRecord[kServerCount];
