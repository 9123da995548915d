// The Ports page: one of the ten ports at a time, picked in the port
// selector. Every edit goes at once into the PortTable entry of the selected
// port; the registry is written only by the save. What the page offers
// depends on the class of the port's type (driver name): no type, BPQ/AGW,
// TCP/TLN, or a serial driver of the drivers folder.
#include "editor/app/PortsPage.h"

#include <windows.h>

#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "editor/config/AnsiText.h"
#include "editor/config/Load.h"
#include "editor/config/Numbers.h"
#include "editor/config/PortTypes.h"
#include "editor/config/Records.h"
#include "platform/Dialogs.h"

namespace {

constexpr int kRowHeight = 21;
constexpr int kLabelHeight = 14;
constexpr int kCheckHeight = 17;

const char* const kBauds[] = {"300",   "600",   "1200",  "2400",  "4800",  "9600",
                              "14400", "19200", "28800", "38400", "57600", "115200"};


// The item of the baud list whose number the text holds, or -1. (The table,
// not the list: every question to a control is a message.)
int BaudItem(const std::string& text) {
  const int64_t number = ReadNumber(text);
  for (int i = 0; i < static_cast<int>(std::size(kBauds)); ++i)
    if (ReadNumber(kBauds[i]) == number) return i;
  return -1;
}

}  // namespace


// ---------------------------------------------------------------------------
// Building the page.

namespace {
struct TPortFieldRow {
  TEdit* TPortsPage::*field;
  const char* name;
  TLabel* TPortsPage::*label;
  const char* labelName;
  const char* caption;
  int maxLength;
  void (TPortsPage::*change)(TObject*);
  const char* hint;
  int left, top, labelWidth, width;
};

struct TPortCheckRow {
  TCheckBox* TPortsPage::*box;
  const char* name;
  const char* caption;
  void (TPortsPage::*click)(TObject*);
  bool keyPress;  // Space marks a change, as on the option pages
  int left, top;
};

// The right column: type, address, line and channel values.
constexpr int kRight = 198, kRightLabel = 84;
// The left column below the selectors: forwarding.
constexpr int kLeft = 8, kLeftLabel = 112;
}  // namespace

