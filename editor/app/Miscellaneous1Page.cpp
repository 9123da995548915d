#include "editor/app/Miscellaneous1Page.h"


void TMiscellaneous1Page::Build() {
  using P = TMiscellaneous1Page;
  using T = TStationTexts;
  using R = TFieldRow<P>;
  using B = TStationBoxes;
  static const TCheckRow<P> boxes[] = {
      {&P::Modotest, "Modotest", "Test mode", &B::Modotest},
      {&P::Log, "Log", "Full log", &B::Log},
      {&P::Indicacioncanales, "Indicacioncanales", "Indication of channels",
       &B::Indicacioncanales},
      {&P::Datosusuario, "Datosusuario", "User must give information", &B::Datosusuario},
      {&P::Mailbeacon, "Mailbeacon", "Bulletins in Mail beacon", &B::Mailbeacon},
      {&P::Deldata, "Deldata", "Delete DATA messages to SysOp", &B::Deldata},
      {&P::Wpnoheld, "Wpnoheld", "WP Messages are not Held", &B::Wpnoheld},
      {&P::Testcallsign, "Testcallsign", "Test of Callsigns is less strict", &B::Testcallsign},
      {&P::Nobbscallsign, "Nobbscallsign", "No BBS field. Use callsign of this BBS",
       &B::Nobbscallsign},
      {&P::Norecover, "Norecover", "Do not use recovered BID, create new", &B::Norecover},
  };
  int y = 10;
  for (const TCheckRow<P>& row : boxes) {
    MakeCheck(row, 6, y, 214);
    y += 28;
  }
  // Caption above its field in the right column.
  static const R rows[] = {
      R(&P::Indicativosbaliza, "Indicativosbaliza", &T::Indicativosbaliza)
          .Caption(&P::Label9, "Label9", "Number of callsigns in mail beacon:").Upper().Oem()
          .OnChange(&P::IndicativosbalizaChange).Next("Numerobid"),
      R(&P::Numerobid, "Numerobid", &T::Numerobid)
          .Caption(&P::Label28, "Label28", "Number of MID/BID in database:").Upper().Oem()
          .OnChange(&P::NumerobidChange).Next("Sysopmessage"),
      R(&P::Sysopmessage, "Sysopmessage", &T::Sysopmessage)
          .Caption(&P::Label60, "Label60", "SysOp messages to:").Upper().Oem()
          .OnChange(&P::SysopmessageChange).Next("Wpmessage"),
      R(&P::Wpmessage, "Wpmessage", &T::Wpmessage)
          .Caption(&P::Label61, "Label61", "WP messages via:").Upper().Oem()
          .OnChange(&P::WpmessageChange).Next("Cabecera"),
      R(&P::Cabecera, "Cabecera", &T::Cabecera)
          .Caption(&P::Label16, "Label16", "ZUB Header:").Oem().OnChange(&P::CabeceraChange),
  };
  const int x = 224, width = 160;
  y = 8;
  for (const R& row : rows) {
    // The first caption is too long for one line of the column.
    const int labelHeight = &row == &rows[0] ? 2 * kLabelHeight : kLabelHeight;
    BuildFieldRow(row, Box(x, y, width, labelHeight), Box(x, y + labelHeight + 2, width, kRowHeight));
    y += labelHeight + 2 + kRowHeight + 12;
  }
  Cabecera->OnKeyPress = [this](TObject* s, char& k) { CabeceraKeyPress(s, k); };
  Cabecera->SetHint("Do not change !");
  Label16->SetHint("Do not change !");
  Label17 = MakeAt<TLabel>(Box(x, y - 9, width, kLabelHeight), Sheet(), "Label17",
                           "Do not change ZUB Header !");
  Label17->SetFontColor(RGB(255, 0, 0));
}

void TMiscellaneous1Page::IndicativosbalizaChange(TObject* Sender) { StoreText(Sender); }
void TMiscellaneous1Page::NumerobidChange(TObject* Sender) { StoreText(Sender); }
void TMiscellaneous1Page::SysopmessageChange(TObject* Sender) { StoreText(Sender); }
void TMiscellaneous1Page::WpmessageChange(TObject* Sender) { StoreText(Sender); }
void TMiscellaneous1Page::CabeceraChange(TObject* Sender) { StoreText(Sender); }

void TMiscellaneous1Page::CabeceraKeyPress(TObject*, char& Key) {
  if (Key != '\r') return;
  Key = 0;
  Host().ShowField("Hojacolores", "");
}
