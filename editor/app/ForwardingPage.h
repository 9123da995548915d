// The Forwarding page: the protocols of mail forwarding.
#pragma once
#include "editor/app/Page.h"

class TForwardingPage : public TStationPage {
 public:
  using TStationPage::TStationPage;
  void Build() override;

  TCheckBox *Forwardzub = nullptr, *Compressforward = nullptr, *Resume = nullptr,
            *Xprotocol = nullptr, *Xprioridad = nullptr, *Noxchecksum = nullptr, *Mbl = nullptr,
            *Bbsdeclaradas = nullptr, *Bidalterno = nullptr, *Caracterh = nullptr,
            *Caractercabecera = nullptr;
};
