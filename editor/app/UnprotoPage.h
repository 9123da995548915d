// The Unproto Frames page: what the BBS's unproto (UI) frames carry.
#pragma once
#include "editor/app/Page.h"

class TUnprotoPage : public TStationPage {
 public:
  using TStationPage::TStationPage;
  void Build() override;

  TEdit *Editbackui = nullptr, *Editdelayui = nullptr;
  TLabel *Label26 = nullptr, *Label27 = nullptr;
  TCheckBox *Ackui = nullptr, *Privateui = nullptr, *Userui = nullptr, *Tituloui = nullptr;

  // An emptied back number or delay is stored as "0".
  void EditbackuiChange(TObject* Sender);
  void EditdelayuiChange(TObject* Sender);
};
