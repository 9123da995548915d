// The Miscellaneous I page: switches of the BBS, the mail beacon, the BID
// database and the header of its messages.
#pragma once
#include "editor/app/Page.h"

class TMiscellaneous1Page : public TStationPage {
 public:
  using TStationPage::TStationPage;
  void Build() override;

  TCheckBox *Modotest = nullptr, *Log = nullptr, *Indicacioncanales = nullptr,
            *Datosusuario = nullptr, *Mailbeacon = nullptr, *Deldata = nullptr,
            *Wpnoheld = nullptr, *Testcallsign = nullptr, *Nobbscallsign = nullptr,
            *Norecover = nullptr;
  TEdit *Indicativosbaliza = nullptr, *Numerobid = nullptr, *Sysopmessage = nullptr,
        *Wpmessage = nullptr, *Cabecera = nullptr;
  TLabel *Label9 = nullptr, *Label28 = nullptr, *Label60 = nullptr, *Label61 = nullptr,
         *Label16 = nullptr, *Label17 = nullptr;

  // An emptied count is stored as "0".
  void IndicativosbalizaChange(TObject* Sender);
  void NumerobidChange(TObject* Sender);
  void SysopmessageChange(TObject* Sender);
  void WpmessageChange(TObject* Sender);
  void CabeceraChange(TObject* Sender);
  // Enter in the header shows the Colours page and leaves the focus here.
  void CabeceraKeyPress(TObject* Sender, char& Key);
};
