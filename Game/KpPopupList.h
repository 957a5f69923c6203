#pragma once

#include <array>
#include <vector>

#include "Core/Base/WString.h"

namespace render {
class Graphics;
class Image;
}  // namespace render

// A short text with an optional icon that rises from a map point and fades.
class KpPopup {
 public:
  enum Kind { kPlain = 0, kImmune = 2, kMoney = 4 };

  KpPopup(float x, float y, int kind);

  void update(float dt);
  void draw(render::Graphics& graphics);

  bool alive = true;
  // Not owned.
  render::Image* icon = nullptr;
  base::WString text;
  float x;
  float y;
  int kind;
  float life = 0.75f;
  float elapsed = 0.0f;
  float velocityX = 0.0f;
  float velocityY = -1.0f;
};

// The map's popups in creation order; owns them.
class KpPopupList {
 public:
  KpPopupList();
  KpPopupList(const KpPopupList&) = delete;
  KpPopupList& operator=(const KpPopupList&) = delete;
  ~KpPopupList();

  // The caller sets the text of the popup it gets.
  KpPopup* add(float x, float y, int kind);
  void update(float dt);
  void draw(render::Graphics& graphics);
  void clear();

  const std::vector<KpPopup*>& popups() const { return popups_; }

 private:
  // By kind, 0 to 4; not owned.
  std::array<render::Image*, 5> icons_{};
  std::vector<KpPopup*> popups_;
};
