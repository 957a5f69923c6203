#pragma once

#include "Core/Base/WString.h"

namespace render {
class Graphics;
}
class KpFrameEntry;
class SpriteDef;

// Plays one animation (a group) of a sprite definition: turns the time and a
// drawing position into the positioned frame to draw. The definition is the
// registry's; the frame returned is shared by every state playing it, so it is
// drawn before another state asks for a frame of the same definition.
class SpriteAnimState {
 public:
  // Builds (or finds) the definition through the registry.
  SpriteAnimState(const base::WString& spriteName, const base::WString& animation);

  // The root group is the clock of every animation: the time wraps after
  // its frames, whichever group plays.
  void update(float dt);
  // Null when the playing group has no frames (logged once per state).
  KpFrameEntry* currentFrame(float px, float py, float rotation);
  void draw(render::Graphics* graphics, float px, float py, float rotation);
  int rootFrameCount() const;
  // fps, taken as 20 (logged) when an owner left it at zero or below.
  float framesPerSecond();

  SpriteDef* definition() const { return definition_; }
  const base::WString& spriteName() const { return spriteName_; }
  float pivotX() const { return pivotX_; }
  float pivotY() const { return pivotY_; }

  // Owners switch animations by assigning the name and resetting the time.
  base::WString animation;
  float time = 0.0f;
  float fps = 30.0f;

 private:
  SpriteDef* definition_;
  float pivotX_ = 50.0f;
  float pivotY_ = 30.0f;
  base::WString spriteName_;
  bool reportedEmpty_ = false;
};
