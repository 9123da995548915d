#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "PlatformFixture.h"

namespace {

using ApplicationTest = PlatformTest;

// Another program's subclassing, laid over a control's own: it counts the
// messages it passes on.
WNDPROC laidUnder = nullptr;
std::vector<UINT> passedOn;
LRESULT CALLBACK LaidOver(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  passedOn.push_back(msg);
  return CallWindowProcA(laidUnder, hwnd, msg, wParam, lParam);
}

TEST_F(ApplicationTest, AnErrorInAHandlerIsShownWithTheTitleAndTheProgramGoesOn) {
  Application().Title = "Nodrax configuration tool";
  auto& button = Add<TButton>({10, 10, 75, 25}, form.get(), "Apply", "Apply");
  ShowForm();
  int runs = 0;
  button.OnClick = [&](TObject*) {
    if (++runs == 1) throw std::runtime_error("Cannot create folder C:\\BBS");
  };
  dialogs.ExpectMessageBox("Nodrax configuration tool", "Cannot create folder C:\\BBS",
                           MB_ICONERROR | MB_OK, IDOK);
  SendMessageA(button.Handle(), BM_CLICK, 0, 0);
  dialogs.VerifyAndClear();
  SendMessageA(button.Handle(), BM_CLICK, 0, 0);  // no box this time
  EXPECT_EQ(2, runs);
  EXPECT_TRUE(IsWindow(button.Handle()));
}

TEST_F(ApplicationTest, TimerTickRunsOnTimerAndIsNotEnteredAgainWhileRunning) {
  TTimer timer("Timer1", 1000);
  EXPECT_TRUE(timer.Enabled());
  int ticks = 0;
  timer.OnTimer = [&](TObject* sender) {
    EXPECT_EQ(&timer, sender);
    ++ticks;
    timer.Tick();  // as a tick during a modal box in the handler would
  };
  timer.Tick();
  EXPECT_EQ(1, ticks);
  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Enabled());

  // And the real timer ticks from the message loop.
  TTimer fast("Timer2", 10);
  ticks = 0;
  fast.OnTimer = [&](TObject*) { ++ticks; };
  const DWORD start = GetTickCount();
  while (ticks == 0 && GetTickCount() - start < 2000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    Pump();
  }
  EXPECT_GE(ticks, 1);
}

TEST_F(ApplicationTest, TheControlsUseTheApplicationFont) {
  TEdit edit(form.get(), "Edit1");
  TLabel label(form.get(), "Label1", "BBS Callsign:");
  HFONT font = Application().Font();
  ASSERT_NE(nullptr, font);
  EXPECT_EQ(font, reinterpret_cast<HFONT>(SendMessageA(edit.Handle(), WM_GETFONT, 0, 0)));
  EXPECT_EQ(font, reinterpret_cast<HFONT>(SendMessageA(label.Handle(), WM_GETFONT, 0, 0)));
  LOGFONTA info{};
  GetObjectA(font, sizeof info, &info);
  EXPECT_STREQ("MS Shell Dlg 2", info.lfFaceName);
  label.SetBold(true);
  EXPECT_EQ(Application().BoldFont(),
            reinterpret_cast<HFONT>(SendMessageA(label.Handle(), WM_GETFONT, 0, 0)));
}

TEST_F(ApplicationTest, ControlsAreFoundFromTheirWindowsUntilTheyGo) {
  auto edit = std::make_unique<TEdit>(form.get(), "Edit1");
  HWND hwnd = edit->Handle();
  EXPECT_EQ(edit.get(), TControl::FromHandle(hwnd));
  EXPECT_EQ(form.get(), edit->Parent());
  edit.reset();
  EXPECT_FALSE(IsWindow(hwnd));
  // A control whose window went with its parent forgets the window.
  TEdit orphan(form.get(), "Edit2");
  form.reset();
  EXPECT_EQ(nullptr, orphan.Handle());
  orphan.SetText("no window");  // does nothing, and does not crash
}

TEST_F(ApplicationTest, AProcedureLaidOverAControlStillWorksWhenTheControlGoesFirst) {
  auto edit = std::make_unique<TEdit>(form.get(), "Edit1");
  HWND hwnd = edit->Handle();
  std::string pressed;
  edit->OnKeyPress = [&](TObject*, char& key) { pressed += key; };
  passedOn.clear();
  laidUnder = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaidOver)));
  SendMessageA(hwnd, WM_CHAR, 'a', 1);
  EXPECT_EQ("a", pressed);  // through both procedures
  char text[8] = "";
  GetWindowTextA(hwnd, text, sizeof text);
  EXPECT_STREQ("a", text);
  // The control cannot take its procedure back from under the other one:
  // the window still works without it, and goes when it is destroyed.
  edit->OnKeyPress = nullptr;
  edit.reset();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(nullptr, TControl::FromHandle(hwnd));
  ASSERT_FALSE(passedOn.empty());
  EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), passedOn.back());
}

TEST_F(ApplicationTest, AHintIsATipOfTheWindowUntilTheControlGoes) {
  auto label = std::make_unique<TLabel>(form.get(), "Label58", "Fwd minute:");
  label->SetHint("Minute to start Fwd.");
  HWND tips = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr);
  while (tips && GetWindow(tips, GW_OWNER) != form->Handle())
    tips = FindWindowExA(nullptr, tips, TOOLTIPS_CLASSA, nullptr);
  ASSERT_NE(nullptr, tips);
  EXPECT_EQ(1, SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
  char text[80] = "";
  TTTOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.hwnd = form->Handle();
  info.uId = reinterpret_cast<UINT_PTR>(label->Handle());
  info.lpszText = text;
  SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ("Minute to start Fwd.", text);
  label.reset();
  EXPECT_EQ(0, SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
}

}  // namespace
