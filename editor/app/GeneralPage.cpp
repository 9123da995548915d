#include "editor/app/GeneralPage.h"

void TGeneralPage::Build() {
  using P = TGeneralPage;
  using T = TStationTexts;
  static const TFieldRow<P> callsign[] = {
      {&P::Editbbsindicativo, "Editbbsindicativo", &T::Editbbsindicativo, &P::Label1, nullptr,
       "Label1", "BBS Callsign:", 10, true, false, &P::EditbbsindicativoChange, nullptr,
       "Editssid", nullptr},
  };
  // The SSID sits right of the callsign, behind a "--" caption; it is made
  // next so that Tab reaches it from the callsign.
  static const TFieldRow<P> ssid[] = {
      {&P::Editssid, "Editssid", &T::Editssid, &P::Label2, nullptr, "Label2", "--", 2, false,
       false, &P::EditssidChange, nullptr, "Edithroute", nullptr},
  };
  static const TFieldRow<P> rows[] = {
      {&P::Edithroute, "Edithroute", &T::Edithroute, &P::Label3, nullptr, "Label3", "H-Route:",
       0, true, false, &P::EdithrouteChange, nullptr, "Editciudad", nullptr},
      {&P::Editciudad, "Editciudad", &T::Editciudad, &P::Label4, nullptr, "Label4", "City:", 0,
       false, false, &P::EditciudadChange, nullptr, "Editlocator", nullptr},
      {&P::Editlocator, "Editlocator", &T::Editlocator, &P::Label5, nullptr, "Label5",
       "Qth Locator:", 0, true, false, &P::EditlocatorChange, nullptr, "Codpostal", nullptr},
      {&P::Codpostal, "Codpostal", &T::Codpostal, &P::Label6, nullptr, "Label6", "ZIP Code:", 0,
       false, false, &P::CodpostalChange, nullptr, "Editsysopindicativo", nullptr},
      {&P::Editsysopindicativo, "Editsysopindicativo", &T::Editsysopindicativo, &P::Label7,
       nullptr, "Label7", "SysOp Callsign:", 0, true, false, &P::EditsysopindicativoChange,
       nullptr, "Editsysopnombre", nullptr},
      {&P::Editsysopnombre, "Editsysopnombre", &T::Editsysopnombre, &P::Label8, nullptr,
       "Label8", "SysOp Name:", 0, false, false, &P::EditsysopnombreChange, "Hojadirectorios",
       "Directorioraiz", nullptr},
  };
  BuildFieldRows(callsign, 1, 16, 96, 20, 34, 150);
  BuildFieldRows(ssid, 1, 270, 14, 20, 34, 30);
  BuildFieldRows(rows, std::size(rows), 16, 96, 54, 34, 150);
}

void TGeneralPage::EditbbsindicativoChange(TObject* Sender) { StoreText(Sender); }
void TGeneralPage::EdithrouteChange(TObject* Sender) { StoreText(Sender); }
void TGeneralPage::EditssidChange(TObject* Sender) { StoreText(Sender); }
void TGeneralPage::EditciudadChange(TObject* Sender) { StoreText(Sender); }
void TGeneralPage::EditlocatorChange(TObject* Sender) { StoreText(Sender); }
void TGeneralPage::CodpostalChange(TObject* Sender) { StoreText(Sender); }
void TGeneralPage::EditsysopindicativoChange(TObject* Sender) { StoreText(Sender); }
void TGeneralPage::EditsysopnombreChange(TObject* Sender) { StoreText(Sender); }
