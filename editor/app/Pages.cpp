// The pages of the main window, built from tables: each row names a control,
// its caption label, its input rules, its change handler and the field that
// Enter moves to.
#include <windows.h>
#include <commctrl.h>

#include "editor/app/Main.h"
#include "platform/Application.h"

namespace {
// Layout of the page contents, in pixels of the sheet's client area.
constexpr int kRowHeight = 21;
constexpr int kLabelHeight = 14;
constexpr int kCheckHeight = 17;
}  // namespace

struct TFieldRow {
  TEdit* TForm1::*field;
  const char* name;
  TLabel* TForm1::*label;  // nullptr when the caption is a browse button
  TSpeedButton* TForm1::*button;
  const char* labelName;
  const char* caption;
  int maxLength;  // 0: no limit
  bool upper;
  bool oem;
  void (TForm1::*change)(TObject*);
  const char* nextPage;  // nullptr: the same page
  const char* next;      // nullptr: Enter keeps the focus
  const char* unit;      // text right of the field, or nullptr
};

struct TCheckRow {
  TCheckBox* TForm1::*box;
  const char* name;
  const char* caption;
};

void TForm1::WireEdit(TEdit* edit, void (TForm1::*change)(TObject*), int maxLength, bool upper,
                      bool oem, void (TForm1::*keyPress)(TObject*, char&)) {
  if (maxLength > 0) edit->SetMaxLength(maxLength);
  edit->SetUpperCase(upper);
  edit->SetOemConvert(oem);
  if (change) edit->OnChange = [this, change](TObject* s) { (this->*change)(s); };
  edit->OnKeyPress = [this, keyPress](TObject* s, char& k) { (this->*keyPress)(s, k); };
  edit->OnKeyUp = [this](TObject* s, WORD& k) { EditbbsindicativoKeyUp(s, k); };
}

void TForm1::WireCheck(TCheckBox* box) {
  box->OnClick = [this](TObject* s) { CachebidsClick(s); };
  box->OnKeyPress = [this](TObject* s, char& k) { ForwardzubKeyPress(s, k); };
}

TCheckBox* TForm1::MakeCheck(TTabSheet* page, TCheckBox* TForm1::*member, const char* name,
                             const char* caption, int left, int top, int width) {
  TCheckBox* box = Make<TCheckBox>(page, name, caption);
  box->SetBounds(left, top, width, kCheckHeight);
  WireCheck(box);
  this->*member = box;
  return box;
}

void TForm1::BuildFieldRows(TTabSheet* page, const TFieldRow* rows, size_t count, int left,
                            int labelWidth, int top, int step, int editWidth) {
  for (size_t i = 0; i < count; ++i) {
    const TFieldRow& row = rows[i];
    const int y = top + static_cast<int>(i) * step;
    TControl* caption = nullptr;
    if (row.label) {
      TLabel* label = Make<TLabel>(page, row.labelName, row.caption);
      label->SetBounds(left, y + 3, labelWidth, kLabelHeight);
      this->*row.label = label;
      caption = label;
    } else if (row.button) {
      TSpeedButton* button = Make<TSpeedButton>(page, row.labelName, row.caption);
      button->SetBounds(left, y, labelWidth, kRowHeight);
      this->*row.button = button;
      caption = button;
    }
    TEdit* edit = Make<TEdit>(page, row.name);
    edit->SetBounds(left + labelWidth + 4, y, editWidth, kRowHeight);
    this->*row.field = edit;
    WireEdit(edit, row.change, row.maxLength, row.upper, row.oem, &TForm1::FieldKeyPress);
    if (row.label) {
      caption->OnClick = [this](TObject* s) { CaptionLabelClick(s); };
      captionOf_[caption] = edit;
    } else if (row.button) {
      folderOf_[caption] = edit;
    }
    if (row.next) successor_[edit] = {row.nextPage ? row.nextPage : "", row.next};
    if (row.unit) {
      TLabel* unit = Make<TLabel>(page, std::string(row.name) + "Unit", row.unit);
      unit->SetBounds(left + labelWidth + editWidth + 10, y + 3, 70, kLabelHeight);
    }
  }
}

