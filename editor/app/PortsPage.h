// The Ports page: one of the ten ports of the configuration's PortTable at
// a time. Every edit goes at once into the entry of the selected port.
#pragma once
#include "editor/app/Page.h"

class TPortsPage : public TPage {
 public:
  using TPage::TPage;
  void Build() override;
  // The controls show a port when the page is entered; the table the edits
  // go into must be read by then.
  void ShowConfiguration() override;
  // Entering the page refreshes it, and shows port 1 the first time.
  void Enter() override { HojapuertosbbsEnter(nullptr); }

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
  void HojapuertosbbsEnter(TObject* Sender);
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
  // The type selector offers the drivers the frame read last.
  void ShowDriverTypes();

 private:
  // Why the page shows its port again: a port selected (or the table
  // replaced), the page entered, the port's type changed (its defaults
  // just stored).
  enum class TRefresh { Showing, Entering, TypeChanged };
  // The PortTable entry of the selected port, nullptr when none is
  // selected; an edit of it marks the configuration changed. Only the
  // sysop's edits get here: showing a port runs no handler.
  TPortRecord* EditedPort();
  TPortRecord* SelectedPort() const;
  // The type selector's text, put in by the program: no type change.
  void SetPortTypeText(const std::string& text);
  // Shows the selected port in every control.
  void ShowPort(TRefresh refresh);
  // Enables the controls of the type's class and, unless a port is just
  // being shown, sets the address caption and moves to the COM port.
  void RefreshPortPage(const std::string& type, TRefresh refresh);
  // The address field's text goes to BaudRate or HexAddress by the type.
  void StoreAddress(TPortRecord& port, const std::string& type, const std::string& text);
  // Warns when the forward channels outnumber the channels; a forward count
  // just typed is emptied.
  void CheckChannelCounts(TPortRecord& port, bool forwardEdited, bool typed);
  // The focus moves only to a control the sysop can reach.
  void MovePortFocus(TControl* control);
};
