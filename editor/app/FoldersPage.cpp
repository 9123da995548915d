#include "editor/app/FoldersPage.h"

#include "platform/Dialogs.h"

void TFoldersPage::Build() {
  using P = TFoldersPage;
  using T = TStationTexts;
  using R = TFieldRow<P>;
  static const R rows[] = {
      R(&P::Directorioraiz, "Directorioraiz", &T::Directorioraiz)
          .Browse(&P::Speedroot, "Speedroot", "BBS Root dir:").MaxLength(79).Oem()
          .OnChange(&P::DirectorioraizChange).Next("Directorioconfig"),
      R(&P::Directorioconfig, "Directorioconfig", &T::Directorioconfig)
          .Browse(&P::Speedconfig, "Speedconfig", "Config dir:")
          .OnChange(&P::DirectorioconfigChange).Next("Directoriodata"),
      R(&P::Directoriodata, "Directoriodata", &T::Directoriodata)
          .Browse(&P::Speeddata, "Speeddata", "Data dir:").OnChange(&P::DirectoriodataChange)
          .Next("Directoriomensajes"),
      R(&P::Directoriomensajes, "Directoriomensajes", &T::Directoriomensajes)
          .Browse(&P::Speedmensajes, "Speedmensajes", "Messages dir:").MaxLength(79).Oem()
          .OnChange(&P::DirectoriomensajesChange).Next("Directoriomensajesbin"),
      R(&P::Directoriomensajesbin, "Directoriomensajesbin", &T::Directoriomensajesbin)
          .Browse(&P::Speedzip, "Speedzip", "Compressed msg's dir:").MaxLength(79).Oem()
          .OnChange(&P::DirectoriomensajesbinChange).Next("Directorioyapp"),
      R(&P::Directorioyapp, "Directorioyapp", &T::Directorioyapp)
          .Browse(&P::Speedyapp, "Speedyapp", "Yapp dir:").MaxLength(79).Oem()
          .OnChange(&P::DirectorioyappChange).Next("Directoriodocs"),
      R(&P::Directoriodocs, "Directoriodocs", &T::Directoriodocs)
          .Browse(&P::Speeddoc, "Speeddoc", "Docs dir:").MaxLength(79).Oem()
          .OnChange(&P::DirectoriodocsChange).Next("Ficheroimport"),
      R(&P::Ficheroimport, "Ficheroimport", &T::Ficheroimport)
          .Browse(&P::Speedimport, "Speedimport", "Import File:").MaxLength(79).Oem()
          .OnChange(&P::FicheroimportChange).Next("Pgdir"),
      R(&P::Pgdir, "Pgdir", &T::Pgdir)
          .Browse(&P::Speedpg, "Speedpg", "PG Dir:").Oem().OnChange(&P::PgdirChange)
          .Next("Driversdir"),
      R(&P::Driversdir, "Driversdir", &T::Driversdir)
          .Browse(&P::Speeddriver, "Speeddriver", "Drivers Dir:").Oem()
          .OnChange(&P::DriversdirChange).Next("Serversdir"),
      R(&P::Serversdir, "Serversdir", &T::Serversdir)
          .Browse(&P::Speedserver, "Speedserver", "Servers Dir:").Oem()
          .OnChange(&P::ServersdirChange).Next("Filtersdir"),
      R(&P::Filtersdir, "Filtersdir", &T::Filtersdir)
          .Browse(&P::Speedfilter, "Speedfilter", "Filters Dir:").Oem()
          .OnChange(&P::FiltersdirChange).Next("Hojadirectorioszub", "Diska"),
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