void TForm1::BuildPages() {
  Pagina = Make<TPageControl>(this, "Pagina");
  Pagina->SetBounds(0, 1, 396, 387);
  Hojageneral = Make<TTabSheet>(Pagina, "Hojageneral", "General");
  Hojadirectorios = Make<TTabSheet>(Pagina, "Hojadirectorios", "Folders");
  Hojadirectorioszub = Make<TTabSheet>(Pagina, "Hojadirectorioszub", "ZubDos Virtual Disks");
  Hojaunprotos = Make<TTabSheet>(Pagina, "Hojaunprotos", "Unproto Frames");
  Hojaconexion = Make<TTabSheet>(Pagina, "Hojaconexion", "First Connection Options");
  Hojaseguridadusuario = Make<TTabSheet>(Pagina, "Hojaseguridadusuario", "Security");
  Hojamensajesaviso = Make<TTabSheet>(Pagina, "Hojamensajesaviso", "Warnings");
  Hojaforward = Make<TTabSheet>(Pagina, "Hojaforward", "Forwarding");
  Hojamiscelanea = Make<TTabSheet>(Pagina, "Hojamiscelanea", "Miscellaneous I");
  Hojacolores = Make<TTabSheet>(Pagina, "Hojacolores", "Colours");
  Hojaservers = Make<TTabSheet>(Pagina, "Hojaservers", "Servers");
  Hojapuertosbbs = Make<TTabSheet>(Pagina, "Hojapuertosbbs", "Ports");
  Hojatiempos = Make<TTabSheet>(Pagina, "Hojatiempos", "Miscellaneous II");
  Hojaaprs = Make<TTabSheet>(Pagina, "Hojaaprs", "APRS", /*tabVisible=*/false);

  BuildGeneral();
  BuildFolders();
  BuildDisks();
  BuildUnproto();
  BuildFirstConnection();
  BuildSecurity();
  BuildWarnings();
  BuildForwarding();
  BuildMiscellaneous1();
  BuildColours();
  BuildServers();
  BuildMiscellaneous2();
  BuildAprs();
  BuildPorts();
}

void TForm1::BuildGeneral() {
  static const TFieldRow callsign[] = {
      {&TForm1::Editbbsindicativo, "Editbbsindicativo", &TForm1::Label1, nullptr, "Label1",
       "BBS Callsign:", 10, true, false, &TForm1::EditbbsindicativoChange, nullptr, "Editssid",
       nullptr},
  };
  // The SSID sits right of the callsign, behind a "--" caption; it is made
  // next so that Tab reaches it from the callsign.
  static const TFieldRow ssid[] = {
      {&TForm1::Editssid, "Editssid", &TForm1::Label2, nullptr, "Label2", "--", 2, false, false,
       &TForm1::EditssidChange, nullptr, "Edithroute", nullptr},
  };
  static const TFieldRow rows[] = {
      {&TForm1::Edithroute, "Edithroute", &TForm1::Label3, nullptr, "Label3", "H-Route:", 0,
       true, false, &TForm1::EdithrouteChange, nullptr, "Editciudad", nullptr},
      {&TForm1::Editciudad, "Editciudad", &TForm1::Label4, nullptr, "Label4", "City:", 0, false,
       false, &TForm1::EditciudadChange, nullptr, "Editlocator", nullptr},
      {&TForm1::Editlocator, "Editlocator", &TForm1::Label5, nullptr, "Label5", "Qth Locator:",
       0, true, false, &TForm1::EditlocatorChange, nullptr, "Codpostal", nullptr},
      {&TForm1::Codpostal, "Codpostal", &TForm1::Label6, nullptr, "Label6", "ZIP Code:", 0,
       false, false, &TForm1::CodpostalChange, nullptr, "Editsysopindicativo", nullptr},
      {&TForm1::Editsysopindicativo, "Editsysopindicativo", &TForm1::Label7, nullptr, "Label7",
       "SysOp Callsign:", 0, true, false, &TForm1::EditsysopindicativoChange, nullptr,
       "Editsysopnombre", nullptr},
      {&TForm1::Editsysopnombre, "Editsysopnombre", &TForm1::Label8, nullptr, "Label8",
       "SysOp Name:", 0, false, false, &TForm1::EditsysopnombreChange, "Hojadirectorios",
       "Directorioraiz", nullptr},
  };
  BuildFieldRows(Hojageneral, callsign, 1, 16, 96, 20, 34, 150);
  BuildFieldRows(Hojageneral, ssid, 1, 270, 14, 20, 34, 30);
  BuildFieldRows(Hojageneral, rows, std::size(rows), 16, 96, 54, 34, 150);
}