void TPortsPage::Build() {
  TTabSheet* page = Sheet();
  auto box = [](int left, int top, int width, int height) {
    return RECT{left, top, left + width, top + height};
  };
  Puertosbbs = MakeAt<TRadioGroup>(
      box(6, 2, 184, 100), page, "Puertosbbs", "Port",
      std::vector<std::string>{"PORT 1", "PORT 2", "PORT 3", "PORT 4", "PORT 5", "PORT 6",
                               "PORT 7", "PORT 8", "PORT 9", "PORT 10 "},
      2);
  Puertosbbs->OnClick = [this](TObject* s) { PuertosbbsClick(s); };

  Label10 = MakeAt<TLabel>(box(kRight, 10, kRightLabel, kLabelHeight), page, "Label10", "Type:");
  Modopuerto2 = MakeAt<TComboBox>(box(kRight + kRightLabel + 4, 6, 96, kRowHeight), page,
                                  "Modopuerto2", TComboStyle::DropDown);
  Modopuerto2->SetText("Type of Port");
  // A driver name fits the record's field.
  SendMessageA(Modopuerto2->Handle(), CB_LIMITTEXT, sizeof(TPortRecord::Driver) - 1, 0);
  Modopuerto2->OnChange = [this](TObject* s) { Modopuerto2Change(s); };
  // Every field of the page marks a change when a key is released in it.
  Modopuerto2->OnKeyUp = [this](TObject* s, WORD& k) { EditbbsindicativoKeyUp(s, k); };

  static const TPortFieldRow address = {
      &TPortsPage::Direccionserie, "Direccionserie", &TPortsPage::Label83, "Label83", "Hex. Address:",
      static_cast<int>(sizeof(TPortRecord::BaudRate)) - 1, &TPortsPage::DireccionserieChange,
      nullptr, kRight, 30, kRightLabel, 96};
  static const TPortFieldRow channels[] = {
      {&TPortsPage::Numcanales, "Numcanales", &TPortsPage::Label51, "Label51", "Num. chans:", 2,
       &TPortsPage::NumcanalesChange, nullptr, kRight, 102, kRightLabel, 40},
      {&TPortsPage::Multi, "Multi", &TPortsPage::Label81, "Label81", "Multi Chan:",
       static_cast<int>(sizeof(TPortRecord::Canal)) - 1, &TPortsPage::MultiChange, nullptr, kRight,
       126, kRightLabel, 40},
      {&TPortsPage::Paclen, "Paclen", &TPortsPage::Label52, "Label52", "Paclen:", 3,
       &TPortsPage::PaclenChange, nullptr, kRight, 150, kRightLabel, 40},
      {&TPortsPage::Maxframe, "Maxframe", &TPortsPage::Label53, "Label53", "Maxframe:", 1,
       &TPortsPage::MaxframeChange, nullptr, kRight, 174, kRightLabel, 40},
      {&TPortsPage::Maxblock, "Maxblock", &TPortsPage::Label57, "Label57", "Max Block:", 3,
       &TPortsPage::MaxblockChange, nullptr, kRight, 198, kRightLabel, 40},
      {&TPortsPage::Infocanal, "Infocanal", &TPortsPage::Label55, "Label55", "Label:", 9,
       &TPortsPage::InfocanalChange, nullptr, kRight, 222, kRightLabel, 96},
      {&TPortsPage::Fwdminute, "Fwdminute", &TPortsPage::Label58, "Label58", "Fwd minute:", 2,
       &TPortsPage::FwdminuteChange, "Minute to start Fwd.", kLeft, 222, kLeftLabel, 40},
      {&TPortsPage::Fwdperiodo, "Fwdperiodo", &TPortsPage::Label59, "Label59", "Fwd periode:", 2,
       &TPortsPage::FwdperiodoChange, "Minutes between Fwd", kLeft, 246, kLeftLabel, 40},
      {&TPortsPage::Numcanalesfwd, "Numcanalesfwd", &TPortsPage::Label54, "Label54",
       "Number of fwd chans:", 2, &TPortsPage::NumcanalesfwdChange, nullptr, kLeft, 270, kLeftLabel,
       40},
  };
  auto makeField = [this, page, box](const TPortFieldRow& row) {
    TLabel* label = MakeAt<TLabel>(box(row.left, row.top + 4, row.labelWidth, kLabelHeight), page,
                                   row.labelName, row.caption);
    this->*row.label = label;
    TEdit* edit =
        MakeAt<TEdit>(box(row.left + row.labelWidth + 4, row.top, row.width, kRowHeight), page, row.name);
    this->*row.field = edit;
    if (row.maxLength > 0) edit->SetMaxLength(row.maxLength);
    edit->OnChange = [this, change = row.change](TObject* s) { (this->*change)(s); };
    edit->OnKeyPress = [this](TObject* s, char& k) { InfocanalKeyPress(s, k); };
    edit->OnKeyUp = [this](TObject* s, WORD& k) { EditbbsindicativoKeyUp(s, k); };
    // A click into the field runs its change handler, and so its checks.
    edit->OnClick = edit->OnChange;
    if (row.hint) {
      edit->SetHint(row.hint);
      label->SetHint(row.hint);
    }
    SetCaption(label, edit);
  };

  makeField(address);
  // Letters in the address are capitals, whether typed, pasted or put in by
  // the program.
  Direccionserie->SetUpperCase(true);
  SetWindowLongPtrA(Direccionserie->Handle(), GWL_STYLE,
                    GetWindowLongPtrA(Direccionserie->Handle(), GWL_STYLE) | ES_UPPERCASE);

  auto makeList = [this, page, box](TComboBox* TPortsPage::*member, const char* name,
                                    TLabel* TPortsPage::*label, const char* labelName,
                                    const char* caption, int top,
                                    void (TPortsPage::*change)(TObject*)) {
    TLabel* l = MakeAt<TLabel>(box(kRight, top + 4, kRightLabel, kLabelHeight), page, labelName,
                               caption);
    this->*label = l;
    TComboBox* list = MakeAt<TComboBox>(box(kRight + kRightLabel + 4, top, 96, kRowHeight), page,
                                        name, TComboStyle::DropDownList);
    list->OnChange = [this, change](TObject* s) { (this->*change)(s); };
    list->OnKeyUp = [this](TObject* s, WORD& k) { EditbbsindicativoKeyUp(s, k); };
    this->*member = list;
    return list;
  };
  makeList(&TPortsPage::Velocidadserie, "Velocidadserie", &TPortsPage::Label84, "Label84", "Bauds:", 54,
           &TPortsPage::VelocidadserieChange)
      ->SetItems(std::vector<std::string>(std::begin(kBauds), std::end(kBauds)));
  std::vector<std::string> coms;
  for (int i = 1; i <= 10; ++i) coms.push_back(std::to_string(i));
  makeList(&TPortsPage::Comports, "Comports", &TPortsPage::Label50, "Label50", "COM:", 78,
           &TPortsPage::ComportsChange)
      ->SetItems(coms);

  for (const TPortFieldRow& row : channels) makeField(row);

  Tipopuerto = MakeAt<TRadioGroup>(box(6, 106, 184, 40), page, "Tipopuerto", "Mode",
                                   std::vector<std::string>{"Users", "Guest", "BBS"}, 3);
  Tipopuerto->OnClick = [this](TObject* s) { TipopuertoClick(s); };

  static const TPortCheckRow checks[] = {
      {&TPortsPage::Disport, "Disport", "Disable", &TPortsPage::DisportClick, false, 10, 152},
      {&TPortsPage::Unprotos, "Unprotos", "UI Lists", &TPortsPage::UnprotosClick, true, 100, 152},
      {&TPortsPage::Yapp, "Yapp", "YAPP", &TPortsPage::YappClick, true, 10, 172},
      {&TPortsPage::Gateway, "Gateway", "GATEWAY", &TPortsPage::GatewayClick, true, 100, 172},
      {&TPortsPage::Rdonly, "Rdonly", "RD - ONLY", &TPortsPage::RdonlyClick, true, 10, 192},
  };
  for (const TPortCheckRow& row : checks) {
    TCheckBox* check =
        MakeAt<TCheckBox>(box(row.left, row.top, 86, kCheckHeight), page, row.name, row.caption);
    check->OnClick = [this, click = row.click](TObject* s) { (this->*click)(s); };
    if (row.keyPress)
      check->OnKeyPress = [this](TObject* s, char& k) { ForwardzubKeyPress(s, k); };
    this->*row.box = check;
  }
  ShowDriverTypes();
}

