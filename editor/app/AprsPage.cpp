#include "editor/app/AprsPage.h"

#include <commctrl.h>

#include <string>

namespace {
constexpr int kRowHeight = 21;
constexpr int kLabelHeight = 14;
}  // namespace

void TAprsPage::Build() {
  // Kept for a later edition of the BBS: nothing loads, saves or reacts to it.
  Coordenadas = Make<TGroupBox>(Sheet(), "Coordenadas", "Situation");
  Coordenadas->SetBounds(8, 6, 372, 120);
  auto field = [this](TContainer* parent, TEdit* TAprsPage::*member, const char* name, int x, int y,
                      int w, const char* text) {
    TEdit* edit = Make<TEdit>(parent, name);
    edit->SetBounds(x, y, w, kRowHeight);
    edit->SetText(text);
    this->*member = edit;
    return edit;
  };
  auto spin = [this](TEdit* buddy, int low, int high) {
    HWND up = CreateWindowExA(0, UPDOWN_CLASSA, "",
                              WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT |
                                  UDS_WRAP | UDS_ARROWKEYS,
                              0, 0, 0, 0, GetParent(buddy->Handle()), nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SendMessageA(up, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy->Handle()), 0);
    SendMessageA(up, UDM_SETRANGE32, low, high);
    SendMessageA(up, UDM_SETPOS32, 0, 0);
    spinButtons_.push_back(up);
  };
  const char* headings[] = {"Deg.", "Min.", "Sec."};
  for (int c = 0; c < 3; ++c) {
    TLabel* h = Make<TLabel>(Coordenadas, std::string("LabelAprs") + headings[c], headings[c]);
    h->SetBounds(60 + c * 60, 16, 50, kLabelHeight);
  }
  Make<TLabel>(Coordenadas, "LabelLat", "Lat:")->SetBounds(10, 36, 40, kLabelHeight);
  Make<TLabel>(Coordenadas, "LabelLong", "Long:")->SetBounds(10, 64, 40, kLabelHeight);
  spin(field(Coordenadas, &TAprsPage::Edit3, "Edit3", 60, 33, 50, "0"), 0, 60);
  spin(field(Coordenadas, &TAprsPage::Edit4, "Edit4", 120, 33, 50, "0"), 0, 59);
  spin(field(Coordenadas, &TAprsPage::Edit5, "Edit5", 180, 33, 50, "0"), 0, 59);
  spin(field(Coordenadas, &TAprsPage::Edit6, "Edit6", 60, 61, 50, "0"), 0, 99);
  spin(field(Coordenadas, &TAprsPage::Edit7, "Edit7", 120, 61, 50, "0"), 0, 59);
  spin(field(Coordenadas, &TAprsPage::Edit8, "Edit8", 180, 61, 50, "0"), 0, 59);
  LatNS = Make<TRadioGroup>(Coordenadas, "LatNS", "", std::vector<std::string>{"North", "South"}, 2);
  LatNS->SetBounds(240, 28, 124, 28);
  LatNS->SetItemIndex(0);
  LongEW = Make<TRadioGroup>(Coordenadas, "LongEW", "", std::vector<std::string>{"East", "West"}, 2);
  LongEW->SetBounds(240, 56, 124, 28);
  LongEW->SetItemIndex(0);
  Make<TLabel>(Coordenadas, "LabelAprsLocator", "Locator:")->SetBounds(10, 94, 50, kLabelHeight);
  field(Coordenadas, &TAprsPage::Edit10, "Edit10", 60, 91, 80, "");

  Baliza = Make<TGroupBox>(Sheet(), "Baliza", "Beacon");
  Baliza->SetBounds(8, 130, 372, 80);
  Make<TLabel>(Baliza, "LabelTo", "To :")->SetBounds(10, 22, 40, kLabelHeight);
  field(Baliza, &TAprsPage::Edit2, "Edit2", 50, 19, 100, "");
  Make<TLabel>(Baliza, "LabelVia", "Via :")->SetBounds(160, 22, 40, kLabelHeight);
  field(Baliza, &TAprsPage::Edit1, "Edit1", 200, 19, 160, "");
  Make<TLabel>(Baliza, "LabelEvery", "Every :")->SetBounds(10, 50, 40, kLabelHeight);
  spin(field(Baliza, &TAprsPage::Edit9, "Edit9", 50, 47, 50, "0"), 0, 99);
  Make<TLabel>(Baliza, "LabelMins", "mins.")->SetBounds(106, 50, 40, kLabelHeight);

  GroupBox1 = Make<TGroupBox>(Sheet(), "GroupBox1", "PHG");
  GroupBox1->SetBounds(8, 214, 372, 86);
  const char* phg[] = {"Tx Power:", "Station height:", "Antenna gain:", "Directivity:"};
  TEdit* TAprsPage::*edits[] = {&TAprsPage::Edit11, &TAprsPage::Edit12, &TAprsPage::Edit13, &TAprsPage::Edit14};
  const char* names[] = {"Edit11", "Edit12", "Edit13", "Edit14"};
  for (int i = 0; i < 4; ++i) {
    const int x = 10 + (i % 2) * 180, y = 22 + (i / 2) * 30;
    Make<TLabel>(GroupBox1, std::string("LabelPhg") + std::to_string(i), phg[i])
        ->SetBounds(x, y + 3, 80, kLabelHeight);
    field(GroupBox1, edits[i], names[i], x + 84, y, 70, "");
  }
}