void TForm1::BuildFolders() {
  static const TFieldRow rows[] = {
      {&TForm1::Directorioraiz, "Directorioraiz", nullptr, &TForm1::Speedroot, "Speedroot",
       "BBS Root dir:", 79, false, true, &TForm1::DirectorioraizChange, nullptr,
       "Directorioconfig", nullptr},
      {&TForm1::Directorioconfig, "Directorioconfig", nullptr, &TForm1::Speedconfig,
       "Speedconfig", "Config dir:", 0, false, false, &TForm1::DirectorioconfigChange, nullptr,
       "Directoriodata", nullptr},
      {&TForm1::Directoriodata, "Directoriodata", nullptr, &TForm1::Speeddata, "Speeddata",
       "Data dir:", 0, false, false, &TForm1::DirectoriodataChange, nullptr,
       "Directoriomensajes", nullptr},
      {&TForm1::Directoriomensajes, "Directoriomensajes", nullptr, &TForm1::Speedmensajes,
       "Speedmensajes", "Messages dir:", 79, false, true, &TForm1::DirectoriomensajesChange,
       nullptr, "Directoriomensajesbin", nullptr},
      {&TForm1::Directoriomensajesbin, "Directoriomensajesbin", nullptr, &TForm1::Speedzip,
       "Speedzip", "Compressed msg's dir:", 79, false, true,
       &TForm1::DirectoriomensajesbinChange, nullptr, "Directorioyapp", nullptr},
      {&TForm1::Directorioyapp, "Directorioyapp", nullptr, &TForm1::Speedyapp, "Speedyapp",
       "Yapp dir:", 79, false, true, &TForm1::DirectorioyappChange, nullptr, "Directoriodocs",
       nullptr},
      {&TForm1::Directoriodocs, "Directoriodocs", nullptr, &TForm1::Speeddoc, "Speeddoc",
       "Docs dir:", 79, false, true, &TForm1::DirectoriodocsChange, nullptr, "Ficheroimport",
       nullptr},
      {&TForm1::Ficheroimport, "Ficheroimport", nullptr, &TForm1::Speedimport, "Speedimport",
       "Import File:", 79, false, true, &TForm1::FicheroimportChange, nullptr, "Pgdir",
       nullptr},
      {&TForm1::Pgdir, "Pgdir", nullptr, &TForm1::Speedpg, "Speedpg", "PG Dir:", 0, false, true,
       &TForm1::PgdirChange, nullptr, "Driversdir", nullptr},
      {&TForm1::Driversdir, "Driversdir", nullptr, &TForm1::Speeddriver, "Speeddriver",
       "Drivers Dir:", 0, false, true, &TForm1::DriversdirChange, nullptr, "Serversdir",
       nullptr},
      {&TForm1::Serversdir, "Serversdir", nullptr, &TForm1::Speedserver, "Speedserver",
       "Servers Dir:", 0, false, true, &TForm1::ServersdirChange, nullptr, "Filtersdir",
       nullptr},
      {&TForm1::Filtersdir, "Filtersdir", nullptr, &TForm1::Speedfilter, "Speedfilter",
       "Filters Dir:", 0, false, true, &TForm1::FiltersdirChange, "Hojadirectorioszub", "Diska",
       nullptr},
  };
  BuildFieldRows(Hojadirectorios, rows, std::size(rows), 6, 150, 6, 24, 222);
  for (auto& [button, field] : folderOf_) {
    TEdit* target = field;
    static_cast<TSpeedButton*>(button)->OnClick = [this, target](TObject* s) {
      if (target == Ficheroimport)
        SpeedimportClick(s);
      else
        SpeedrootClick(s);
    };
  }
}

void TForm1::BuildDisks() {
  static const TFieldRow rows[] = {
      {&TForm1::Diska, "Diska", nullptr, &TForm1::Speeda, "Speeda", "Disk A:", 79, false, true,
       &TForm1::DiskaChange, nullptr, "Diskb", nullptr},
      {&TForm1::Diskb, "Diskb", nullptr, &TForm1::Speedb, "Speedb", "Disk B:", 79, false, true,
       &TForm1::DiskbChange, nullptr, "Diskc", nullptr},
      {&TForm1::Diskc, "Diskc", nullptr, &TForm1::Speedc, "Speedc", "Disk C:", 79, false, true,
       &TForm1::DiskcChange, nullptr, "Diskd", nullptr},
      {&TForm1::Diskd, "Diskd", nullptr, &TForm1::Speedd, "Speedd", "Disk D:", 79, false, true,
       &TForm1::DiskdChange, nullptr, "Diske", nullptr},
      {&TForm1::Diske, "Diske", nullptr, &TForm1::Speede, "Speede", "Disk E:", 79, false, true,
       &TForm1::DiskeChange, nullptr, "Diskf", nullptr},
      {&TForm1::Diskf, "Diskf", nullptr, &TForm1::Speedf, "Speedf", "Disk F:", 79, false, true,
       &TForm1::DiskfChange, nullptr, "Diskg", nullptr},
      {&TForm1::Diskg, "Diskg", nullptr, &TForm1::Speedg, "Speedg", "Disk G:", 79, false, true,
       &TForm1::DiskgChange, nullptr, "Diskh", nullptr},
      {&TForm1::Diskh, "Diskh", nullptr, &TForm1::Speedh, "Speedh", "Disk H:", 79, false, true,
       &TForm1::DiskhChange, "Hojaunprotos", "Editbackui", nullptr},
  };
  BuildFieldRows(Hojadirectorioszub, rows, std::size(rows), 10, 80, 14, 32, 280);
  for (const TFieldRow& row : rows) {
    (this->*row.button)->OnClick = [this](TObject* s) { SpeedrootClick(s); };
  }
}