// ---------------------------------------------------------------------------
// Showing a port and refreshing the page.

void TPortsPage::ShowConfiguration() {
  PortsNeeded(Config());
}

TPortRecord* TPortsPage::SelectedPort() const {
  const int index = Puertosbbs ? Puertosbbs->ItemIndex() : -1;
  return index >= 0 && index < kPortCount ? &Config().PortTable[index] : nullptr;
}

TPortRecord* TPortsPage::EditedPort() {
  TPortRecord* port = SelectedPort();
  if (port) Doc().Changed();
  return port;
}

void TPortsPage::SetPortTypeText(const std::string& text) {
  Modopuerto2->ShowText(text);
}

void TPortsPage::MovePortFocus(TControl* control) {
  if (IsWindowVisible(control->Handle()) && IsWindowEnabled(control->Handle()))
    control->SetFocus();
}

void TPortsPage::PuertosbbsClick(TObject*) { ShowPort(TRefresh::Showing); }

void TPortsPage::ShowPort(TRefresh refresh) {
  if (!SelectedPort()) return;
  // Showing is no edit: every control shows its value without its handler,
  // and what the page stores on the way goes into the record directly.
  const TPortRecord shown = *SelectedPort();
  const bool inUse = PortInUse(shown);
  const std::string driver = FieldText(shown.Driver);
  const std::string type = inUse ? driver : "None";
  if (refresh == TRefresh::Showing) SetPortTypeText(type);
  RefreshPortPage(type, refresh);
  // A port without a type shows its own values too, greyed, rather than
  // those of the port shown before.
  {
    // The lists show the stored values and store nothing: a TCP port's
    // number in BaudRate must not become the "0" of a disabled list.
    Velocidadserie->ShowItemIndex(BaudItem(FieldText(shown.BaudRate)));
    const int64_t comNumber = ReadNumber(FieldText(shown.Com));
    Comports->ShowItemIndex(comNumber >= 1 && comNumber <= 10 ? static_cast<int>(comNumber) - 1 : -1);
    const std::string user = FieldText(shown.Tipopuerto);
    Tipopuerto->ShowItemIndex(user == "U" ? 0 : user == "G" ? 1 : user == "B" ? 2 : -1);
  }
  // The address is stored back as the field shows it, in capitals.
  const bool tcp = inUse && (driver == "TCP" || driver == "TLN");
  if (refresh == TRefresh::Showing) Label83->SetText(tcp ? driver + " Port:" : "Hex address:");
  const std::string address =
      Capitals(tcp ? FieldText(shown.BaudRate) : FieldText(shown.HexAddress));
  Direccionserie->ShowText(address);
  // A type just chosen keeps the address its defaults left.
  if (refresh == TRefresh::Showing) StoreAddress(*SelectedPort(), type, address);
  // The values go in without the change handlers, which would only store
  // the same values back; each message to a control costs, under Wine most
  // of all. The two channel counts then run theirs once, for their warnings.
  if (inUse) Disport->ShowChecked(FieldText(shown.Disabled) == "true");
  const std::pair<TEdit*, std::string> fields[] = {
      {Numcanales, FieldText(shown.NumChannels)},  {Paclen, FieldText(shown.Paclen)},
      {Maxframe, FieldText(shown.MaxFrame)},       {Multi, FieldText(shown.Canal)},
      {Maxblock, FieldText(shown.MaxBlock)},       {Fwdperiodo, FieldText(shown.Fwdperiodo)},
      {Fwdminute, FieldText(shown.Fwdminute)},     {Numcanalesfwd, FieldText(shown.NumFwdChannels)},
      {Infocanal, FieldText(shown.Label)},
  };
  for (const auto& [edit, text] : fields) edit->ShowText(text);
  CheckChannelCounts(*SelectedPort(), false, false);
  CheckChannelCounts(*SelectedPort(), true, false);
  Unprotos->ShowChecked(FieldText(shown.Unprotos) == "L");
  Yapp->ShowChecked(FieldText(shown.Yapp) == "Y");
  Gateway->ShowChecked(FieldText(shown.Gateway) == "W");
  Rdonly->ShowChecked(FieldText(shown.Rdonly) == "R");
}

