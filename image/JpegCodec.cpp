#include "image/JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace zv {
namespace {

// libjpeg reports fatal errors through a jump back to the caller; messages
// stay inside the codec.
struct JumpingErrors {
  jpeg_error_mgr manager;
  std::jmp_buf back;
};

void JumpOnError(j_common_ptr info) {
  auto* errors = reinterpret_cast<JumpingErrors*>(info->err);
  std::longjmp(errors->back, 1);
}
void Silent(j_common_ptr) {}

}  // namespace

// No C++ object with a destructor lives across the jumps below.
std::vector<uint8_t> EncodeJpeg(const PixelImage& image, int32_t quality, int32_t dpi) {
  std::vector<uint8_t> out;
  if (image.Empty()) return out;
  jpeg_compress_struct info{};
  JumpingErrors errors{};
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = JumpOnError;
  errors.manager.output_message = Silent;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::vector<JSAMPLE> row(image.RowBytes());
  if (setjmp(errors.back)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(image.Width());
  info.image_height = static_cast<JDIMENSION>(image.Height());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  info.density_unit = 1;  // dots per inch
  info.X_density = static_cast<UINT16>(dpi);
  info.Y_density = static_cast<UINT16>(dpi);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    const uint8_t* bgr = image.Row(static_cast<int32_t>(info.next_scanline));
    for (size_t i = 0; i < row.size(); i += 3) {
      row[i] = bgr[i + 2];
      row[i + 1] = bgr[i + 1];
      row[i + 2] = bgr[i];
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  out.assign(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

PixelImage DecodeJpeg(const uint8_t* data, size_t size) {
  if (!data || size == 0) return {};
  jpeg_decompress_struct info{};
  JumpingErrors errors{};
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = JumpOnError;
  errors.manager.output_message = Silent;
  // The picture is created before the jump point so no destructor is skipped.
  PixelImage image;
  std::vector<JSAMPLE> row;
  if (setjmp(errors.back)) {
    jpeg_destroy_decompress(&info);
    return {};
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    return {};
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  image = PixelImage(static_cast<int32_t>(info.output_width), static_cast<int32_t>(info.output_height));
  if (image.Empty() || info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    return {};
  }
  row.resize(image.RowBytes());
  while (info.output_scanline < info.output_height) {
    const int32_t y = static_cast<int32_t>(info.output_scanline);
    JSAMPROW rows[1] = {row.data()};
    if (jpeg_read_scanlines(&info, rows, 1) != 1) break;
    uint8_t* bgr = image.Row(y);
    for (size_t i = 0; i < row.size(); i += 3) {
      bgr[i] = row[i + 2];
      bgr[i + 1] = row[i + 1];
      bgr[i + 2] = row[i];
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return image;
}

}  // namespace zv
