#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "Core/Base/DelegateBindings.h"
#include "Core/Layer/Layer.h"
#include "Core/Layer/RectHitLayer.h"

namespace {

using layer::Layer;

void ExpectPoint(const math::Point3& actual, float x, float y, float z = 0.0f) {
  EXPECT_NEAR(actual.x, x, 1e-4f);
  EXPECT_NEAR(actual.y, y, 1e-4f);
  EXPECT_NEAR(actual.z, z, 1e-4f);
}

void ExpectBox(const math::AABB& box, float minX, float minY, float maxX, float maxY) {
  EXPECT_NEAR(box.min.x, minX, 1e-4f);
  EXPECT_NEAR(box.min.y, minY, 1e-4f);
  EXPECT_NEAR(box.max.x, maxX, 1e-4f);
  EXPECT_NEAR(box.max.y, maxY, 1e-4f);
}

math::Point3 ToDesign(Layer& layer, math::Point3 point) {
  layer.GetWorldTransform().GetMatrix().TransformPoint(point);
  return point;
}

// Writes what it draws and what its hooks see into a shared journal.
class JournalLayer : public Layer {
 public:
  JournalLayer(std::string name, std::vector<std::string>& journal) : name_(std::move(name)), journal_(journal) {
    using Hook = base::MemberDelegate2<JournalLayer, render::Graphics*, Layer*, QLResultEnum>;
    DrawDelegateRef before, after;
    before.Reset(new Hook(this, &JournalLayer::Before));
    after.Reset(new Hook(this, &JournalLayer::After));
    SetBeforeDraw(before);
    SetAfterDraw(after);
  }

  QLResultEnum Draw(render::Graphics*) override {
    journal_.push_back(name_ + " draw");
    return drawResult;
  }

  QLResultEnum drawResult = QL_OK;

 private:
  QLResultEnum Before(render::Graphics*, Layer*) {
    journal_.push_back(name_ + " before");
    return QL_OK;
  }
  QLResultEnum After(render::Graphics*, Layer*) {
    journal_.push_back(name_ + " after");
    return QL_OK;
  }

