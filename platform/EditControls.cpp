// The text controls: edit field, combo box and list box.
#include "platform/Controls.h"

#include "platform/ControlSupport.h"

using namespace nodrax_controls;

namespace {

// Enter reaches a text control as a key of its own: the dialog manager would
// otherwise turn it into the default-button command and the field's key
// handler would never see it. Tab and the arrows stay with the dialog
// manager for moving between controls.
LRESULT WantEnter(LRESULT code, LPARAM lParam) {
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  if (msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) &&
      msg->wParam == VK_RETURN)
    code |= DLGC_WANTALLKEYS;
  return code;
}

// A single-line field has no place for a line break, and passing one on
// only makes the control beep.
bool IsLineBreak(WPARAM key) { return key == '\r' || key == '\n'; }

std::string ListText(HWND hwnd, UINT lengthMsg, UINT textMsg, int index) {
  if (!hwnd || index < 0) return {};
  const LRESULT length = SendMessageA(hwnd, lengthMsg, index, 0);
  if (length < 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const LRESULT got = SendMessageA(hwnd, textMsg, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

// Marks a text that the control itself sets, so that the notification it
// causes is not taken for an edit.
class TSettingText {
 public:
  explicit TSettingText(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
  ~TSettingText() { flag_ = previous_; }

 private:
  bool& flag_;
  bool previous_;
};

}  // namespace

// ---------------------------------------------------------------------------
// TEdit

TEdit::TEdit(TContainer* parent, std::string name) : TControl(std::move(name)) {
  CreateHandle(parent, "EDIT", WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
               WS_EX_CLIENTEDGE, "");
}

void TEdit::SetText(const std::string& text) {
  // As in the VCL, the same text again is no change: nothing is set and
  // OnChange does not run. (Setting an edit's text is also slow under Wine,
  // and a load sets most fields to what they already hold.)
  if (hwnd_ && Text() == text) return;
  if (hwnd_) {
    TSettingText setting(settingText_);
    SetWindowTextA(hwnd_, text.c_str());
  }
  // A program-set text that differs counts as a change, once.
  TNotifyEvent handler = OnChange;
  if (handler) Fire([&] { handler(this); });
}

void TEdit::ShowText(const std::string& text) {
  if (!hwnd_ || Text() == text) return;
  TSettingText setting(settingText_);
  SetWindowTextA(hwnd_, text.c_str());
}

void TEdit::SetMaxLength(int length) {
  if (hwnd_) SendMessageA(hwnd_, EM_LIMITTEXT, length > 0 ? length : 0, 0);
}

bool TEdit::HandleCommand(WORD code) {
  if (code != EN_CHANGE) return false;
  if (!settingText_) {
    TNotifyEvent handler = OnChange;
    if (handler) Fire([&] { handler(this); });
  }
  return true;
}

LRESULT TEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_GETDLGCODE:
      return WantEnter(DefaultProc(msg, wParam, lParam), lParam);
    case WM_CHAR: {
      char key = static_cast<char>(wParam);
      if (static_cast<unsigned char>(key) >= ' ') {
        if (upperCase_) CharUpperBuffA(&key, 1);
        if (oemConvert_) {
          // What the OEM code page cannot hold comes back as its nearest
          // character or the default one.
          char oem = 0;
          CharToOemBuffA(&key, &oem, 1);
          OemToCharBuffA(&oem, &key, 1);
        }
        wParam = static_cast<unsigned char>(key);
      }
      if (RunKeyEvent(msg, wParam)) return 0;
      if (IsLineBreak(wParam)) return 0;
      return DefaultProc(msg, wParam, lParam);
    }
    case WM_LBUTTONUP: {
      // The field has placed the caret and taken the focus by now.
      const LRESULT result = DefaultProc(msg, wParam, lParam);
      TNotifyEvent handler = OnClick;
      if (handler) Fire([&] { handler(this); });
      return result;
    }
  }
  return TControl::WndProc(msg, wParam, lParam);
}

// ---------------------------------------------------------------------------
// TComboBox

TComboBox::TComboBox(TContainer* parent, std::string name, TComboStyle style)
    : TControl(std::move(name)), style_(style) {
  const DWORD kind = style == TComboStyle::DropDown ? CBS_DROPDOWN : CBS_DROPDOWNLIST;
  CreateHandle(parent, "COMBOBOX", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL | kind,
               0, "");
  if (style == TComboStyle::DropDown) {
    // The keys of a drop-down combo box go to its edit field.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    HWND edit = GetComboBoxInfo(hwnd_, &info) ? info.hwndItem : GetWindow(hwnd_, GW_CHILD);
    SubclassChild(edit);
  }
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
  ClearItems();
  for (const std::string& item : items) AddItem(item);
}

void TComboBox::AddItem(const std::string& item) {
  if (hwnd_) SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void TComboBox::ClearItems() {
  if (!hwnd_) return;
  TSettingText setting(settingText_);
  SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
}

int TComboBox::ItemCount() const {
  return hwnd_ ? static_cast<int>(SendMessageA(hwnd_, CB_GETCOUNT, 0, 0)) : 0;
}

std::string TComboBox::Item(int index) const {
  return ListText(hwnd_, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

int TComboBox::ItemIndex() const {
  return hwnd_ ? static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0)) : -1;
}

void TComboBox::SetItemIndex(int index) {
  ShowItemIndex(index);
  TNotifyEvent handler = OnChange;
  if (handler) Fire([&] { handler(this); });
}

void TComboBox::ShowItemIndex(int index) {
  if (!hwnd_) return;
  TSettingText setting(settingText_);
  SendMessageA(hwnd_, CB_SETCURSEL, index, 0);
}

void TComboBox::SetText(const std::string& text) {
  ShowText(text);
  TNotifyEvent handler = OnChange;
  if (handler) Fire([&] { handler(this); });
}

void TComboBox::ShowText(const std::string& text) {
  if (hwnd_) {
    TSettingText setting(settingText_);
    if (style_ == TComboStyle::DropDownList) {
      // A list without an edit field can only show one of its items.
      const LRESULT index =
          SendMessageA(hwnd_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>(text.c_str()));
      SendMessageA(hwnd_, CB_SETCURSEL, index, 0);
    } else {
      SetWindowTextA(hwnd_, text.c_str());
    }
  }
}

bool TComboBox::HandleCommand(WORD code) {
  if (code == CBN_EDITCHANGE) {
    if (!settingText_) {
      TNotifyEvent handler = OnChange;
      if (handler) Fire([&] { handler(this); });
    }
    return true;
  }
  if (code == CBN_SELCHANGE) {
    if (settingText_) return true;
    // The edit field still shows the old text while the selection changes;
    // the change handler must read the chosen one.
    const int index = ItemIndex();
    if (style_ == TComboStyle::DropDown && index >= 0) {
      TSettingText setting(settingText_);
      SetWindowTextA(hwnd_, Item(index).c_str());
    }
    TNotifyEvent handler = OnChange;
    if (handler) Fire([&] { handler(this); });
    return true;
  }
  return false;
}

LRESULT TComboBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETDLGCODE) return WantEnter(DefaultProc(msg, wParam, lParam), lParam);
  if (msg == WM_CHAR && style_ == TComboStyle::DropDownList) {
    if (RunKeyEvent(msg, wParam) || IsLineBreak(wParam)) return 0;
    return DefaultProc(msg, wParam, lParam);
  }
  return TControl::WndProc(msg, wParam, lParam);
}

