// The Miscellaneous II page: time-outs, download limits and the sizes of
// the BBS console's windows.
#pragma once
#include "editor/app/Page.h"

class TMiscellaneous2Page : public TStationPage {
 public:
  using TStationPage::TStationPage;
  void Build() override;

  TEdit *timeoutusuarios = nullptr, *Timeoutforward = nullptr, *Diasboletines = nullptr,
        *yappmax = nullptr, *modemmax = nullptr, *buferusuario = nullptr,
        *buferconsola = nullptr, *bufermonitor = nullptr;
  TLabel *Label32 = nullptr, *Label33 = nullptr, *Label34 = nullptr, *Label35 = nullptr,
         *Label36 = nullptr, *Label37 = nullptr, *Label38 = nullptr, *Label39 = nullptr;

  void timeoutusuariosChange(TObject* Sender);
  void TimeoutforwardChange(TObject* Sender);
  void DiasboletinesChange(TObject* Sender);
  void yappmaxChange(TObject* Sender);
  void modemmaxChange(TObject* Sender);
  void buferusuarioChange(TObject* Sender);
  void buferconsolaChange(TObject* Sender);
  void bufermonitorChange(TObject* Sender);
  // Enter in the last field of the last page offers to save.
  void bufermonitorKeyPress(TObject* Sender, char& Key);
};
