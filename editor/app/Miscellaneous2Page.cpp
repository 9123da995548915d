#include "editor/app/Miscellaneous2Page.h"

#include "platform/Dialogs.h"

void TMiscellaneous2Page::Build() {
  using P = TMiscellaneous2Page;
  using T = TStationTexts;
  using R = TFieldRow<P>;
  static const R rows[] = {
      R(&P::timeoutusuarios, "timeoutusuarios", &T::timeoutusuarios)
          .Caption(&P::Label32, "Label32", "Time-out users:").MaxLength(4).Oem()
          .OnChange(&P::timeoutusuariosChange).Next("Timeoutforward").Unit("minutes"),
      R(&P::Timeoutforward, "Timeoutforward", &T::Timeoutforward)
          .Caption(&P::Label33, "Label33", "Time-out during forward:").MaxLength(4).Oem()
          .OnChange(&P::TimeoutforwardChange).Next("Diasboletines").Unit("minutes"),
      R(&P::Diasboletines, "Diasboletines", &T::Diasboletines)
          .Caption(&P::Label34, "Label34", "Lifetime for bulletins:").Oem()
          .OnChange(&P::DiasboletinesChange).Next("yappmax").Unit("days"),
      R(&P::yappmax, "yappmax", &T::yappmax)
          .Caption(&P::Label35, "Label35", "Yapp maximum download:").Oem()
          .OnChange(&P::yappmaxChange).Next("modemmax").Unit("Kilobytes"),
      R(&P::modemmax, "modemmax", &T::modemmax)
          .Caption(&P::Label36, "Label36", "Modem maximum download:").Oem()
          .OnChange(&P::modemmaxChange).Next("buferusuario").Unit("Kilobytes"),
      R(&P::buferusuario, "buferusuario", &T::buferusuario)
          .Caption(&P::Label37, "Label37", "Buffer of user window:").Oem()
          .OnChange(&P::buferusuarioChange).Next("buferconsola").Unit("lines"),
      R(&P::buferconsola, "buferconsola", &T::buferconsola)
          .Caption(&P::Label38, "Label38", "Buffer of console window:").Oem()
          .OnChange(&P::buferconsolaChange).Next("bufermonitor").Unit("lines"),
      R(&P::bufermonitor, "bufermonitor", &T::bufermonitor)
          .Caption(&P::Label39, "Label39", "Buffer of monitor window:").Oem()
          .OnChange(&P::bufermonitorChange).Unit("lines"),
  };
  BuildFieldRows(rows, std::size(rows), 30, 150, 16, 32, 80);
  bufermonitor->OnKeyPress = [this](TObject* s, char& k) { bufermonitorKeyPress(s, k); };
}

void TMiscellaneous2Page::timeoutusuariosChange(TObject* Sender) { StoreText(Sender); }
void TMiscellaneous2Page::TimeoutforwardChange(TObject* Sender) { StoreText(Sender); }
void TMiscellaneous2Page::DiasboletinesChange(TObject* Sender) { StoreText(Sender); }
void TMiscellaneous2Page::yappmaxChange(TObject* Sender) { StoreText(Sender); }
void TMiscellaneous2Page::modemmaxChange(TObject* Sender) { StoreText(Sender); }
void TMiscellaneous2Page::buferusuarioChange(TObject* Sender) { StoreText(Sender); }
void TMiscellaneous2Page::buferconsolaChange(TObject* Sender) { StoreText(Sender); }
void TMiscellaneous2Page::bufermonitorChange(TObject* Sender) { StoreText(Sender); }

void TMiscellaneous2Page::bufermonitorKeyPress(TObject*, char& Key) {
  if (Key != '\r') return;
  Key = 0;
  if (!Doc().Modified()) return;
  if (Dialogs().MessageBox(Host().Owner(), "Save Configuration?", "Nodraxcfg",
                           MB_ICONQUESTION | MB_YESNOCANCEL) == IDYES)
    Doc().Save(Host());
  bufermonitor->SetFocus();
}
