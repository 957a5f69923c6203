#pragma once

#include <cairo.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace art {

using Drawing = std::function<void(cairo_t*)>;

// One layer of a layout: a picture drawn into a cell whose top-left corner
// lies at (x, y) of the layout, later trimmed to its visible pixels.
struct LayoutFrame {
  std::string name;  // the full entry path, "group/subgroup/frame"
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  Drawing draw;
  std::shared_ptr<cairo_surface_t> pixels;  // the drawn cell
  // The visible part of the cell after trimming, in cell pixels.
  int trimX = 0, trimY = 0, trimWidth = 0, trimHeight = 0;
};

// A layered layout written as a layer folder: "layers.xml" and one atlas
// image holding every layer.
class Layout {
 public:
  explicit Layout(std::string path) : path_(std::move(path)) {}

  const std::string& Path() const { return path_; }

  // A width x height cell at (x, y) of the layout.
  void AddFrame(std::string name, int x, int y, int width, int height, Drawing draw);
  // A one-pixel layer whose rectangle marks the point (x, y): the engine reads
  // pivots, muzzles and bases from such layers.
  void AddMarker(std::string name, int x, int y);

  std::vector<LayoutFrame>& Frames() { return frames_; }
  const std::vector<LayoutFrame>& Frames() const { return frames_; }

  // Draws one frame's cell; frames are independent, so any thread may draw any.
  static void Draw(LayoutFrame& frame);
  // After drawing: moves every frame of each top-level group that has a
  // "base_point" so that the point sits in the middle of the group's width,
  // as the engine's muzzle and beam arithmetic assumes.
  void CentreOnBase();
  // Packs the trimmed frames into "<name>.png" and writes "layers.xml" in
  // root/Path().
  bool Write(const std::filesystem::path& root) const;

 private:
  std::string path_;
  std::vector<LayoutFrame> frames_;
};

}  // namespace art
