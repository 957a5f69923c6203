#pragma once

#include <filesystem>
#include <vector>

#include "tools/art/Layout.h"

namespace art {

// One picture of the drawn layouts for a person to look over: every unit's
// walk cycle, every tower at 8 directions (or its idle and blast frames), and
// every frame of the interface parts, on a map-coloured ground; below them
// every map at a quarter of its size, its effect points marked.
bool WriteContactSheet(const std::vector<Layout>& layouts, const std::vector<Layout>& maps,
                       const std::filesystem::path& path);

}  // namespace art
