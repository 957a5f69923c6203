#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "Core/Animation/Envelope.h"
#include "Core/Base/Result.h"

namespace base {
class Stream;
}

namespace lightwave {
struct MeshRecord;
}

namespace animation {

class AnimData;

struct ColourEnvelopes {
  Envelope red;
  Envelope green;
  Envelope blue;
  Envelope tintAmount;
};

// The motion channels of a track, in file order.
enum MotionChannel : std::size_t {
  kPositionX,
  kPositionY,
  kPositionZ,
  kHeading,  // about y
  kPitch,    // about x
  kBank,     // about z: the layer's angle in the design plane
  kScaleX,
  kScaleY,
  kScaleZ,
  kDissolve,
  kMotionChannelCount,
};

// The keyframed channels of one animated layer.
struct AnimTrack {
  explicit AnimTrack(AnimData* owner) : owner(owner) {}

  // 1 on a short read.
  QLResultEnum Read(base::Stream& stream);

  AnimData* owner;
  std::string layerName;
  std::string meshLibraryName;
  std::string meshName;
  bool hasParent = false;
  std::uint32_t parentIndex = 0;
  bool flagA = false;
  bool flagB = false;
  // Null for a track without colour.
  std::unique_ptr<ColourEnvelopes> colour;
  std::array<Envelope, kMotionChannelCount> motion;
  // In a library the animation holds; null when the track names no mesh.
  const lightwave::MeshRecord* mesh = nullptr;
};

// The fewest bytes a track takes in the file: three empty names, four words
// and ten envelopes without keys.
inline constexpr std::uint32_t kSmallestTrackSize = 3 * 4 + 4 * 4 + kMotionChannelCount * 3 * 4;

}  // namespace animation