void TForm1::BuildUnproto() {
  static const TFieldRow rows[] = {
      {&TForm1::Editbackui, "Editbackui", &TForm1::Label26, nullptr, "Label26",
       "Back number in Unproto frames:", 0, false, true, &TForm1::EditbackuiChange, nullptr,
       "Editdelayui", nullptr},
      {&TForm1::Editdelayui, "Editdelayui", &TForm1::Label27, nullptr, "Label27",
       "Delay between Unproto frames (secs.):", 0, false, true, &TForm1::EditdelayuiChange,
       nullptr, "Ackui", nullptr},
  };
  BuildFieldRows(Hojaunprotos, rows, std::size(rows), 16, 220, 20, 32, 70);
  static const TCheckRow boxes[] = {
      {&TForm1::Ackui, "Ackui", "ACK messages in Unproto frames."},
      {&TForm1::Privateui, "Privateui", "Transit Private mail in Unproto frames."},
      {&TForm1::Userui, "Userui", "End-User Private mail in Unproto frames."},
      {&TForm1::Tituloui, "Tituloui", "Subject NOT displayed in Unproto frames."},
  };
  int y = 100;
  for (const TCheckRow& row : boxes) {
    MakeCheck(Hojaunprotos, row.box, row.name, row.caption, 16, y, 340);
    y += 30;
  }
}

void TForm1::BuildFirstConnection() {
  static const TCheckRow boxes[] = {
      {&TForm1::Desactivado1, "Desactivado1", "Disabled"},
      {&TForm1::Excluido1, "Excluido1", "Excluded"},
      {&TForm1::Local1, "Local1", "Local"},
      {&TForm1::Experto1, "Experto1", "Expert"},
      {&TForm1::Sysop1, "Sysop1", "SysOp"},
      {&TForm1::Bbs1, "Bbs1", "BBS"},
      {&TForm1::Paginacion1, "Paginacion1", "Paging"},
      {&TForm1::Guest1, "Guest1", "Guest"},
      {&TForm1::Modem1, "Modem1", "Modem / Telnet"},
      {&TForm1::Todosmensajes1, "Todosmensajes1", "See all messages"},
      {&TForm1::Listaunprotos1, "Listaunprotos1", "Unproto lists"},
      {&TForm1::Listanuevos1, "Listanuevos1", "List of new messages at Logon."},
      {&TForm1::Pms1, "Pms1", "PMS"},
  };
  for (size_t i = 0; i < std::size(boxes); ++i) {
    const bool left = i < 7;
    const int row = left ? static_cast<int>(i) : static_cast<int>(i) - 7;
    MakeCheck(Hojaconexion, boxes[i].box, boxes[i].name, boxes[i].caption, left ? 24 : 190,
              20 + row * 34, left ? 150 : 190);
  }
}

