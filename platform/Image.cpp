// The picture control.
#include "platform/Controls.h"
#include "platform/ControlSupport.h"

TImage::TImage(TContainer* parent, std::string name) : TControl(std::move(name)) {
  // Owner-drawn: the parent reflects WM_DRAWITEM to HandleDrawItem.
  CreateHandle(parent, "STATIC", WS_VISIBLE | SS_OWNERDRAW, 0, "");
}

void TImage::ClearPicture() {
  width_ = height_ = 0;
  bits_.clear();
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void TImage::SetPicture(int width, int height, const std::vector<unsigned char>& rgb) {
  if (width <= 0 || height <= 0 ||
      rgb.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 3) {
    ClearPicture();
    return;
  }
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
  bits_.assign(stride * static_cast<size_t>(height), 0);
  for (int y = 0; y < height; ++y) {
    const unsigned char* from = rgb.data() + static_cast<size_t>(y) * width * 3;
    unsigned char* to = bits_.data() + static_cast<size_t>(height - 1 - y) * stride;
    for (int x = 0; x < width; ++x, from += 3, to += 3) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
    }
  }
  width_ = width;
  height_ = height;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

RECT TImage::PictureRect() const {
  RECT client{};
  if (hwnd_) GetClientRect(hwnd_, &client);
  if (!HasPicture()) return RECT{};
  const int boxWidth = client.right - client.left;
  const int boxHeight = client.bottom - client.top;
  // The larger of the two scales that still fit, rounded to whole pixels.
  int width = boxWidth;
  int height = MulDiv(height_, boxWidth, width_);
  if (height > boxHeight) {
    height = boxHeight;
    width = MulDiv(width_, boxHeight, height_);
  }
  const int left = (boxWidth - width) / 2;
  const int top = (boxHeight - height) / 2;
  return RECT{left, top, left + width, top + height};
}

bool TImage::HandleDrawItem(DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  HBRUSH background = parent_ ? parent_->BackgroundBrush()
                              : GetSysColorBrush(COLOR_BTNFACE);
  FillRect(dc, &item->rcItem, background);
  if (!HasPicture()) return true;
  const RECT to = PictureRect();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = height_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const int oldMode = SetStretchBltMode(dc, HALFTONE);
  POINT oldOrigin{};
  SetBrushOrgEx(dc, 0, 0, &oldOrigin);  // as HALFTONE requires
  StretchDIBits(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, 0, 0, width_, height_,
                bits_.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
  SetStretchBltMode(dc, oldMode);
  return true;
}
