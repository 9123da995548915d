// The Servers page: the server programs that the BBS runs. Unlike the other
// pages it writes each add, change or delete at once to the server's key
// below Software\Nodrax\Servers; the save is not involved and nothing here
// counts as an unsaved change. The list shows the configuration's
// ServerTable, which each operation changes the same way, so that servers
// taken over by an import and not saved yet stay in it.
#pragma once
#include <string>
#include <vector>

#include "editor/app/Page.h"

class TServersPage : public TPage {
 public:
  using TPage::TPage;
  void Build() override;
  // The list shows the ServerTable entries in use, in table order.
  void ShowConfiguration() override;

  TLabel *Label75 = nullptr, *Label78 = nullptr, *Label79 = nullptr, *Label80 = nullptr;
  TListBox* ListBox1 = nullptr;
  TEdit* Editaddserver = nullptr;
  TComboBox* Editfileserver = nullptr;
  TEdit* Editinfo = nullptr;
  TCheckBox* Disabled = nullptr;
  TButton *Botonaddserver = nullptr, *Apply = nullptr, *Botondelserver = nullptr;

  void ListBox1Click(TObject* Sender);
  void DisabledClick(TObject* Sender);
  void BotonaddserverClick(TObject* Sender);
  void BotondelserverClick(TObject* Sender);
  void EditaddserverKeyPress(TObject* Sender, char& Key);
  void EditfileserverKeyPress(TObject* Sender, char& Key);
  void EditinfoKeyPress(TObject* Sender, char& Key);
  void Label78Click(TObject* Sender);
  void Label79Click(TObject* Sender);
  void Label80Click(TObject* Sender);
  // The three fields emptied, as an import of servers does.
  void ClearFields();

 private:
  std::vector<std::string> shown_;  // the items of ListBox1
};
