#include "Core/Render/VertexFormat.h"

namespace render {

namespace {

constexpr std::uint32_t kFvfXYZ = 0x2;
constexpr std::uint32_t kFvfXYZW = 0x4002;
constexpr std::uint32_t kFvfNormal = 0x10;
constexpr std::uint32_t kFvfDiffuse = 0x40;
constexpr std::uint32_t kFvfSpecular = 0x80;
constexpr std::uint32_t kFvfTexCountMask = 0xF00;
constexpr std::uint32_t kFvfTexCountShift = 8;

// Two components is the device's default size and needs no bits.
std::uint32_t TexCoordSizeBits(std::uint32_t components, std::uint32_t set) {
  const std::uint32_t shift = 16 + 2 * set;
  switch (components) {
    case 1:
      return 3u << shift;
    case 3:
      return 1u << shift;
    case 4:
      return 2u << shift;
    default:
      return 0;
  }
}

}  // namespace

VertexFormat::VertexFormat(std::uint32_t id, std::uint32_t stride, std::uint32_t cacheCount, std::uint32_t cacheBatch,
                           std::initializer_list<ElementDesc> elements)
    : id(id), cacheCount(cacheCount), cacheBatch(cacheBatch), stride(stride) {
  for (const ElementDesc& element : elements) AddElement(element);
}

void VertexFormat::AddElement(const ElementDesc& element) {
  const VertexElement added{element.name, element.components, element.size, element.offset};
  if (elements.empty()) position = added;
  elements.push_back(added);
  switch (element.kind) {
    case kElementPositionXYZ:
      fvf |= kFvfXYZ;
      break;
    case kElementPositionXYZW:
      fvf |= kFvfXYZW;
      break;
    case kElementNormal:
      fvf |= kFvfNormal;
      break;
    case kElementDiffuse:
      fvf |= kFvfDiffuse;
      break;
    case kElementSpecular:
      fvf |= kFvfSpecular;
      break;
    case kElementTexCoords: {
      const auto set = static_cast<std::uint32_t>(texCoordSets.size());
      fvf |= TexCoordSizeBits(element.components, set);
      texCoordSets.push_back({element.components, element.offset});
      fvf = (fvf & ~kFvfTexCountMask) | (set + 1) << kFvfTexCountShift;
      break;
    }
  }
}

}  // namespace render
