// The About window: name, logo, version, notice line and the project's mail
// link. It closes by its OK button, its close box, Escape, or by itself ten
// seconds after it was created.
#pragma once
#include <windows.h>

#include <cstddef>
#include <memory>
#include <vector>

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
  // Decodes the JPEG into the logo; a picture that does not decode leaves
  // the logo empty and the window as usable as ever. Returns whether it
  // decoded.
  bool ShowLogo(const void* data, std::size_t size);

  // How long the window stays open when left alone. Tests shorten it; the
  // program never changes it.
  static unsigned AutoCloseMs;

 protected:
  LRESULT ContainerProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  std::vector<std::unique_ptr<TControl>> owned_;
};
