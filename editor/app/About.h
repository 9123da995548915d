// The About window: name, logo, version, notice line and the project's mail
// link. It closes by its OK button, its close box, Escape, or by itself ten
// seconds after it was created.
#pragma once
#include <windows.h>

#include <memory>

#include "platform/Controls.h"

extern const char* const kProjectMail;  // the project's contact address

class TForm2 : public TForm {
 public:
  explicit TForm2(HWND owner);
  ~TForm2() override;

  TPanel* Panel1 = nullptr;
  TLabel* Label3 = nullptr;  // the tool's name
  TImage* Image1 = nullptr;  // the logo
  TLabel* Label4 = nullptr;  // the version line
  TLabel* Label1 = nullptr;  // the notice line
  TLabel* Label2 = nullptr;  // the mail link
  TButton* Button1 = nullptr;
  std::unique_ptr<TTimer> Timer;

  void FormCreate(TObject* Sender);
  void Label2Click(TObject* Sender);
  void TimerTimer(TObject* Sender);

  // How long the window stays open when left alone. Tests shorten it; the
  // program never changes it.
  static unsigned AutoCloseMs;

 protected:
  LRESULT ContainerProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void LoadLogo();
  std::vector<std::unique_ptr<TControl>> owned_;
};
