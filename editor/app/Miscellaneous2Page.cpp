#include "editor/app/Miscellaneous2Page.h"

#include "platform/Dialogs.h"

void TMiscellaneous2Page::Build() {
  using P = TMiscellaneous2Page;
  using T = TStationTexts;
  static const TFieldRow<P> rows[] = {
      {&P::timeoutusuarios, "timeoutusuarios", &T::timeoutusuarios, &P::Label32, nullptr,
       "Label32", "Time-out users:", 4, false, true, &P::timeoutusuariosChange, nullptr,
       "Timeoutforward", "minutes"},
      {&P::Timeoutforward, "Timeoutforward", &T::Timeoutforward, &P::Label33, nullptr, "Label33",
       "Time-out during forward:", 4, false, true, &P::TimeoutforwardChange, nullptr,
       "Diasboletines", "minutes"},
      {&P::Diasboletines, "Diasboletines", &T::Diasboletines, &P::Label34, nullptr, "Label34",
       "Lifetime for bulletins:", 0, false, true, &P::DiasboletinesChange, nullptr, "yappmax",
       "days"},
      {&P::yappmax, "yappmax", &T::yappmax, &P::Label35, nullptr, "Label35",
       "Yapp maximum download:", 0, false, true, &P::yappmaxChange, nullptr, "modemmax",
       "Kilobytes"},
      {&P::modemmax, "modemmax", &T::modemmax, &P::Label36, nullptr, "Label36",
       "Modem maximum download:", 0, false, true, &P::modemmaxChange, nullptr, "buferusuario",
       "Kilobytes"},
      {&P::buferusuario, "buferusuario", &T::buferusuario, &P::Label37, nullptr, "Label37",
       "Buffer of user window:", 0, false, true, &P::buferusuarioChange, nullptr,
       "buferconsola", "lines"},
      {&P::buferconsola, "buferconsola", &T::buferconsola, &P::Label38, nullptr, "Label38",
       "Buffer of console window:", 0, false, true, &P::buferconsolaChange, nullptr,
       "bufermonitor", "lines"},
      {&P::bufermonitor, "bufermonitor", &T::bufermonitor, &P::Label39, nullptr, "Label39",
       "Buffer of monitor window:", 0, false, true, &P::bufermonitorChange, nullptr, nullptr,
       "lines"},
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
