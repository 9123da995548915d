#include "editor/transfer/Colores.h"

#include "editor/config/Numbers.h"

namespace {
constexpr uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) {
  return red | (green << 8) | (blue << 16);
}

// In text-mode order: the dark eight, then their bright forms.
constexpr uint32_t kPalette[16] = {
    Rgb(0, 0, 0),       Rgb(0, 0, 128),   Rgb(0, 128, 0),   Rgb(0, 128, 128),
    Rgb(128, 0, 0),     Rgb(128, 0, 128), Rgb(128, 128, 0), Rgb(192, 192, 192),
    Rgb(128, 128, 128), Rgb(0, 0, 255),   Rgb(0, 255, 0),   Rgb(0, 255, 255),
    Rgb(255, 0, 0),     Rgb(255, 0, 255), Rgb(255, 255, 0), Rgb(255, 255, 255),
};
}  // namespace

uint32_t Colores(std::string_view text) {
  // 64 bits, so that a number too big for 32 cannot wrap into the palette.
  const int64_t index = ReadNumber(text);
  return index >= 0 && index < 16 ? kPalette[index] : kButtonFaceColour;
}
