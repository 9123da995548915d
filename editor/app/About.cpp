#include "editor/app/About.h"

#include "editor/app/Jpeg.h"
#include "editor/app/MainWindow.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"

const char* const kProjectMail = "nodrax@example.org";
unsigned TForm2::AutoCloseMs = 10000;

namespace {

constexpr int kOuterWidth = 301;
constexpr int kOuterHeight = 339;
constexpr TFormStyle kStyle{true, false, false};
constexpr int kLogoWidth = 163;
constexpr int kLogoHeight = 151;

}  // namespace

TForm2::TForm2(HWND owner)
    : TForm("TForm2", "Form2", ClientSizeAt96(kOuterWidth, kOuterHeight, kStyle).cx,
            ClientSizeAt96(kOuterWidth, kOuterHeight, kStyle).cy, kStyle, owner) {
  SetCaption("About Nodraxcfg");
  // The layout is in 96-DPI pixels, as SetBounds takes them.
  const RECT client = ClientRect96();

  auto make = [this](auto control) {
    auto* raw = control.get();
    owned_.push_back(std::move(control));
    return raw;
  };
  Panel1 = make(std::make_unique<TPanel>(this, "Panel1"));
  Panel1->SetBounds(0, 0, client.right, client.bottom);
  Panel1->SetBorderSunken(true);
  const RECT inner = Panel1->ClientRect96();

  // Top to bottom, each centred across the panel.
  auto place = [&](TLabel* label, int top, int fixedWidth = 0) {
    label->SetBold(true);
    const int w = fixedWidth ? fixedWidth : label->CaptionSize().cx + 2;
    label->SetBounds((inner.right - w) / 2, top, w, 16);
  };
  Label3 = make(std::make_unique<TLabel>(Panel1, "Label3", "Nodrax configuration tool"));
  place(Label3, 12);
  Image1 = make(std::make_unique<TImage>(Panel1, "Image1"));
  Image1->SetBounds((inner.right - kLogoWidth) / 2, 36, kLogoWidth, kLogoHeight);
  Label4 = make(std::make_unique<TLabel>(Panel1, "Label4", ""));
  Label4->SetAlignment(TAlignment::Center);
  place(Label4, 196, 102);
  Label1 = make(std::make_unique<TLabel>(Panel1, "Label1", "Free software for radio amateurs"));
  place(Label1, 220);
  Label2 = make(std::make_unique<TLabel>(Panel1, "Label2", std::string("e-mail: ") + kProjectMail));
  place(Label2, 242);
  Label2->SetFontColor(RGB(0, 0, 255));
  Label2->SetCursor(TCursorKind::HandPoint);
  Label2->OnClick = [this](TObject* s) { Label2Click(s); };
  Button1 = make(std::make_unique<TButton>(Panel1, "Button1", "OK"));
  Button1->SetBounds((inner.right - 75) / 2, inner.bottom - 37, 75, 25);
  Button1->OnClick = [this](TObject*) { SetModalResult(IDOK); };

  Timer = std::make_unique<TTimer>("Timer", AutoCloseMs);
  Timer->OnTimer = [this](TObject* s) { TimerTimer(s); };
  FormCreate(this);
}

TForm2::~TForm2() {
  Timer.reset();
  // Children before their parents: the reverse of the order of creation.
  while (!owned_.empty()) owned_.pop_back();
}

void TForm2::FormCreate(TObject*) {
  Label4->SetText(std::string("Version ") + kEditorVersion);
  // The logo is a JPEG resource of the program, decoded at every opening.
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, "LOGO", MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  ShowLogo(loaded ? LockResource(loaded) : nullptr, found ? SizeofResource(module, found) : 0);
}

bool TForm2::ShowLogo(const void* data, std::size_t size) {
  TRgbPicture picture;
  if (!DecodeJpeg(data, size, picture)) {
    Image1->ClearPicture();
    return false;
  }
  Image1->SetPicture(picture.Width, picture.Height, picture.Rgb);
  return true;
}

void TForm2::Label2Click(TObject*) {
  // The mail program opens a new message; the About window stays open.
  Dialogs().ShellOpen(Application().MainWindow, std::string("mailto:") + kProjectMail,
                      SW_SHOWMAXIMIZED);
}

void TForm2::TimerTimer(TObject*) {
  Timer->SetEnabled(false);
  SetModalResult(IDOK);
}

LRESULT TForm2::ContainerProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Escape: the dialog manager sends IDCANCEL, which closes the window as
  // its close box does.
  if (msg == WM_COMMAND && lParam == 0 && LOWORD(wParam) == IDCANCEL) {
    SetModalResult(IDCANCEL);
    return 0;
  }
  return TForm::ContainerProc(msg, wParam, lParam);
}
