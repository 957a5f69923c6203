// libFuzzer entry for mesh libraries: a library that reads holds meshes whose
// index and vertex ranges lie in its arrays, with every index naming a vertex
// of its own mesh.
#include <cstddef>
#include <cstdint>

#include "Core/Animation/MeshLibrary.h"
#include "Core/Base/MemoryStream.h"
#include "tests/Support/FuzzCheck.h"

namespace {

using fuzz_support::Check;

template <class T>
bool Within(const std::vector<T>& array, const T* first, std::uint32_t count) {
  if (count == 0) return true;
  return first >= array.data() && first <= array.data() + array.size() &&
         count <= static_cast<std::size_t>(array.data() + array.size() - first);
}

void CheckMeshes(const lightwave::MeshLibrary& library) {
  for (const lightwave::MeshRecord& mesh : library.GetMeshes()) {
    Check(Within(library.GetIndices(), mesh.indices, mesh.indexCount), "a mesh's indices lie in the library's");
    Check(Within(library.GetVertices(), mesh.vertices, mesh.vertexCount), "a mesh's vertices lie in the library's");
    for (std::uint32_t i = 0; i < mesh.indexCount; ++i) {
      Check(mesh.indices[i] < mesh.vertexCount, "an index names a vertex of its mesh");
    }
    const lightwave::MeshRecord* found = library.FindMesh(mesh.name);
    Check(found != nullptr && found->name == mesh.name, "a mesh is found by its name");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  base::MemoryStream stream(data, static_cast<std::uint32_t>(size));
  lightwave::MeshLibrary library;
  if (library.ReadBody(stream) != QL_OK) return 0;
  CheckMeshes(library);
  // Without a Render a library with textures is refused; one without loads.
  library.LoadTextures();
  return 0;
}
