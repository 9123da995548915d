// Check box, push button, flat browse button and radio group.
#include <algorithm>

#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/ControlSupport.h"

using namespace nodrax_controls;

// ---------------------------------------------------------------------------
// TCheckBox

TCheckBox::TCheckBox(TContainer* parent, std::string name, const std::string& caption)
    : TControl(std::move(name)) {
  CreateHandle(parent, "BUTTON", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, caption);
}

bool TCheckBox::Checked() const {
  return hwnd_ && SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
  if (!hwnd_ || Checked() == checked) return;
  ShowChecked(checked);
  TNotifyEvent handler = OnClick;
  if (handler) Fire([&] { handler(this); });
}

void TCheckBox::ShowChecked(bool checked) {
  if (hwnd_) SendMessageA(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TCheckBox::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  TNotifyEvent handler = OnClick;
  if (handler) Fire([&] { handler(this); });
  return true;
}

// ---------------------------------------------------------------------------
// TButton

TButton::TButton(TContainer* parent, std::string name, const std::string& caption)
    : TControl(std::move(name)) {
  CreateHandle(parent, "BUTTON", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, caption);
}

TButton::TButton(TContainer* parent, std::string name, const std::string& caption, FlatTag)
    : TControl(std::move(name)) {
  CreateHandle(parent, "BUTTON", WS_VISIBLE | BS_OWNERDRAW, 0, caption);
}

bool TButton::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  TNotifyEvent handler = OnClick;
  if (handler) Fire([&] { handler(this); });
  return true;
}

LRESULT TButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETDLGCODE) {
    // Enter on a focused button presses it, as Space does; the dialog
    // manager alone would send it to a default button there is none of.
    LRESULT code = DefaultProc(msg, wParam, lParam);
    const MSG* key = reinterpret_cast<const MSG*>(lParam);
    if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) code |= DLGC_WANTALLKEYS;
    return code;
  }
  if (msg == WM_KEYDOWN && wParam == VK_RETURN) {
    SendMessageA(hwnd_, BM_CLICK, 0, 0);
    return 0;
  }
  return TControl::WndProc(msg, wParam, lParam);
}

// ---------------------------------------------------------------------------
// TSpeedButton: drawn here and driven by the mouse here, so that a click
// never takes the focus from the field being edited.

TSpeedButton::TSpeedButton(TContainer* parent, std::string name, const std::string& caption)
    : TButton(parent, std::move(name), caption, FlatTag{}) {}

bool TSpeedButton::HandleCommand(WORD code) {
  // Clicks are raised by the mouse handling below; a notification of the
  // button class would only repeat one.
  return code == BN_CLICKED;
}

LRESULT TSpeedButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetCapture(hwnd_);
      tracking_ = true;
      pushed_ = true;
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_MOUSEMOVE: {
      if (!hot_) {
        hot_ = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
        TrackMouseEvent(&track);
        InvalidateRect(hwnd_, nullptr, FALSE);
      }
      if (tracking_) {
        RECT client;
        GetClientRect(hwnd_, &client);
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const bool inside = PtInRect(&client, at) != FALSE;
        if (inside != pushed_) {
          pushed_ = inside;
          InvalidateRect(hwnd_, nullptr, FALSE);
        }
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      hot_ = false;
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP: {
      if (!tracking_) return 0;
      const bool click = pushed_;
      tracking_ = false;
      pushed_ = false;
      ReleaseCapture();
      InvalidateRect(hwnd_, nullptr, FALSE);
      if (click) {
        TNotifyEvent handler = OnClick;
        if (handler) Fire([&] { handler(this); });
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (tracking_ && reinterpret_cast<HWND>(lParam) != hwnd_) {
        tracking_ = false;
        pushed_ = false;
        InvalidateRect(hwnd_, nullptr, FALSE);
      }
      return 0;
    case BM_CLICK: {
      if (!IsWindowEnabled(hwnd_)) return 0;
      TNotifyEvent handler = OnClick;
      if (handler) Fire([&] { handler(this); });
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
  }
  return TControl::WndProc(msg, wParam, lParam);
}

namespace {

// A small folder: a tab above a body, 15 x 12 pixels from (x, y) at 96 DPI,
// scaled by the control.
void DrawFolder(HDC dc, const TControl& button, int x, int y, bool enabled) {
  // Whole pixels only: a line a pixel and a half wide would blur.
  const int line = std::max(1, button.Dpi() / 96);
  HPEN pen = CreatePen(line > 1 ? PS_INSIDEFRAME : PS_SOLID, line,
                       enabled ? RGB(128, 96, 0) : GetSysColor(COLOR_GRAYTEXT));
  HBRUSH fill = CreateSolidBrush(enabled ? RGB(255, 208, 80) : GetSysColor(COLOR_BTNFACE));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, fill);
  Rectangle(dc, x, y, x + button.Scale(7), y + button.Scale(4));
  Rectangle(dc, x, y + button.Scale(2), x + button.Scale(15), y + button.Scale(12));
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(fill);
  DeleteObject(pen);
}

}  // namespace

bool TSpeedButton::HandleDrawItem(DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  RECT r = item->rcItem;
  const bool enabled = !(item->itemState & ODS_DISABLED);
  FillRect(dc, &r, parent_ ? parent_->BackgroundBrush() : GetSysColorBrush(COLOR_BTNFACE));
  if (pushed_)
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  else if (hot_ && enabled)
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  const int shift = pushed_ ? 1 : 0;
  const int glyphTop = (r.top + r.bottom) / 2 - Scale(6) + shift;
  DrawFolder(dc, *this, r.left + Scale(3) + shift, glyphTop, enabled);

  HGDIOBJ oldFont = SelectObject(dc, Application().Font(dpi_));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  RECT text{r.left + Scale(22) + shift, r.top + shift, r.right - Scale(2), r.bottom + shift};
  const std::string caption = Text();
  DrawTextA(dc, caption.c_str(), -1, &text,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  return true;
}

// ---------------------------------------------------------------------------
// TRadioGroup

TRadioGroup::TRadioGroup(TContainer* parent, std::string name, const std::string& caption,
                         const std::vector<std::string>& items, int columns)
    : TContainer(std::move(name)), columns_(std::max(1, columns)) {
  SetGroupFrame(true);
  CreateContainer(parent, WS_VISIBLE, 0, caption);
  count_ = static_cast<int>(items.size());
  for (int i = 0; i < count_; ++i) {
    // One group: the arrow keys move within it and a click unticks the rest.
    // Tab enters the group at its first button while none is ticked.
    const DWORD style =
        WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0);
    const RECT r = ButtonRect(i);
    HWND button = CreateWindowExA(0, "BUTTON", items[i].c_str(), style, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, hwnd_,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextControlId())),
                                  Instance(), nullptr);
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(Application().Font(dpi_)), FALSE);
    buttons_.push_back(button);
  }
  GetClientRect(hwnd_, &laidOut_);
  laidOutDpi_ = dpi_;
}

