#include "editor/config/Configuration.h"

#include <cstring>
#include <tuple>
#include <iterator>

#include "editor/config/Encodings.h"
#include "editor/config/FolderRules.h"

bool PortInUse(const TPortRecord& port) {
  return port.Driver[0] != '\0' && std::strcmp(port.Driver, "NON") != 0;
}

TConfiguration::TConfiguration() { Borraports(); }

void TConfiguration::Borraports() {
  for (TPortRecord& port : PortTable) {
    port = TPortRecord();
    SetField(port.Disabled, "false");
  }
}

// ---------------------------------------------------------------------------
// The option sets.

namespace {
using B = TStationBoxes;
using W = int32_t TConfigRecord::*;
using R = TConfigRecord;

const TStationBox kForwarding[] = {&B::Caracterh, &B::Caractercabecera, &B::Mbl,
                                   &B::Nobbscallsign, &B::Deldata, &B::Norecover,
                                   &B::Bbsdeclaradas, &B::Wpnoheld, &B::Xprioridad,
                                   &B::Bidalterno, &B::Noxchecksum, &B::Testcallsign};
const W kForwardingWords[] = {&R::Caracterh, &R::Caractercabecera, &R::Mbl, &R::Nobbscallsign,
                              &R::Deldata, &R::Norecover, &R::Bbsdeclaradas, &R::Wpnoheld,
                              &R::Xprioridad, &R::Bidalterno, &R::Noxchecksum, &R::Testcallsign};
const TStationBox kResume[] = {&B::Resume, &B::Xprotocol};
const W kResumeWords[] = {&R::Resume, &R::Xprotocol};
const TStationBox kFirstConnection[] = {&B::Excluido1, &B::Local1, &B::Experto1, &B::Sysop1,
                                        &B::Bbs1, &B::Paginacion1, &B::Guest1, &B::Modem1,
                                        &B::Todosmensajes1, &B::Listaunprotos1,
                                        &B::Listanuevos1, &B::Pms1};
const W kFirstConnectionWords[] = {&R::Excluido1, &R::Local1, &R::Experto1, &R::Sysop1,
                                   &R::Bbs1, &R::Paginacion1, &R::Guest1, &R::Modem1,
                                   &R::Todosmensajes1, &R::Listaunprotos1, &R::Listanuevos1,
                                   &R::Pms1};
const TStationBox kSecurity[3][10] = {
    {&B::Todosmensajesuser, &B::Borramensajesuser, &B::Sysuser, &B::Remoteuser, &B::Labelsuser,
     &B::Deleteuser, &B::Gatewaysuser, &B::Dosuser, &B::Alldiskuser, &B::Specialuser},
    {&B::Todosmensajessysop, &B::Borramensajessysop, &B::Syssysop, &B::Remotesysop,
     &B::Labelssysop, &B::Deletesysop, &B::Gatewayssysop, &B::Dossysop, &B::Alldisksysop,
     &B::Specialsysop},
    {&B::Todosmensajessys, &B::Borramensajessys, &B::Syssys, &B::Remotesys, &B::Labelssys,
     &B::Deletesys, &B::Gatewayssys, &B::Dossys, &B::Alldisksys, &B::Specialsys}};
const W kSecurityWords[3][10] = {
    {&R::Todosmensajesuser, &R::Borramensajesuser, &R::Sysuser, &R::Remoteuser, &R::Labelsuser,
     &R::Deleteuser, &R::Gatewaysuser, &R::Dosuser, &R::Alldiskuser, &R::Specialuser},
    {&R::Todosmensajessysop, &R::Borramensajessysop, &R::Syssysop, &R::Remotesysop,
     &R::Labelssysop, &R::Deletesysop, &R::Gatewayssysop, &R::Dossysop, &R::Alldisksysop,
     &R::Specialsysop},
    {&R::Todosmensajessys, &R::Borramensajessys, &R::Syssys, &R::Remotesys, &R::Labelssys,
     &R::Deletesys, &R::Gatewayssys, &R::Dossys, &R::Alldisksys, &R::Specialsys}};
const W kSecurityTotals[3] = {&R::UserTotal, &R::SysopTotal, &R::SystemTotal};
const TStationBox kWarnings[] = {&B::Menos1mega, &B::Errorarchivo, &B::Servererror,
                                 &B::Pingpong, &B::Noruta, &B::Nonts, &B::Mensajenoencontrado,
                                 &B::Errorpropuesta, &B::Reject, &B::Held};
const W kWarningWords[] = {&R::Menos1mega, &R::Errorarchivo, &R::Servererror, &R::Pingpong,
                           &R::Noruta, &R::Nonts, &R::Mensajenoencontrado, &R::Errorpropuesta,
                           &R::Reject, &R::Held};

template <std::size_t N>
TBoxGroup Group(const TStationBox (&boxes)[N], const W (&words)[N], W total,
                const std::vector<int32_t>& weights) {
  return {boxes, words, total, &weights, N};
}
}  // namespace

