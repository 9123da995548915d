#include "editor/app/UnprotoPage.h"

void TUnprotoPage::Build() {
  using P = TUnprotoPage;
  using T = TStationTexts;
  using R = TFieldRow<P>;
  using B = TStationBoxes;
  static const R rows[] = {
      R(&P::Editbackui, "Editbackui", &T::Editbackui)
          .Caption(&P::Label26, "Label26", "Back number in Unproto frames:").Oem()
          .OnChange(&P::EditbackuiChange).Next("Editdelayui"),
      R(&P::Editdelayui, "Editdelayui", &T::Editdelayui)
          .Caption(&P::Label27, "Label27", "Delay between Unproto frames (secs.):").Oem()
          .OnChange(&P::EditdelayuiChange).Next("Ackui"),
  };
  BuildFieldRows(rows, std::size(rows), 16, 220, 20, 32, 70);
  static const TCheckRow<P> boxes[] = {
      {&P::Ackui, "Ackui", "ACK messages in Unproto frames.", &B::Ackui},
      {&P::Privateui, "Privateui", "Transit Private mail in Unproto frames.", &B::Privateui},
      {&P::Userui, "Userui", "End-User Private mail in Unproto frames.", &B::Userui},
      {&P::Tituloui, "Tituloui", "Subject NOT displayed in Unproto frames.", &B::Tituloui},
  };
  int y = 100;
  for (const TCheckRow<P>& row : boxes) {
    MakeCheck(row, 16, y, 340);
    y += 30;
  }
}

void TUnprotoPage::EditbackuiChange(TObject* Sender) { StoreText(Sender); }
void TUnprotoPage::EditdelayuiChange(TObject* Sender) { StoreText(Sender); }
