#include "Platform/GraphicsVertexLayout.h"

namespace platform {
namespace {

constexpr std::uint32_t kPositionMask = 0x400E;

// The two size bits of texture coordinate set i: 0 → 2 floats, 1 → 3, 2 → 4, 3 → 1.
int TexCoordComponents(std::uint32_t fvf, int set) {
  static constexpr int kBySizeBits[] = {2, 3, 4, 1};
  return kBySizeBits[(fvf >> (16 + 2 * set)) & 3];
}

}  // namespace

std::optional<VertexLayout> VertexLayout::FromFvf(std::uint32_t fvf) {
  const std::uint32_t position = fvf & kPositionMask;
  if (position != kFvfXyz && position != kFvfXyzw) return std::nullopt;
  const int sets = static_cast<int>((fvf >> kFvfTexCountShift) & 0xF);
  if (sets > kMaxTexCoordSets) return std::nullopt;
  const std::uint32_t sizeBits = sets == 0 ? 0 : ((1u << (2 * sets)) - 1) << 16;
  const std::uint32_t known =
      kPositionMask | kFvfNormal | kFvfDiffuse | kFvfSpecular | (0xFu << kFvfTexCountShift) | sizeBits;
  if (fvf & ~known) return std::nullopt;

  VertexLayout layout;
  layout.Add(kPositionLocation, position == kFvfXyzw ? 4 : 3, false);
  if (fvf & kFvfNormal) layout.Add(kNormalLocation, 3, false);
  if (fvf & kFvfDiffuse) layout.Add(kDiffuseLocation, 4, true);
  if (fvf & kFvfSpecular) layout.Add(kSpecularLocation, 4, true);
  for (int set = 0; set < sets; ++set) layout.Add(kTexCoord0Location + set, TexCoordComponents(fvf, set), false);
  return layout;
}

void VertexLayout::Add(int location, int components, bool packedColor) {
  attributes_.push_back({location, components, packedColor, size_});
  size_ += packedColor ? 4 : components * 4;
}

}  // namespace platform
