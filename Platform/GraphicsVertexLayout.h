#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

// Vertex inputs by semantic: every vertex program declares its inputs at these
// locations (texture coordinate set i at kTexCoord0Location + i).
inline constexpr int kPositionLocation = 0;
inline constexpr int kNormalLocation = 1;
inline constexpr int kDiffuseLocation = 2;
inline constexpr int kSpecularLocation = 3;
inline constexpr int kTexCoord0Location = 4;
inline constexpr int kMaxTexCoordSets = 8;
inline constexpr int kVertexLocations = kTexCoord0Location + kMaxTexCoordSets;

// The flexible-vertex-format bits the layouts are described by.
inline constexpr std::uint32_t kFvfXyz = 0x2;
inline constexpr std::uint32_t kFvfXyzw = 0x4002;
inline constexpr std::uint32_t kFvfNormal = 0x10;
inline constexpr std::uint32_t kFvfDiffuse = 0x40;
inline constexpr std::uint32_t kFvfSpecular = 0x80;
inline constexpr int kFvfTexCountShift = 8;

struct VertexAttribute {
  int location = 0;
  int components = 0;  // floats, or 4 bytes of a packed ARGB colour
  bool packedColor = false;
  int offset = 0;
  bool operator==(const VertexAttribute&) const = default;
};

// Where each input of a vertex lies, in the order the format code implies:
// position, normal, diffuse, specular, then the texture coordinate sets.
class VertexLayout {
 public:
  // Empty for codes the device does not draw: pre-transformed positions,
  // blend weights, point sizes, or bits it does not know.
  static std::optional<VertexLayout> FromFvf(std::uint32_t fvf);

  const std::vector<VertexAttribute>& GetAttributes() const { return attributes_; }
  int GetSize() const { return size_; }

 private:
  void Add(int location, int components, bool packedColor);

  std::vector<VertexAttribute> attributes_;
  int size_ = 0;
};

}  // namespace platform
