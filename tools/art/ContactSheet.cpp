#include "tools/art/ContactSheet.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/art/Paint.h"

namespace art {

namespace {

constexpr int kWidth = 1400;
constexpr int kGap = 6;

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

}  // namespace

bool WriteContactSheet(const std::vector<Layout>& layouts, const std::filesystem::path& path) {
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
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, y);
  cairo_t* cr = cairo_create(sheet);
  SetColour(cr, palette::kMarsh);
  cairo_paint(cr);
  for (const Placed& p : placed) {
    cairo_set_source_surface(cr, p.frame->pixels.get(), p.x, p.y);
    cairo_paint(cr);
  }
  cairo_destroy(cr);
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  const bool written = cairo_surface_write_to_png(sheet, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(sheet);
  if (!written) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return written;
}

}  // namespace art
