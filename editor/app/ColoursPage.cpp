#include "editor/app/ColoursPage.h"

#include "platform/Dialogs.h"

namespace {
constexpr int kLabelHeight = 14;
}

void TColoursPage::Build() {
  Label74 = MakeAt<TLabel>(RECT{10, 16, 10 + 368, 16 + kLabelHeight}, Sheet(), "Label74",
                           "Click into desired field to choose a color");
  Label74->SetAlignment(TAlignment::Center);
  Panel1 = MakeAt<TPanel>(RECT{101, 44, 101 + 185, 44 + 209}, Sheet(), "Panel1");
  Panel1->SetBorderSunken(true);
  Panel1->SetCursor(TCursorKind::HandPoint);
  Panel1->SetColor(RGB(0, 0, 0));
  Panel1->OnClick = [this](TObject* s) { Panel1Click(s); };
  using C = TConsoleColours;
  struct TRow {
    TLabel* TColoursPage::*Label;
    const char* Name;
    const char* Caption;
    TConsoleColour Colour;
  };
  static const TRow rows[] = {
      {&TColoursPage::Sendtext, "Sendtext", "Sent Text", &C::Sendtext},
      {&TColoursPage::Receivedtext, "Receivedtext", "Received Text", &C::Receivedtext},
      {&TColoursPage::Chaninfo, "Chaninfo", "Channel Informations", &C::Chaninfo},
      {&TColoursPage::Monhead, "Monhead", "Monitor Header", &C::Monhead},
      {&TColoursPage::Mondata, "Mondata", "Monitor Data", &C::Mondata},
      {&TColoursPage::Consoletext, "Consoletext", "Console Text", &C::Consoletext},
  };
  const TConsoleColours initial;
  int y = 18;
  for (const TRow& row : rows) {
    TLabel* label = MakeAt<TLabel>(RECT{24, y, 24 + 134, y + 16}, Panel1, row.Name, row.Caption);
    label->SetColor(RGB(0, 0, 0));
    label->SetFontColor(initial.*row.Colour);
    label->SetCursor(TCursorKind::HandPoint);
    label->OnClick = [this](TObject* s) { Panel1Click(s); };
    this->*row.Label = label;
    samples_.push_back({label, row.Colour});
    y += 31;
  }
}

void TColoursPage::ShowConfiguration() {
  const TConsoleColours& colours = Config().Colours;
  for (const TSample& sample : samples_) {
    sample.Label->SetColor(colours.Background);
    sample.Label->SetFontColor(colours.*sample.Colour);
  }
  Panel1->SetColor(colours.Background);
}

void TColoursPage::Panel1Click(TObject* Sender) {
  for (const TSample& sample : samples_)
    if (Sender == sample.Label) return ChooseColourFor(sample.Label, sample.Colour);
  if (Sender != Panel1) return;
  COLORREF colour = Panel1->Color();
  Dialogs().ChooseColour(Host().Owner(), colour);
  if (colour != Panel1->Color()) Doc().Changed();
  for (const TSample& sample : samples_) sample.Label->SetColor(colour);
  Panel1->SetColor(colour);
  Config().Colours.Background = colour;
}

void TColoursPage::ChooseColourFor(TLabel* label, TConsoleColour member) {
  COLORREF colour = label->FontColor();
  Dialogs().ChooseColour(Host().Owner(), colour);
  if (colour != label->FontColor()) Doc().Changed();
  label->SetFontColor(colour);
  Config().Colours.*member = colour;
}
