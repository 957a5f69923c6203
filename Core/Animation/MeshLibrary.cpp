#include "Core/Animation/MeshLibrary.h"

#include "Core/Animation/BinaryFields.h"
#include "Core/Base/LittleEndian.h"
#include "Core/Base/LogMessage.h"
#include "Core/Base/Stream.h"
#include "Core/File/Path.h"
#include "Core/Render/Image.h"
#include "Core/Render/Render.h"
#include "Core/Resource/ResourceManager.h"

namespace lightwave {

namespace {

constexpr std::uint32_t kVertexSize = 5 * 4;
constexpr std::uint32_t kYears[] = {2011, 2012};

// Every vertex is drawn opaque white; only position and mapping come from
// the file, whose v runs upwards.
bool ReadVertex(base::Stream& stream, render::SVertex2D& vertex) {
  float v = 0.0f;
  if (!animation::ReadFloat(stream, vertex.x) || !animation::ReadFloat(stream, vertex.y) ||
      !animation::ReadFloat(stream, vertex.z) || !animation::ReadFloat(stream, vertex.u) ||
      !animation::ReadFloat(stream, v)) {
    return false;
  }
  vertex.w = 1.0f;
  vertex.diffuse = 0xFFFFFFFFu;
  vertex.specular = 0xFFFFFFFFu;
  vertex.v = 1.0f - v;
  return true;
}

}  // namespace

MeshLibrary::MeshLibrary() = default;
MeshLibrary::~MeshLibrary() = default;

QLResultEnum MeshLibrary::Release() { return resource::ResourceManager::Instance()->Release(this); }

const MeshRecord* MeshLibrary::FindMesh(const std::string& name) const {
  for (const MeshRecord& mesh : meshes_) {
    if (mesh.name == name) return &mesh;
  }
  return nullptr;
}

QLResultEnum MeshLibrary::DoLoad() {
  // What a failed load left behind goes before the next try.
  Clear();
  const std::unique_ptr<base::Stream> stream = animation::OpenFileStream(GetName());
  if (!stream) {
    QL_LOG(u"Mesh library '%s' not found\n").AddArg(GetName());
    return QL_FAIL;
  }
  if (ReadBody(*stream) != QL_OK) {
    QL_LOG(u"Mesh library '%s' is damaged\n").AddArg(GetName());
    return QL_FAIL;
  }
  return LoadTextures();
}

QLResultEnum MeshLibrary::DoUnload() {
  Clear();
  return QL_OK;
}

void MeshLibrary::Clear() {
  meshes_.clear();
  indices_ = {};
  vertices_ = {};
  textures_.clear();
}

QLResultEnum MeshLibrary::ReadBody(base::Stream& stream) {
  std::uint32_t count = 0;
  if (!base::ReadU32(stream, count) || !animation::CanHold(stream, count, 4)) return QL_FAIL;
  indices_.assign(count, 0);
  for (std::uint32_t& index : indices_) {
    if (!base::ReadU32(stream, index)) return QL_FAIL;
  }

  if (!base::ReadU32(stream, count) || !animation::CanHold(stream, count, kVertexSize)) return QL_FAIL;
  vertices_.assign(count, render::SVertex2D{});
  for (render::SVertex2D& vertex : vertices_) {
    if (!ReadVertex(stream, vertex)) return QL_FAIL;
  }

  if (!base::ReadU32(stream, count) || !animation::CanHold(stream, count, kSmallestMeshRecordSize)) return QL_FAIL;
  meshes_.assign(count, MeshRecord{});
  std::vector<bool> claimed(indices_.size(), false);
  for (MeshRecord& mesh : meshes_) {
    if (const QLResultEnum result = mesh.Read(stream, indices_, vertices_, claimed); result != QL_OK) return result;
    textures_.try_emplace(mesh.texture);
  }

  std::uint32_t year = 0;
  if (!base::ReadU32(stream, year)) return QL_FAIL;
  for (const std::uint32_t known : kYears) {
    if (year == known) return QL_OK;
  }
  QL_LOG(u"Mesh library '%s' has the unknown year %u\n").AddArg(GetName()).AddArg(year);
  return QL_FAIL;
}

QLResultEnum MeshLibrary::LoadTextures() {
  if (!render_ && !textures_.empty()) {
    QL_LOG(u"Mesh library '%s' has no render to make its textures\n").AddArg(GetName());
    return QL_FAIL;
  }
  const base::WString folder = file::GetFolderWithoutDrive(GetName()) + u"images/";
  for (auto& [texture, image] : textures_) {
    const QLResultEnum result = render_->CreateImage(folder + file::ToForwardSlashes(texture), nullptr, &image);
    if (result != QL_OK) {
      QL_LOG(u"Texture '%s' of mesh library '%s' cannot be loaded\n").AddArg(texture).AddArg(GetName());
      return result;
    }
  }
  for (MeshRecord& mesh : meshes_) {
    mesh.image = textures_[mesh.texture].get();
    if (!mesh.image) return QL_FAIL;
  }
  return QL_OK;
}

}  // namespace lightwave
