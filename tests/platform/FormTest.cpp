#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "PlatformFixture.h"

namespace {

using FormTest = PlatformTest;

std::unique_ptr<TMenuItem> FileMenu() {
  auto root = std::make_unique<TMenuItem>("MainMenu1", "");
  TMenuItem* file = root->Add(std::make_unique<TMenuItem>("Menufile", "&File"));
  file->Add(std::make_unique<TMenuItem>("Menusave", "&Save"));
  file->Add(std::make_unique<TMenuItem>("N2", "-"));
  file->Add(std::make_unique<TMenuItem>("SaveExit1", "S&ave && Exit"));
  root->Add(std::make_unique<TMenuItem>("About1", "&About"));
  return root;
}

std::string MenuString(HMENU menu, UINT position) {
  char text[64] = "";
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

TEST_F(FormTest, FixedBorderAndExactClientSizeWithAMenu) {
  TForm main("TForm1", "Form1", 396, 407);
  main.SetMenu(FileMenu());
  RECT client;
  GetClientRect(main.Handle(), &client);
  EXPECT_EQ(396, client.right);
  EXPECT_EQ(407, client.bottom);
  // A caption, the system menu and minimize; no sizing border, no maximize.
  const LONG_PTR frame = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME | WS_MAXIMIZEBOX;
  EXPECT_EQ(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
            GetWindowLongPtrA(main.Handle(), GWL_STYLE) & frame);
  char className[32] = "";
  GetClassNameA(main.Handle(), className, sizeof className);
  EXPECT_STREQ("TForm1", className);
}

TEST_F(FormTest, MenuKeepsCaptionsAsStoredAndRunsTheItemsOnClick) {
  form->SetMenu(FileMenu());
  HMENU bar = GetMenu(form->Handle());
  ASSERT_NE(nullptr, bar);
  EXPECT_EQ(2, GetMenuItemCount(bar));
  EXPECT_EQ("&About", MenuString(bar, 1));
  HMENU file = GetSubMenu(bar, 0);
  ASSERT_NE(nullptr, file);
  EXPECT_EQ("S&ave && Exit", MenuString(file, 2));
  EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR);

  TMenuItem* save = form->FindMenuItem("Menusave");
  ASSERT_NE(nullptr, save);
  TObject* sender = nullptr;
  save->OnClick = [&](TObject* s) { sender = s; };
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(save->Command(), 0), 0);
  EXPECT_EQ(save, sender);
  EXPECT_EQ(save->Command(), GetMenuItemID(file, 0));
}

