#include "Core/Render/VertexFormatRegistry.h"

#include <cstddef>
#include <vector>

#include "Core/Render/BufferDoubleCacheCreator.h"
#include "Core/Render/Vertices.h"

namespace render {

namespace {

// Function-local so that registering from any static initialiser finds the
// tables made.
std::vector<VertexFormat>& Formats() {
  static std::vector<VertexFormat> formats;
  return formats;
}

std::vector<std::unique_ptr<BufferDoubleCacheCreator>>& CacheCreators() {
  static std::vector<std::unique_ptr<BufferDoubleCacheCreator>> creators;
  return creators;
}

}  // namespace

std::uint32_t RegisterVertexFormat(std::uint32_t stride, std::uint32_t cacheCount, std::uint32_t cacheBatch,
                                   std::initializer_list<VertexFormat::ElementDesc> elements,
                                   std::unique_ptr<BufferDoubleCacheCreator> cacheCreator) {
  const auto id = static_cast<std::uint32_t>(Formats().size());
  Formats().emplace_back(id, stride, cacheCount, cacheBatch, elements);
  CacheCreators().push_back(std::move(cacheCreator));
  return id;
}

std::uint32_t GetVertexFormatCount() { return static_cast<std::uint32_t>(Formats().size()); }

const VertexFormat& GetVertexFormat(std::uint32_t id) { return Formats().at(id); }

const BufferDoubleCacheCreator& GetCacheCreator(std::uint32_t id) { return *CacheCreators().at(id); }

// The built-in formats live beside the registry: a program that asks the
// registry anything links these registrations in, even one that names no
// vertex type. Defined in this order, which gives the ids 0, 1, 2.
const std::uint32_t SVertex2D::formatId =
    RegisterVertexFormat(sizeof(SVertex2D), 40960, 10240,
                         {{"pos", offsetof(SVertex2D, x), 16, kElementPositionXYZW, 4},
                          {"diff", offsetof(SVertex2D, diffuse), 4, kElementDiffuse, 4},
                          {"spec", offsetof(SVertex2D, specular), 4, kElementSpecular, 4},
                          {"tutv", offsetof(SVertex2D, u), 8, kElementTexCoords, 2}},
                         std::make_unique<BufferDoubleCacheCreatorConcrete<SVertex2D>>());

const std::uint32_t SVertexGeom::formatId =
    RegisterVertexFormat(sizeof(SVertexGeom), 5120, 1024,
                         {{"pos", offsetof(SVertexGeom, x), 12, kElementPositionXYZ, 3},
                          {"diff", offsetof(SVertexGeom, diffuse), 4, kElementDiffuse, 4}},
                         std::make_unique<BufferDoubleCacheCreatorConcrete<SVertexGeom>>());

const std::uint32_t SVertexRT::formatId =
    RegisterVertexFormat(sizeof(SVertexRT), 0, 0,
                         {{"pos", offsetof(SVertexRT, x), 16, kElementPositionXYZW, 4},
                          {"tutv", offsetof(SVertexRT, u), 8, kElementTexCoords, 2}},
                         std::make_unique<BufferDoubleCacheCreatorConcrete<SVertexRT>>());

}  // namespace render
