#include "editor/app/DisksPage.h"

void TDisksPage::Build() {
  using P = TDisksPage;
  using T = TStationTexts;
  using R = TFieldRow<P>;
  static const R rows[] = {
      R(&P::Diska, "Diska", &T::Diska)
          .Browse(&P::Speeda, "Speeda", "Disk A:").MaxLength(79).Oem().OnChange(&P::DiskaChange)
          .Next("Diskb"),
      R(&P::Diskb, "Diskb", &T::Diskb)
          .Browse(&P::Speedb, "Speedb", "Disk B:").MaxLength(79).Oem().OnChange(&P::DiskbChange)
          .Next("Diskc"),
      R(&P::Diskc, "Diskc", &T::Diskc)
          .Browse(&P::Speedc, "Speedc", "Disk C:").MaxLength(79).Oem().OnChange(&P::DiskcChange)
          .Next("Diskd"),
      R(&P::Diskd, "Diskd", &T::Diskd)
          .Browse(&P::Speedd, "Speedd", "Disk D:").MaxLength(79).Oem().OnChange(&P::DiskdChange)
          .Next("Diske"),
      R(&P::Diske, "Diske", &T::Diske)
          .Browse(&P::Speede, "Speede", "Disk E:").MaxLength(79).Oem().OnChange(&P::DiskeChange)
          .Next("Diskf"),
      R(&P::Diskf, "Diskf", &T::Diskf)
          .Browse(&P::Speedf, "Speedf", "Disk F:").MaxLength(79).Oem().OnChange(&P::DiskfChange)
          .Next("Diskg"),
      R(&P::Diskg, "Diskg", &T::Diskg)
          .Browse(&P::Speedg, "Speedg", "Disk G:").MaxLength(79).Oem().OnChange(&P::DiskgChange)
          .Next("Diskh"),
      R(&P::Diskh, "Diskh", &T::Diskh)
          .Browse(&P::Speedh, "Speedh", "Disk H:").MaxLength(79).Oem().OnChange(&P::DiskhChange)
          .Next("Hojaunprotos", "Editbackui"),
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
