#pragma once

#include <cstddef>
#include <string>
#include <vector>

class KpFrameEntry;
class KpProto;

// The frames of a tower tier's sprite by group and the rate they play at.
// A tier without a sprite or without a group has no frames there; the gap
// is logged once per sprite and group.
class TowerAnimation {
 public:
  static constexpr float kDefaultFps = 20.0f;

  explicit TowerAnimation(const KpProto& tierProto);

  // The tier's frames per second; kDefaultFps (logged once) when the data
  // gives none above 0.
  float fps() const { return fps_; }
  // Seconds one pass of the group takes.
  float idleSeconds() const { return seconds("idle"); }
  float blastSeconds() const { return seconds("blast"); }
  // The frame of the group at index, or the last one past the end.
  const KpFrameEntry* frameAtOrLast(const std::string& group, std::size_t index) const;
  // Null past the end of the group.
  const KpFrameEntry* frameAt(const std::string& group, std::size_t index) const;
  // The first frame of a marker group that a sprite may leave out, such as
  // "base_point"; null, and not logged, when there is none.
  const KpFrameEntry* optionalMarker(const std::string& group) const;
  std::size_t frameCount(const std::string& group) const { return frames(group).size(); }

 private:
  const std::vector<KpFrameEntry*>* find(const std::string& group) const;
  const std::vector<KpFrameEntry*>& frames(const std::string& group) const;
  float seconds(const std::string& group) const { return static_cast<float>(frameCount(group)) / fps_; }

  const KpProto& proto_;
  float fps_;
};
