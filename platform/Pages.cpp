// Tabbed pages and the status bar.
#include "platform/Controls.h"

#include <algorithm>

#include "platform/ControlSupport.h"

using namespace nodrax_controls;

// ---------------------------------------------------------------------------
// TTabSheet

TTabSheet::TTabSheet(TPageControl* pages, std::string name, const std::string& caption,
                     bool tabVisible)
    : TContainer(std::move(name)), Caption(caption), TabVisible(tabVisible), pages_(pages) {
  pages->AddSheet(this);
}

void TTabSheet::Realize() {
  if (hwnd_) return;
  // Hidden until its page control activates it.
  CreateContainer(pages_->Parent(), WS_CLIPSIBLINGS, 0, Caption);
  pages_->PlaceNewSheet(this);
}

void TTabSheet::ApplyDpi(int oldDpi) {
  if (!hwnd_) return;
  TContainer::ApplyDpiToChildren(oldDpi);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

// ---------------------------------------------------------------------------
// TPageControl

TPageControl::TPageControl(TContainer* parent, std::string name) : TControl(std::move(name)) {
  // Clipped against its sheets, which lie over it.
  CreateHandle(parent, WC_TABCONTROLA, WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | TCS_MULTILINE,
               0, "");
}

void TPageControl::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
  LayoutSheets();
}

void TPageControl::ApplyDpi(int oldDpi) {
  // The tabs take the new font, and may take another number of rows.
  TControl::ApplyDpi(oldDpi);
  LayoutSheets();
}

