#pragma once

#include <cstdint>

#include "Core/Gui/GameControlHelper.h"
#include "Core/Layer/Layer.h"

namespace gui {

struct IntRect {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// The smallest rectangle holding both.
IntRect Union(const IntRect& a, const IntRect& b);

// A layer assembled from one image per visual state. The concrete control
// supplies the array of state images and owns what is put in it through
// this class: each state image goes with the control.
class GameControl : public layer::Layer, public GameControlHelper {
 public:
  GameControl() = default;
  ~GameControl() override;

  // An empty name does nothing. An index outside the array gives 1; a
  // state image already there is replaced and deleted.
  QLResultEnum SetStateImage(int index, const base::WString& name, layer::ImageLayer** out);
  // Centres the control on the bounds of its images and makes them its
  // children there.
  QLResultEnum AttachImagesCentered();

  const IntRect& GetBounds() const { return bounds_; }
  bool HasBounds() const { return boundsSet_; }

 protected:
  void SetStateImages(layer::Layer** images, int count) {
    stateImages_ = images;
    stateCount_ = count;
  }
  // Stores a loaded state image with its layout rectangle and grows the
  // bounds by it.
  QLResultEnum PutStateImage(int index, layer::Layer* image, const math::Rect& rect);

 private:
  IntRect bounds_;
  bool boundsSet_ = false;
  layer::Layer** stateImages_ = nullptr;
  int stateCount_ = 0;
};

}  // namespace gui
