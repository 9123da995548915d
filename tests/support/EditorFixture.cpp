#include "support/EditorFixture.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "editor/config/Configuration.h"
#include "platform/Application.h"

namespace {
// The calls of one kind of dialog, each reduced to what a test looks at.
template <typename Pick>
auto Collect(const TScriptedDialogs& dialogs, TDialogKind kind, Pick pick) {
  std::vector<decltype(pick(std::declval<const TDialogCall&>()))> picked;
  for (const TDialogCall& call : dialogs.CallsOf(kind)) picked.push_back(pick(call));
  return picked;
}

// Keys go to the focused control: the sysop clicks into it first.
void Focus(HWND hwnd) {
  if (GetFocus() != hwnd) SetFocus(hwnd);
}

// Key messages carry the repeat count, the scan code and, for a release,
// the previous-state and transition bits.
LPARAM KeyData(WORD virtualKey, bool release) {
  LPARAM data = 1 | (static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16);
  if (release) data |= (1u << 30) | (1u << 31);
  return data;
}

bool IsButton(HWND hwnd) {
  char name[32] = "";
  GetClassNameA(hwnd, name, sizeof name);
  return lstrcmpiA(name, "Button") == 0;
}

// A form destroyed as the main window posts the end of the message loop;
// the next test's loop must not see it.
void DropQuit() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}
}  // namespace

void EditorFixture::SetUp() {
  RegistryTreeFixture::SetUp();
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  previousDialogs_ = SetDialogs(&dialogs);
  SetModified(false);
  CommandTail.clear();
  TApplication& app = Application();
  app.Title = "Nodrax configuration tool";
  app.HelpFile = "nodrax.hlp";
  app.MainWindow = nullptr;
}

void EditorFixture::DestroyEditor() {
  if (!form_) return;
  form_.reset();  // destroys a window that is still open, without asking
  Pump();
  DropQuit();
}

void EditorFixture::TearDown() {
  DestroyEditor();
  Application().MainWindow = nullptr;
  // An answer that no dialog took is a dialog that did not come.
  dialogs.VerifyAndClear();
  SetDialogs(previousDialogs_);
  SetModified(false);
  CommandTail.clear();
  RegistryTreeFixture::TearDown();
}

// ---------------------------------------------------------------------------
// The window.

