#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Core/Base/MathAABB.h"
#include "Core/Base/Result.h"
#include "Core/Base/WString.h"
#include "Core/Render/Vertices.h"

namespace base {
class Stream;
}

namespace render {
class Image;
}

namespace lightwave {

// One named mesh of a library: a range of the library's indices, counting
// from 0 over the mesh's own range of the library's vertices.
struct MeshRecord {
  // Reads the record and rebases its indices in the library's array. 1 on a
  // short read, a range outside the arrays, an index range that an earlier
  // record already rebased (claimed marks those), or an index that names no
  // vertex of the mesh.
  QLResultEnum Read(base::Stream& stream, std::vector<std::uint32_t>& libraryIndices,
                    std::vector<render::SVertex2D>& libraryVertices, std::vector<bool>& claimed);

  std::string name;
  base::WString texture;
  std::uint32_t indexCount = 0;
  std::uint32_t* indices = nullptr;
  std::uint32_t vertexCount = 0;
  render::SVertex2D* vertices = nullptr;
  math::AABB bounds;
  // The library's image of the texture.
  render::Image* image = nullptr;
};

// The fewest bytes a record takes in the file: two empty names, four words.
inline constexpr std::uint32_t kSmallestMeshRecordSize = 2 * 4 + 4 * 4;

}  // namespace lightwave
