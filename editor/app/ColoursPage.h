// The Colours page: the colours of the BBS console, each chosen by a click
// on its sample.
#pragma once
#include "editor/app/Page.h"

class TColoursPage : public TPage {
 public:
  using TPage::TPage;
  void Build() override;
  void ShowConfiguration() override;
  // Every colour is shown on the panel, where a click chooses it.
  TControl* ControlOf(const TConfigField& field) const override {
    return field.Colour ? Panel1 : nullptr;
  }

  TLabel* Label74 = nullptr;
  TPanel* Panel1 = nullptr;
  TLabel *Sendtext = nullptr, *Receivedtext = nullptr, *Chaninfo = nullptr, *Monhead = nullptr,
         *Mondata = nullptr, *Consoletext = nullptr;

  // On a sample: its text colour; on the panel: the background of all.
  void Panel1Click(TObject* Sender);

 private:
  void ChooseColourFor(TLabel* label, TConsoleColour colour);
  struct TSample {
    TLabel* Label;
    TConsoleColour Colour;
  };
  std::vector<TSample> samples_;
};