void TPortsPage::HojapuertosbbsEnter(TObject*) {
  if (Puertosbbs->ItemIndex() < 0) Puertosbbs->SetItemIndex(0);
  RefreshPortPage(Modopuerto2->Text(), TRefresh::Entering);
}

void TPortsPage::RefreshPortPage(const std::string& type, TRefresh refresh) {
  const TPortClass kind = PortClassOf(type);

  const struct {
    TControl* control;
    TLabel* label;
    unsigned on;  // the classes that enable it
  } rows[] = {
      {Direccionserie, Label83, kTcpTln | kSerial}, {Velocidadserie, Label84, kSerial},
      {Comports, Label50, kAnyType},                {Multi, Label81, kSerial},
      {Numcanales, Label51, kAnyType},              {Paclen, Label52, kAnyType},
      {Maxframe, Label53, kAnyType},                {Maxblock, Label57, kAnyType},
      {Fwdminute, Label58, kAnyType},               {Fwdperiodo, Label59, kAnyType},
      {Numcanalesfwd, Label54, kAnyType},           {Infocanal, Label55, kAnyType},
      {Disport, nullptr, kAnyType},                 {Tipopuerto, nullptr, kAnyType},
      {Unprotos, nullptr, kAnyType},                {Gateway, nullptr, kAnyType},
      {Yapp, nullptr, kAnyType},                    {Rdonly, nullptr, kAnyType},
  };
  // Disabling sends a message even to a disabled control: only changes go out.
  auto enable = [](TControl* control, bool on) {
    if (control->Enabled() != on) control->SetEnabled(on);
  };
  for (const auto& row : rows) {
    const bool on = (row.on & kind) != 0;
    enable(row.control, on);
    if (row.label) enable(row.label, on);
  }
  // Showing a port puts a caption of its own right after.
  if (refresh != TRefresh::Showing) {
    if (kind == kTcpTln) Label83->SetText(type + " Port:");
    if (kind == kSerial) Label83->SetText("Hex. Address:");
    // Keys meant for the port selector must not land in the field that
    // showing a port would move to.
    if (kind != kNoType) MovePortFocus(Comports);
  }

  if (!Infocanal->Enabled()) {
    // A port without a type cannot be disabled: it is not used at all.
    if (refresh == TRefresh::Entering) {
      Disport->SetChecked(false);
    } else if (Disport->Checked()) {
      Disport->ShowChecked(false);
      if (TPortRecord* port = SelectedPort()) SetField(port->Disabled, "false");
    }
    Disport->SetEnabled(false);
  }
}

