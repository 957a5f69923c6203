#pragma once

#include <cstdint>
#include <vector>

namespace render {
class Graphics;
class Image;
}  // namespace render

class KpFrameEntry;
class KpPoint;

// The marks where the next wave will enter while the player waits for it;
// pressing one calls the wave at once.
class KpWaveHints {
 public:
  KpWaveHints();
  KpWaveHints(const KpWaveHints&) = delete;
  KpWaveHints& operator=(const KpWaveHints&) = delete;
  ~KpWaveHints();

  void add(const KpPoint& point);
  bool hitTest(std::int32_t x, std::int32_t y) const;
  void clear();
  void draw(render::Graphics& graphics);
  bool empty() const { return hints_.empty(); }

  // When the next wave starts, on the waves' clock.
  float nextWaveTime = 0.0f;

 private:
  // Not owned.
  render::Image* hintImage_ = nullptr;
  // Owned.
  std::vector<KpFrameEntry*> hints_;
};
