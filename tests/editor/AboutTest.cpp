// The About window, opened from the main window's menu as the sysop opens
// it: while it is up (its modal loop runs), a timer of the test looks at it
// and acts on it as the user would.
#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "editor/app/About.h"
#include "editor/app/Jpeg.h"
#include "platform/Application.h"
#include "support/EditorFixture.h"
#include "support/ProcessCounters.h"

namespace {

HWND FindAbout() { return FindWindowA("TForm2", "About Nodraxcfg"); }

// The logo resource of this program, as the About window reads it.
std::vector<unsigned char> LogoBytes() {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, "LOGO", MAKEINTRESOURCEA(10));
  if (!found) return {};
  const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
  return std::vector<unsigned char>(data, data + SizeofResource(module, found));
}

bool IsBold(const TControl* control) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control->Handle(), WM_GETFONT, 0, 0)),
             sizeof font, &font);
  return font.lfWeight >= FW_BOLD;
}

RECT ScreenRect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

// The pixels of a window's client area as they are on the screen.
std::vector<COLORREF> ScreenPixels(HWND hwnd, const RECT& area) {
  HDC screen = GetDC(hwnd);
  std::vector<COLORREF> pixels;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) pixels.push_back(GetPixel(screen, x, y));
  ReleaseDC(hwnd, screen);
  return pixels;
}

using process_counters::GdiObjects;
using process_counters::UserObjects;

class AboutTest : public EditorTest {
 protected:
  void TearDown() override {
    TForm2::AutoCloseMs = 10000;
    EditorTest::TearDown();
  }

  // Opens "&About" from the menu and runs inspect once the window is up.
  // Unless the inspection closed it, the window is then left to its own
  // timer (closeByTimer) or closed with OK. Returns the time it was open.
  DWORD WhileAboutIsOpen(const std::function<void(TForm2&)>& inspect, bool closeByTimer = false) {
    bool inspected = false;
    TTimer probe("probe", 20);
    probe.OnTimer = [&](TObject*) {
      if (inspected) return;
      auto* about = dynamic_cast<TForm2*>(TControl::FromHandle(FindAbout()));
      if (!about || !IsWindowVisible(about->Handle())) return;
      inspected = true;
      UpdateWindow(about->Handle());
      inspect(*about);
      if (!closeByTimer && !about->Closed() && about->ModalResult() == 0)
        SendMessageA(about->Button1->Handle(), BM_CLICK, 0, 0);
    };
    // Ends a window that nothing closed, so that a fault fails the test
    // instead of hanging it.
    TTimer watchdog("watchdog", 20000);
    watchdog.OnTimer = [&](TObject*) {
      ADD_FAILURE() << "the About window did not close";
      PostMessageA(FindAbout(), WM_CLOSE, 0, 0);
    };
    const DWORD start = GetTickCount();
    InvokeMenu("About1");
    const DWORD open = GetTickCount() - start;
    EXPECT_TRUE(inspected) << "the About window did not show";
    EXPECT_EQ(nullptr, FindAbout()) << "the window must be destroyed when it closes";
    EXPECT_TRUE(IsWindowEnabled(FormHandle())) << "the main window must take input again";
    return open;
  }
};

