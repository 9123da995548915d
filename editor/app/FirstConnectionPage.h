// The First Connection Options page: what a user gets at the first
// connection; "Disabled" stores none of it.
#pragma once
#include "editor/app/Page.h"

class TFirstConnectionPage : public TStationPage {
 public:
  using TStationPage::TStationPage;
  void Build() override;

  TCheckBox *Desactivado1 = nullptr, *Excluido1 = nullptr, *Local1 = nullptr,
            *Experto1 = nullptr, *Sysop1 = nullptr, *Bbs1 = nullptr, *Paginacion1 = nullptr,
            *Guest1 = nullptr, *Modem1 = nullptr, *Todosmensajes1 = nullptr,
            *Listaunprotos1 = nullptr, *Listanuevos1 = nullptr, *Pms1 = nullptr;
};
