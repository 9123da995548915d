#include "editor/app/DisksPage.h"

void TDisksPage::Build() {
  using P = TDisksPage;
  using T = TStationTexts;
  static const TFieldRow<P> rows[] = {
      {&P::Diska, "Diska", &T::Diska, nullptr, &P::Speeda, "Speeda", "Disk A:", 79, false, true,
       &P::DiskaChange, nullptr, "Diskb", nullptr},
      {&P::Diskb, "Diskb", &T::Diskb, nullptr, &P::Speedb, "Speedb", "Disk B:", 79, false, true,
       &P::DiskbChange, nullptr, "Diskc", nullptr},
      {&P::Diskc, "Diskc", &T::Diskc, nullptr, &P::Speedc, "Speedc", "Disk C:", 79, false, true,
       &P::DiskcChange, nullptr, "Diskd", nullptr},
      {&P::Diskd, "Diskd", &T::Diskd, nullptr, &P::Speedd, "Speedd", "Disk D:", 79, false, true,
       &P::DiskdChange, nullptr, "Diske", nullptr},
      {&P::Diske, "Diske", &T::Diske, nullptr, &P::Speede, "Speede", "Disk E:", 79, false, true,
       &P::DiskeChange, nullptr, "Diskf", nullptr},
      {&P::Diskf, "Diskf", &T::Diskf, nullptr, &P::Speedf, "Speedf", "Disk F:", 79, false, true,
       &P::DiskfChange, nullptr, "Diskg", nullptr},
      {&P::Diskg, "Diskg", &T::Diskg, nullptr, &P::Speedg, "Speedg", "Disk G:", 79, false, true,
       &P::DiskgChange, nullptr, "Diskh", nullptr},
      {&P::Diskh, "Diskh", &T::Diskh, nullptr, &P::Speedh, "Speedh", "Disk H:", 79, false, true,
       &P::DiskhChange, "Hojaunprotos", "Editbackui", nullptr},
  };
  BuildFieldRows(rows, std::size(rows), 10, 80, 14, 32, 280);
  for (auto& [button, field] : folderOf_) button->OnClick = [this](TObject* s) { SpeedrootClick(s); };
}

void TDisksPage::DiskaChange(TObject* Sender) { StoreText(Sender); }
void TDisksPage::DiskbChange(TObject* Sender) { StoreText(Sender); }
void TDisksPage::DiskcChange(TObject* Sender) { StoreText(Sender); }
void TDisksPage::DiskdChange(TObject* Sender) { StoreText(Sender); }
void TDisksPage::DiskeChange(TObject* Sender) { StoreText(Sender); }
void TDisksPage::DiskfChange(TObject* Sender) { StoreText(Sender); }
void TDisksPage::DiskgChange(TObject* Sender) { StoreText(Sender); }
void TDisksPage::DiskhChange(TObject* Sender) { StoreText(Sender); }
