#pragma once

#include <cstdint>
#include <string>

// The shapes particles are drawn with: white, with the shape in the alpha, so
// that a particle's colour tints them freely.
class SpriteCanvas {
 public:
  // The w x h region at (x, y) of an RGBA image stride pixels wide.
  SpriteCanvas(std::uint8_t* pixels, int stride, int x, int y, int w, int h)
      : pixels_(pixels), stride_(stride), x_(x), y_(y), w_(w), h_(h) {}

  // False for a kind without a drawing.
  bool Draw(const std::string& kind);

 private:
  // Coverage in [0, 1] at a point of the unit square centred on 0
  // (-1 ... 1 on both axes).
  template <class Shape>
  void Fill(Shape shape);

  std::uint8_t* pixels_;
  int stride_, x_, y_, w_, h_;
};
