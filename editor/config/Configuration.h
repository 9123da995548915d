// The editor's one copy of the configuration: everything the registry tree
// holds that the editor shows, in one object that no window owns. The load
// fills it from the registry, the imports from their files, the first run
// from its defaults; the save writes it back. The pages only show it and
// write the sysop's edits into it.
//
// The station part keeps each field as the sysop sees it (TStationTexts),
// and ConfigRecord follows those texts by the rules the BBS expects: an empty
// back number is stored as "0", the callsign and the route share one field,
// a new root folder derives every other folder. Keeping both is what lets
// a page that is shown later, or again, show exactly what was typed, while
// the save writes the record.
//
// Plain C++, no Windows: it builds natively too.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/config/CarriedOverSettings.h"
#include "editor/config/Records.h"

// What each text field of the station pages shows, named after the field.
struct TStationTexts {
  // General.
  std::string Editbbsindicativo, Editssid, Edithroute, Editciudad, Editlocator, Codpostal,
      Editsysopindicativo, Editsysopnombre;
  // Folders.
  std::string Directorioraiz, Directorioconfig, Directoriodata, Directoriomensajes,
      Directoriomensajesbin, Directorioyapp, Directoriodocs, Ficheroimport, Pgdir, Driversdir,
      Serversdir, Filtersdir;
  // ZubDos Virtual Disks.
  std::string Diska, Diskb, Diskc, Diskd, Diske, Diskf, Diskg, Diskh;
  // Unproto Frames.
  std::string Editbackui, Editdelayui;
  // Miscellaneous I.
  std::string Indicativosbaliza, Numerobid, Sysopmessage, Wpmessage, Cabecera;
  // Miscellaneous II.
  std::string timeoutusuarios, Timeoutforward, Diasboletines, yappmax, modemmax, buferusuario,
      buferconsola, bufermonitor;
};
using TStationText = std::string TStationTexts::*;

// Each check box of the option pages, named after the box.
struct TStationBoxes {
  // Unproto Frames.
  bool Ackui = false, Privateui = false, Userui = false, Tituloui = false;
  // First Connection Options; Desactivado1 forces the stored sum to 0.
  bool Desactivado1 = false, Excluido1 = false, Local1 = false, Experto1 = false, Sysop1 = false,
       Bbs1 = false, Paginacion1 = false, Guest1 = false, Modem1 = false, Todosmensajes1 = false,
       Listaunprotos1 = false, Listanuevos1 = false, Pms1 = false;
  // Security: a row stem and the column user, sysop or sys.
  bool Todosmensajesuser = false, Borramensajesuser = false, Sysuser = false, Remoteuser = false,
       Labelsuser = false, Deleteuser = false, Gatewaysuser = false, Dosuser = false,
       Alldiskuser = false, Specialuser = false;
  bool Todosmensajessysop = false, Borramensajessysop = false, Syssysop = false,
       Remotesysop = false, Labelssysop = false, Deletesysop = false, Gatewayssysop = false,
       Dossysop = false, Alldisksysop = false, Specialsysop = false;
  bool Todosmensajessys = false, Borramensajessys = false, Syssys = false, Remotesys = false,
       Labelssys = false, Deletesys = false, Gatewayssys = false, Dossys = false,
       Alldisksys = false, Specialsys = false;
  // Warnings.
  bool Menos1mega = false, Errorarchivo = false, Servererror = false, Pingpong = false,
       Noruta = false, Nonts = false, Mensajenoencontrado = false, Errorpropuesta = false,
       Reject = false, Held = false;
  // Forwarding.
  bool Forwardzub = false, Compressforward = false, Resume = false, Xprotocol = false,
       Xprioridad = false, Noxchecksum = false, Mbl = false, Bbsdeclaradas = false,
       Bidalterno = false, Caracterh = false, Caractercabecera = false;
  // Miscellaneous I.
  bool Modotest = false, Log = false, Indicacioncanales = false, Datosusuario = false,
       Mailbeacon = false, Deldata = false, Wpnoheld = false, Testcallsign = false,
       Nobbscallsign = false, Norecover = false;
};
using TStationBox = bool TStationBoxes::*;

