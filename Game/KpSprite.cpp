#include "Game/KpSprite.h"

#include "Core/Render/Graphics.h"

namespace {

constexpr float kAnimatedFps = 20.0f;
constexpr float kFadeSeconds = 0.2f;

}  // namespace

KpAnimatedSprite::KpAnimatedSprite(const base::WString& spriteName)
    : state_(std::make_unique<SpriteAnimState>(spriteName, u"")) {
  state_->fps = kAnimatedFps;
}

float KpAnimatedSprite::duration() {
  return static_cast<float>(state_->rootFrameCount()) / state_->framesPerSecond();
}

void KpAnimatedSprite::update(float dt) {
  elapsed += dt;
  delay -= dt;
  const auto frames = static_cast<float>(state_->rootFrameCount());
  const float fps = state_->framesPerSecond();
  if (fps * elapsed > frames - 1.0f) {
    if (loop) {
      elapsed -= frames / fps;
      delay = 0.0f;
    } else {
      alive = false;
    }
  }
  if (delay <= 0.0f) state_->update(dt);
}

void KpAnimatedSprite::draw(render::Graphics* graphics) {
  if (!graphics) return;
  const float left = duration() - elapsed;
  if (left < kFadeSeconds) graphics->SetColorRGBA(1.0f, 1.0f, 1.0f, left / kFadeSeconds);
  if (delay < 0.0f) state_->draw(graphics, x, y, 0.0f);
  graphics->SetColorRGBA(1.0f, 1.0f, 1.0f, 1.0f);
}

void AppendSpriteIfAny(std::vector<KpSprite*>& list, KpSprite* sprite) {
  if (sprite) list.push_back(sprite);
}

void UpdateSpriteList(std::vector<KpSprite*>& list, float dt) {
  for (std::size_t i = 0; i < list.size();) {
    KpSprite* sprite = list[i];
    sprite->update(dt);
    if (sprite->isAlive()) {
      ++i;
      continue;
    }
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    delete sprite;
  }
}
