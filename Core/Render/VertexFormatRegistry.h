#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "Core/Render/VertexFormat.h"

namespace render {

class BufferDoubleCacheCreator;

// The process-wide registry of vertex formats, filled by static
// initialisation before main; a format's id is its index here.
std::uint32_t RegisterVertexFormat(std::uint32_t stride, std::uint32_t cacheCount, std::uint32_t cacheBatch,
                                   std::initializer_list<VertexFormat::ElementDesc> elements,
                                   std::unique_ptr<BufferDoubleCacheCreator> cacheCreator);
std::uint32_t GetVertexFormatCount();
const VertexFormat& GetVertexFormat(std::uint32_t id);
const BufferDoubleCacheCreator& GetCacheCreator(std::uint32_t id);

}  // namespace render