void TRadioGroup::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
  Layout();
}

int TRadioGroup::ItemIndex() const { return index_; }

void TRadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= ItemCount()) index = -1;
  if (index == index_) return;
  ShowItemIndex(index);
  TNotifyEvent handler = OnClick;
  if (handler) Fire([&] { handler(this); });
}

void TRadioGroup::ShowItemIndex(int index) {
  if (index < -1 || index >= ItemCount()) index = -1;
  if (index == index_) return;
  index_ = index;
  Check(index);
}

void TRadioGroup::Check(int index) {
  for (size_t i = 0; i < buttons_.size(); ++i) {
    HWND button = buttons_[i];
    const bool checked = static_cast<int>(i) == index;
    SendMessageA(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    // Tab enters the group at its ticked button, or at the first one.
    const bool stop = checked || (index < 0 && i == 0);
    const LONG_PTR style = GetWindowLongPtrA(button, GWL_STYLE);
    const LONG_PTR wanted = stop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    if (wanted != style) SetWindowLongPtrA(button, GWL_STYLE, wanted);
  }
}

RECT TRadioGroup::ButtonRect(int i) const {
  RECT client{};
  if (hwnd_) GetClientRect(hwnd_, &client);
  const int textHeight = FontHeight(dpi_);
  const int perColumn = (count_ + columns_ - 1) / columns_;
  const int left = Scale(8);
  const int top = textHeight + Scale(2);
  const int width = std::max(1, static_cast<int>(client.right) - Scale(8) - left);
  const int height = std::max(1, static_cast<int>(client.bottom) - Scale(4) - top);
  const int columnWidth = width / columns_;
  const int rowHeight = std::max(1, height / perColumn);
  const int buttonHeight = std::min(rowHeight, textHeight + Scale(4));
  const int column = i / perColumn;
  const int row = i % perColumn;
  const int x = left + column * columnWidth;
  const int y = top + row * rowHeight + (rowHeight - buttonHeight) / 2;
  return RECT{x, y, x + std::max(1, columnWidth - Scale(4)), y + buttonHeight};
}

void TRadioGroup::Layout() {
  if (!hwnd_ || buttons_.empty()) return;
  // The buttons stand where this size and font put them already.
  RECT client;
  GetClientRect(hwnd_, &client);
  if (EqualRect(&client, &laidOut_) && laidOutDpi_ == dpi_) return;
  laidOut_ = client;
  laidOutDpi_ = dpi_;
  for (int i = 0; i < count_; ++i) {
    const RECT r = ButtonRect(i);
    MoveWindow(buttons_[i], r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  }
}

void TRadioGroup::ApplyDpi(int oldDpi) {
  // The buttons take the new font with the other children; their places
  // come from the group's new size and font, whatever moved them meanwhile.
  TContainer::ApplyDpi(oldDpi);
  laidOutDpi_ = 0;
  Layout();
}

LRESULT TRadioGroup::ContainerProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND: {
      HWND from = reinterpret_cast<HWND>(lParam);
      auto it = std::find(buttons_.begin(), buttons_.end(), from);
      if (from && it != buttons_.end()) {
        // Buttons also notify when they merely take the focus; only a tick
        // chooses an item.
        const int index = static_cast<int>(it - buttons_.begin());
        if (HIWORD(wParam) == BN_CLICKED &&
            SendMessageA(from, BM_GETCHECK, 0, 0) == BST_CHECKED && index != index_) {
          index_ = index;
          Check(index);
          TNotifyEvent handler = OnClick;
          if (handler) Fire([&] { handler(this); });
        }
        return 0;
      }
      break;
    }
    case WM_SIZE:
      Layout();
      break;
    case WM_ENABLE:
      for (HWND button : buttons_) EnableWindow(button, static_cast<BOOL>(wParam));
      break;
  }
  return TContainer::ContainerProc(msg, wParam, lParam);
}
