// Decoding of a JPEG picture held in memory, with libjpeg. Plain C++: no
// Windows headers.
#pragma once
#include <cstddef>
#include <vector>

struct TRgbPicture {
  int Width = 0;
  int Height = 0;
  std::vector<unsigned char> Rgb;  // top row first, red, green, blue per pixel
};

// Pictures larger than this on either side are refused rather than decoded.
constexpr int kMaxJpegSide = 4096;

// Decodes the picture into RGB. False, with picture left empty, for data
// that libjpeg cannot decode (not a JPEG, cut short, a colour space with no
// RGB conversion) or a picture larger than kMaxJpegSide.
bool DecodeJpeg(const void* data, std::size_t size, TRgbPicture& picture);