void TForm1::BuildSecurity() {
  struct Row {
    const char* labelName;
    const char* caption;
    TCheckBox* TForm1::*user;
    const char* userName;
    TCheckBox* TForm1::*sysop;
    const char* sysopName;
    TCheckBox* TForm1::*sys;
    const char* sysName;
  };
  static const Row rows[] = {
      {"Label64", "Read all messages", &TForm1::Todosmensajesuser, "Todosmensajesuser",
       &TForm1::Todosmensajessysop, "Todosmensajessysop", &TForm1::Todosmensajessys,
       "Todosmensajessys"},
      {"Label65", "Kill all messages", &TForm1::Borramensajesuser, "Borramensajesuser",
       &TForm1::Borramensajessysop, "Borramensajessysop", &TForm1::Borramensajessys,
       "Borramensajessys"},
      {"Label66", "SYS command allowed", &TForm1::Sysuser, "Sysuser", &TForm1::Syssysop,
       "Syssysop", &TForm1::Syssys, "Syssys"},
      {"Label67", "Remote SysOp commands", &TForm1::Remoteuser, "Remoteuser",
       &TForm1::Remotesysop, "Remotesysop", &TForm1::Remotesys, "Remotesys"},
      {"Label68", "Edit ZubDos Labels", &TForm1::Labelsuser, "Labelsuser", &TForm1::Labelssysop,
       "Labelssysop", &TForm1::Labelssys, "Labelssys"},
      {"Label69", "Delete ZubDos files", &TForm1::Deleteuser, "Deleteuser",
       &TForm1::Deletesysop, "Deletesysop", &TForm1::Deletesys, "Deletesys"},
      {"Label70", "Access to all Gateways", &TForm1::Gatewaysuser, "Gatewaysuser",
       &TForm1::Gatewayssysop, "Gatewayssysop", &TForm1::Gatewayssys, "Gatewayssys"},
      {"Label71", "Run Dos programs", &TForm1::Dosuser, "Dosuser", &TForm1::Dossysop,
       "Dossysop", &TForm1::Dossys, "Dossys"},
      {"Label72", "Access real disk", &TForm1::Alldiskuser, "Alldiskuser", &TForm1::Alldisksysop,
       "Alldisksysop", &TForm1::Alldisksys, "Alldisksys"},
      {"Label73", "Special commands (/A, /R)", &TForm1::Specialuser, "Specialuser",
       &TForm1::Specialsysop, "Specialsysop", &TForm1::Specialsys, "Specialsys"},
  };
  const int columns[3] = {196, 254, 320};
  const char* headings[3] = {"USER", "SYSOP", "SYSOP after\nSYS command"};
  for (int c = 0; c < 3; ++c) {
    TLabel* heading =
        Make<TLabel>(Hojaseguridadusuario, "LabelSecurity" + std::to_string(c), headings[c]);
    heading->SetAlignment(TAlignment::Center);
    heading->SetBounds(columns[c] - 30, c == 2 ? 4 : 18, 82, c == 2 ? 30 : kLabelHeight);
  }
  int y = 42;
  for (const Row& row : rows) {
    TLabel* label = Make<TLabel>(Hojaseguridadusuario, row.labelName, row.caption);
    label->SetBounds(14, y + 1, 160, kLabelHeight);
    // The boxes carry no caption; the row label says what they are.
    MakeCheck(Hojaseguridadusuario, row.user, row.userName, "", columns[0] + 4, y, 16);
    MakeCheck(Hojaseguridadusuario, row.sysop, row.sysopName, "", columns[1] + 4, y, 16);
    MakeCheck(Hojaseguridadusuario, row.sys, row.sysName, "", columns[2] + 4, y, 16);
    y += 25;
  }
}

void TForm1::BuildWarnings() {
  static const TCheckRow boxes[] = {
      {&TForm1::Menos1mega, "Menos1mega", "Less 1 Mb in disk"},
      {&TForm1::Errorarchivo, "Errorarchivo", "Error in System file"},
      {&TForm1::Servererror, "Servererror", "Server error"},
      {&TForm1::Pingpong, "Pingpong", "Ping-Pong"},
      {&TForm1::Noruta, "Noruta", "No FWD route"},
      {&TForm1::Nonts, "Nonts", "No NTS route"},
      {&TForm1::Mensajenoencontrado, "Mensajenoencontrado", "Message file not found"},
      {&TForm1::Errorpropuesta, "Errorpropuesta", "Error in forward proposal"},
      {&TForm1::Reject, "Reject", "Message Rejected"},
      {&TForm1::Held, "Held", "Message Held"},
  };
  int y = 16;
  for (const TCheckRow& row : boxes) {
    MakeCheck(Hojamensajesaviso, row.box, row.name, row.caption, 40, y, 300);
    y += 28;
  }
}

