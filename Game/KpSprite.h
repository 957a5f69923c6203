#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "Core/Base/WString.h"
#include "Game/SpriteAnimState.h"

namespace render {
class Graphics;
}

// A short-lived effect of the map, kept in its sprite list until it reports
// that it is no longer alive.
class KpSprite {
 public:
  KpSprite() = default;
  KpSprite(const KpSprite&) = delete;
  KpSprite& operator=(const KpSprite&) = delete;
  virtual ~KpSprite() = default;

  virtual bool isAlive() const { return alive; }
  virtual void draw(render::Graphics*) {}
  virtual void enqueueDraw() {}
  virtual void update(float /*dt*/) {}

  std::int32_t id = -1;
  base::WString name;
  float x = 0.0f;
  float y = 0.0f;
  bool alive = true;
  float elapsed = 0.0f;
  // A pickup lying on the map is in kPickupReady; a collected one, in
  // kPickupCollected, no longer counts.
  static constexpr int kPickupReady = 1;
  static constexpr int kPickupCollected = 2;
  int state = 0;
};

// Plays the root animation of a sprite once (or in a loop), optionally after
// a delay, and fades out over its last 0.2 s.
class KpAnimatedSprite : public KpSprite {
 public:
  explicit KpAnimatedSprite(const base::WString& spriteName);

  void draw(render::Graphics* graphics) override;
  void update(float dt) override;

  float duration();
  SpriteAnimState& state() { return *state_; }

  bool loop = false;
  // Neither drawn nor animated until it has run out; the lifetime counts from
  // creation all the same.
  float delay = 0.0f;

 private:
  std::unique_ptr<SpriteAnimState> state_;
};

// Appends the sprite when there is one; the list owns it.
void AppendSpriteIfAny(std::vector<KpSprite*>& list, KpSprite* sprite);
// Updates every sprite in order and deletes those that are then not alive.
void UpdateSpriteList(std::vector<KpSprite*>& list, float dt);
