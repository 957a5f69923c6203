#pragma once

#include <cairo.h>

#include <filesystem>

namespace art {

// Writes an ARGB32 surface as an RGBA PNG. The pictures are written at every
// build, so they are compressed for speed rather than size.
bool WritePng(cairo_surface_t* surface, const std::filesystem::path& path);

}  // namespace art
