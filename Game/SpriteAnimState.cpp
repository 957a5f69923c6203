#include "Game/SpriteAnimState.h"

#include <algorithm>
#include <cmath>

#include "Core/Base/LogMessage.h"
#include "Core/Base/TextConversion.h"
#include "Core/Render/Graphics.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpResources.h"
#include "Game/SpriteDef.h"

namespace {

constexpr float kFallbackFps = 20.0f;

}  // namespace

SpriteAnimState::SpriteAnimState(const base::WString& spriteName, const base::WString& animation)
    : animation(animation), definition_(KpResources::Instance()->getSprite(spriteName)), spriteName_(spriteName) {
  const SpriteDef::FrameList* pivot = definition_->findGroup("s_point");
  if (pivot && !pivot->empty()) {
    pivotX_ = pivot->front()->x;
    pivotY_ = pivot->front()->y;
  }
}

float SpriteAnimState::framesPerSecond() {
  if (fps <= 0.0f) {
    QL_LOG(u"Sprite '%s' was given %f frames per second; it plays at 20\n")
        .AddArg(spriteName_)
        .AddArg(fps);
    fps = kFallbackFps;
  }
  return fps;
}

void SpriteAnimState::update(float dt) {
  time += dt;
  const int frames = rootFrameCount();
  if (time >= 1.0f / framesPerSecond() * static_cast<float>(frames)) time = 0.0f;
}

KpFrameEntry* SpriteAnimState::currentFrame(float px, float py, float rotation) {
  const SpriteDef::FrameList& frames = definition_->group(base::ToNarrow(animation, base::kEncodingUtf8));
  if (frames.empty()) {
    if (!reportedEmpty_)
      QL_LOG(u"Sprite '%s' has no frames in '%s'; nothing is drawn\n").AddArg(spriteName_).AddArg(animation);
    reportedEmpty_ = true;
    return nullptr;
  }
  const auto count = static_cast<long long>(frames.size());
  // A negative time set by an owner still picks a frame inside the group.
  const long long step = static_cast<long long>(std::floor(framesPerSecond() * time));
  KpFrameEntry* frame = frames[static_cast<std::size_t>(((step % count) + count) % count)];

  float extentX = 0.0f;
  float extentY = 0.0f;
  for (const KpFrameEntry* each : frames) {
    extentX = std::max(extentX, each->x + each->width);
    extentY = std::max(extentY, each->y + each->height);
  }
  math::Transform2D& transform = frame->transform;
  transform.Reset();
  transform.RotateDegrees(rotation);
  transform.Translate(frame->width / 2.0f, frame->height / 2.0f);
  transform.Translate(frame->x, frame->y);
  transform.Translate(-extentX / 2.0f, -extentY / 2.0f);
  transform.Translate(extentX / 2.0f - pivotX_ + px, extentY / 2.0f - pivotY_ + py);
  return frame;
}

void SpriteAnimState::draw(render::Graphics* graphics, float px, float py, float rotation) {
  KpFrameEntry* frame = currentFrame(px, py, rotation);
  if (!frame || !frame->image || !graphics) return;
  auto draw = graphics->DrawImage(frame->image);
  draw->anchorX = render::kAnchorCenter;
  draw->anchorY = render::kAnchorMiddle;
  draw.Transform2D(frame->transform);
}

int SpriteAnimState::rootFrameCount() const {
  const SpriteDef::FrameList* root = definition_->findGroup("");
  return root ? static_cast<int>(root->size()) : 0;
}
