#include "editor/app/GeneralPage.h"

void TGeneralPage::Build() {
  using P = TGeneralPage;
  using T = TStationTexts;
  using R = TFieldRow<P>;
  static const R callsign[] = {
      R(&P::Editbbsindicativo, "Editbbsindicativo", &T::Editbbsindicativo)
          .Caption(&P::Label1, "Label1", "BBS Callsign:").MaxLength(10).Upper()
          .OnChange(&P::EditbbsindicativoChange).Next("Editssid"),
  };
  // The SSID sits right of the callsign, behind a "--" caption; it is made
  // next so that Tab reaches it from the callsign.
  static const R ssid[] = {
      R(&P::Editssid, "Editssid", &T::Editssid)
          .Caption(&P::Label2, "Label2", "--").MaxLength(2).OnChange(&P::EditssidChange)
          .Next("Edithroute"),
  };
  static const R rows[] = {
      R(&P::Edithroute, "Edithroute", &T::Edithroute)
          .Caption(&P::Label3, "Label3", "H-Route:").Upper().OnChange(&P::EdithrouteChange)
          .Next("Editciudad"),
      R(&P::Editciudad, "Editciudad", &T::Editciudad)
          .Caption(&P::Label4, "Label4", "City:").OnChange(&P::EditciudadChange)
          .Next("Editlocator"),
      R(&P::Editlocator, "Editlocator", &T::Editlocator)
          .Caption(&P::Label5, "Label5", "Qth Locator:").Upper().OnChange(&P::EditlocatorChange)
          .Next("Codpostal"),
      R(&P::Codpostal, "Codpostal", &T::Codpostal)
          .Caption(&P::Label6, "Label6", "ZIP Code:").OnChange(&P::CodpostalChange)
          .Next("Editsysopindicativo"),
      R(&P::Editsysopindicativo, "Editsysopindicativo", &T::Editsysopindicativo)
          .Caption(&P::Label7, "Label7", "SysOp Callsign:").Upper()
          .OnChange(&P::EditsysopindicativoChange).Next("Editsysopnombre"),
      R(&P::Editsysopnombre, "Editsysopnombre", &T::Editsysopnombre)
          .Caption(&P::Label8, "Label8", "SysOp Name:").OnChange(&P::EditsysopnombreChange)
          .Next("Hojadirectorios", "Directorioraiz"),
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