void TForm1::BuildForwarding() {
  static const TCheckRow boxes[] = {
      {&TForm1::Forwardzub, "Forwardzub", "ZUB Forwarding"},
      {&TForm1::Compressforward, "Compressforward", "ZUB Compressed forwarding"},
      {&TForm1::Resume, "Resume", "ZUB Compressed forwarding with Resume"},
      {&TForm1::Xprotocol, "Xprotocol", "X - Protocol forwarding"},
      {&TForm1::Xprioridad, "Xprioridad", "X - Protocol has priority"},
      {&TForm1::Noxchecksum, "Noxchecksum", "Do not use checksum with X - Protocol"},
      {&TForm1::Mbl, "Mbl", "MBL/RLI Message header"},
      {&TForm1::Bbsdeclaradas, "Bbsdeclaradas", "Forwarding only from declared BBS"},
      {&TForm1::Bidalterno, "Bidalterno", "Alternated BID generation (12345-ZZ9ZZ)"},
      {&TForm1::Caracterh, "Caracterh", "H - Address field not limited to 6 characters"},
      {&TForm1::Caractercabecera, "Caractercabecera", "Header line may be more than 79 characters"},
  };
  int y = 12;
  for (const TCheckRow& row : boxes) {
    MakeCheck(Hojaforward, row.box, row.name, row.caption, 30, y, 330);
    y += 26;
  }
}

void TForm1::BuildMiscellaneous1() {
  static const TCheckRow boxes[] = {
      {&TForm1::Modotest, "Modotest", "Test mode"},
      {&TForm1::Log, "Log", "Full log"},
      {&TForm1::Indicacioncanales, "Indicacioncanales", "Indication of channels"},
      {&TForm1::Datosusuario, "Datosusuario", "User must give information"},
      {&TForm1::Mailbeacon, "Mailbeacon", "Bulletins in Mail beacon"},
      {&TForm1::Deldata, "Deldata", "Delete DATA messages to SysOp"},
      {&TForm1::Wpnoheld, "Wpnoheld", "WP Messages are not Held"},
      {&TForm1::Testcallsign, "Testcallsign", "Test of Callsigns is less strict"},
      {&TForm1::Nobbscallsign, "Nobbscallsign", "No BBS field. Use callsign of this BBS"},
      {&TForm1::Norecover, "Norecover", "Do not use recovered BID, create new"},
  };
  int y = 10;
  for (const TCheckRow& row : boxes) {
    MakeCheck(Hojamiscelanea, row.box, row.name, row.caption, 6, y, 214);
    y += 28;
  }
  // Caption above its field in the right column.
  static const TFieldRow rows[] = {
      {&TForm1::Indicativosbaliza, "Indicativosbaliza", &TForm1::Label9, nullptr, "Label9",
       "Number of callsigns in mail beacon:", 0, true, true, &TForm1::IndicativosbalizaChange,
       nullptr, "Numerobid", nullptr},
      {&TForm1::Numerobid, "Numerobid", &TForm1::Label28, nullptr, "Label28",
       "Number of MID/BID in database:", 0, true, true, &TForm1::NumerobidChange, nullptr,
       "Sysopmessage", nullptr},
      {&TForm1::Sysopmessage, "Sysopmessage", &TForm1::Label60, nullptr, "Label60",
       "SysOp messages to:", 0, true, true, &TForm1::SysopmessageChange, nullptr, "Wpmessage",
       nullptr},
      {&TForm1::Wpmessage, "Wpmessage", &TForm1::Label61, nullptr, "Label61", "WP messages via:",
       0, true, true, &TForm1::WpmessageChange, nullptr, "Cabecera", nullptr},
      {&TForm1::Cabecera, "Cabecera", &TForm1::Label16, nullptr, "Label16", "ZUB Header:", 0,
       false, true, &TForm1::CabeceraChange, nullptr, nullptr, nullptr},
  };
  const int x = 224, width = 160;
  y = 8;
  for (const TFieldRow& row : rows) {
    BuildFieldRows(Hojamiscelanea, &row, 1, x, 0, y, 0, width);
    // The first caption is too long for one line of the column.
    const int labelHeight = &row == &rows[0] ? 2 * kLabelHeight : kLabelHeight;
    (this->*row.label)->SetBounds(x, y, width, labelHeight);
    (this->*row.field)->SetBounds(x, y + labelHeight + 2, width, kRowHeight);
    y += labelHeight + 2 + kRowHeight + 12;
  }
  Cabecera->OnKeyPress = [this](TObject* s, char& k) { CabeceraKeyPress(s, k); };
  Cabecera->SetHint("Do not change !");
  Label16->SetHint("Do not change !");
  Label17 = Make<TLabel>(Hojamiscelanea, "Label17", "Do not change ZUB Header !");
  Label17->SetFontColor(RGB(255, 0, 0));
  Label17->SetBounds(x, y - 9, width, kLabelHeight);
}

