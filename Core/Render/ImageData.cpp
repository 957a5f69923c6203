#include "Core/Render/ImageData.h"

namespace render {

QLResultEnum ImageData::DecodeLevel(int, int, std::uint8_t*) { return QL_FAIL; }

}  // namespace render
