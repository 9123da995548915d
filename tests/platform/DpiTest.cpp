// A form that moves to a monitor of another DPI (WM_DPICHANGED, sent here as
// Windows sends it: Wine never does). Its layout is written for 96 DPI.
#include <string>
#include <vector>

#include "PlatformFixture.h"

namespace {

class DpiTest : public PlatformTest {
 protected:
  void MoveTo(int dpi) {
    RECT window{};
    GetWindowRect(form->Handle(), &window);
    SendMessageA(form->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&window));
    Pump();
  }

  static HFONT FontOf(const TControl& control) {
    return reinterpret_cast<HFONT>(SendMessageA(control.Handle(), WM_GETFONT, 0, 0));
  }
};

TEST_F(DpiTest, ControlsMadeBeforeOrAfterAMoveShowTheir96DpiLayoutAtTheNewDpiAndComeBack) {
  const int start = form->Dpi(), dpi = start == 96 ? 192 : 96;
  auto at = [](int dpi, RECT r) {
    return RECT{MulDiv(r.left, dpi, 96), MulDiv(r.top, dpi, 96), MulDiv(r.right, dpi, 96),
                MulDiv(r.bottom, dpi, 96)};
  };
  TEdit& before = Add<TEdit>({10, 10, 100, 21}, form.get(), "Before");
  TLabel& bold = Add<TLabel>({10, 35, 100, 14}, form.get(), "Bold", "Bold");
  bold.SetBold(true);
  TLabel& measured = Own<TLabel>(form.get(), "Measured", "Sized to its caption");
  TStatusBar& bar = Own<TStatusBar>(form.get(), "Bar", std::vector<int>{100, 50});
  const RECT placesAtStart[] = {before.BoundsRect(), bold.BoundsRect(), measured.BoundsRect(),
                                bar.BoundsRect()};

  MoveTo(dpi);
  ASSERT_EQ(dpi, form->Dpi());
  TEdit& after = Add<TEdit>({10, 60, 100, 21}, form.get(), "After");
  RECT client{};
  GetClientRect(form->Handle(), &client);
  const RECT form96 = form->ClientRect96();
  EXPECT_EQ(400, form96.right);
  EXPECT_EQ(300, form96.bottom);
  EXPECT_EQ(MulDiv(400, dpi, 96), client.right);
  EXPECT_EQ(MulDiv(300, dpi, 96), client.bottom);
  for (const auto& [control, bounds] :
       {std::pair<TControl*, RECT>{&before, {10, 10, 110, 31}}, {&after, {10, 60, 110, 81}},
        {&bold, {10, 35, 110, 49}}, {&bar, {0, 281, 400, 300}}}) {
    const RECT placed = control->BoundsRect(), wanted = at(dpi, bounds);
    EXPECT_TRUE(EqualRect(&wanted, &placed)) << control->Name;
  }
  // Eight points at the new DPI, bold where it was bold.
  LOGFONTA font{};
  GetObjectA(FontOf(after), sizeof font, &font);
  EXPECT_EQ(-MulDiv(8, dpi, 72), font.lfHeight);
  EXPECT_EQ(FontOf(after), FontOf(before));
  EXPECT_EQ(Application().BoldFont(dpi), FontOf(bold));
  // A label never placed is measured again in its new font.
  RECT text{}, room{};
  GetClientRect(measured.Handle(), &room);
  HDC dc = GetDC(measured.Handle());
  HGDIOBJ old = SelectObject(dc, FontOf(measured));
  DrawTextA(dc, "Sized to its caption", -1, &text, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, old);
  ReleaseDC(measured.Handle(), dc);
  EXPECT_EQ(text.right, room.right);
  EXPECT_EQ(text.bottom, room.bottom);
  int edges[2] = {};
  SendMessageA(bar.Handle(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges));
  EXPECT_EQ(MulDiv(100, dpi, 96), edges[0]);
  EXPECT_EQ(MulDiv(150, dpi, 96), edges[1]);

  MoveTo(start);
  const RECT placesAtEnd[] = {before.BoundsRect(), bold.BoundsRect(), measured.BoundsRect(),
                              bar.BoundsRect()};
  for (size_t i = 0; i < std::size(placesAtEnd); ++i)
    EXPECT_TRUE(EqualRect(&placesAtStart[i], &placesAtEnd[i])) << i;
}

}  // namespace
