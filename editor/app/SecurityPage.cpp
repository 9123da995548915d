#include "editor/app/SecurityPage.h"

#include <string>

void TSecurityPage::Build() {
  using P = TSecurityPage;
  using B = TStationBoxes;
  struct TRow {
    const char* LabelName;
    const char* Caption;
    TCheckRow<P> Boxes[3];  // user, sysop, sys
  };
  // The boxes carry no caption; the row label says what they are.
  static const TRow rows[] = {
      {"Label64", "Read all messages",
       {{&P::Todosmensajesuser, "Todosmensajesuser", "", &B::Todosmensajesuser},
        {&P::Todosmensajessysop, "Todosmensajessysop", "", &B::Todosmensajessysop},
        {&P::Todosmensajessys, "Todosmensajessys", "", &B::Todosmensajessys}}},
      {"Label65", "Kill all messages",
       {{&P::Borramensajesuser, "Borramensajesuser", "", &B::Borramensajesuser},
        {&P::Borramensajessysop, "Borramensajessysop", "", &B::Borramensajessysop},
        {&P::Borramensajessys, "Borramensajessys", "", &B::Borramensajessys}}},
      {"Label66", "SYS command allowed",
       {{&P::Sysuser, "Sysuser", "", &B::Sysuser},
        {&P::Syssysop, "Syssysop", "", &B::Syssysop},
        {&P::Syssys, "Syssys", "", &B::Syssys}}},
      {"Label67", "Remote SysOp commands",
       {{&P::Remoteuser, "Remoteuser", "", &B::Remoteuser},
        {&P::Remotesysop, "Remotesysop", "", &B::Remotesysop},
        {&P::Remotesys, "Remotesys", "", &B::Remotesys}}},
      {"Label68", "Edit ZubDos Labels",
       {{&P::Labelsuser, "Labelsuser", "", &B::Labelsuser},
        {&P::Labelssysop, "Labelssysop", "", &B::Labelssysop},
        {&P::Labelssys, "Labelssys", "", &B::Labelssys}}},
      {"Label69", "Delete ZubDos files",
       {{&P::Deleteuser, "Deleteuser", "", &B::Deleteuser},
        {&P::Deletesysop, "Deletesysop", "", &B::Deletesysop},
        {&P::Deletesys, "Deletesys", "", &B::Deletesys}}},
      {"Label70", "Access to all Gateways",
       {{&P::Gatewaysuser, "Gatewaysuser", "", &B::Gatewaysuser},
        {&P::Gatewayssysop, "Gatewayssysop", "", &B::Gatewayssysop},
        {&P::Gatewayssys, "Gatewayssys", "", &B::Gatewayssys}}},
      {"Label71", "Run Dos programs",
       {{&P::Dosuser, "Dosuser", "", &B::Dosuser},
        {&P::Dossysop, "Dossysop", "", &B::Dossysop},
        {&P::Dossys, "Dossys", "", &B::Dossys}}},
      {"Label72", "Access real disk",
       {{&P::Alldiskuser, "Alldiskuser", "", &B::Alldiskuser},
        {&P::Alldisksysop, "Alldisksysop", "", &B::Alldisksysop},
        {&P::Alldisksys, "Alldisksys", "", &B::Alldisksys}}},
      {"Label73", "Special commands (/A, /R)",
       {{&P::Specialuser, "Specialuser", "", &B::Specialuser},
        {&P::Specialsysop, "Specialsysop", "", &B::Specialsysop},
        {&P::Specialsys, "Specialsys", "", &B::Specialsys}}},
  };
  const int columns[3] = {196, 254, 320};
  const char* headings[3] = {"USER", "SYSOP", "SYSOP after\nSYS command"};
  for (int c = 0; c < 3; ++c) {
    TLabel* heading =
        MakeAt<TLabel>(Box(columns[c] - 30, c == 2 ? 4 : 18, 82, c == 2 ? 30 : kLabelHeight),
                       Sheet(), "LabelSecurity" + std::to_string(c), headings[c]);
    heading->SetAlignment(TAlignment::Center);
  }
  int y = 42;
  for (const TRow& row : rows) {
    MakeAt<TLabel>(Box(14, y + 1, 160, kLabelHeight), Sheet(), row.LabelName, row.Caption);
    for (int c = 0; c < 3; ++c) MakeCheck(row.Boxes[c], columns[c] + 4, y, 16);
    y += 25;
  }
}