TEST_F(FormTest, DisabledMenuItemIsGrayedAndItsCommandIgnored) {
  auto root = FileMenu();
  root->Items()[0]->Items()[2]->SetEnabled(false);  // before the menu exists
  form->SetMenu(std::move(root));
  EXPECT_TRUE(GetMenuState(GetSubMenu(GetMenu(form->Handle()), 0), 2, MF_BYPOSITION) & MF_GRAYED);
  TMenuItem* about = form->FindMenuItem("About1");
  TMenuItem* save = form->FindMenuItem("Menusave");
  int clicks = 0;
  save->OnClick = [&](TObject*) { ++clicks; };
  save->SetEnabled(false);
  about->SetEnabled(false);
  HMENU bar = GetMenu(form->Handle());
  EXPECT_TRUE(GetMenuState(GetSubMenu(bar, 0), 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(bar, 1, MF_BYPOSITION) & MF_GRAYED);
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(save->Command(), 0), 0);
  EXPECT_EQ(0, clicks);
  save->SetEnabled(true);
  EXPECT_FALSE(GetMenuState(GetSubMenu(bar, 0), 0, MF_BYPOSITION) & MF_GRAYED);
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(save->Command(), 0), 0);
  EXPECT_EQ(1, clicks);
  // Enter and Escape reach the form as IDOK and IDCANCEL; they are no menu
  // commands.
  SendMessageA(form->Handle(), WM_COMMAND, IDOK, 0);
  SendMessageA(form->Handle(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(1, clicks);
}

TEST_F(FormTest, OnShowRunsOnceBeforeTheWindowAppearsAndActivateEveryTime) {
  std::vector<std::string> events;
  form->OnShow = [&](TObject*) {
    events.push_back(IsWindowVisible(form->Handle()) ? "show-visible" : "show");
  };
  form->OnActivate = [&](TObject*) { events.push_back("activate"); };
  ShowForm();
  form->Show();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ("show", events.front());
  EXPECT_EQ(1, std::count(events.begin(), events.end(), "show"));
  const auto activations = std::count(events.begin(), events.end(), "activate");
  EXPECT_GE(activations, 1);

  ActivateAnotherFormAndBack();
  EXPECT_EQ(activations + 1, std::count(events.begin(), events.end(), "activate"));
}

TEST_F(FormTest, ReactivationGivesTheFocusBackToTheControlThatHadIt) {
  Add<TEdit>({10, 10, 100, 21}, form.get(), "Edit1");  // the field a reset focus would go to
  auto& second = Add<TEdit>({10, 40, 100, 21}, form.get(), "Edit2");
  ShowForm();
  second.SetFocus();
  // An activation while a control has the keyboard leaves it there.
  SendMessageA(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_TRUE(second.Focused());
  ActivateAnotherFormAndBack();
  EXPECT_TRUE(second.Focused());
}

TEST_F(FormTest, CloseAsksOnCloseQueryAndOnlyAnAllowedCloseDestroys) {
  ShowForm();
  // A query that fails half-way keeps the window: it might have been about
  // to save.
  form->OnCloseQuery = [](TObject*, bool&) { throw std::runtime_error("Registry is read-only"); };
  dialogs.ExpectMessageBox("Platform tests", "Registry is read-only", MB_ICONERROR | MB_OK, IDOK);
  form->Close();
  EXPECT_FALSE(form->Closed());
  dialogs.VerifyAndClear();

  bool allow = false;
  int asked = 0;
  form->OnCloseQuery = [&](TObject*, bool& canClose) {
    ++asked;
    canClose = allow;
  };
  SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(1, asked);
  EXPECT_FALSE(form->Closed());
  EXPECT_TRUE(IsWindow(form->Handle()));
  allow = true;
  form->Close();
  EXPECT_EQ(2, asked);
  EXPECT_TRUE(form->Closed());
}

TEST_F(FormTest, DestroyingTheMainFormEndsTheMessageLoop) {
  form->IsMainForm = true;
  int destroyed = 0;
  form->OnDestroy = [&](TObject*) { ++destroyed; };
  ShowForm();
  EXPECT_EQ(form->Handle(), Application().MainWindow);
  PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
  Application().Run();  // returns on the WM_QUIT of the destruction
  EXPECT_TRUE(form->Closed());
  EXPECT_EQ(1, destroyed);
  EXPECT_EQ(nullptr, Application().MainWindow);
}

TEST_F(FormTest, ShowModalDisablesTheOwnerUntilAModalResultIsSet) {
  ShowForm();
  TForm about("TAboutBox", "AboutBox", 200, 150, TFormStyle{}, form->Handle());
  TButton ok(&about, "OKButton", "OK");
  ok.SetBounds(10, 10, 75, 25);
  bool ownerDisabled = false;
  ok.OnClick = [&](TObject*) {
    ownerDisabled = !IsWindowEnabled(form->Handle());
    about.SetModalResult(IDOK);
  };
  PostMessageA(ok.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(IDOK, about.ShowModal());
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  EXPECT_FALSE(IsWindowVisible(about.Handle()));

  // Closed with the close box: cancelled.
  PostMessageA(about.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(IDCANCEL, about.ShowModal());
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

TEST_F(FormTest, StatusBarPanelsEndAtTheSumsOfTheirWidths) {
  TStatusBar bar(form.get(), "StatusBar1", {280, 50});
  bar.SetBounds(0, 281, 400, 19);
  int edges[4] = {};
  ASSERT_EQ(2, SendMessageA(bar.Handle(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)));
  EXPECT_EQ(280, edges[0]);
  EXPECT_EQ(330, edges[1]);
  RECT second;
  SendMessageA(bar.Handle(), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&second));
  EXPECT_NEAR(330, second.right, 2);
  EXPECT_NEAR(280, second.left, 2);
  EXPECT_FALSE(GetWindowLongPtrA(bar.Handle(), GWL_STYLE) & SBARS_SIZEGRIP);

  // A centred panel's text goes to the bar behind a tab.
  bar.SetPanelCentered(1, true);
  bar.SetPanelText(0, " Callsign not found");
  bar.SetPanelText(1, "Local Time:  09:05:00");
  char text[64] = "";
  const LRESULT info = SendMessageA(bar.Handle(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ("\tLocal Time:  09:05:00", text);
  EXPECT_EQ(SBT_POPOUT, HIWORD(info) & SBT_POPOUT);
  EXPECT_EQ("Local Time:  09:05:00", bar.PanelText(1));
  SendMessageA(bar.Handle(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(" Callsign not found", text);
  EXPECT_THROW(bar.SetPanelText(2, "x"), std::out_of_range);
}

}  // namespace