TBoxGroup ForwardingBoxes() {
  return Group(kForwarding, kForwardingWords, &R::ForwardTotal, ForwardingWeights());
}
TBoxGroup ResumeBoxes() { return Group(kResume, kResumeWords, &R::ResumeTotal, ResumeWeights()); }
TBoxGroup FirstConnectionBoxes() {
  return Group(kFirstConnection, kFirstConnectionWords, &R::FirstConTotal,
               FirstConnectionWeights());
}
TBoxGroup SecurityBoxes(int column) {
  const int c = column < 0 ? 0 : column > 2 ? 2 : column;
  return Group(kSecurity[c], kSecurityWords[c], kSecurityTotals[c], SecurityWeights());
}
TBoxGroup WarningBoxes() {
  return Group(kWarnings, kWarningWords, &R::WarningTotal, WarningWeights());
}

int32_t TBoxGroup::Sum(const TStationBoxes& boxes) const {
  std::vector<bool> ticked;
  for (std::size_t i = 0; i < Count; ++i) ticked.push_back(boxes.*Boxes[i]);
  return FlagSum(ticked, *Weights);
}

void TBoxGroup::Tick(TStationBoxes& boxes, int32_t sum) const {
  const std::vector<bool> on = FlagsOfSum(sum, *Weights);
  for (std::size_t i = 0; i < Count && i < on.size(); ++i) boxes.*Boxes[i] = on[i];
}

// ---------------------------------------------------------------------------
// The text fields and the record fields they mirror.

namespace {

using T = TStationTexts;

enum class TRule {
  Mirror,      // the whole text
  ZeroIfEmpty, // "0" for an empty text: a number field the BBS needs
  Identity,    // callsign "." route, rebuilt from both fields
  Root,        // mirror, then every folder follows the root
  Data,        // mirror, then the three folders below the data folder follow
};

struct TTextRow {
  TStationText Text;
  TRecordField Field;
  TRule Rule;
};

#define ROW(text, field, rule) TTextRow{&T::text, NODRAX_RECORD_FIELD(field), TRule::rule}
const TTextRow kTextRows[] = {
    ROW(Editbbsindicativo, BbsCallsign, Identity),
    ROW(Edithroute, BbsCallsign, Identity),
    ROW(Editssid, SSID, Mirror),
    ROW(Editciudad, Qth, Mirror),
    ROW(Editlocator, Locator, Mirror),
    ROW(Codpostal, ZipCode, Mirror),
    ROW(Editsysopindicativo, SysOpCallsign, Mirror),
    ROW(Editsysopnombre, SysOpName, Mirror),
    ROW(Directorioraiz, ZubRoot, Root),
    ROW(Directorioconfig, Config, Mirror),
    ROW(Directoriodata, Data, Data),
    ROW(Directoriomensajes, Mail, Mirror),
    ROW(Directoriomensajesbin, CompresMail, Mirror),
    ROW(Directorioyapp, Yapp, Mirror),
    ROW(Directoriodocs, Docs, Mirror),
    ROW(Ficheroimport, ImportFile, Mirror),
    ROW(Pgdir, Pg, Mirror),
    ROW(Driversdir, Drivers, Mirror),
    ROW(Serversdir, Servers, Mirror),
    ROW(Filtersdir, Filters, Mirror),
    ROW(Diska, Diska, Mirror),
    ROW(Diskb, Diskb, Mirror),
    ROW(Diskc, Diskc, Mirror),
    ROW(Diskd, Diskd, Mirror),
    ROW(Diske, Diske, Mirror),
    ROW(Diskf, Diskf, Mirror),
    ROW(Diskg, Diskg, Mirror),
    ROW(Diskh, Diskh, Mirror),
    ROW(Editbackui, Editbackui, ZeroIfEmpty),
    ROW(Editdelayui, Editdelayui, ZeroIfEmpty),
    ROW(Indicativosbaliza, Indicativosbaliza, ZeroIfEmpty),
    ROW(Numerobid, MaxBids, Mirror),
    ROW(Sysopmessage, CopySysOpMessages, Mirror),
    ROW(Wpmessage, RouteWpMessages, Mirror),
    ROW(Cabecera, ZubHeader, Mirror),
    ROW(timeoutusuarios, timeoutusuarios, Mirror),
    ROW(Timeoutforward, Timeoutforward, Mirror),
    ROW(Diasboletines, BulletinsLifetime, Mirror),
    ROW(yappmax, yappmax, Mirror),
    ROW(modemmax, modemmax, Mirror),
    ROW(buferusuario, buferusuario, Mirror),
    ROW(buferconsola, buferconsola, Mirror),
    ROW(bufermonitor, bufermonitor, Mirror),
};
#undef ROW

const TTextRow& RowOf(TStationText field) {
  for (const TTextRow& row : kTextRows)
    if (row.Text == field) return row;
  // Every member of TStationTexts has a row; the table above lists them all.
  return kTextRows[0];
}

// The folders below the root, in the order the root derives them; those
// the sysop sees are texts, the others live in the record alone.
struct TDerived {
  TStationText Text;  // or
  TRecordField Field;
  std::string TRootFolders::*Value;
};

}  // namespace

