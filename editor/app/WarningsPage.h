// The Warnings page: the messages the BBS sends its sysop.
#pragma once
#include "editor/app/Page.h"

class TWarningsPage : public TStationPage {
 public:
  using TStationPage::TStationPage;
  void Build() override;

  TCheckBox *Menos1mega = nullptr, *Errorarchivo = nullptr, *Servererror = nullptr,
            *Pingpong = nullptr, *Noruta = nullptr, *Nonts = nullptr,
            *Mensajenoencontrado = nullptr, *Errorpropuesta = nullptr, *Reject = nullptr,
            *Held = nullptr;
};
