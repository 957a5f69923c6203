#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Core/Animation/MeshRecord.h"
#include "Core/Resource/Resource.h"

namespace render {
class Render;
}

namespace lightwave {

// A ".lib" file: one index array and one vertex array shared by named meshes,
// each with a texture from the "images/" folder beside the file.
class MeshLibrary : public resource::Resource {
 public:
  MeshLibrary();
  ~MeshLibrary() override;

  QLResultEnum Release() override;

  // The textures are made through it; set before loading.
  void SetRender(render::Render* render) { render_ = render; }

  // The first mesh of exactly that name; null when there is none.
  const MeshRecord* FindMesh(const std::string& name) const;

  // 1 on a short read, a year other than 2011 or 2012, or a mesh whose ranges
  // or indices do not fit the arrays.
  QLResultEnum ReadBody(base::Stream& stream);
  // One image per texture name; 1 when there are textures but no render, or
  // for a mesh left without an image, else the first failing creation's code.
  QLResultEnum LoadTextures();

  const std::vector<std::uint32_t>& GetIndices() const { return indices_; }
  const std::vector<render::SVertex2D>& GetVertices() const { return vertices_; }
  const std::vector<MeshRecord>& GetMeshes() const { return meshes_; }
  const std::map<base::WString, std::unique_ptr<render::Image>>& GetTextures() const { return textures_; }

 protected:
  QLResultEnum DoLoad() override;
  QLResultEnum DoUnload() override;

 private:
  void Clear();

  render::Render* render_ = nullptr;
  std::vector<std::uint32_t> indices_;
  std::vector<render::SVertex2D> vertices_;
  std::vector<MeshRecord> meshes_;
  std::map<base::WString, std::unique_ptr<render::Image>> textures_;
};

}  // namespace lightwave
