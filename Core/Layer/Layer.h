#pragma once

#include <cstdint>
#include <list>

#include "Core/Base/Delegate.h"
#include "Core/Base/Result.h"
#include "Core/Base/SharedRef.h"
#include "Core/Layer/Drawable.h"

namespace render {
class Graphics;
}

namespace layer {

class HitTestListener;

// A node of the tree that everything on screen is drawn from. Children are
// drawn first to last with the parent's transform and alpha; the mouse walk
// tests them last to first. Children are not owned.
class Layer : public Drawable {
 public:
  using DrawDelegate = base::Delegate2<render::Graphics*, Layer*, QLResultEnum>;
  using DrawDelegateRef = base::SharedRef<DrawDelegate>;
  // A list, so that a child leaves in constant time wherever it is.
  using Children = std::list<Layer*>;

  // The children last to first, for a walk whose own handlers may change them
  // meanwhile: a child taken out before its turn is not visited.
  class BackwardWalk {
   public:
    explicit BackwardWalk(Layer& parent);
    ~BackwardWalk();
    BackwardWalk(const BackwardWalk&) = delete;
    BackwardWalk& operator=(const BackwardWalk&) = delete;

    // Null once every child had its turn.
    Layer* Next();

   private:
    friend class Layer;
    Layer& parent_;
    Layer* next_;
    // A walk that a handler of this one started over the same children.
    BackwardWalk* outer_;
  };

  Layer() = default;
  // Leaves the parent and orphans the children, so that no pointer to this
  // layer outlives it.
  ~Layer() override;

  // The layer's own content; draws nothing by default.
  virtual QLResultEnum Draw(render::Graphics* graphics);
  // The whole subtree, this layer first.
  virtual QLResultEnum Render(render::Graphics* graphics);
  // Whether the own content is hit at a point of the layer's own space.
  virtual bool HitTestPoint(const math::Point3& local) const;

  Layer* GetParent() const { return parent_; }
  const Children& GetChildren() const { return children_; }
  // Takes the child from its old parent; it is drawn after its siblings.
  void AddChild(Layer* child);
  // The same, but drawn before its siblings and hit-tested after them.
  void InsertChildFirst(Layer* child);
  // Nothing when it is not a child.
  void RemoveChild(Layer* child);

  HitTestListener* GetListener() const { return listener_; }
  void SetListener(HitTestListener* listener) { listener_ = listener; }
  void SetBeforeDraw(const DrawDelegateRef& before) { beforeDraw_ = before; }
  void SetAfterDraw(const DrawDelegateRef& after) { afterDraw_ = after; }
  const DrawDelegateRef& GetBeforeDraw() const { return beforeDraw_; }
  const DrawDelegateRef& GetAfterDraw() const { return afterDraw_; }

  bool InheritsAlpha() const { return inheritAlpha_; }
  void SetInheritAlpha(bool inherit) { inheritAlpha_ = inherit; }
  // The alpha of the last render pass, the parents' alpha included.
  float GetEffectiveAlpha() const { return effectiveAlpha_; }
  bool WalksWhenNotHitTestable() const { return walkWhenNotHitTestable_; }
  void SetWalksWhenNotHitTestable(bool walk) { walkWhenNotHitTestable_ = walk; }

  // Brings the stale bounds of the subtree up to date; true when any changed.
  bool UpdateBounds();
  // A point of the parent's space into this layer's space. Rotations out of
  // the plane are ignored.
  void ToLocal(const math::Point3& point, math::Point3& local) const;
  // A design point into this layer's space, through every ancestor.
  void WorldToLocal(const math::Point3& point, math::Point3& local) const;

  // The mouse walks with this layer as the root; the point is in the parent's
  // space (design units for a root layer). A handler's failure is returned;
  // otherwise handled tells whether a handler took the event.
  QLResultEnum HitTestDownFrom(float x, float y, int button, bool& handled);
  QLResultEnum HitTestUpFrom(float x, float y, int button, bool& handled);
  QLResultEnum HitTestMoveFrom(float x, float y, bool& handled);
  QLResultEnum HitTestDragFrom(float x, float y, bool& handled);
  QLResultEnum HitTestWheelFrom(float x, float y, std::int16_t delta, bool& handled);

 private:
  void Adopt(Layer* child);
  // The sibling drawn just before the child, if any.
  Layer* Before(const Layer& child) const;
  void UpdateTransformTree();

  Layer* parent_ = nullptr;
  // Where this layer sits in its parent's children; valid while it has one.
  Children::iterator place_;
  Children children_;
  BackwardWalk* walks_ = nullptr;
  HitTestListener* listener_ = nullptr;
  DrawDelegateRef beforeDraw_;
  DrawDelegateRef afterDraw_;
  bool parentTransformChanged_ = false;
  bool inheritAlpha_ = true;
  float passedAlpha_ = 1.0f;
  float effectiveAlpha_ = 1.0f;
  bool walkWhenNotHitTestable_ = false;
};

}  // namespace layer
