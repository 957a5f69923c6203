#include "Core/Animation/MeshRecord.h"

#include "Core/Animation/BinaryFields.h"
#include "Core/Base/LittleEndian.h"
#include "Core/Base/LogMessage.h"
#include "Core/Base/TextConversion.h"
#include "Core/Layer/Drawable.h"

namespace lightwave {

namespace {

bool RangeFits(std::uint32_t start, std::uint32_t count, std::size_t size) {
  return std::uint64_t{start} + count <= size;
}

QLResultEnum Invalid(const std::string& mesh, const base::WString& what) {
  QL_LOG(u"Mesh '%s': %s\n").AddArg(base::ToWide(mesh, base::kEncodingBytes)).AddArg(what);
  return QL_FAIL;
}

}  // namespace

QLResultEnum MeshRecord::Read(base::Stream& stream, std::vector<std::uint32_t>& libraryIndices,
                              std::vector<render::SVertex2D>& libraryVertices, std::vector<bool>& claimed) {
  std::string textureName;
  std::uint32_t vertexBase = 0;
  std::uint32_t indexStart = 0;
  if (animation::ReadSizedString(stream, name) != QL_OK || animation::ReadSizedString(stream, textureName) != QL_OK ||
      !base::ReadU32(stream, vertexBase) || !base::ReadU32(stream, vertexCount) || !base::ReadU32(stream, indexStart) ||
      !base::ReadU32(stream, indexCount)) {
    return QL_FAIL;
  }
  texture = base::ToWide(textureName, base::kEncodingBytes);
  if (!RangeFits(vertexBase, vertexCount, libraryVertices.size())) return Invalid(name, u"vertices out of range");
  if (!RangeFits(indexStart, indexCount, libraryIndices.size())) return Invalid(name, u"indices out of range");

  // Stored indices count from 1 over the whole vertex array; they are
  // rebased in place, so a range rebased twice would be corrupted.
  bounds = layer::EmptyBox();
  for (std::uint32_t j = indexStart; j < indexStart + indexCount; ++j) {
    if (claimed[j]) return Invalid(name, u"indices shared with another mesh");
    claimed[j] = true;
    const std::uint32_t stored = libraryIndices[j];
    if (stored <= vertexBase || stored - vertexBase > vertexCount) return Invalid(name, u"index outside the mesh");
    const render::SVertex2D& vertex = libraryVertices[stored - 1];
    bounds.Extend(math::Point3{vertex.x, vertex.y, vertex.z});
    libraryIndices[j] = stored - vertexBase - 1;
  }
  indices = libraryIndices.data() + indexStart;
  vertices = libraryVertices.data() + vertexBase;
  return QL_OK;
}

}  // namespace lightwave