LRESULT TComboBox::ChildProc(HWND child, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETDLGCODE)
    return WantEnter(DefaultChildProc(child, msg, wParam, lParam), lParam);
  if (msg == WM_CHAR) {
    if (RunKeyEvent(msg, wParam) || IsLineBreak(wParam)) return 0;
    return IsWindow(child) ? DefaultChildProc(child, msg, wParam, lParam) : 0;
  }
  return TControl::ChildProc(child, msg, wParam, lParam);
}

// ---------------------------------------------------------------------------
// TListBox

TListBox::TListBox(TContainer* parent, std::string name) : TControl(std::move(name)) {
  // Unsorted: the items keep the order they are added in.
  CreateHandle(parent, "LISTBOX",
               WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
               WS_EX_CLIENTEDGE, "");
}

void TListBox::AddItem(const std::string& item) {
  if (hwnd_) SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void TListBox::InsertItem(int index, const std::string& item) {
  if (hwnd_) SendMessageA(hwnd_, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(item.c_str()));
}

void TListBox::DeleteItem(int index) {
  if (hwnd_) SendMessageA(hwnd_, LB_DELETESTRING, index, 0);
}

void TListBox::ClearItems() {
  if (hwnd_) SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
}

int TListBox::ItemCount() const {
  return hwnd_ ? static_cast<int>(SendMessageA(hwnd_, LB_GETCOUNT, 0, 0)) : 0;
}

std::string TListBox::Item(int index) const {
  return ListText(hwnd_, LB_GETTEXTLEN, LB_GETTEXT, index);
}

int TListBox::ItemIndex() const {
  return hwnd_ ? static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0)) : -1;
}

void TListBox::SetItemIndex(int index) {
  if (hwnd_) SendMessageA(hwnd_, LB_SETCURSEL, index, 0);
}

bool TListBox::HandleCommand(WORD code) {
  if (code != LBN_SELCHANGE) return false;
  TNotifyEvent handler = OnClick;
  if (handler) Fire([&] { handler(this); });
  return true;
}
