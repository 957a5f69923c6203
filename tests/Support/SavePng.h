#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace testing_support {

// Keeps a picture of ARGB pixels, rows top first, as an RGB PNG for a person
// to look at; false when the file cannot be written.
bool SavePng(const std::filesystem::path& path, const std::vector<std::uint32_t>& argb, int width, int height);

}  // namespace testing_support