// The colours of the BBS console (the Colours page): 0x00BBGGRR, or a
// system-colour reference with the high bit set. The six text colours are
// named after their sample labels; the window background is one colour for
// the panel and all six labels.
struct TConsoleColours {
  uint32_t Sendtext = 0x0000FF00;      // lime
  uint32_t Receivedtext = 0x000000FF;  // red
  uint32_t Chaninfo = 0x00FFFF00;      // aqua
  uint32_t Monhead = 0x00FFFFFF;       // white
  uint32_t Mondata = 0x00808080;       // grey
  uint32_t Consoletext = 0x0000FFFF;   // yellow
  uint32_t Background = 0x00000000;    // black
};
using TConsoleColour = uint32_t TConsoleColours::*;

// A value of the configuration that one field of a page edits: a station
// text or a console colour, exactly one of them.
struct TConfigField {
  TStationText Text = nullptr;
  TConsoleColour Colour = nullptr;
  bool operator==(const TConfigField& other) const {
    return Text == other.Text && Colour == other.Colour;
  }
};

// The check boxes of one option set, in the order of its weights
// (Encodings.h): the load ticks them from a stored sum, the save adds them up.
struct TBoxGroup {
  const TStationBox* Boxes;
  // The record's flag word of each box, and the word that holds their sum:
  // the save sets them as it writes the sum.
  int32_t TConfigRecord::* const* Words;
  int32_t TConfigRecord::*Total;
  const std::vector<int32_t>* Weights;
  std::size_t Count;
  // The sum of the weights of the ticked boxes.
  int32_t Sum(const TStationBoxes& boxes) const;
  // Ticks each box whose weight the sum holds, clears the others.
  void Tick(TStationBoxes& boxes, int32_t sum) const;
};
TBoxGroup ForwardingBoxes();
TBoxGroup ResumeBoxes();
TBoxGroup FirstConnectionBoxes();  // Desactivado1 has no weight and is not one of them
TBoxGroup SecurityBoxes(int column);  // 0 user, 1 sysop, 2 system
TBoxGroup WarningBoxes();

struct TConfiguration {
  TConfiguration();

  TConfigRecord ConfigRecord{};
  TStationTexts Texts;
  TStationBoxes Boxes;
  TConsoleColours Colours;
  TPortRecord PortTable[kPortCount];
  TServerRecord ServerTable[kServerCount];
  // How many ServerTable entries are in use, from the first; the rest are
  // ignored.
  int ServerCount = 0;
  // The port and server tables have not been read from the registry yet:
  // the editor's start leaves each for when its page or a save first needs
  // it (together they are most of the stored tree). CargaPuertos and
  // CargaServidores read them; an import that replaces a table makes it no
  // longer pending.
  bool PortsPending = false, ServersPending = false;
  // The tree the pending tables are read from.
  std::string TablesRoot;
  // The BBS's own settings that a configuration file carried over.
  TCarriedOverSettings CarriedOverSettings;

  // Sets a text field as typing it would: ConfigRecord follows by the
  // field's rule, and the root and data folders derive the folders below
  // them. The same text again is no change and derives nothing.
  void SetText(TStationText field, const std::string& text);

  // The port table in its reset state: every text empty, Disabled "false".
  void Borraports();
};

// Whether the pages would show the two alike: every text, box and colour,
// the port table and the servers in use (each field up to its end).
bool SameShown(const TConfiguration& a, const TConfiguration& b);

// A port is in use when its driver is neither empty nor "NON".
bool PortInUse(const TPortRecord& port);

// Where the text of a station field goes in ConfigRecord.
using TRecordField = TFieldPlace<TConfigRecord>;
#define NODRAX_RECORD_FIELD(name) NODRAX_FIELD_PLACE(TConfigRecord, name)
// The record field that a text field mirrors (BbsCallsign for the callsign
// and the route).
TRecordField MirroredField(TStationText field);
// The text cut to what its record field holds: what the load shows and the
// save stores.
std::string CutToField(const std::string& text, TStationText field);