// ---------------------------------------------------------------------------
// Changing the type and storing edits.

void TPortsPage::Modopuerto2Change(TObject*) {
  TPortRecord* port = EditedPort();
  if (!port) return;
  SetPortType(*port, Modopuerto2->Text());
  ShowPort(TRefresh::TypeChanged);
}

void TPortsPage::DireccionserieChange(TObject*) {
  if (TPortRecord* port = EditedPort())
    StoreAddress(*port, Modopuerto2->Text(), Direccionserie->Text());
}

void TPortsPage::StoreAddress(TPortRecord& port, const std::string& type, const std::string& text) {
  if (type == "TCP" || type == "TLN")
    SetField(port.BaudRate, text);
  else if (Direccionserie->Enabled())
    SetField(port.HexAddress, text);
  else
    SetField(port.HexAddress, "0");
}

void TPortsPage::VelocidadserieChange(TObject*) {
  TPortRecord* port = EditedPort();
  if (!port) return;
  if (Velocidadserie->Enabled())
    SetField(port->BaudRate, Velocidadserie->Item(Velocidadserie->ItemIndex()));
  else
    SetField(port->BaudRate, "0");
}

void TPortsPage::ComportsChange(TObject*) {
  TPortRecord* port = EditedPort();
  if (port && Comports->Enabled()) SetField(port->Com, Comports->Item(Comports->ItemIndex()));
}

void TPortsPage::NumcanalesChange(TObject*) {
  TPortRecord* port = EditedPort();
  if (!port) return;
  SetField(port->NumChannels, Numcanales->Text());
  CheckChannelCounts(*port, false, true);
  MovePortFocus(Numcanales);
}

void TPortsPage::NumcanalesfwdChange(TObject*) {
  TPortRecord* port = EditedPort();
  if (!port) return;
  SetField(port->NumFwdChannels, Numcanalesfwd->Text());
  CheckChannelCounts(*port, true, true);
  MovePortFocus(Numcanalesfwd);
}

