#pragma once

#include <filesystem>
#include <string>

namespace psd_test {

// The committed files made by tools/psd-fixtures/make-fixtures.sh.
inline constexpr const char* kFixtureNames[] = {"rgb8_rle",  "rgb8_zip", "rgb16_zip", "gray8_rle",
                                                "cmyk8_rle", "indexed8", "groups",   "effects"};

inline std::filesystem::path FixturePath(const std::string& name) {
  return std::filesystem::path(__FILE__).parent_path() / "Fixtures" / name;
}

}  // namespace psd_test