TEST_F(AboutTest, ShowsNameLogoVersionNoticeAndLinkInItsPlace) {
  const RECT main = ScreenRect(FormHandle());
  WhileAboutIsOpen([&](TForm2& about) {
    HWND hwnd = about.Handle();
    EXPECT_EQ("About Nodraxcfg", WindowText(hwnd));
    const RECT r = ScreenRect(hwnd);
    EXPECT_EQ(301, r.right - r.left);
    EXPECT_EQ(339, r.bottom - r.top);
    EXPECT_EQ(main.left + 50, r.left);
    EXPECT_EQ(main.top + 50, r.top);
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    // Modal, owned by the main window.
    EXPECT_EQ(FormHandle(), GetWindow(hwnd, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(FormHandle()));

    // One panel fills the client area and holds the rest, top to bottom.
    RECT client;
    GetClientRect(hwnd, &client);
    const RECT panel = about.Panel1->BoundsRect();
    EXPECT_TRUE(EqualRect(&client, &panel));
    struct Row {
      TControl* control;
      const char* name;
      std::string text;
    };
    const Row rows[] = {
        {about.Label3, "Label3", "Nodrax configuration tool"},
        {about.Image1, "Image1", ""},
        {about.Label4, "Label4", "Version 1.5.3"},
        {about.Label1, "Label1", "Free software for radio amateurs"},
        {about.Label2, "Label2", "e-mail: nodrax@example.org"},
        {about.Button1, "Button1", "OK"},
    };
    LONG below = -1;
    for (const Row& row : rows) {
      ASSERT_NE(nullptr, row.control) << row.name;
      EXPECT_EQ(row.name, row.control->Name);
      EXPECT_EQ(about.Panel1->Handle(), GetParent(row.control->Handle())) << row.name;
      EXPECT_EQ(row.text, WindowText(row.control)) << row.name;
      const RECT at = row.control->BoundsRect();
      EXPECT_GE(at.top, below) << row.name << " is out of order";
      below = at.bottom;
      EXPECT_LE(at.right, panel.right) << row.name;
      if (row.control != about.Image1 && row.control != about.Button1) {
        EXPECT_TRUE(IsBold(row.control)) << row.name;
      }
    }
    const RECT logo = about.Image1->BoundsRect();
    EXPECT_EQ(163, logo.right - logo.left);
    EXPECT_EQ(151, logo.bottom - logo.top);
    const RECT version = about.Label4->BoundsRect();
    EXPECT_EQ(102, version.right - version.left);
    EXPECT_EQ(SS_CENTER, GetWindowLongA(about.Label4->Handle(), GWL_STYLE) & SS_TYPEMASK);

    // The link: blue, with the hand cursor over it.
    EXPECT_EQ(RGB(0, 0, 255), about.Label2->FontColor());
    SendMessageA(about.Label2->Handle(), WM_SETCURSOR,
                 reinterpret_cast<WPARAM>(about.Label2->Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(LoadCursor(nullptr, IDC_HAND), GetCursor());

    // The ten-second timer runs from the creation of the window.
    ASSERT_TRUE(about.Timer);
    EXPECT_TRUE(about.Timer->Enabled());
    EXPECT_EQ(10000u, about.Timer->Interval());
  });
}

// The logo: the program's JPEG decoded to 270 x 240, drawn in colour, made
// smaller with its proportions kept and centred in the 163 x 151 box.
TEST_F(AboutTest, LogoIsDecodedAndDrawnInColour) {
  WhileAboutIsOpen([&](TForm2& about) {
    ASSERT_TRUE(about.Image1->HasPicture());
    EXPECT_EQ(270, about.Image1->PictureSize().cx);
    EXPECT_EQ(240, about.Image1->PictureSize().cy);
    const RECT at = about.Image1->PictureRect();
    EXPECT_EQ(0, at.left);
    EXPECT_EQ(163, at.right);
    EXPECT_EQ(145, at.bottom - at.top);  // 240 * 163 / 270
    EXPECT_EQ(3, at.top);

    const std::vector<COLORREF> picture = ScreenPixels(about.Image1->Handle(), at);
    std::set<COLORREF> colours(picture.begin(), picture.end());
    EXPECT_GT(colours.size(), 100u) << "the logo is not drawn";
    size_t coloured = 0;
    for (COLORREF c : picture)
      if (GetRValue(c) != GetGValue(c) || GetGValue(c) != GetBValue(c)) ++coloured;
    EXPECT_GT(coloured, picture.size() / 2) << "the logo is not in colour";
    // The strips above and below stand on the panel's background.
    const COLORREF face = ScreenPixels(about.Panel1->Handle(), RECT{2, 2, 3, 3})[0];
    for (COLORREF c : ScreenPixels(about.Image1->Handle(), RECT{0, 0, 163, 2}))
      EXPECT_EQ(face, c);
  });
}

// OK, Escape, the close box, and the timer left alone: each closes the
// window, and every opening has a timer of its own.
TEST_F(AboutTest, ClosesByOkEscapeTheCloseBoxAndItsOwnTimer) {
  TForm2::AutoCloseMs = 400;
  const std::function<void(TForm2&)> closers[] = {
      [](TForm2& about) { SendMessageA(about.Button1->Handle(), BM_CLICK, 0, 0); },
      [this](TForm2& about) { Keystroke(about.Button1, VK_ESCAPE); },
      [](TForm2& about) { SendMessageA(about.Handle(), WM_CLOSE, 0, 0); },
      nullptr, nullptr};  // twice left alone
  for (const auto& close : closers) {
    const DWORD open = WhileAboutIsOpen([&](TForm2& about) {
      EXPECT_TRUE(about.Timer->Enabled());
      if (!close) return;
      close(about);
      Pump();
      EXPECT_NE(0, about.ModalResult()) << "the window is still open";
    }, !close);
    if (!close) {
      EXPECT_GE(open, 380u) << "the timer closed it early";
    }
    EXPECT_LT(open, 5000u);
  }
}

TEST_F(AboutTest, MailLinkGoesToTheShellAndLeavesTheWindowOpen) {
  dialogs.ExpectShellOpen("mailto:nodrax@example.org");
  WhileAboutIsOpen([&](TForm2& about) {
    Click(about.Label2);
    EXPECT_EQ(0, about.ModalResult()) << "the link closed the window";
    EXPECT_TRUE(IsWindowVisible(about.Handle()));
  });
  const TDialogCall* call = dialogs.Last(TDialogKind::ShellOpen);
  ASSERT_NE(nullptr, call);
  EXPECT_EQ(Application().MainWindow, call->owner);
  EXPECT_EQ(static_cast<UINT>(SW_SHOWMAXIMIZED), call->type);
}

// A picture that does not decode leaves the logo empty, and the window
// closes with OK as ever.
TEST_F(AboutTest, ALogoThatDoesNotDecodeLeavesThePictureEmpty) {
  std::vector<unsigned char> logo = LogoBytes();
  ASSERT_GT(logo.size(), 1000u);
  std::vector<unsigned char> wide = logo;  // a frame header claiming 5000 pixels
  for (size_t i = 0; i + 9 < wide.size(); ++i)
    if (wide[i] == 0xFF && wide[i + 1] == 0xC0) {
      wide[i + 7] = 5000 >> 8;
      wide[i + 8] = 5000 & 0xFF;
      break;
    }
  const std::vector<unsigned char> broken[] = {
      {},
      {'G', 'I', 'F', '8', '9', 'a', 0, 0},
      std::vector<unsigned char>(logo.begin(), logo.begin() + 200),  // ends inside the header
      wide,
  };
  WhileAboutIsOpen([&](TForm2& about) {
    ASSERT_TRUE(about.ShowLogo(logo.data(), logo.size()));
    for (const auto& bytes : broken) {
      EXPECT_FALSE(about.ShowLogo(bytes.data(), bytes.size())) << bytes.size() << " bytes";
      EXPECT_FALSE(about.Image1->HasPicture());
      TRgbPicture picture;
      EXPECT_FALSE(DecodeJpeg(bytes.data(), bytes.size(), picture));
      EXPECT_TRUE(picture.Rgb.empty());
      EXPECT_EQ(0, picture.Width);
    }
    UpdateWindow(about.Handle());
  });
}

TEST_F(AboutTest, FiftyOpeningsLeaveTheObjectCountsFlat) {
  // The counters themselves first: they see what is made and released.
  process_counters::ProveCountersWork();
  TForm2::AutoCloseMs = 1;
  InvokeMenu("About1");  // what the first opening sets up for good
  Pump();
  const size_t gdi = GdiObjects(), user = UserObjects();
  for (int i = 0; i < 50; ++i) InvokeMenu("About1");
  Pump();
  EXPECT_EQ(nullptr, FindAbout());
  EXPECT_EQ(gdi, GdiObjects());
  EXPECT_EQ(user, UserObjects());
}

}  // namespace
