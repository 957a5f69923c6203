#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "Platform/GraphicsContext.h"

namespace platform {

// What a pair of GLSL 3.30 shaders must declare to run on the device:
// - vertex inputs at the locations of GraphicsVertexLayout.h, by semantic;
// - the constants of each stage as one array indexed by register,
//   `uniform vec4 lf_VertexConstants[N];` and `uniform vec4 lf_PixelConstants[M];`
//   (either may be absent);
// - the sampler of texture stage i as `uniform sampler2D lf_Sampler<i>;`;
// - in the vertex shader, kPositionFixup's declaration, with its statement
//   as the last one of main().
//
// The fix-up carries Direct3D 9 positions over to GL: y is mirrored, because
// targets hold the top row first; depth goes from [0, w] to [-w, w]; and the
// position moves half a pixel right and down, because Direct3D 9 puts pixel
// centres on whole coordinates where GL puts them on halves. The drawing code
// subtracts 0.5 for Direct3D, and the two cancel.
inline constexpr char kPositionFixupDeclaration[] = "uniform vec2 lf_HalfPixel;\n";
inline constexpr char kPositionFixupStatement[] =
    "gl_Position = vec4(gl_Position.x + lf_HalfPixel.x * gl_Position.w,"
    " lf_HalfPixel.y * gl_Position.w - gl_Position.y,"
    " 2.0 * gl_Position.z - gl_Position.w, gl_Position.w);\n";

// A linked vertex + fragment program.
class GraphicsProgram {
 public:
  ~GraphicsProgram();
  GraphicsProgram(const GraphicsProgram&) = delete;
  GraphicsProgram& operator=(const GraphicsProgram&) = delete;

 private:
  friend class GraphicsDevice;
  GraphicsProgram(ContextLink context, unsigned name);

  // Null, with the compiler's or linker's messages in errors, on failure.
  static std::unique_ptr<GraphicsProgram> Create(ContextLink context, const std::string& vertexSource,
                                                 const std::string& pixelSource, std::string* errors);

  struct Constants {
    int location = -1;
    int registers = 0;
  };

  ContextLink context_;
  unsigned name_;
  Constants vertexConstants_;
  Constants pixelConstants_;
  int halfPixelLocation_ = -1;
  // The device's uniform state this program last received.
  std::uint64_t uniformsVersion_ = 0;
};

}  // namespace platform
