#include "tools/art/Layout.h"

#include <tinyxml2.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <numeric>

#include "tools/art/PngFile.h"
#include "tools/art/PsdWriter/PsdWriter.h"

namespace art {

namespace {

// Empty pixels between atlas regions, so that filtering never samples a
// neighbour.
constexpr int kPadding = 2;

std::string TopGroup(const std::string& name) { return name.substr(0, name.find('/')); }

// The smallest rectangle holding every pixel that is not fully transparent.
void Trim(LayoutFrame& frame) {
  cairo_surface_t* surface = frame.pixels.get();
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  int left = frame.width, top = frame.height, right = -1, bottom = -1;
  for (int y = 0; y < frame.height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < frame.width; ++x) {
      if ((row[x] >> 24) == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return;
  frame.trimX = left;
  frame.trimY = top;
  frame.trimWidth = right - left + 1;
  frame.trimHeight = bottom - top + 1;
}

struct Placement {
  int x = 0, y = 0;
};

// Shelves of frames sorted by height; the atlas is a power of two wide.
std::vector<Placement> Pack(const std::vector<LayoutFrame>& frames, int& width, int& height) {
  std::vector<std::size_t> order(frames.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return frames[a].trimHeight > frames[b].trimHeight; });
  double area = 0;
  int widest = 0;
  for (const LayoutFrame& frame : frames) {
    area += static_cast<double>(frame.trimWidth + kPadding) * (frame.trimHeight + kPadding);
    widest = std::max(widest, frame.trimWidth + kPadding);
  }
  width = 64;
  while (width < widest || static_cast<double>(width) * width < area * 1.2) width *= 2;

  std::vector<Placement> placements(frames.size());
  int x = 0, y = 0, shelf = 0;
  for (std::size_t index : order) {
    const LayoutFrame& frame = frames[index];
    if (x + frame.trimWidth + kPadding > width) {
      x = 0;
      y += shelf;
      shelf = 0;
    }
    placements[index] = {x, y};
    x += frame.trimWidth + kPadding;
    shelf = std::max(shelf, frame.trimHeight + kPadding);
  }
  height = (y + shelf + 3) / 4 * 4;
  return placements;
}

bool WriteAtlas(const std::vector<LayoutFrame>& frames, const std::vector<Placement>& placements, int width,
                int height, const std::filesystem::path& path) {
  cairo_surface_t* atlas = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(atlas);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const LayoutFrame& frame = frames[i];
    cairo_set_source_surface(cr, frame.pixels.get(), placements[i].x - frame.trimX, placements[i].y - frame.trimY);
    cairo_rectangle(cr, placements[i].x, placements[i].y, frame.trimWidth, frame.trimHeight);
    cairo_fill(cr);
  }
  cairo_destroy(cr);
  const bool written = WritePng(atlas, path);
  cairo_surface_destroy(atlas);
  return written;
}

// The trimmed part of a frame as 0xAARRGGBB words without the alpha
// premultiplied into the colour, as a document stores its layers.
std::vector<std::uint32_t> StraightPixels(const LayoutFrame& frame) {
  cairo_surface_t* surface = frame.pixels.get();
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  std::vector<std::uint32_t> pixels;
  pixels.reserve(static_cast<std::size_t>(frame.trimWidth) * frame.trimHeight);
  for (int y = frame.trimY; y < frame.trimY + frame.trimHeight; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = frame.trimX; x < frame.trimX + frame.trimWidth; ++x) {
      const std::uint32_t pixel = row[x];
      const std::uint32_t alpha = pixel >> 24;
      if (alpha == 0 || alpha == 255) {
        pixels.push_back(alpha == 0 ? 0 : pixel);
        continue;
      }
      auto straight = [&](int shift) { return std::min<std::uint32_t>(255, (((pixel >> shift) & 0xFF) * 255 + alpha / 2) / alpha) << shift; };
      pixels.push_back(alpha << 24 | straight(16) | straight(8) | straight(0));
    }
  }
  return pixels;
}

}  // namespace

void Layout::AddFrame(std::string name, int x, int y, int width, int height, Drawing draw) {
  LayoutFrame frame;
  frame.name = std::move(name);
  frame.x = x;
  frame.y = y;
  frame.width = width;
  frame.height = height;
  frame.draw = std::move(draw);
  frames_.push_back(std::move(frame));
}

void Layout::AddMarker(std::string name, int x, int y) {
  AddFrame(std::move(name), x, y, 1, 1, [](cairo_t* cr) {
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
  });
}

void Layout::Draw(LayoutFrame& frame) {
  frame.pixels.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, frame.width, frame.height),
                     cairo_surface_destroy);
  cairo_t* cr = cairo_create(frame.pixels.get());
  frame.draw(cr);
  cairo_destroy(cr);
  cairo_surface_flush(frame.pixels.get());
  Trim(frame);
}

