#include "editor/app/FoldersPage.h"

#include "platform/Dialogs.h"

void TFoldersPage::Build() {
  using P = TFoldersPage;
  using T = TStationTexts;
  static const TFieldRow<P> rows[] = {
      {&P::Directorioraiz, "Directorioraiz", &T::Directorioraiz, nullptr, &P::Speedroot,
       "Speedroot", "BBS Root dir:", 79, false, true, &P::DirectorioraizChange, nullptr,
       "Directorioconfig", nullptr},
      {&P::Directorioconfig, "Directorioconfig", &T::Directorioconfig, nullptr, &P::Speedconfig,
       "Speedconfig", "Config dir:", 0, false, false, &P::DirectorioconfigChange, nullptr,
       "Directoriodata", nullptr},
      {&P::Directoriodata, "Directoriodata", &T::Directoriodata, nullptr, &P::Speeddata,
       "Speeddata", "Data dir:", 0, false, false, &P::DirectoriodataChange, nullptr,
       "Directoriomensajes", nullptr},
      {&P::Directoriomensajes, "Directoriomensajes", &T::Directoriomensajes, nullptr,
       &P::Speedmensajes, "Speedmensajes", "Messages dir:", 79, false, true,
       &P::DirectoriomensajesChange, nullptr, "Directoriomensajesbin", nullptr},
      {&P::Directoriomensajesbin, "Directoriomensajesbin", &T::Directoriomensajesbin, nullptr,
       &P::Speedzip, "Speedzip", "Compressed msg's dir:", 79, false, true,
       &P::DirectoriomensajesbinChange, nullptr, "Directorioyapp", nullptr},
      {&P::Directorioyapp, "Directorioyapp", &T::Directorioyapp, nullptr, &P::Speedyapp,
       "Speedyapp", "Yapp dir:", 79, false, true, &P::DirectorioyappChange, nullptr,
       "Directoriodocs", nullptr},
      {&P::Directoriodocs, "Directoriodocs", &T::Directoriodocs, nullptr, &P::Speeddoc,
       "Speeddoc", "Docs dir:", 79, false, true, &P::DirectoriodocsChange, nullptr,
       "Ficheroimport", nullptr},
      {&P::Ficheroimport, "Ficheroimport", &T::Ficheroimport, nullptr, &P::Speedimport,
       "Speedimport", "Import File:", 79, false, true, &P::FicheroimportChange, nullptr, "Pgdir",
       nullptr},
      {&P::Pgdir, "Pgdir", &T::Pgdir, nullptr, &P::Speedpg, "Speedpg", "PG Dir:", 0, false, true,
       &P::PgdirChange, nullptr, "Driversdir", nullptr},
      {&P::Driversdir, "Driversdir", &T::Driversdir, nullptr, &P::Speeddriver, "Speeddriver",
       "Drivers Dir:", 0, false, true, &P::DriversdirChange, nullptr, "Serversdir", nullptr},
      {&P::Serversdir, "Serversdir", &T::Serversdir, nullptr, &P::Speedserver, "Speedserver",
       "Servers Dir:", 0, false, true, &P::ServersdirChange, nullptr, "Filtersdir", nullptr},
      {&P::Filtersdir, "Filtersdir", &T::Filtersdir, nullptr, &P::Speedfilter, "Speedfilter",
       "Filters Dir:", 0, false, true, &P::FiltersdirChange, "Hojadirectorioszub", "Diska",
       nullptr},
  };
  BuildFieldRows(rows, std::size(rows), 6, 150, 6, 24, 222);
  for (auto& [button, field] : folderOf_) {
    if (field == Ficheroimport)
      button->OnClick = [this](TObject* s) { SpeedimportClick(s); };
    else
      button->OnClick = [this](TObject* s) { SpeedrootClick(s); };
  }
}

void TFoldersPage::DirectorioraizChange(TObject* Sender) { StoreText(Sender); }
void TFoldersPage::DirectorioconfigChange(TObject* Sender) { StoreText(Sender); }
void TFoldersPage::DirectoriodataChange(TObject* Sender) { StoreText(Sender); }
void TFoldersPage::DirectoriomensajesChange(TObject* Sender) { StoreText(Sender); }
void TFoldersPage::DirectoriomensajesbinChange(TObject* Sender) { StoreText(Sender); }
void TFoldersPage::DirectorioyappChange(TObject* Sender) { StoreText(Sender); }
void TFoldersPage::DirectoriodocsChange(TObject* Sender) { StoreText(Sender); }
void TFoldersPage::FicheroimportChange(TObject* Sender) { StoreText(Sender); }
void TFoldersPage::PgdirChange(TObject* Sender) { StoreText(Sender); }
void TFoldersPage::DriversdirChange(TObject* Sender) { StoreText(Sender); }
void TFoldersPage::ServersdirChange(TObject* Sender) { StoreText(Sender); }
void TFoldersPage::FiltersdirChange(TObject* Sender) { StoreText(Sender); }

void TFoldersPage::SpeedimportClick(TObject*) {
  TFileDialogRequest request;
  request.owner = Host().Owner();
  request.title = "Open Import Nodrax File";
  request.initialDir = Directorioraiz->Text();
  request.maxFileName = 300;
  if (!Dialogs().OpenFile(request)) return;
  Ficheroimport->SetText(request.fileName);
  Ficheroimport->SetFocus();
  Doc().Changed();
}
