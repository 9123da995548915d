#include "editor/app/ForwardingPage.h"

void TForwardingPage::Build() {
  using P = TForwardingPage;
  using B = TStationBoxes;
  static const TCheckRow<P> boxes[] = {
      {&P::Forwardzub, "Forwardzub", "ZUB Forwarding", &B::Forwardzub},
      {&P::Compressforward, "Compressforward", "ZUB Compressed forwarding", &B::Compressforward},
      {&P::Resume, "Resume", "ZUB Compressed forwarding with Resume", &B::Resume},
      {&P::Xprotocol, "Xprotocol", "X - Protocol forwarding", &B::Xprotocol},
      {&P::Xprioridad, "Xprioridad", "X - Protocol has priority", &B::Xprioridad},
      {&P::Noxchecksum, "Noxchecksum", "Do not use checksum with X - Protocol", &B::Noxchecksum},
      {&P::Mbl, "Mbl", "MBL/RLI Message header", &B::Mbl},
      {&P::Bbsdeclaradas, "Bbsdeclaradas", "Forwarding only from declared BBS", &B::Bbsdeclaradas},
      {&P::Bidalterno, "Bidalterno", "Alternated BID generation (12345-ZZ9ZZ)", &B::Bidalterno},
      {&P::Caracterh, "Caracterh", "H - Address field not limited to 6 characters",
       &B::Caracterh},
      {&P::Caractercabecera, "Caractercabecera", "Header line may be more than 79 characters",
       &B::Caractercabecera},
  };
  int y = 12;
  for (const TCheckRow<P>& row : boxes) {
    MakeCheck(row, 30, y, 330);
    y += 26;
  }
}
