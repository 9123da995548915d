// The editor's main window: one tabbed page per area of the configuration.
// Its controls are the primary copy of the configuration; the edit fields
// mirror their text into ConfigRecord on every change, the check boxes and
// colours are read by the save.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Controls.h"

extern const char* const kEditorVersion;  // "1.5.3"

// Change tracking, process-wide.
extern bool ConfigModified;
extern bool RegistryLoading;

// Set by the process entry.
extern UINT ZubcfgNotifyMessage;
extern std::string CommandTail;

struct TFieldRow;
struct TPortRecord;

class TForm1 : public TForm {
 public:
  TForm1();
  ~TForm1() override;

  // Window frame.
  TLabel* Bevel1 = nullptr;
  TPageControl* Pagina = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  std::unique_ptr<TTimer> Timer1;

  TTabSheet *Hojageneral = nullptr, *Hojadirectorios = nullptr, *Hojadirectorioszub = nullptr,
            *Hojaunprotos = nullptr, *Hojaconexion = nullptr, *Hojaseguridadusuario = nullptr,
            *Hojamensajesaviso = nullptr, *Hojaforward = nullptr, *Hojamiscelanea = nullptr,
            *Hojacolores = nullptr, *Hojaservers = nullptr, *Hojapuertosbbs = nullptr,
            *Hojatiempos = nullptr, *Hojaaprs = nullptr;

  // General.
  TEdit *Editbbsindicativo = nullptr, *Editssid = nullptr, *Edithroute = nullptr,
        *Editciudad = nullptr, *Editlocator = nullptr, *Codpostal = nullptr,
        *Editsysopindicativo = nullptr, *Editsysopnombre = nullptr;
  TLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr,
         *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr;

  // Folders.
  TEdit *Directorioraiz = nullptr, *Directorioconfig = nullptr, *Directoriodata = nullptr,
        *Directoriomensajes = nullptr, *Directoriomensajesbin = nullptr,
        *Directorioyapp = nullptr, *Directoriodocs = nullptr, *Ficheroimport = nullptr,
        *Pgdir = nullptr, *Driversdir = nullptr, *Serversdir = nullptr, *Filtersdir = nullptr;
  TSpeedButton *Speedroot = nullptr, *Speedconfig = nullptr, *Speeddata = nullptr,
               *Speedmensajes = nullptr, *Speedzip = nullptr, *Speedyapp = nullptr,
               *Speeddoc = nullptr, *Speedimport = nullptr, *Speedpg = nullptr,
               *Speeddriver = nullptr, *Speedserver = nullptr, *Speedfilter = nullptr;

  // ZubDos Virtual Disks.
  TEdit *Diska = nullptr, *Diskb = nullptr, *Diskc = nullptr, *Diskd = nullptr,
        *Diske = nullptr, *Diskf = nullptr, *Diskg = nullptr, *Diskh = nullptr;
  TSpeedButton *Speeda = nullptr, *Speedb = nullptr, *Speedc = nullptr, *Speedd = nullptr,
               *Speede = nullptr, *Speedf = nullptr, *Speedg = nullptr, *Speedh = nullptr;

  // Unproto Frames.
  TEdit *Editbackui = nullptr, *Editdelayui = nullptr;
  TLabel *Label26 = nullptr, *Label27 = nullptr;
  TCheckBox *Ackui = nullptr, *Privateui = nullptr, *Userui = nullptr, *Tituloui = nullptr;

  // First Connection Options.
  TCheckBox *Desactivado1 = nullptr, *Excluido1 = nullptr, *Local1 = nullptr,
            *Experto1 = nullptr, *Sysop1 = nullptr, *Bbs1 = nullptr, *Paginacion1 = nullptr,
            *Guest1 = nullptr, *Modem1 = nullptr, *Todosmensajes1 = nullptr,
            *Listaunprotos1 = nullptr, *Listanuevos1 = nullptr, *Pms1 = nullptr;

