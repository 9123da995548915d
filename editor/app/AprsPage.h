// The APRS page. Kept for a later edition of the BBS: its tab is hidden,
// and nothing loads, saves or reacts to it.
#pragma once
#include "editor/app/Page.h"

class TAprsPage : public TPage {
 public:
  using TPage::TPage;
  void Build() override;

  TGroupBox *Coordenadas = nullptr, *Baliza = nullptr, *GroupBox1 = nullptr;
  TEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr,
        *Edit5 = nullptr, *Edit6 = nullptr, *Edit7 = nullptr, *Edit8 = nullptr,
        *Edit9 = nullptr, *Edit10 = nullptr, *Edit11 = nullptr, *Edit12 = nullptr,
        *Edit13 = nullptr, *Edit14 = nullptr;
  TRadioGroup *LatNS = nullptr, *LongEW = nullptr;

 private:
  std::vector<HWND> spinButtons_;
};