void TPortsPage::CheckChannelCounts(TPortRecord& port, bool forwardEdited, bool typed) {
  // Both are kept as typed; only a forward count the sysop has just typed
  // is taken back. Showing a stored port warns as well, but takes nothing
  // back: nobody would see that the next save stores another count.
  if (ReadNumber(FieldText(port.NumFwdChannels)) <= ReadNumber(FieldText(port.NumChannels))) return;
  if (!forwardEdited) {
    Dialogs().MessageBox(Host().Owner(), "Num.Channels must be equal or major of Num. Fwd Channels",
                         "Nodraxcfg", MB_ICONWARNING | MB_OK);
    return;
  }
  Dialogs().MessageBox(Host().Owner(), "Number of Fwd Channels must be equal or minor of Num.Channels",
                       "Nodraxcfg", MB_ICONWARNING | MB_OK);
  if (typed) Numcanalesfwd->SetText("");
}

void TPortsPage::MultiChange(TObject*) {
  if (TPortRecord* port = EditedPort()) SetField(port->Canal, Multi->Text());
}
void TPortsPage::PaclenChange(TObject*) {
  if (TPortRecord* port = EditedPort()) SetField(port->Paclen, Paclen->Text());
}
void TPortsPage::MaxframeChange(TObject*) {
  if (TPortRecord* port = EditedPort()) SetField(port->MaxFrame, Maxframe->Text());
}
void TPortsPage::MaxblockChange(TObject*) {
  if (TPortRecord* port = EditedPort()) SetField(port->MaxBlock, Maxblock->Text());
}
void TPortsPage::FwdminuteChange(TObject*) {
  if (TPortRecord* port = EditedPort()) SetField(port->Fwdminute, Fwdminute->Text());
}
void TPortsPage::FwdperiodoChange(TObject*) {
  if (TPortRecord* port = EditedPort()) SetField(port->Fwdperiodo, Fwdperiodo->Text());
}
void TPortsPage::InfocanalChange(TObject*) {
  if (TPortRecord* port = EditedPort()) SetField(port->Label, Infocanal->Text());
}

void TPortsPage::DisportClick(TObject*) {
  if (TPortRecord* port = EditedPort()) SetField(port->Disabled, Disport->Checked() ? "true" : "false");
}
void TPortsPage::TipopuertoClick(TObject*) {
  static const char* const kTypes[] = {"U", "G", "B"};
  const int index = Tipopuerto->ItemIndex();
  if (TPortRecord* port = EditedPort())
    SetField(port->Tipopuerto, index >= 0 && index < 3 ? kTypes[index] : "");
}
void TPortsPage::UnprotosClick(TObject*) {
  if (TPortRecord* port = EditedPort()) SetField(port->Unprotos, Unprotos->Checked() ? "L" : "");
}
void TPortsPage::YappClick(TObject*) {
  if (TPortRecord* port = EditedPort()) SetField(port->Yapp, Yapp->Checked() ? "Y" : "");
}
void TPortsPage::GatewayClick(TObject*) {
  if (TPortRecord* port = EditedPort()) SetField(port->Gateway, Gateway->Checked() ? "W" : "");
}
void TPortsPage::RdonlyClick(TObject*) {
  if (TPortRecord* port = EditedPort()) SetField(port->Rdonly, Rdonly->Checked() ? "R" : "");
}

void TPortsPage::InfocanalKeyPress(TObject*, char& Key) {
  if (Key == '\r') Key = 0;
}

// ---------------------------------------------------------------------------
// The driver list.

void TPortsPage::ShowDriverTypes() {
  const std::vector<std::string>& types = Host().DriverTypes();
  if (types.empty()) return;  // the drivers folder was never read yet
  Modopuerto2->ClearItems();
  Modopuerto2->ShowText("");
  for (const std::string& type : types) Modopuerto2->AddItem(type);
  // The port shown keeps its type: an empty selector would take the next
  // address typed for a serial port's, and showing the page again would
  // treat a TCP port as serial.
  if (const TPortRecord* port = SelectedPort())
    SetPortTypeText(PortInUse(*port) ? FieldText(port->Driver) : "None");
}
