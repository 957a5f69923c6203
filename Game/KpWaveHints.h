#pragma once

#include <cstdint>
#include <vector>

namespace render {
class Image;
}

class KpFrameEntry;
struct KpPoint;

// A hint's top-left corner for a spawn point: on the 1024-wide design
// screen, and clear of the top and bottom 100 units of its 768 rows.
struct WaveHintPlace {
  int x = 0;
  int y = 0;
};
WaveHintPlace PlaceWaveHint(float pointX, float pointY, int width, int height);

// The marks where the next wave will enter while the player waits for it;
// pressing one calls the wave at once.
class KpWaveHints {
 public:
  // Takes the hint image "ui/wave_hint" of "kp/ui".
  KpWaveHints();
  // The image is not owned; without one the hints have no size.
  explicit KpWaveHints(render::Image* hintImage);
  KpWaveHints(const KpWaveHints&) = delete;
  KpWaveHints& operator=(const KpWaveHints&) = delete;
  ~KpWaveHints();

  void add(const KpPoint& point);
  // Whether the map point lies strictly inside a hint.
  bool hitTest(std::int32_t x, std::int32_t y) const;
  void clear();
  bool empty() const { return hints_.empty(); }
  const std::vector<KpFrameEntry*>& hints() const { return hints_; }

  // When the next wave starts, on the waves' clock.
  float nextWaveTime = 0.0f;

 private:
  // Not owned.
  render::Image* hintImage_ = nullptr;
  // Owned.
  std::vector<KpFrameEntry*> hints_;
};