void EditorFixture::OpenEditor() {
  ASSERT_FALSE(form_) << "the window is already open";
  form_ = std::make_unique<TForm1>(Doc());
  Application().MainWindow = form_->Handle();
  form_->Show();
  Pump();
  // The system activates a window it shows in front; where it did not (no
  // window manager, another window in front) the test does it, once.
  if (EditorOpen() && GetActiveWindow() != form_->Handle())
    SendMessageA(form_->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
  Pump();
}

bool EditorFixture::RequestClose() {
  if (!EditorOpen()) return true;
  SendMessageA(form_->Handle(), WM_CLOSE, 0, 0);
  Pump();
  DropQuit();
  return form_->Closed();
}

void EditorFixture::Pump() {
  Application().ProcessMessages();
}

// ---------------------------------------------------------------------------
// Input.

void EditorFixture::PressKey(TControl* control, WORD virtualKey, char ch) {
  ASSERT_NE(nullptr, control);
  HWND hwnd = control->Handle();
  Focus(hwnd);
  SendMessageA(hwnd, WM_KEYDOWN, virtualKey, KeyData(virtualKey, false));
  if (ch) SendMessageA(hwnd, WM_CHAR, static_cast<unsigned char>(ch), KeyData(virtualKey, false));
  Release(hwnd, virtualKey);
}

void EditorFixture::Release(HWND pressed, WORD virtualKey) {
  // The release goes to the window that has the focus by now, as the
  // keyboard's does (Enter and Tab may have moved it).
  HWND target = GetFocus();
  if (!target || !IsWindow(target)) target = pressed;
  if (IsWindow(target)) SendMessageA(target, WM_KEYUP, virtualKey, KeyData(virtualKey, true));
  Pump();
}

void EditorFixture::PressTab(TControl* control) {
  ASSERT_NE(nullptr, control);
  Focus(control->Handle());
  // Tab goes through the message loop, whose dialog navigation takes it
  // before it becomes a character.
  PostMessageA(control->Handle(), WM_KEYDOWN, VK_TAB, KeyData(VK_TAB, false));
  Pump();
  Release(control->Handle(), VK_TAB);
}

void EditorFixture::Type(TControl* control, const std::string& text) {
  ASSERT_NE(nullptr, control);
  for (char ch : text) {
    const SHORT scan = VkKeyScanA(ch);
    const WORD key = scan == -1 ? 0 : static_cast<WORD>(scan & 0xFF);
    PressKey(control, key, ch);
  }
}

void EditorFixture::Erase(TControl* control) {
  ASSERT_NE(nullptr, control);
  SendMessageA(control->Handle(), EM_SETSEL, 0, -1);
  PressKey(control, VK_BACK, '\b');
}

void EditorFixture::Paste(TControl* control, const std::string& text) {
  ASSERT_NE(nullptr, control);
  ASSERT_TRUE(OpenClipboard(control->Handle()));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  ASSERT_NE(nullptr, memory);
  char* data = static_cast<char*>(GlobalLock(memory));
  memcpy(data, text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  const bool placed = SetClipboardData(CF_TEXT, memory) != nullptr;
  CloseClipboard();
  ASSERT_TRUE(placed);
  SendMessageA(control->Handle(), WM_PASTE, 0, 0);
  Pump();
}

void EditorFixture::Click(TControl* control) {
  ASSERT_NE(nullptr, control);
  HWND hwnd = control->Handle();
  if (IsButton(hwnd)) {
    SendMessageA(hwnd, BM_CLICK, 0, 0);
  } else {
    RECT r;
    GetClientRect(hwnd, &r);
    const LPARAM at = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    if (IsWindow(hwnd)) SendMessageA(hwnd, WM_LBUTTONUP, 0, at);
  }
  Pump();
}

void EditorFixture::Keystroke(TControl* control, WORD virtualKey) {
  ASSERT_NE(nullptr, control);
  Focus(control->Handle());
  PostMessageA(control->Handle(), WM_KEYDOWN, virtualKey, KeyData(virtualKey, false));
  Pump();
  HWND target = GetFocus();
  if (!target) target = control->Handle();
  PostMessageA(target, WM_KEYUP, virtualKey, KeyData(virtualKey, true));
  Pump();
}

TTabSheet* EditorFixture::SheetOf(TControl* control) {
  for (TControl* c = control; c; c = c->Parent())
    if (auto* sheet = dynamic_cast<TTabSheet*>(c)) return sheet;
  return nullptr;
}

void EditorFixture::ClickTab(TTabSheet* page) {
  ASSERT_NE(nullptr, page);
  ASSERT_TRUE(page->TabVisible) << page->Name << " has no tab";
  int index = 0;
  for (TTabSheet* sheet : form_->Pagina->Pages()) {
    if (sheet == page) break;
    if (sheet->TabVisible) ++index;
  }
  HWND tabs = form_->Pagina->Handle();
  RECT r{};
  ASSERT_TRUE(SendMessageA(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(tabs, WM_LBUTTONUP, 0, at);
  Pump();
  ASSERT_EQ(page->Name, ActivePageName()) << "the click on the tab did not show the page";
}

void EditorFixture::SelectPageOf(TControl* control) {
  TTabSheet* sheet = SheetOf(control);
  ASSERT_NE(nullptr, sheet) << control->Name << " is on no page";
  if (form_->Pagina->ActivePage() != sheet) ClickTab(sheet);
}

TMenuItem* EditorFixture::MenuItem(const std::string& itemName) {
  return form_ ? form_->FindMenuItem(itemName) : nullptr;
}

void EditorFixture::InvokeMenu(const std::string& itemName) {
  TMenuItem* item = MenuItem(itemName);
  ASSERT_NE(nullptr, item) << itemName;
  SendMessageA(form_->Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
  Pump();
  DropQuit();
}

// ---------------------------------------------------------------------------
// Reading the window.

std::string EditorFixture::PanelText(int panel) {
  HWND bar = form_->StatusBar1->Handle();
  const LRESULT info = SendMessageA(bar, SB_GETTEXTLENGTHA, panel, 0);
  std::vector<char> text(LOWORD(info) + 1, '\0');
  SendMessageA(bar, SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(text.data()));
  // Leading tabs only place the text (one centres it, two align it right).
  std::string shown = text.data();
  const size_t tabs = std::min<size_t>(shown.find_first_not_of('\t'), 2);
  return shown.substr(std::min(tabs, shown.size()));
}

std::string EditorFixture::WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  std::vector<char> text(length + 1, '\0');
  GetWindowTextA(hwnd, text.data(), length + 1);
  return text.data();
}

std::string EditorFixture::TabCaption(int index) {
  char caption[64] = "";
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = caption;
  item.cchTextMax = sizeof caption;
  EXPECT_TRUE(SendMessageA(form_->Pagina->Handle(), TCM_GETITEMA, index,
                           reinterpret_cast<LPARAM>(&item)))
      << "tab " << index;
  return caption;
}

TControl* EditorFixture::FocusedControl() const {
  HWND focus = GetFocus();
  return focus ? TControl::FromHandle(focus) : nullptr;
}

std::string EditorFixture::FocusedName() const {
  TControl* control = FocusedControl();
  return control ? control->Name : std::string();
}

std::string EditorFixture::ActivePageName() const {
  TTabSheet* page = form_ ? form_->Pagina->ActivePage() : nullptr;
  return page ? page->Name : std::string();
}

TControl* EditorFixture::Control(const std::string& name) {
  TControl* control = form_->FindControl(name);
  EXPECT_NE(nullptr, control) << "no control " << name;
  return control;
}

TControl* EditorFixture::ShownControl(const std::string& name) {
  TControl* control = Control(name);
  if (control) SelectPageOf(control);
  return control;
}

// ---------------------------------------------------------------------------
// Dialogs.

void EditorFixture::AnswerMessage(int answer) { dialogs.ExpectAnyMessageBox(answer); }

void EditorFixture::AnswerBrowse(std::optional<std::string> path) {
  dialogs.ExpectBrowseFolder(std::move(path));
}

void EditorFixture::AnswerOpenFile(std::optional<std::string> path) {
  dialogs.ExpectOpenFile(std::move(path));
}

void EditorFixture::AnswerColour(std::optional<COLORREF> colour) {
  dialogs.ExpectChooseColour(colour);
}

std::vector<EditorFixture::TAskedMessage> EditorFixture::Messages() const {
  return Collect(dialogs, TDialogKind::MessageBox,
                 [](const TDialogCall& c) { return TAskedMessage{c.text, c.caption, c.type}; });
}

std::vector<std::string> EditorFixture::BrowseTitles() const {
  return Collect(dialogs, TDialogKind::BrowseFolder, [](const TDialogCall& c) { return c.text; });
}

std::vector<TFileDialogRequest> EditorFixture::OpenRequests() const {
  return Collect(dialogs, TDialogKind::OpenFile, [](const TDialogCall& c) { return c.file; });
}

std::vector<COLORREF> EditorFixture::ColourPresets() const {
  return Collect(dialogs, TDialogKind::ChooseColour, [](const TDialogCall& c) { return c.colour; });
}

void EditorFixture::ExpectOnlyMessage(const std::string& text, const std::string& caption,
                                      UINT type, size_t times) {
  const auto shown = Messages();
  ASSERT_EQ(times, shown.size()) << (shown.empty() ? "" : "first: " + shown.front().text);
  for (const TAskedMessage& m : shown) {
    EXPECT_EQ(text, m.text);
    EXPECT_EQ(caption, m.caption);
    EXPECT_EQ(type, m.type) << m.text;
  }
}
