#include "editor/app/FirstConnectionPage.h"

void TFirstConnectionPage::Build() {
  using P = TFirstConnectionPage;
  using B = TStationBoxes;
  static const TCheckRow<P> boxes[] = {
      {&P::Desactivado1, "Desactivado1", "Disabled", &B::Desactivado1},
      {&P::Excluido1, "Excluido1", "Excluded", &B::Excluido1},
      {&P::Local1, "Local1", "Local", &B::Local1},
      {&P::Experto1, "Experto1", "Expert", &B::Experto1},
      {&P::Sysop1, "Sysop1", "SysOp", &B::Sysop1},
      {&P::Bbs1, "Bbs1", "BBS", &B::Bbs1},
      {&P::Paginacion1, "Paginacion1", "Paging", &B::Paginacion1},
      {&P::Guest1, "Guest1", "Guest", &B::Guest1},
      {&P::Modem1, "Modem1", "Modem / Telnet", &B::Modem1},
      {&P::Todosmensajes1, "Todosmensajes1", "See all messages", &B::Todosmensajes1},
      {&P::Listaunprotos1, "Listaunprotos1", "Unproto lists", &B::Listaunprotos1},
      {&P::Listanuevos1, "Listanuevos1", "List of new messages at Logon.", &B::Listanuevos1},
      {&P::Pms1, "Pms1", "PMS", &B::Pms1},
  };
  // Seven in the left column, the rest in the right one.
  for (std::size_t i = 0; i < std::size(boxes); ++i) {
    const bool left = i < 7;
    const int row = left ? static_cast<int>(i) : static_cast<int>(i) - 7;
    MakeCheck(boxes[i], left ? 24 : 190, 20 + row * 34, left ? 150 : 190);
  }
}