  // Security: ten rows of three boxes, named stem + "user"/"sysop"/"sys".
  TCheckBox *Todosmensajesuser = nullptr, *Borramensajesuser = nullptr, *Sysuser = nullptr,
            *Remoteuser = nullptr, *Labelsuser = nullptr, *Deleteuser = nullptr,
            *Gatewaysuser = nullptr, *Dosuser = nullptr, *Alldiskuser = nullptr,
            *Specialuser = nullptr;
  TCheckBox *Todosmensajessysop = nullptr, *Borramensajessysop = nullptr, *Syssysop = nullptr,
            *Remotesysop = nullptr, *Labelssysop = nullptr, *Deletesysop = nullptr,
            *Gatewayssysop = nullptr, *Dossysop = nullptr, *Alldisksysop = nullptr,
            *Specialsysop = nullptr;
  TCheckBox *Todosmensajessys = nullptr, *Borramensajessys = nullptr, *Syssys = nullptr,
            *Remotesys = nullptr, *Labelssys = nullptr, *Deletesys = nullptr,
            *Gatewayssys = nullptr, *Dossys = nullptr, *Alldisksys = nullptr,
            *Specialsys = nullptr;

  // Warnings.
  TCheckBox *Menos1mega = nullptr, *Errorarchivo = nullptr, *Servererror = nullptr,
            *Pingpong = nullptr, *Noruta = nullptr, *Nonts = nullptr,
            *Mensajenoencontrado = nullptr, *Errorpropuesta = nullptr, *Reject = nullptr,
            *Held = nullptr;

  // Forwarding.
  TCheckBox *Forwardzub = nullptr, *Compressforward = nullptr, *Resume = nullptr,
            *Xprotocol = nullptr, *Xprioridad = nullptr, *Noxchecksum = nullptr, *Mbl = nullptr,
            *Bbsdeclaradas = nullptr, *Bidalterno = nullptr, *Caracterh = nullptr,
            *Caractercabecera = nullptr;

  // Miscellaneous I.
  TCheckBox *Modotest = nullptr, *Log = nullptr, *Indicacioncanales = nullptr,
            *Datosusuario = nullptr, *Mailbeacon = nullptr, *Deldata = nullptr,
            *Wpnoheld = nullptr, *Testcallsign = nullptr, *Nobbscallsign = nullptr,
            *Norecover = nullptr;
  TEdit *Indicativosbaliza = nullptr, *Numerobid = nullptr, *Sysopmessage = nullptr,
        *Wpmessage = nullptr, *Cabecera = nullptr;
  TLabel *Label9 = nullptr, *Label28 = nullptr, *Label60 = nullptr, *Label61 = nullptr,
         *Label16 = nullptr, *Label17 = nullptr;

  // Colours.
  TLabel* Label74 = nullptr;
  TPanel* Panel1 = nullptr;
  TLabel *Sendtext = nullptr, *Receivedtext = nullptr, *Chaninfo = nullptr, *Monhead = nullptr,
         *Mondata = nullptr, *Consoletext = nullptr;

  // Miscellaneous II.
  TEdit *timeoutusuarios = nullptr, *Timeoutforward = nullptr, *Diasboletines = nullptr,
        *yappmax = nullptr, *modemmax = nullptr, *buferusuario = nullptr,
        *buferconsola = nullptr, *bufermonitor = nullptr;
  TLabel *Label32 = nullptr, *Label33 = nullptr, *Label34 = nullptr, *Label35 = nullptr,
         *Label36 = nullptr, *Label37 = nullptr, *Label38 = nullptr, *Label39 = nullptr;

  // APRS (its tab is hidden; nothing reads or writes these).
  TGroupBox *Coordenadas = nullptr, *Baliza = nullptr, *GroupBox1 = nullptr;
  TEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr,
        *Edit5 = nullptr, *Edit6 = nullptr, *Edit7 = nullptr, *Edit8 = nullptr,
        *Edit9 = nullptr, *Edit10 = nullptr, *Edit11 = nullptr, *Edit12 = nullptr,
        *Edit13 = nullptr, *Edit14 = nullptr;
  TRadioGroup *LatNS = nullptr, *LongEW = nullptr;

