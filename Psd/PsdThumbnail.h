#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace psd {

// Decodes the JPEG data of a thumbnail resource into 0xAARRGGBB pixels of
// its own width and height. kPsdBadThumbnail for data libjpeg refuses or an
// image beyond the pixel limit.
int DecodePsdJpegThumbnail(std::span<const std::uint8_t> jpeg, std::vector<std::uint32_t>& pixels,
                           std::uint32_t& width, std::uint32_t& height);

}  // namespace psd
