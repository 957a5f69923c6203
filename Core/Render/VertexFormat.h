#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace render {

// What an element holds; only the device's vertex-format code depends on it.
enum VertexElementKind : std::uint32_t {
  kElementPositionXYZ = 0,
  kElementPositionXYZW = 1,
  kElementNormal = 2,
  kElementDiffuse = 3,
  kElementSpecular = 4,
  kElementTexCoords = 5,
};

struct VertexElement {
  std::string name;
  std::uint32_t components = 0;
  std::uint32_t size = 0;
  std::uint32_t offset = 0;
};

// The layout of one vertex type. Copies are cheap enough for custom draws to
// keep one.
class VertexFormat {
 public:
  struct ElementDesc {
    const char* name;
    std::uint32_t offset;
    std::uint32_t size;
    VertexElementKind kind;
    std::uint32_t components;
  };
  struct TexCoordSet {
    std::uint32_t components;
    std::uint32_t offset;
  };

  // Both cache sizes 0: the format gets no per-frame cache.
  VertexFormat(std::uint32_t id, std::uint32_t stride, std::uint32_t cacheCount, std::uint32_t cacheBatch,
               std::initializer_list<ElementDesc> elements);

  std::uint32_t id;
  std::uint32_t cacheCount;
  std::uint32_t cacheBatch;
  std::uint32_t stride;
  // The Direct3D 9 flexible-vertex-format bits; back ends over other devices
  // read the elements instead.
  std::uint32_t fvf = 0;
  // The first element: where drawing code finds the positions.
  VertexElement position;
  std::vector<VertexElement> elements;
  std::vector<TexCoordSet> texCoordSets;

 private:
  void AddElement(const ElementDesc& element);
};

}  // namespace render
