// The General page: the station's identity.
#pragma once
#include "editor/app/Page.h"

class TGeneralPage : public TStationPage {
 public:
  using TStationPage::TStationPage;
  void Build() override;

  TEdit *Editbbsindicativo = nullptr, *Editssid = nullptr, *Edithroute = nullptr,
        *Editciudad = nullptr, *Editlocator = nullptr, *Codpostal = nullptr,
        *Editsysopindicativo = nullptr, *Editsysopnombre = nullptr;
  TLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr,
         *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr;

  // The callsign and the route share one record field, which both rebuild.
  void EditbbsindicativoChange(TObject* Sender);
  void EditssidChange(TObject* Sender);
  void EdithrouteChange(TObject* Sender);
  void EditciudadChange(TObject* Sender);
  void EditlocatorChange(TObject* Sender);
  void CodpostalChange(TObject* Sender);
  void EditsysopindicativoChange(TObject* Sender);
  void EditsysopnombreChange(TObject* Sender);
};
