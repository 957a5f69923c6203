// make_fx_atlas <source .ptc> <output folder>: checks a particle file with the
// engine's own reader, draws the frames of its atlases into PNG images named
// after them, and copies the file beside them.

#include <png.h>
#include <tinyxml2.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Platform/Particles/ParticleFile.h"
#include "tools/particles/Sprites.h"

namespace {

bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA;
  return png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr) != 0;
}

bool DrawAtlas(const tinyxml2::XMLElement& atlas, const std::filesystem::path& folder) {
  const int width = atlas.IntAttribute("width");
  const int height = atlas.IntAttribute("height");
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4, 0);
  for (const auto* frame = atlas.FirstChildElement("frame"); frame; frame = frame->NextSiblingElement("frame")) {
    const char* sprite = frame->Attribute("sprite");
    SpriteCanvas canvas(rgba.data(), width, frame->IntAttribute("x"), frame->IntAttribute("y"),
                        frame->IntAttribute("w"), frame->IntAttribute("h"));
    if (!sprite || !canvas.Draw(sprite)) {
      std::fprintf(stderr, "frame '%s' (line %d) has no known sprite\n", frame->Attribute("name"), frame->GetLineNum());
      return false;
    }
  }
  const std::string path = (folder / (std::string(atlas.Attribute("image")) + ".png")).string();
  if (!WritePng(path, width, height, rgba)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_fx_atlas <source .ptc> <output folder>\n");
    return 2;
  }
  const std::filesystem::path source = argv[1];
  const std::filesystem::path folder = argv[2];
  std::ifstream in(source, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  // The atlases are only drawn for a file the game will accept.
  std::string error;
  if (!particles::File::Open(text.data(), text.size(), error)) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
    return 1;
  }
  tinyxml2::XMLDocument document;
  document.Parse(text.data(), text.size());
  std::error_code created;
  std::filesystem::create_directories(folder, created);
  for (const auto* atlas = document.RootElement()->FirstChildElement("atlas"); atlas;
       atlas = atlas->NextSiblingElement("atlas")) {
    if (!DrawAtlas(*atlas, folder)) return 1;
  }
  std::error_code copied;
  std::filesystem::copy_file(source, folder / source.filename(), std::filesystem::copy_options::overwrite_existing,
                             copied);
  if (copied) {
    std::fprintf(stderr, "cannot copy %s: %s\n", argv[1], copied.message().c_str());
    return 1;
  }
  return 0;
}
