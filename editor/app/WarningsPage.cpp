#include "editor/app/WarningsPage.h"

void TWarningsPage::Build() {
  using P = TWarningsPage;
  using B = TStationBoxes;
  static const TCheckRow<P> boxes[] = {
      {&P::Menos1mega, "Menos1mega", "Less 1 Mb in disk", &B::Menos1mega},
      {&P::Errorarchivo, "Errorarchivo", "Error in System file", &B::Errorarchivo},
      {&P::Servererror, "Servererror", "Server error", &B::Servererror},
      {&P::Pingpong, "Pingpong", "Ping-Pong", &B::Pingpong},
      {&P::Noruta, "Noruta", "No FWD route", &B::Noruta},
      {&P::Nonts, "Nonts", "No NTS route", &B::Nonts},
      {&P::Mensajenoencontrado, "Mensajenoencontrado", "Message file not found",
       &B::Mensajenoencontrado},
      {&P::Errorpropuesta, "Errorpropuesta", "Error in forward proposal", &B::Errorpropuesta},
      {&P::Reject, "Reject", "Message Rejected", &B::Reject},
      {&P::Held, "Held", "Message Held", &B::Held},
  };
  int y = 16;
  for (const TCheckRow<P>& row : boxes) {
    MakeCheck(row, 40, y, 300);
    y += 28;
  }
}
