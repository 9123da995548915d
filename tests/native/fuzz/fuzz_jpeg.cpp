// The JPEG decoder on arbitrary bytes: it either refuses them and leaves the
// picture empty, or gives a picture within the size limit whose pixel buffer
// is exactly width x height RGB triples; the same bytes decode the same way
// every time.
#include "FuzzCheck.h"
#include "editor/app/Jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  TRgbPicture picture;
  const bool ok = DecodeJpeg(data, size, picture);
  if (!ok) {
    FUZZ_CHECK(picture.Width == 0 && picture.Height == 0 && picture.Rgb.empty());
    return 0;
  }
  FUZZ_CHECK(picture.Width > 0 && picture.Width <= kMaxJpegSide);
  FUZZ_CHECK(picture.Height > 0 && picture.Height <= kMaxJpegSide);
  FUZZ_CHECK(picture.Rgb.size() ==
             static_cast<std::size_t>(picture.Width) * static_cast<std::size_t>(picture.Height) * 3);
  TRgbPicture again;
  FUZZ_CHECK(DecodeJpeg(data, size, again));
  FUZZ_CHECK(again.Width == picture.Width && again.Height == picture.Height &&
             again.Rgb == picture.Rgb);
  return 0;
}
