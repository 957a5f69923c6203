#include "Platform/GraphicsProgram.h"

#include <epoxy/gl.h>

#include <utility>

#include "Platform/GraphicsStates.h"

namespace platform {
namespace {

std::string InfoLog(GLuint object, bool isProgram) {
  GLint length = 0;
  isProgram ? glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length) : glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
  std::string log(static_cast<std::size_t>(length), '\0');
  isProgram ? glGetProgramInfoLog(object, length, nullptr, log.data())
            : glGetShaderInfoLog(object, length, nullptr, log.data());
  return log.c_str();
}

// Zero when the shader does not compile; its messages are added to errors.
GLuint Compile(GLenum stage, const std::string& source, const char* label, std::string* errors) {
  const GLuint shader = glCreateShader(stage);
  const char* text = source.c_str();
  glShaderSource(shader, 1, &text, nullptr);
  glCompileShader(shader);
  GLint compiled = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (compiled) return shader;
  *errors += std::string(label) + ": " + InfoLog(shader, false);
  glDeleteShader(shader);
  return 0;
}

std::pair<GLint, int> FindArray(GLuint program, const char* name) {
  GLuint index = GL_INVALID_INDEX;
  glGetUniformIndices(program, 1, &name, &index);
  if (index == GL_INVALID_INDEX) return {-1, 0};
  GLint size = 0;
  glGetActiveUniformsiv(program, 1, &index, GL_UNIFORM_SIZE, &size);
  return {glGetUniformLocation(program, name), size};
}

}  // namespace

GraphicsProgram::GraphicsProgram(ContextLink context, unsigned name) : context_(std::move(context)), name_(name) {}

GraphicsProgram::~GraphicsProgram() {
  if (!context_.expired()) glDeleteProgram(name_);
}

std::unique_ptr<GraphicsProgram> GraphicsProgram::Create(ContextLink context, const std::string& vertexSource,
                                                         const std::string& pixelSource, std::string* errors) {
  errors->clear();
  const GLuint vertex = Compile(GL_VERTEX_SHADER, vertexSource, "vertex shader", errors);
  const GLuint pixel = Compile(GL_FRAGMENT_SHADER, pixelSource, "pixel shader", errors);
  if (!vertex || !pixel) {
    glDeleteShader(vertex);
    glDeleteShader(pixel);
    return nullptr;
  }
  const GLuint name = glCreateProgram();
  glAttachShader(name, vertex);
  glAttachShader(name, pixel);
  glLinkProgram(name);
  glDeleteShader(vertex);
  glDeleteShader(pixel);
  std::unique_ptr<GraphicsProgram> program(new GraphicsProgram(std::move(context), name));
  GLint linked = GL_FALSE;
  glGetProgramiv(name, GL_LINK_STATUS, &linked);
  if (!linked) {
    *errors = "link: " + InfoLog(name, true);
    return nullptr;
  }

  const auto [vertexLocation, vertexRegisters] = FindArray(name, "lf_VertexConstants");
  const auto [pixelLocation, pixelRegisters] = FindArray(name, "lf_PixelConstants");
  program->vertexConstants_ = {vertexLocation, vertexRegisters};
  program->pixelConstants_ = {pixelLocation, pixelRegisters};
  program->halfPixelLocation_ = glGetUniformLocation(name, "lf_HalfPixel");
  if (program->halfPixelLocation_ < 0) {
    *errors = "vertex shader: the position fix-up is missing";
    return nullptr;
  }
  // Sampler units are fixed per program, not per draw.
  glUseProgram(name);
  for (int stage = 0; stage < kTextureStages; ++stage) {
    const GLint sampler = glGetUniformLocation(name, ("lf_Sampler" + std::to_string(stage)).c_str());
    if (sampler >= 0) glUniform1i(sampler, stage);
  }
  return program;
}

}  // namespace platform