void Layout::CentreOnBase() {
  std::map<std::string, int> right;
  for (const LayoutFrame& frame : frames_) {
    int& edge = right.try_emplace(TopGroup(frame.name), 0).first->second;
    edge = std::max(edge, frame.x + frame.trimX + frame.trimWidth);
  }
  for (const auto& [group, edge] : right) {
    const std::string prefix = group + "/base_point/";
    const auto base = std::find_if(frames_.begin(), frames_.end(),
                                   [&](const LayoutFrame& f) { return f.name.rfind(prefix, 0) == 0; });
    if (base == frames_.end()) continue;
    const int shift = edge - 2 * (base->x + base->trimX);
    for (LayoutFrame& frame : frames_)
      if (TopGroup(frame.name) == group) frame.x += shift;
  }
}

bool Layout::Write(const std::filesystem::path& root) const {
  for (const LayoutFrame& frame : frames_) {
    if (frame.trimWidth > 0) continue;
    std::fprintf(stderr, "%s: the layer '%s' draws nothing\n", path_.c_str(), frame.name.c_str());
    return false;
  }
  // The game opens a folder before a document of the same name: the other
  // form, left by an earlier build, goes.
  std::error_code error;
  if (file_ == LayoutFile::Psd) {
    std::filesystem::remove_all(root / path_, error);
    return WritePsd(root);
  }
  std::filesystem::remove(root / (path_ + ".psd"), error);
  return WriteFolder(root);
}

bool Layout::WritePsd(const std::filesystem::path& root) const {
  const std::filesystem::path file = root / (path_ + ".psd");
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  // The canvas is the design area; layers may reach beyond it.
  tools::PsdWriter writer(1024, 768);
  writer.SetCompositeCompression(1);
  std::string group;
  for (const LayoutFrame& frame : frames_) {
    const std::string top = frame.name.find('/') == std::string::npos ? std::string() : TopGroup(frame.name);
    if (top != group) {
      if (!group.empty()) writer.EndGroup(group);
      if (!top.empty()) writer.BeginGroup();
      group = top;
    }
    tools::PsdWriterLayer layer;
    layer.name = group.empty() ? frame.name : frame.name.substr(group.size() + 1);
    layer.left = frame.x + frame.trimX;
    layer.top = frame.y + frame.trimY;
    layer.width = frame.trimWidth;
    layer.height = frame.trimHeight;
    layer.compression = 2;
    layer.pixels = StraightPixels(frame);
    writer.AddLayer(std::move(layer));
  }
  if (!group.empty()) writer.EndGroup(group);
  const std::vector<std::uint8_t> bytes = writer.Write();
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "cannot write %s\n", file.c_str());
    return false;
  }
  return true;
}

bool Layout::WriteFolder(const std::filesystem::path& root) const {
  const std::filesystem::path folder = root / path_;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  int width = 0, height = 0;
  const std::vector<Placement> placements = Pack(frames_, width, height);
  const std::string atlasName = folder.filename().string() + ".png";
  if (!WriteAtlas(frames_, placements, width, height, folder / atlasName)) {
    std::fprintf(stderr, "cannot write %s\n", (folder / atlasName).c_str());
    return false;
  }

  // Texture rows count from the bottom of the atlas.
  tinyxml2::XMLDocument document;
  tinyxml2::XMLElement* layers = document.NewElement("Layers");
  document.InsertEndChild(layers);
  for (std::size_t i = 0; i < frames_.size(); ++i) {
    const LayoutFrame& frame = frames_[i];
    tinyxml2::XMLElement* layer = layers->InsertNewChildElement("Layer");
    layer->SetAttribute("name", frame.name.c_str());
    layer->SetAttribute("x", frame.x + frame.trimX);
    layer->SetAttribute("y", frame.y + frame.trimY);
    layer->SetAttribute("width", frame.trimWidth);
    layer->SetAttribute("height", frame.trimHeight);
    layer->SetAttribute("atlas", atlasName.c_str());
    layer->SetAttribute("tu1", static_cast<double>(placements[i].x) / width);
    layer->SetAttribute("tv1", 1.0 - static_cast<double>(placements[i].y + frame.trimHeight) / height);
    layer->SetAttribute("tu2", static_cast<double>(placements[i].x + frame.trimWidth) / width);
    layer->SetAttribute("tv2", 1.0 - static_cast<double>(placements[i].y) / height);
  }
  if (document.SaveFile((folder / "layers.xml").c_str()) != tinyxml2::XML_SUCCESS) {
    std::fprintf(stderr, "cannot write %s\n", (folder / "layers.xml").c_str());
    return false;
  }
  return true;
}

}  // namespace art