TRecordField MirroredField(TStationText field) { return RowOf(field).Field; }

std::string CutToField(const std::string& text, TStationText field) {
  const std::size_t width = MirroredField(field).Width;
  return text.size() < width ? text : text.substr(0, width - 1);
}

void TConfiguration::SetText(TStationText field, const std::string& text) {
  if (Texts.*field == text) return;
  Texts.*field = text;
  const TTextRow& row = RowOf(field);
  switch (row.Rule) {
    case TRule::Mirror:
      SetField(ConfigRecord, row.Field, text);
      break;
    case TRule::ZeroIfEmpty:
      SetField(ConfigRecord, row.Field, ZeroIfEmpty(text));
      break;
    case TRule::Identity:
      SetField(ConfigRecord.BbsCallsign,
               JoinBbsCallsign(Texts.Editbbsindicativo, Texts.Edithroute));
      break;
    case TRule::Data: {
      SetField(ConfigRecord.Data, text);
      const TDataFolders d = DeriveFromData(text);
      SetText(&T::Directoriomensajes, CutToField(d.Mail, &T::Directoriomensajes));
      SetText(&T::Directoriomensajesbin, CutToField(d.CompresMail, &T::Directoriomensajesbin));
      SetText(&T::Directoriodocs, CutToField(d.Docs, &T::Directoriodocs));
      break;
    }
    case TRule::Root: {
      SetField(ConfigRecord.ZubRoot, text);
      // A derived folder goes into its field cut at the record's width, as
      // a loaded one does: the field shows what the save stores.
      const TRootFolders f = DeriveFromRoot(text);
      using R = TRootFolders;
      const TDerived order[] = {
          {&T::Directoriodata, {}, &R::Data},
          {nullptr, NODRAX_RECORD_FIELD(Sounds), &R::Sounds},
          {&T::Directorioconfig, {}, &R::Config},
          {nullptr, NODRAX_RECORD_FIELD(Lang), &R::Lang},
          {nullptr, NODRAX_RECORD_FIELD(Fwd), &R::Fwd},
          {nullptr, NODRAX_RECORD_FIELD(Log), &R::Log},
          {nullptr, NODRAX_RECORD_FIELD(Sat), &R::Sat},
          {nullptr, NODRAX_RECORD_FIELD(Wp), &R::Wp},
          {nullptr, NODRAX_RECORD_FIELD(OldMail), &R::OldMail},
          {&T::Directoriomensajes, {}, &R::Mail},
          {&T::Directoriomensajesbin, {}, &R::CompresMail},
          {&T::Directorioconfig, {}, &R::Config},
          {&T::Directorioyapp, {}, &R::Yapp},
          {&T::Directoriodocs, {}, &R::Docs},
          {&T::Ficheroimport, {}, &R::ImportFile},
          {&T::Pgdir, {}, &R::Pg},
          {&T::Filtersdir, {}, &R::Filters},
          {&T::Serversdir, {}, &R::Servers},
          {&T::Driversdir, {}, &R::Drivers},
          {&T::Diskc, {}, &R::Diskc},
      };
      for (const TDerived& d : order) {
        if (d.Text)
          SetText(d.Text, CutToField(f.*d.Value, d.Text));
        else
          SetField(ConfigRecord, d.Field, f.*d.Value);
      }
      break;
    }
  }
}

