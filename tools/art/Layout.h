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

// How a layout is stored: a layer folder ("layers.xml" and one atlas image
// holding every layer) or a layered PSD document "<path>.psd"; the game opens
// both the same way.
enum class LayoutFile { Folder, Psd };

class Layout {
 public:
  explicit Layout(std::string path, LayoutFile file = LayoutFile::Folder) : path_(std::move(path)), file_(file) {}

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
  // Writes the trimmed frames under root: a folder root/Path() with the
  // atlas "<name>.png" and "layers.xml", or the document root/Path().psd.
  bool Write(const std::filesystem::path& root) const;

 private:
  bool WriteFolder(const std::filesystem::path& root) const;
  bool WritePsd(const std::filesystem::path& root) const;

  std::string path_;
  LayoutFile file_;
  std::vector<LayoutFrame> frames_;
};

}  // namespace art
