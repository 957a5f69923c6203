#include "tools/art/ContactSheet.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/art/Paint.h"
#include "tools/art/PngFile.h"

namespace art {

namespace {

constexpr int kWidth = 1400;
constexpr int kGap = 6;
// Map thumbnails: a quarter of the 1366 x 768 picture, whose left edge is at
// x -171 of the map.
constexpr double kThumbScale = 0.25;
constexpr int kThumbWidth = 342, kThumbHeight = 192, kMapLeft = -171;

// The frames worth showing, one row per animation.
std::vector<std::vector<const LayoutFrame*>> Rows(const std::vector<Layout>& layouts) {
  std::vector<std::vector<const LayoutFrame*>> rows;
  std::string current;
  for (const Layout& layout : layouts) {
    for (const LayoutFrame& frame : layout.Frames()) {
      if (frame.width == 1) continue;  // markers
      const std::string& name = frame.name;
      const std::size_t slash = name.rfind('/');
      const std::string row = name.rfind("ui/", 0) == 0 ? "ui" : name.substr(0, slash);
      const std::string leaf = name.substr(slash + 1);
      // Rotating towers: the resting frame of every fourth direction.
      if (leaf.rfind("frame_", 0) == 0 && leaf.size() == 9 && std::atoi(leaf.c_str() + 6) % 16 != 0) continue;
      if (name.find("/death/") != std::string::npos || name.find("/special/") != std::string::npos) continue;
      if (rows.empty() || row != current) rows.emplace_back();
      current = row;
      rows.back().push_back(&frame);
    }
  }
  return rows;
}

void PaintMap(cairo_t* cr, const Layout& map, int x, int y) {
  cairo_save(cr);
  cairo_rectangle(cr, x, y, kThumbWidth, kThumbHeight);
  cairo_clip(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, kThumbScale, kThumbScale);
  cairo_translate(cr, -kMapLeft, 0);
  for (const LayoutFrame& frame : map.Frames()) {
    if (frame.width == 1) {
      Glow(cr, frame.x, frame.y, 40, palette::kEmber, 1.0);
      continue;
    }
    cairo_set_source_surface(cr, frame.pixels.get(), frame.x, frame.y);
    cairo_paint(cr);
  }
  cairo_restore(cr);
}

}  // namespace

bool WriteContactSheet(const std::vector<Layout>& layouts, const std::vector<Layout>& maps,
                       const std::filesystem::path& path) {
  const auto rows = Rows(layouts);
  // First pass places the frames, the second paints them.
  struct Placed {
    const LayoutFrame* frame;
    int x, y;
  };
  std::vector<Placed> placed;
  int y = kGap;
  for (const auto& row : rows) {
    int x = kGap, height = 0;
    for (const LayoutFrame* frame : row) {
      if (x + frame->width > kWidth) {
        x = kGap;
        y += height + kGap;
        height = 0;
      }
      placed.push_back({frame, x, y});
      x += frame->width + kGap;
      height = std::max(height, frame->height);
    }
    y += height + kGap;
  }
  const int mapsTop = y;
  constexpr int kPerRow = kWidth / (kThumbWidth + kGap);
  y += static_cast<int>((maps.size() + kPerRow - 1) / kPerRow) * (kThumbHeight + kGap);
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, y);
  cairo_t* cr = cairo_create(sheet);
  SetColour(cr, palette::kMarsh);
  cairo_paint(cr);
  for (const Placed& p : placed) {
    cairo_set_source_surface(cr, p.frame->pixels.get(), p.x, p.y);
    cairo_paint(cr);
  }
  for (std::size_t i = 0; i < maps.size(); ++i)
    PaintMap(cr, maps[i], kGap + static_cast<int>(i % kPerRow) * (kThumbWidth + kGap),
             mapsTop + static_cast<int>(i / kPerRow) * (kThumbHeight + kGap));
  cairo_destroy(cr);
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  const bool written = WritePng(sheet, path);
  cairo_surface_destroy(sheet);
  if (!written) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return written;
}

}  // namespace art