namespace {

// Every text once: a text added to TStationTexts must be added here too, or
// an import would not show it again where it changed.
static_assert(sizeof(TStationTexts) == 43 * sizeof(std::string),
              "TextsOf must name every station text");
auto TextsOf(const TStationTexts& t) {
  return std::tie(t.Editbbsindicativo, t.Editssid, t.Edithroute, t.Editciudad, t.Editlocator,
                  t.Codpostal, t.Editsysopindicativo, t.Editsysopnombre, t.Directorioraiz,
                  t.Directorioconfig, t.Directoriodata, t.Directoriomensajes,
                  t.Directoriomensajesbin, t.Directorioyapp, t.Directoriodocs, t.Ficheroimport,
                  t.Pgdir, t.Driversdir, t.Serversdir, t.Filtersdir, t.Diska, t.Diskb, t.Diskc,
                  t.Diskd, t.Diske, t.Diskf, t.Diskg, t.Diskh, t.Editbackui, t.Editdelayui,
                  t.Indicativosbaliza, t.Numerobid, t.Sysopmessage, t.Wpmessage, t.Cabecera,
                  t.timeoutusuarios, t.Timeoutforward, t.Diasboletines, t.yappmax, t.modemmax,
                  t.buferusuario, t.buferconsola, t.bufermonitor);
}

template <std::size_t N>
bool SameField(const char (&a)[N], const char (&b)[N]) {
  return std::strncmp(a, b, N) == 0;
}

// Mode is left out: each save composes it from the five fields after it,
// and no page shows it.
bool SamePort(const TPortRecord& a, const TPortRecord& b) {
  return SameField(a.PortKey, b.PortKey) && SameField(a.Com, b.Com) &&
         SameField(a.Driver, b.Driver) && SameField(a.BaudRate, b.BaudRate) &&
         SameField(a.HexAddress, b.HexAddress) && SameField(a.Disabled, b.Disabled) &&
         SameField(a.NumChannels, b.NumChannels) && SameField(a.Canal, b.Canal) &&
         SameField(a.Paclen, b.Paclen) && SameField(a.MaxFrame, b.MaxFrame) &&
         SameField(a.NumFwdChannels, b.NumFwdChannels) && SameField(a.MaxBlock, b.MaxBlock) &&
         SameField(a.Fwdperiodo, b.Fwdperiodo) && SameField(a.Fwdminute, b.Fwdminute) &&
         SameField(a.Unprotos, b.Unprotos) &&
         SameField(a.Yapp, b.Yapp) && SameField(a.Gateway, b.Gateway) &&
         SameField(a.Rdonly, b.Rdonly) && SameField(a.Tipopuerto, b.Tipopuerto) &&
         SameField(a.Label, b.Label);
}

bool SameServer(const TServerRecord& a, const TServerRecord& b) {
  return SameField(a.Name, b.Name) && SameField(a.File, b.File) &&
         SameField(a.Description, b.Description) && SameField(a.Disabled, b.Disabled);
}

}  // namespace

bool SameShown(const TConfiguration& a, const TConfiguration& b) {
  // Boxes and colours are plain bools and words without padding.
  if (TextsOf(a.Texts) != TextsOf(b.Texts) ||
      std::memcmp(&a.Boxes, &b.Boxes, sizeof a.Boxes) != 0 ||
      std::memcmp(&a.Colours, &b.Colours, sizeof a.Colours) != 0 || a.ServerCount != b.ServerCount)
    return false;
  for (int i = 0; i < kPortCount; ++i)
    if (!SamePort(a.PortTable[i], b.PortTable[i])) return false;
  for (int i = 0; i < a.ServerCount && i < kServerCount; ++i)
    if (!SameServer(a.ServerTable[i], b.ServerTable[i])) return false;
  return true;
}
