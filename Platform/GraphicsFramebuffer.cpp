#include "Platform/GraphicsFramebuffer.h"

#include <epoxy/gl.h>

#include <utility>

namespace platform {
namespace {

GLuint MakeRenderbuffer(GLenum format, int width, int height) {
  GLuint name = 0;
  glGenRenderbuffers(1, &name);
  glBindRenderbuffer(GL_RENDERBUFFER, name);
  glRenderbufferStorage(GL_RENDERBUFFER, format, width, height);
  return name;
}

}  // namespace

GraphicsFramebuffer::GraphicsFramebuffer(ContextLink context, int width, int height, unsigned colorTexture)
    : context_(std::move(context)), width_(width), height_(height) {
  // Made without disturbing the device's current target.
  GLint previous = 0;
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previous);
  glGenFramebuffers(1, &framebuffer_);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer_);
  if (colorTexture) {
    glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colorTexture, 0);
  } else {
    colorStorage_ = MakeRenderbuffer(GL_RGBA8, width, height);
    depthStencil_ = MakeRenderbuffer(GL_DEPTH24_STENCIL8, width, height);
    glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colorStorage_);
    glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depthStencil_);
  }
  complete_ = glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(previous));
}

GraphicsFramebuffer::~GraphicsFramebuffer() {
  if (context_.expired()) return;
  glDeleteFramebuffers(1, &framebuffer_);
  const GLuint storage[] = {colorStorage_, depthStencil_};
  glDeleteRenderbuffers(2, storage);
}

}  // namespace platform
