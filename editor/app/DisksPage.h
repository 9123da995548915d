// The ZubDos Virtual Disks page: the eight disks A to H of the BBS's DOS
// edition.
#pragma once
#include "editor/app/Page.h"

class TDisksPage : public TStationPage {
 public:
  using TStationPage::TStationPage;
  void Build() override;

  TEdit *Diska = nullptr, *Diskb = nullptr, *Diskc = nullptr, *Diskd = nullptr,
        *Diske = nullptr, *Diskf = nullptr, *Diskg = nullptr, *Diskh = nullptr;
  TSpeedButton *Speeda = nullptr, *Speedb = nullptr, *Speedc = nullptr, *Speedd = nullptr,
               *Speede = nullptr, *Speedf = nullptr, *Speedg = nullptr, *Speedh = nullptr;

  void DiskaChange(TObject* Sender);
  void DiskbChange(TObject* Sender);
  void DiskcChange(TObject* Sender);
  void DiskdChange(TObject* Sender);
  void DiskeChange(TObject* Sender);
  void DiskfChange(TObject* Sender);
  void DiskgChange(TObject* Sender);
  void DiskhChange(TObject* Sender);
};