void TForm1::BuildColours() {
  Label74 = Make<TLabel>(Hojacolores, "Label74", "Click into desired field to choose a color");
  Label74->SetAlignment(TAlignment::Center);
  Label74->SetBounds(10, 16, 368, kLabelHeight);
  Panel1 = Make<TPanel>(Hojacolores, "Panel1");
  Panel1->SetBounds(101, 44, 185, 209);
  Panel1->SetBorderSunken(true);
  Panel1->SetCursor(TCursorKind::HandPoint);
  Panel1->SetColor(RGB(0, 0, 0));
  Panel1->OnClick = [this](TObject* s) { Panel1Click(s); };
  struct Row {
    TLabel* TForm1::*label;
    const char* name;
    const char* caption;
    COLORREF colour;
  };
  static const Row rows[] = {
      {&TForm1::Sendtext, "Sendtext", "Sent Text", RGB(0, 255, 0)},
      {&TForm1::Receivedtext, "Receivedtext", "Received Text", RGB(255, 0, 0)},
      {&TForm1::Chaninfo, "Chaninfo", "Channel Informations", RGB(0, 255, 255)},
      {&TForm1::Monhead, "Monhead", "Monitor Header", RGB(255, 255, 255)},
      {&TForm1::Mondata, "Mondata", "Monitor Data", RGB(128, 128, 128)},
      {&TForm1::Consoletext, "Consoletext", "Console Text", RGB(255, 255, 0)},
  };
  int y = 18;
  for (const Row& row : rows) {
    TLabel* label = Make<TLabel>(Panel1, row.name, row.caption);
    label->SetBounds(24, y, 134, 16);
    label->SetColor(RGB(0, 0, 0));
    label->SetFontColor(row.colour);
    label->SetCursor(TCursorKind::HandPoint);
    label->OnClick = [this](TObject* s) { Panel1Click(s); };
    this->*row.label = label;
    y += 31;
  }
}

void TForm1::BuildMiscellaneous2() {
  static const TFieldRow rows[] = {
      {&TForm1::timeoutusuarios, "timeoutusuarios", &TForm1::Label32, nullptr, "Label32",
       "Time-out users:", 4, false, true, &TForm1::timeoutusuariosChange, nullptr,
       "Timeoutforward", "minutes"},
      {&TForm1::Timeoutforward, "Timeoutforward", &TForm1::Label33, nullptr, "Label33",
       "Time-out during forward:", 4, false, true, &TForm1::TimeoutforwardChange, nullptr,
       "Diasboletines", "minutes"},
      {&TForm1::Diasboletines, "Diasboletines", &TForm1::Label34, nullptr, "Label34",
       "Lifetime for bulletins:", 0, false, true, &TForm1::DiasboletinesChange, nullptr,
       "yappmax", "days"},
      {&TForm1::yappmax, "yappmax", &TForm1::Label35, nullptr, "Label35",
       "Yapp maximum download:", 0, false, true, &TForm1::yappmaxChange, nullptr, "modemmax",
       "Kilobytes"},
      {&TForm1::modemmax, "modemmax", &TForm1::Label36, nullptr, "Label36",
       "Modem maximum download:", 0, false, true, &TForm1::modemmaxChange, nullptr,
       "buferusuario", "Kilobytes"},
      {&TForm1::buferusuario, "buferusuario", &TForm1::Label37, nullptr, "Label37",
       "Buffer of user window:", 0, false, true, &TForm1::buferusuarioChange, nullptr,
       "buferconsola", "lines"},
      {&TForm1::buferconsola, "buferconsola", &TForm1::Label38, nullptr, "Label38",
       "Buffer of console window:", 0, false, true, &TForm1::buferconsolaChange, nullptr,
       "bufermonitor", "lines"},
      {&TForm1::bufermonitor, "bufermonitor", &TForm1::Label39, nullptr, "Label39",
       "Buffer of monitor window:", 0, false, true, &TForm1::bufermonitorChange, nullptr,
       nullptr, "lines"},
  };
  BuildFieldRows(Hojatiempos, rows, std::size(rows), 30, 150, 16, 32, 80);
  bufermonitor->OnKeyPress = [this](TObject* s, char& k) { bufermonitorKeyPress(s, k); };
}

