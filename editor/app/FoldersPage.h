// The Folders page: where the BBS keeps its files. A new root folder derives
// every other folder, a new data folder the three below it.
#pragma once
#include "editor/app/Page.h"

class TFoldersPage : public TStationPage {
 public:
  using TStationPage::TStationPage;
  void Build() override;

  TEdit *Directorioraiz = nullptr, *Directorioconfig = nullptr, *Directoriodata = nullptr,
        *Directoriomensajes = nullptr, *Directoriomensajesbin = nullptr,
        *Directorioyapp = nullptr, *Directoriodocs = nullptr, *Ficheroimport = nullptr,
        *Pgdir = nullptr, *Driversdir = nullptr, *Serversdir = nullptr, *Filtersdir = nullptr;
  TSpeedButton *Speedroot = nullptr, *Speedconfig = nullptr, *Speeddata = nullptr,
               *Speedmensajes = nullptr, *Speedzip = nullptr, *Speedyapp = nullptr,
               *Speeddoc = nullptr, *Speedimport = nullptr, *Speedpg = nullptr,
               *Speeddriver = nullptr, *Speedserver = nullptr, *Speedfilter = nullptr;

  void DirectorioraizChange(TObject* Sender);
  void DirectorioconfigChange(TObject* Sender);
  void DirectoriodataChange(TObject* Sender);
  void DirectoriomensajesChange(TObject* Sender);
  void DirectoriomensajesbinChange(TObject* Sender);
  void DirectorioyappChange(TObject* Sender);
  void DirectoriodocsChange(TObject* Sender);
  void FicheroimportChange(TObject* Sender);
  void PgdirChange(TObject* Sender);
  void DriversdirChange(TObject* Sender);
  void ServersdirChange(TObject* Sender);
  void FiltersdirChange(TObject* Sender);
  // The import file is a file, not a folder: it has a browse of its own.
  void SpeedimportClick(TObject* Sender);
};
