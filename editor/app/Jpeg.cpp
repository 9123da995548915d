#include "editor/app/Jpeg.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE

extern "C" {
#include <jpeglib.h>
}

namespace {

struct TErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf escape;
};

// libjpeg's own error exit ends the process; this one returns to the
// decoder, which gives up on the picture.
void ErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<TErrorManager*>(info->err)->escape, 1);
}

// Warnings about damaged data would go to stderr, which a GUI program does
// not have.
void OutputMessage(j_common_ptr) {}

// Everything that a longjmp may cross lives outside DecodeJpeg's frame:
// only plain C data is between the setjmp and libjpeg.
bool Decode(jpeg_decompress_struct& info, TErrorManager& errors, const unsigned char* data,
            unsigned long size, TRgbPicture& picture) {
  if (setjmp(errors.escape)) return false;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, size);
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  if (info.image_width == 0 || info.image_height == 0 ||
      info.image_width > static_cast<JDIMENSION>(kMaxJpegSide) ||
      info.image_height > static_cast<JDIMENSION>(kMaxJpegSide))
    return false;
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (info.output_components != 3) return false;
  const std::size_t stride = static_cast<std::size_t>(info.output_width) * 3;
  picture.Rgb.resize(stride * info.output_height);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = picture.Rgb.data() + stride * info.output_scanline;
    if (jpeg_read_scanlines(&info, &row, 1) != 1) return false;
  }
  jpeg_finish_decompress(&info);
  picture.Width = static_cast<int>(info.output_width);
  picture.Height = static_cast<int>(info.output_height);
  return true;
}

}  // namespace

bool DecodeJpeg(const void* data, std::size_t size, TRgbPicture& picture) {
  picture = TRgbPicture{};
  if (!data || size == 0 || size > 64u * 1024u * 1024u) return false;
  jpeg_decompress_struct info{};
  TErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = ErrorExit;
  errors.base.output_message = OutputMessage;
  const bool ok = Decode(info, errors, static_cast<const unsigned char*>(data),
                         static_cast<unsigned long>(size), picture);
  jpeg_destroy_decompress(&info);  // also after a failed creation: it checks
  if (!ok) picture = TRgbPicture{};
  return ok;
}
