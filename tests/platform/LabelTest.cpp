#include "PlatformFixture.h"

namespace {

class LabelTest : public PlatformTest {
 protected:
  // What the parent answers to WM_CTLCOLORSTATIC for the label, as the
  // static control asks before painting: the brush, and the colours left in
  // the device context.
  struct TColours {
    COLORREF brush = 0;
    COLORREF text = 0;
    COLORREF back = 0;
    int mode = 0;
  };
  static TColours AskColours(TControl& control) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetBkMode(dc, OPAQUE);
    HWND parent = GetParent(control.Handle());
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
        reinterpret_cast<LPARAM>(control.Handle())));
    TColours c;
    LOGBRUSH info{};
    EXPECT_NE(nullptr, brush);
    if (brush && GetObjectA(brush, sizeof info, &info)) c.brush = info.lbColor;
    c.text = GetTextColor(dc);
    c.back = GetBkColor(dc);
    c.mode = GetBkMode(dc);
    DeleteDC(dc);
    return c;
  }
};

TEST_F(LabelTest, ClickOnTheLabelFiresOnClick) {
  auto& label = Add<TLabel>({10, 10, 90, 14}, form.get(), "Label1", "BBS Callsign:");
  TObject* sender = nullptr;
  label.OnClick = [&](TObject* s) { sender = s; };
  ClickMiddle(label.Handle());
  EXPECT_EQ(&label, sender);
}

TEST_F(LabelTest, TransparentLabelPaintsOnItsParentsColourInItsFontColour) {
  TPanel panel(form.get(), "Panel1");
  panel.SetColor(RGB(0, 0, 0));
  TLabel label(&panel, "Sendtext", "Sent text");
  label.SetFontColor(RGB(0, 255, 0));
  const TColours c = AskColours(label);
  EXPECT_EQ(RGB(0, 0, 0), c.brush);
  EXPECT_EQ(RGB(0, 255, 0), c.text);
  EXPECT_EQ(TRANSPARENT, c.mode);
  // Check-box captions too stand on the container's colour.
  TCheckBox box(&panel, "Log", "Log");
  EXPECT_EQ(RGB(0, 0, 0), AskColours(box).brush);
}

TEST_F(LabelTest, SetColorMakesTheLabelOpaqueInThatColour) {
  TPanel panel(form.get(), "Panel1");
  TLabel label(&panel, "Consoletext", "Console text");
  label.SetColor(RGB(0, 0, 128));
  label.SetFontColor(RGB(255, 255, 0));
  const TColours c = AskColours(label);
  EXPECT_EQ(RGB(0, 0, 128), c.brush);
  EXPECT_EQ(RGB(0, 0, 128), c.back);
  EXPECT_EQ(RGB(255, 255, 0), c.text);
  EXPECT_EQ(OPAQUE, c.mode);
  EXPECT_EQ(RGB(0, 0, 128), label.Color());

  // System colour references, as the registry may hold them.
  label.SetColor(0x8000000F);      // the button face
  label.SetFontColor(0x80000008);  // the window text
  const TColours system = AskColours(label);
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), system.text);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), system.brush);
}

TEST_F(LabelTest, HandCursorOverALabelThatAsksForIt) {
  TLabel plain(form.get(), "Label74", "Click into desired field");
  TLabel hand(form.get(), "Monhead", "Monitor header");
  hand.SetCursor(TCursorKind::HandPoint);
  HCURSOR handCursor = LoadCursor(nullptr, IDC_HAND);
  const LPARAM over = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  EXPECT_TRUE(SendMessageA(hand.Handle(), WM_SETCURSOR,
                           reinterpret_cast<WPARAM>(hand.Handle()), over));
  EXPECT_EQ(handCursor, GetCursor());
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  SendMessageA(plain.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(plain.Handle()), over);
  EXPECT_NE(handCursor, GetCursor());
}

TEST_F(LabelTest, PanelClickFiresOnlyForThePanelItself) {
  auto& panel = Add<TPanel>({10, 10, 185, 209}, form.get(), "Panel1");
  auto& label = Add<TLabel>({10, 10, 100, 14}, &panel, "Mondata", "Monitor data");
  TObject* panelSender = nullptr;
  TObject* labelSender = nullptr;
  panel.OnClick = [&](TObject* s) { panelSender = s; };
  label.OnClick = [&](TObject* s) { labelSender = s; };
  ClickMiddle(label.Handle());
  EXPECT_EQ(&label, labelSender);
  EXPECT_EQ(nullptr, panelSender);
  ClickAt(panel.Handle(), 150, 180);
  EXPECT_EQ(&panel, panelSender);
}

}  // namespace