  std::string name_;
  std::vector<std::string>& journal_;
};

TEST(LayerTreeTest, ChildrenAreDrawnInOrderBetweenTheParentsHooks) {
  std::vector<std::string> journal;
  JournalLayer root("root", journal), first("first", journal), second("second", journal), hidden("hidden", journal);
  JournalLayer underHidden("under", journal);
  root.AddChild(&first);
  root.AddChild(&second);
  root.InsertChildFirst(&hidden);
  hidden.AddChild(&underHidden);
  hidden.SetVisible(false);

  EXPECT_EQ(root.Render(nullptr), QL_OK);
  EXPECT_EQ(journal, (std::vector<std::string>{"root before", "root draw", "first before", "first draw", "first after",
                                               "second before", "second draw", "second after", "root after"}));
}

TEST(LayerTreeTest, AFailingDrawStopsTheSubtreeAndIsReturned) {
  std::vector<std::string> journal;
  JournalLayer root("root", journal), first("first", journal), second("second", journal);
  root.AddChild(&first);
  root.AddChild(&second);
  first.drawResult = static_cast<QLResultEnum>(7);

  EXPECT_EQ(root.Render(nullptr), 7);
  EXPECT_EQ(journal, (std::vector<std::string>{"root before", "root draw", "first before", "first draw"}));
}

TEST(LayerTreeTest, TheWorldTransformCarriesAPointThroughEveryAncestor) {
  Layer root, child;
  root.AddChild(&child);
  root.SetPosition(100.0f, 50.0f, 0.0f);
  child.SetPosition(10.0f, 0.0f, 0.0f);
  child.SetScale(2.0f, 2.0f, 1.0f);
  child.SetRotation(0.0f, 0.0f, std::numbers::pi_v<float> / 2);
  root.Render(nullptr);

  math::Point3 design = ToDesign(child, {1.0f, 0.0f, 0.0f});
  math::Point3 back;
  child.WorldToLocal(design, back);
  ExpectPoint(back, 1.0f, 0.0f);
  // Scaled to (2, 0), turned a quarter to (0, +-2), then moved by 110, 50.
  EXPECT_NEAR(design.x, 110.0f, 1e-3f);
  EXPECT_NEAR(std::abs(design.y - 50.0f), 2.0f, 1e-3f);
}

TEST(LayerTreeTest, AChildAddedToAMovedParentTakesItsTransformInTheNextPass) {
  Layer root, late;
  root.SetPosition(30.0f, 40.0f, 0.0f);
  root.Render(nullptr);
  root.AddChild(&late);
  root.Render(nullptr);
  ExpectPoint(ToDesign(late, {1.0f, 2.0f, 0.0f}), 31.0f, 42.0f);
}

TEST(LayerTreeTest, AlphaIsInheritedFromTheParents) {
  Layer root, child, grandchild;
  root.AddChild(&child);
  child.AddChild(&grandchild);
  root.SetAlpha(0.5f);
  child.SetAlpha(0.5f);
  root.Render(nullptr);
  EXPECT_FLOAT_EQ(child.GetEffectiveAlpha(), 0.25f);
  EXPECT_FLOAT_EQ(grandchild.GetEffectiveAlpha(), 0.25f);

  // A child that does not inherit multiplies with the alpha its parent passes.
  grandchild.SetInheritAlpha(false);
  grandchild.SetAlpha(0.5f);
  root.Render(nullptr);
  EXPECT_FLOAT_EQ(grandchild.GetEffectiveAlpha(), 0.25f);
}

TEST(LayerTreeTest, BoundsAreLazyAndAMovedChildUpdatesThemUpToTheRoot) {
  Layer root, panel;
  layer::RectHitLayer box;
  root.AddChild(&panel);
  panel.AddChild(&box);
  box.SetRect(0.0f, 0.0f, 20.0f, 10.0f);
  panel.SetPosition(100.0f, 0.0f, 0.0f);

  EXPECT_TRUE(root.UpdateBounds());
  ExpectBox(root.GetOuterBounds(), 100.0f, 0.0f, 120.0f, 10.0f);
  EXPECT_FALSE(root.UpdateBounds()) << "nothing changed since";

  box.SetPosition(5.0f, 5.0f, 0.0f);
  EXPECT_FALSE(box.IsOuterBoundsValid());
  EXPECT_TRUE(panel.IsOuterBoundsValid()) << "a move marks only the moved layer";
  EXPECT_TRUE(root.UpdateBounds());
  ExpectBox(box.GetOuterBounds(), 5.0f, 5.0f, 25.0f, 15.0f);
  ExpectBox(root.GetOuterBounds(), 105.0f, 5.0f, 125.0f, 15.0f);
}

TEST(LayerTreeTest, ALayerWithoutContentHasEmptyBounds) {
  Layer root, empty;
  root.AddChild(&empty);
  root.UpdateBounds();
  EXPECT_TRUE(layer::IsEmptyBox(empty.GetOuterBounds()));
  EXPECT_TRUE(layer::IsEmptyBox(root.GetOuterBounds()));
}

struct PlacementCase {
  const char* name;
  math::Point3 scale;
  math::Point3 rotation;
  float minX, minY, maxX, maxY;
};

class OuterBoundsTest : public testing::TestWithParam<PlacementCase> {};

TEST_P(OuterBoundsTest, AreTheRotatedAndScaledBoxAndStayOrdered) {
  const PlacementCase& c = GetParam();
  layer::RectHitLayer box;
  box.SetRect(0.0f, 0.0f, 20.0f, 10.0f);
  box.SetScale(c.scale.x, c.scale.y, c.scale.z);
  box.SetRotation(c.rotation.x, c.rotation.y, c.rotation.z);
  box.SetPosition(100.0f, 100.0f, 0.0f);
  box.UpdateBounds();
  const math::AABB& outer = box.GetOuterBounds();
  ExpectBox(outer, c.minX, c.minY, c.maxX, c.maxY);
  EXPECT_LE(outer.min.x, outer.max.x);
  EXPECT_LE(outer.min.y, outer.max.y);
}

INSTANTIATE_TEST_SUITE_P(
    Placements, OuterBoundsTest,
    testing::Values(PlacementCase{"Plain", {1, 1, 1}, {}, 100, 100, 120, 110},
                    PlacementCase{"Scaled", {2, 3, 1}, {}, 100, 100, 140, 130},
                    PlacementCase{"MirroredX", {-1, 1, 1}, {}, 80, 100, 100, 110},
                    PlacementCase{"MirroredBoth", {-2, -1, 1}, {}, 60, 90, 100, 100},
                    PlacementCase{"QuarterTurn", {1, 1, 1}, {0, 0, std::numbers::pi_v<float> / 2}, 90, 100, 100, 120},
                    PlacementCase{"BelowThreshold", {1, 1, 1}, {0, 0, 0.0001f}, 100, 100, 120, 110},
                    // Turned about x by a half turn: y flips, x stays.
                    PlacementCase{"OutOfPlane", {1, 1, 1}, {std::numbers::pi_v<float>, 0, 0}, 100, 90, 120, 100}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LayerTreeTest, ToLocalUndoesPositionRotationAndScale) {
  Layer layer;
  layer.SetPosition(10.0f, 20.0f, 0.0f);
  layer.SetRotation(0.0f, 0.0f, std::numbers::pi_v<float> / 2);
  layer.SetScale(2.0f, 4.0f, 1.0f);
  math::Point3 local;
  // Local (1, 1) scales to (2, 4), turns to (-4, 2) and moves to (6, 22).
  layer.ToLocal({6.0f, 22.0f, 0.0f}, local);
  ExpectPoint(local, 1.0f, 1.0f);

  // Out of the plane: only the position and scale count.
  layer.SetRotation(0.5f, 0.0f, 0.0f);
  layer.SetScale(1.0f, 1.0f, 1.0f);
  layer.ToLocal({11.0f, 21.0f, 0.0f}, local);
  ExpectPoint(local, 1.0f, 1.0f);
}

TEST(LayerTreeTest, WorldToLocalGoesDownFromTheRoot) {
  Layer root, tilted, child;
  root.AddChild(&tilted);
  tilted.AddChild(&child);
  root.SetPosition(100.0f, 0.0f, 0.0f);
  root.SetScale(2.0f, 2.0f, 1.0f);
  tilted.SetRotation(0.5f, 0.0f, 0.0f);
  tilted.SetPosition(7.0f, 7.0f, 0.0f);
  child.SetPosition(5.0f, 10.0f, 0.0f);

  // The layer turned out of the plane leaves the point as it is.
  math::Point3 local;
  child.WorldToLocal({120.0f, 40.0f, 0.0f}, local);
  ExpectPoint(local, 5.0f, 10.0f);
}

TEST(LayerTreeTest, ADestroyedLayerLeavesItsParentAndOrphansItsChildren) {
  Layer root, kept;
  Layer* doomed = new Layer;
  Layer grandchild;
  root.AddChild(doomed);
  root.AddChild(&kept);
  doomed->AddChild(&grandchild);
  delete doomed;

  EXPECT_EQ(root.GetChildren(), Layer::Children{&kept});
  EXPECT_EQ(grandchild.GetParent(), nullptr);
  // Both still work with what is left.
  EXPECT_EQ(root.Render(nullptr), QL_OK);
  root.UpdateBounds();
  grandchild.UpdateBounds();
}

TEST(LayerTreeTest, ChildrenKeepTheirOrderWhereverOneLeaves) {
  Layer root, a, b, c, d;
  root.AddChild(&a);
  root.AddChild(&b);
  root.AddChild(&c);
  root.InsertChildFirst(&d);
  root.RemoveChild(&b);
  EXPECT_EQ(root.GetChildren(), (Layer::Children{&d, &a, &c}));
  root.AddChild(&b);
  root.RemoveChild(&d);
  root.RemoveChild(&c);
  EXPECT_EQ(root.GetChildren(), (Layer::Children{&a, &b}));
}

TEST(LayerTreeTest, AddingALayerTakesItFromItsOldParent) {
  Layer first, second, child;
  first.AddChild(&child);
  second.AddChild(&child);
  EXPECT_TRUE(first.GetChildren().empty());
  EXPECT_EQ(child.GetParent(), &second);
  second.RemoveChild(&first);  // not a child: nothing happens
  EXPECT_EQ(second.GetChildren().size(), 1u);
}

}  // namespace
