// Writes the show and hide animations of the options dialog into a folder.
//
// The dialog's layer sits at the origin and covers the 1024 x 768 design
// area, so scaling it about the design centre (512, 384) moves its origin by
// (1 - scale) times that centre.

#include <cstdio>
#include <algorithm>
#include <fstream>
#include <string>

#include "tools/dialogs/AnimWriter/ScreenAnimWriter.h"

namespace {

constexpr float kCentreX = 512.0f;
constexpr float kCentreY = 384.0f;
constexpr float kSmallScale = 0.85f;

// From the small, transparent dialog to the full one over the duration, or
// back when reversed.
tools::ScreenAnim ScaleAndFade(const std::string& name, float duration, bool reversed) {
  tools::ScreenAnim anim;
  anim.name = name;
  anim.endTime = duration;
  const float from = reversed ? duration : 0.0f;
  const float to = reversed ? 0.0f : duration;
  const auto span = [&](float small, float full) {
    return std::vector<tools::LinearKey>{{std::min(from, to), reversed ? full : small},
                                         {std::max(from, to), reversed ? small : full}};
  };
  anim.channels[tools::kChannelPositionX] = span((1.0f - kSmallScale) * kCentreX, 0.0f);
  anim.channels[tools::kChannelPositionY] = span((1.0f - kSmallScale) * kCentreY, 0.0f);
  anim.channels[tools::kChannelScaleX] = span(kSmallScale, 1.0f);
  anim.channels[tools::kChannelScaleY] = span(kSmallScale, 1.0f);
  anim.channels[tools::kChannelScaleZ] = span(1.0f, 1.0f);
  anim.channels[tools::kChannelDissolve] = span(1.0f, 0.0f);
  return anim;
}

bool WriteFile(const std::string& path, const tools::ScreenAnim& anim) {
  const std::vector<std::uint8_t> bytes = tools::WriteScreenAnim(anim);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_dialog_anims <output folder>\n");
    return 1;
  }
  const std::string folder = argv[1];
  if (!WriteFile(folder + "/options_show.anim", ScaleAndFade("options_show", 0.25f, false)) ||
      !WriteFile(folder + "/options_hide.anim", ScaleAndFade("options_hide", 0.2f, true))) {
    std::fprintf(stderr, "make_dialog_anims: cannot write into %s\n", folder.c_str());
    return 1;
  }
  return 0;
}