  // Servers page. It writes each server straight into the registry and
  // reads the list back; the save is not involved.
  TLabel *Label75 = nullptr, *Label78 = nullptr, *Label79 = nullptr, *Label80 = nullptr;
  TListBox* ListBox1 = nullptr;
  TEdit *Editaddserver = nullptr, *Editinfo = nullptr;
  TComboBox* Editfileserver = nullptr;
  TCheckBox* Disabled = nullptr;
  TButton *Botonaddserver = nullptr, *Apply = nullptr, *Botondelserver = nullptr;
  // Up while the page fills its fields from a server: that is no edit.
  bool ServerFilling = false;
  void ListBox1Click(TObject* Sender);
  void DisabledClick(TObject* Sender);
  void BotonaddserverClick(TObject* Sender);
  void BotondelserverClick(TObject* Sender);
  void EditaddserverKeyPress(TObject* Sender, char& Key);
  void EditfileserverKeyPress(TObject* Sender, char& Key);
  void EditinfoKeyPress(TObject* Sender, char& Key);
  void Label78Click(TObject* Sender);
  void Label79Click(TObject* Sender);
  void Label80Click(TObject* Sender);
  // Shows the ServerTable entries in use, in table order, as the items of
  // ListBox1; whatever fills the table (the load, an import) calls it.
  void ShowServerList();
  void BuildServers();

 private:
  std::vector<std::string> serversShown_;  // the items of ListBox1

 public:

  // Ports page.
  TRadioGroup* Puertosbbs = nullptr;
  TComboBox* Modopuerto2 = nullptr;
  TComboBox *Velocidadserie = nullptr, *Comports = nullptr;
  TEdit *Direccionserie = nullptr, *Numcanales = nullptr, *Multi = nullptr, *Paclen = nullptr,
        *Maxframe = nullptr, *Maxblock = nullptr, *Fwdminute = nullptr, *Fwdperiodo = nullptr,
        *Numcanalesfwd = nullptr, *Infocanal = nullptr;
  TLabel *Label10 = nullptr, *Label83 = nullptr, *Label84 = nullptr, *Label50 = nullptr,
         *Label51 = nullptr, *Label81 = nullptr, *Label52 = nullptr, *Label53 = nullptr,
         *Label57 = nullptr, *Label58 = nullptr, *Label59 = nullptr, *Label54 = nullptr,
         *Label55 = nullptr;
  TRadioGroup* Tipopuerto = nullptr;
  TCheckBox *Disport = nullptr, *Unprotos = nullptr, *Yapp = nullptr, *Gateway = nullptr,
            *Rdonly = nullptr;
  // Up while a port is being shown: the page's own filling is no edit.
  bool PortFilling = false;
  // afterTypeChange: the type has just been changed, so the defaults of the
  // new type are put in and stored.
  void HojapuertosbbsEnter(TObject* Sender, bool afterTypeChange = false);
  void PuertosbbsClick(TObject* Sender);
  void Modopuerto2Change(TObject* Sender);
  void DireccionserieChange(TObject* Sender);
  void VelocidadserieChange(TObject* Sender);
  void ComportsChange(TObject* Sender);
  void NumcanalesChange(TObject* Sender);
  void MultiChange(TObject* Sender);
  void PaclenChange(TObject* Sender);
  void MaxframeChange(TObject* Sender);
  void MaxblockChange(TObject* Sender);
  void FwdminuteChange(TObject* Sender);
  void FwdperiodoChange(TObject* Sender);
  void NumcanalesfwdChange(TObject* Sender);
  void InfocanalChange(TObject* Sender);
  void DisportClick(TObject* Sender);
  void TipopuertoClick(TObject* Sender);
  void UnprotosClick(TObject* Sender);
  void YappClick(TObject* Sender);
  void GatewayClick(TObject* Sender);
  void RdonlyClick(TObject* Sender);
  void InfocanalKeyPress(TObject* Sender, char& Key);
  void ReloadDriversDir1Click(TObject* Sender);
  void ImportsysClick(TObject* Sender);

