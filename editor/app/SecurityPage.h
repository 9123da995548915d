// The Security page: ten rights in three columns, for users, for sysops,
// and for sysops after the SYS command.
#pragma once
#include "editor/app/Page.h"

class TSecurityPage : public TStationPage {
 public:
  using TStationPage::TStationPage;
  void Build() override;

  // A row stem and the column: user, sysop or sys.
  TCheckBox *Todosmensajesuser = nullptr, *Borramensajesuser = nullptr, *Sysuser = nullptr,
            *Remoteuser = nullptr, *Labelsuser = nullptr, *Deleteuser = nullptr,
            *Gatewaysuser = nullptr, *Dosuser = nullptr, *Alldiskuser = nullptr,
            *Specialuser = nullptr;
  TCheckBox *Todosmensajessysop = nullptr, *Borramensajessysop = nullptr, *Syssysop = nullptr,
            *Remotesysop = nullptr, *Labelssysop = nullptr, *Deletesysop = nullptr,
            *Gatewayssysop = nullptr, *Dossysop = nullptr, *Alldisksysop = nullptr,
            *Specialsysop = nullptr;
  TCheckBox *Todosmensajessys = nullptr, *Borramensajessys = nullptr, *Syssys = nullptr,
            *Remotesys = nullptr, *Labelssys = nullptr, *Deletesys = nullptr,
            *Gatewayssys = nullptr, *Dossys = nullptr, *Alldisksys = nullptr,
            *Specialsys = nullptr;
};
