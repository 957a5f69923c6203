#include "Psd/PsdThumbnail.h"

// libjpeg's header needs the size types declared first.
#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include "Psd/PsdError.h"
#include "Psd/PsdPixels.h"

namespace psd {

namespace {

// Thumbnails are a few hundred pixels a side; a JPEG header can claim far
// more than its few bytes hold.
constexpr std::uint64_t kMaxThumbnailPixels = std::uint64_t{1} << 24;

bool ThumbnailFits(std::uint64_t width, std::uint64_t height) {
  return width > 0 && height > 0 && width <= kMaxThumbnailPixels && height <= kMaxThumbnailPixels &&
         width * height <= kMaxThumbnailPixels;
}

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void JumpOnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// The Adobe marker says the CMYK samples are stored inverted.
std::uint32_t JpegPixel(const JSAMPLE* sample, int components, bool adobeInverted) {
  if (components == 1) {
    return 0xFF000000u | sample[0] * 0x010101u;
  }
  if (components == 3) {
    return 0xFF000000u | static_cast<std::uint32_t>(sample[0]) << 16 | sample[1] << 8 | sample[2];
  }
  const auto ink = [&](int index) {
    return static_cast<std::uint32_t>(adobeInverted ? sample[index] * sample[3] / 255
                                                    : (255 - sample[index]) * (255 - sample[3]) / 255);
  };
  return 0xFF000000u | ink(0) << 16 | ink(1) << 8 | ink(2);
}

// Everything that must survive a longjmp lives in the caller's objects: this
// frame holds nothing with a destructor.
int Decode(jpeg_decompress_struct& info, ErrorManager& errors, std::span<const std::uint8_t> jpeg,
           std::vector<std::uint32_t>& pixels, std::vector<JSAMPLE>& row, std::uint32_t& width,
           std::uint32_t& height) {
  if (setjmp(errors.jump)) {
    return kPsdBadThumbnail;
  }
  jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    return kPsdBadThumbnail;
  }
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : info.jpeg_color_space == JCS_GRAYSCALE ? JCS_GRAYSCALE : JCS_RGB;
  info.do_fancy_upsampling = FALSE;
  info.do_block_smoothing = FALSE;
  if (!ThumbnailFits(info.image_width, info.image_height)) {
    return kPsdBadThumbnail;
  }
  jpeg_start_decompress(&info);
  const int components = info.output_components;
  width = info.output_width;
  height = info.output_height;
  if (!ThumbnailFits(width, height) || (components != 1 && components != 3 && components != 4)) {
    return kPsdBadThumbnail;
  }
  pixels.assign(static_cast<std::size_t>(width) * height, 0);
  row.assign(static_cast<std::size_t>(width) * components, 0);
  JSAMPROW rows[1] = {row.data()};
  while (info.output_scanline < height) {
    const std::size_t y = info.output_scanline;
    if (jpeg_read_scanlines(&info, rows, 1) != 1) {
      break;
    }
    for (std::size_t x = 0; x < width; ++x) {
      pixels[y * width + x] = JpegPixel(row.data() + x * components, components, info.saw_Adobe_marker);
    }
  }
  jpeg_abort_decompress(&info);
  return kPsdOk;
}

}  // namespace

int DecodePsdJpegThumbnail(std::span<const std::uint8_t> jpeg, std::vector<std::uint32_t>& pixels,
                           std::uint32_t& width, std::uint32_t& height) {
  if (jpeg.empty()) {
    return kPsdBadThumbnail;
  }
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JumpOnError;
  // Warnings of damaged data are not errors of the document.
  errors.base.output_message = [](j_common_ptr) {};
  jpeg_create_decompress(&info);
  std::vector<JSAMPLE> row;
  const int result = Decode(info, errors, jpeg, pixels, row, width, height);
  jpeg_destroy_decompress(&info);
  if (result != kPsdOk) {
    pixels.clear();
    width = 0;
    height = 0;
  }
  return result;
}

}  // namespace psd