void TPageControl::PlaceNewSheet(TTabSheet* sheet) {
  // Just above the tab control in the z-order: drawn and clicked over its
  // display area, and the rest of the form keeps its order.
  HWND above = GetWindow(hwnd_, GW_HWNDPREV);
  if (above != sheet->Handle())
    SetWindowPos(sheet->Handle(), above ? above : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (IsRectEmpty(&laidOut_)) laidOut_ = DisplayRect();
  PlaceSheet(sheet, laidOut_);
}

void TPageControl::AddSheet(TTabSheet* sheet) {
  sheets_.push_back(sheet);
  if (sheet->TabVisible) {
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = const_cast<char*>(sheet->Caption.c_str());
    item.lParam = reinterpret_cast<LPARAM>(sheet);
    SendMessageA(hwnd_, TCM_INSERTITEMA, tabs_.size(), reinterpret_cast<LPARAM>(&item));
    tabs_.push_back(sheet);
  }
  // More tabs may take another row and shrink the display area: the
  // sheets made so far move with it.
  const RECT area = DisplayRect();
  if (!EqualRect(&area, &laidOut_)) LayoutSheets();
  if (!active_ && sheet->TabVisible) SetActivePage(sheet);
}

RECT TPageControl::DisplayRect() const {
  RECT r{};
  if (!hwnd_) return r;
  GetClientRect(hwnd_, &r);
  SendMessageA(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  MapWindowPoints(hwnd_, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void TPageControl::LayoutSheets() {
  laidOut_ = DisplayRect();
  for (TTabSheet* sheet : sheets_)
    if (sheet->Handle()) PlaceSheet(sheet, laidOut_);
}

void TPageControl::PlaceSheet(TTabSheet* sheet, const RECT& area) {
  SetWindowPos(sheet->Handle(), nullptr, area.left, area.top, area.right - area.left,
               area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TPageControl::SetActivePage(TTabSheet* sheet) {
  // A sheet without a tab is never shown.
  if (sheet && (sheet->PageControl() != this || !sheet->TabVisible)) return;
  HWND focus = GetFocus();
  bool focusHidden = false;
  for (TTabSheet* other : sheets_)
    if (other != sheet && focus && (other->Handle() == focus || IsChild(other->Handle(), focus)))
      focusHidden = true;
  // The keyboard must not stay in a page that is about to disappear.
  if (focusHidden) ::SetFocus(hwnd_);
  if (sheet) sheet->Realize();
  if (sheet && OnShowing) {
    std::function<void(TTabSheet*)> showing = OnShowing;
    Fire([&] { showing(sheet); });
  }
  if (sheet) sheet->SetVisible(true);
  for (TTabSheet* other : sheets_)
    if (other != sheet && other->Visible()) other->SetVisible(false);
  const bool changed = active_ != sheet;
  active_ = sheet;
  auto it = std::find(tabs_.begin(), tabs_.end(), sheet);
  const int index = sheet && it != tabs_.end() ? static_cast<int>(it - tabs_.begin()) : -1;
  if (SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0) != index)
    SendMessageA(hwnd_, TCM_SETCURSEL, index, 0);
  TNotifyEvent handler = OnChange;
  if (changed && handler) Fire([&] { handler(this); });
}

void TPageControl::SelectNextPage(bool forward) {
  if (tabs_.empty()) return;
  auto it = std::find(tabs_.begin(), tabs_.end(), active_);
  const int count = static_cast<int>(tabs_.size());
  int index = it == tabs_.end() ? (forward ? -1 : count) : static_cast<int>(it - tabs_.begin());
  index = (index + (forward ? 1 : count - 1)) % count;
  if (index < 0) index += count;
  TTabSheet* sheet = tabs_[index];
  SetActivePage(sheet);
  if (HWND first = GetNextDlgTabItem(sheet->Handle(), nullptr, FALSE))
    if (IsChild(sheet->Handle(), first)) ::SetFocus(first);
}

int TPageControl::RowCount() const {
  return hwnd_ ? static_cast<int>(SendMessageA(hwnd_, TCM_GETROWCOUNT, 0, 0)) : 0;
}

bool TPageControl::HandleNotify(NMHDR* header, LRESULT& result) {
  if (header->code == TCN_SELCHANGING) {
    result = FALSE;
    return true;
  }
  if (header->code == TCN_SELCHANGE) {
    const int index = static_cast<int>(SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0));
    if (index >= 0 && index < static_cast<int>(tabs_.size())) SetActivePage(tabs_[index]);
    result = 0;
    return true;
  }
  return false;
}

// ---------------------------------------------------------------------------
// TStatusBar

TStatusBar::TStatusBar(TContainer* parent, std::string name, const std::vector<int>& widths)
    : TControl(std::move(name)),
      widths_(widths),
      texts_(widths.size()),
      centred_(widths.size(), false) {
  // Placed by the form like any other control; no size grip.
  CreateHandle(parent, STATUSCLASSNAMEA, WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE, 0, "");
  SetParts();
  if (parent && parent->Handle()) {
    const RECT client = parent->ClientRect96();
    SetBounds(0, client.bottom - 19, client.right, 19);
  }
  for (size_t i = 0; i < texts_.size(); ++i) SetPanelText(static_cast<int>(i), "");
}

void TStatusBar::SetParts() {
  std::vector<int> edges;
  int right = 0;
  for (int width : widths_) {
    right += width;
    edges.push_back(Scale(right));
  }
  if (edges.empty()) edges.push_back(-1);
  SendMessageA(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void TStatusBar::ApplyDpi(int oldDpi) {
  TControl::ApplyDpi(oldDpi);
  SetParts();
}

void TStatusBar::SetPanelText(int panel, const std::string& text) {
  texts_.at(panel) = text;
  // A leading tab centres the text of a panel.
  const std::string shown = centred_.at(panel) ? "\t" + text : text;
  SendMessageA(hwnd_, SB_SETTEXTA, static_cast<WPARAM>(panel) | SBT_POPOUT,
               reinterpret_cast<LPARAM>(shown.c_str()));
}

std::string TStatusBar::PanelText(int panel) const { return texts_.at(panel); }

void TStatusBar::SetPanelCentered(int panel, bool centred) {
  centred_.at(panel) = centred;
  SetPanelText(panel, texts_.at(panel));
}