void TForm1::BuildAprs() {
  // Kept for a later edition of the BBS: nothing loads, saves or reacts to it.
  Coordenadas = Make<TGroupBox>(Hojaaprs, "Coordenadas", "Situation");
  Coordenadas->SetBounds(8, 6, 372, 120);
  auto field = [this](TContainer* parent, TEdit* TForm1::*member, const char* name, int x, int y,
                      int w, const char* text) {
    TEdit* edit = Make<TEdit>(parent, name);
    edit->SetBounds(x, y, w, kRowHeight);
    edit->SetText(text);
    this->*member = edit;
    return edit;
  };
  auto spin = [this](TEdit* buddy, int low, int high) {
    HWND up = CreateWindowExA(0, UPDOWN_CLASSA, "",
                              WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT |
                                  UDS_WRAP | UDS_ARROWKEYS,
                              0, 0, 0, 0, GetParent(buddy->Handle()), nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SendMessageA(up, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy->Handle()), 0);
    SendMessageA(up, UDM_SETRANGE32, low, high);
    SendMessageA(up, UDM_SETPOS32, 0, 0);
    spinButtons_.push_back(up);
  };
  const char* headings[] = {"Deg.", "Min.", "Sec."};
  for (int c = 0; c < 3; ++c) {
    TLabel* h = Make<TLabel>(Coordenadas, std::string("LabelAprs") + headings[c], headings[c]);
    h->SetBounds(60 + c * 60, 16, 50, kLabelHeight);
  }
  Make<TLabel>(Coordenadas, "LabelLat", "Lat:")->SetBounds(10, 36, 40, kLabelHeight);
  Make<TLabel>(Coordenadas, "LabelLong", "Long:")->SetBounds(10, 64, 40, kLabelHeight);
  spin(field(Coordenadas, &TForm1::Edit3, "Edit3", 60, 33, 50, "0"), 0, 60);
  spin(field(Coordenadas, &TForm1::Edit4, "Edit4", 120, 33, 50, "0"), 0, 59);
  spin(field(Coordenadas, &TForm1::Edit5, "Edit5", 180, 33, 50, "0"), 0, 59);
  spin(field(Coordenadas, &TForm1::Edit6, "Edit6", 60, 61, 50, "0"), 0, 99);
  spin(field(Coordenadas, &TForm1::Edit7, "Edit7", 120, 61, 50, "0"), 0, 59);
  spin(field(Coordenadas, &TForm1::Edit8, "Edit8", 180, 61, 50, "0"), 0, 59);
  LatNS = Make<TRadioGroup>(Coordenadas, "LatNS", "", std::vector<std::string>{"North", "South"}, 2);
  LatNS->SetBounds(240, 28, 124, 28);
  LatNS->SetItemIndex(0);
  LongEW = Make<TRadioGroup>(Coordenadas, "LongEW", "", std::vector<std::string>{"East", "West"}, 2);
  LongEW->SetBounds(240, 56, 124, 28);
  LongEW->SetItemIndex(0);
  Make<TLabel>(Coordenadas, "LabelAprsLocator", "Locator:")->SetBounds(10, 94, 50, kLabelHeight);
  field(Coordenadas, &TForm1::Edit10, "Edit10", 60, 91, 80, "");

  Baliza = Make<TGroupBox>(Hojaaprs, "Baliza", "Beacon");
  Baliza->SetBounds(8, 130, 372, 80);
  Make<TLabel>(Baliza, "LabelTo", "To :")->SetBounds(10, 22, 40, kLabelHeight);
  field(Baliza, &TForm1::Edit2, "Edit2", 50, 19, 100, "");
  Make<TLabel>(Baliza, "LabelVia", "Via :")->SetBounds(160, 22, 40, kLabelHeight);
  field(Baliza, &TForm1::Edit1, "Edit1", 200, 19, 160, "");
  Make<TLabel>(Baliza, "LabelEvery", "Every :")->SetBounds(10, 50, 40, kLabelHeight);
  spin(field(Baliza, &TForm1::Edit9, "Edit9", 50, 47, 50, "0"), 0, 99);
  Make<TLabel>(Baliza, "LabelMins", "mins.")->SetBounds(106, 50, 40, kLabelHeight);

  GroupBox1 = Make<TGroupBox>(Hojaaprs, "GroupBox1", "PHG");
  GroupBox1->SetBounds(8, 214, 372, 86);
  const char* phg[] = {"Tx Power:", "Station height:", "Antenna gain:", "Directivity:"};
  TEdit* TForm1::*edits[] = {&TForm1::Edit11, &TForm1::Edit12, &TForm1::Edit13, &TForm1::Edit14};
  const char* names[] = {"Edit11", "Edit12", "Edit13", "Edit14"};
  for (int i = 0; i < 4; ++i) {
    const int x = 10 + (i % 2) * 180, y = 22 + (i / 2) * 30;
    Make<TLabel>(GroupBox1, std::string("LabelPhg") + std::to_string(i), phg[i])
        ->SetBounds(x, y + 3, 80, kLabelHeight);
    field(GroupBox1, edits[i], names[i], x + 84, y, 70, "");
  }
}