 private:
  enum class TPortDefault;
  void BuildPorts();
  // The PortTable entry of the selected port; nullptr when none is selected
  // or the records are gone. Marks the configuration changed unless the
  // page is filling itself.
  TPortRecord* EditedPort();
  TPortRecord* SelectedPort() const;
  // The type selector's text, put in by the program: no type change.
  void SetPortTypeText(const std::string& text);
  void PutPortDefault(TPortDefault which);
  // The refresh of HojapuertosbbsEnter, for the type given.
  void RefreshPortPage(const std::string& type, bool afterTypeChange);
  // The address field's text goes to BaudRate or HexAddress by the type.
  void StoreAddress(TPortRecord& port, const std::string& type, const std::string& text);
  // Warns when the forward channels outnumber the channels; a forward count
  // just edited is emptied.
  void CheckChannelCounts(TPortRecord& port, bool forwardEdited);
  // The focus moves only to a control the sysop can reach, and never while
  // a port is being shown.
  void MovePortFocus(TControl* control);

 public:

  // Lifecycle.
  void FormShow(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void Timer1Timer(TObject* Sender);

  // Menu.
  void MenusaveClick(TObject* Sender);
  void SaveExit1Click(TObject* Sender);
  void MenuexitClick(TObject* Sender);
  void ReloadRegistry1Click(TObject* Sender);
  void About1Click(TObject* Sender);

  // Transfers (editor/transfer): the old station file, and export, import
  // and deletion of the whole stored configuration.
  void MenuimportClick(TObject* Sender);
  void ExportConfig1Click(TObject* Sender);
  void ImportConfig1Click(TObject* Sender);
  void DeleteConfig1Click(TObject* Sender);

  // Change tracking shared by many controls.
  void EditbbsindicativoKeyUp(TObject* Sender, WORD& Key);
  void ForwardzubKeyPress(TObject* Sender, char& Key);
  void CachebidsClick(TObject* Sender);

  // General.
  void EditbbsindicativoChange(TObject* Sender);
  void EditssidChange(TObject* Sender);
  void EdithrouteChange(TObject* Sender);
  void EditciudadChange(TObject* Sender);
  void EditlocatorChange(TObject* Sender);
  void CodpostalChange(TObject* Sender);
  void EditsysopindicativoChange(TObject* Sender);
  void EditsysopnombreChange(TObject* Sender);
  // Folders.
  void DirectorioraizChange(TObject* Sender);
  void DirectorioconfigChange(TObject* Sender);
  void DirectoriodataChange(TObject* Sender);
  void DirectoriomensajesChange(TObject* Sender);
  void DirectoriomensajesbinChange(TObject* Sender);
  void DirectorioyappChange(TObject* Sender);
  void DirectoriodocsChange(TObject* Sender);
  void FicheroimportChange(TObject* Sender);
  void PgdirChange(TObject* Sender);
  void DriversdirChange(TObject* Sender);
  void ServersdirChange(TObject* Sender);
  void FiltersdirChange(TObject* Sender);
  void SpeedrootClick(TObject* Sender);
  void SpeedimportClick(TObject* Sender);
  // Disks.
  void DiskaChange(TObject* Sender);
  void DiskbChange(TObject* Sender);
  void DiskcChange(TObject* Sender);
  void DiskdChange(TObject* Sender);
  void DiskeChange(TObject* Sender);
  void DiskfChange(TObject* Sender);
  void DiskgChange(TObject* Sender);
  void DiskhChange(TObject* Sender);
  // Option pages.
  void EditbackuiChange(TObject* Sender);
  void EditdelayuiChange(TObject* Sender);
  void IndicativosbalizaChange(TObject* Sender);
  void NumerobidChange(TObject* Sender);
  void SysopmessageChange(TObject* Sender);
  void WpmessageChange(TObject* Sender);
  void CabeceraChange(TObject* Sender);
  void timeoutusuariosChange(TObject* Sender);
  void TimeoutforwardChange(TObject* Sender);
  void DiasboletinesChange(TObject* Sender);
  void yappmaxChange(TObject* Sender);
  void modemmaxChange(TObject* Sender);
  void buferusuarioChange(TObject* Sender);
  void buferconsolaChange(TObject* Sender);
  void bufermonitorChange(TObject* Sender);
  void Panel1Click(TObject* Sender);

  // Enter in a text field: swallowed, and the focus moves to the field's
  // successor (selecting its page first). The two fields whose Enter does
  // something else have handlers of their own.
  void FieldKeyPress(TObject* Sender, char& Key);
  void CabeceraKeyPress(TObject* Sender, char& Key);
  void bufermonitorKeyPress(TObject* Sender, char& Key);
  // A click on a field's caption label focuses the field.
  void CaptionLabelClick(TObject* Sender);

  // The check boxes of each option set, in the order of the set's weights
  // (Encodings.h); the load ticks them from a stored sum, the save adds
  // them up.
  std::vector<TCheckBox*> ForwardingBoxes() const;
  std::vector<TCheckBox*> ResumeBoxes() const;
  std::vector<TCheckBox*> FirstConnectionBoxes() const;  // Desactivado1 has no weight
  std::vector<TCheckBox*> SecurityBoxes(int column) const;  // 0 user, 1 sysop, 2 system
  std::vector<TCheckBox*> WarningBoxes() const;

  // Looks a control up by its name (tests and the start codes use it).
  TControl* FindControl(const std::string& name) const;
  TTabSheet* FindSheet(const std::string& name) const;
  // Selects the page, then focuses the control.
  void ShowField(TTabSheet* page, TControl* control);

  // The local time the clock shows; tests replace it.
  std::function<SYSTEMTIME()> LocalClock;

 private:
  template <class T, class... Args>
  T* Make(Args&&... args);
  void BuildMenu();
  void BuildPages();
  void BuildGeneral();
  void BuildFolders();
  void BuildDisks();
  void BuildUnproto();
  void BuildFirstConnection();
  void BuildSecurity();
  void BuildWarnings();
  void BuildForwarding();
  void BuildMiscellaneous1();
  void BuildColours();
  void BuildMiscellaneous2();
  void BuildAprs();
  void BuildFieldRows(TTabSheet* page, const TFieldRow* rows, size_t count, int left,
                      int labelWidth, int top, int step, int editWidth);
  TCheckBox* MakeCheck(TTabSheet* page, TCheckBox* TForm1::*member, const char* name,
                       const char* caption, int left, int top, int width);
  void WireEdit(TEdit* edit, void (TForm1::*change)(TObject*), int maxLength, bool upper,
                bool oem, void (TForm1::*keyPress)(TObject*, char&));
  void WireCheck(TCheckBox* box);
  void ActOnStartCode();
  void LoadRegistry();
  void WriteWindowState();
  void CheckStoredVersion(const std::string& stored);
  // Where a window placed at left, top shows its caption on some monitor.
  POINT OnScreen(int left, int top) const;
  void ChooseColourFor(TLabel* label);

  std::vector<std::unique_ptr<TControl>> owned_;
  std::map<std::string, TControl*> byName_;
  std::map<TControl*, std::pair<std::string, std::string>> successor_;  // field -> (page, field)
  std::map<TControl*, TControl*> captionOf_;                           // label -> field
  std::map<TControl*, TEdit*> folderOf_;                               // browse button -> field
  bool activated_ = false;
  std::vector<HWND> spinButtons_;
};

// Main.cpp builds the frame and Pages.cpp the pages: both make controls.
template <class T, class... Args>
T* TForm1::Make(Args&&... args) {
  auto control = std::make_unique<T>(std::forward<Args>(args)...);
  T* raw = control.get();
  byName_[raw->Name] = raw;
  owned_.push_back(std::move(control));
  return raw;
}

extern TForm1* Form1;
