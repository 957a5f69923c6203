#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/Image.h"
#include "Game/KpButtonFrame.h"
#include "Game/KpFrameEntry.h"
#include "Game/OwnedPointers.h"
#include "tests/Support/CaseNames.h"

namespace {

// Where the transform puts the image's middle, which the draw anchors there.
math::Transform2D::Vector2 Middle(math::Transform2D& transform) {
  const math::Matrix3& matrix = transform.GetMatrix();
  return {matrix.m02, matrix.m12};
}

// A 40 x 20 button at (100, 50).
void Place(KpButtonFrame& button) {
  button.x = 100.0f;
  button.y = 50.0f;
  button.width = 40.0f;
  button.height = 20.0f;
}

struct HoverCase {
  const char* name;
  int x;
  int y;
  int hover;
};

void PrintTo(const HoverCase& c, std::ostream* out) { *out << c.name; }

class ButtonHoverTest : public ::testing::TestWithParam<HoverCase> {};

TEST_P(ButtonHoverTest, OnlyAPointStrictlyInsideIsAHover) {
  KpButtonFrame button;
  Place(button);
  button.updateHover(GetParam().x, GetParam().y);
  EXPECT_EQ(button.hover, GetParam().hover);
}

INSTANTIATE_TEST_SUITE_P(Points, ButtonHoverTest,
                         ::testing::Values(HoverCase{"Inside", 120, 60, 1}, HoverCase{"LeftEdge", 100, 60, 0},
                                           HoverCase{"RightEdge", 140, 60, 0}, HoverCase{"TopEdge", 120, 50, 0},
                                           HoverCase{"BottomEdge", 120, 70, 0}, HoverCase{"JustInsideCorner", 101, 51, 1},
                                           HoverCase{"Outside", 99, 60, 0}),
                         testing_support::RowName());

struct ZoomCase {
  const char* name;
  std::vector<std::pair<int, float>> steps;  // hover, seconds
  float scale;
};

void PrintTo(const ZoomCase& c, std::ostream* out) { *out << c.name; }

class ButtonZoomTest : public ::testing::TestWithParam<ZoomCase> {};

TEST_P(ButtonZoomTest, GrowsWhileHoveredAndShrinksTwiceAsFast) {
  KpButtonFrame button;
  Place(button);
  for (const auto& [hover, seconds] : GetParam().steps) {
    button.hover = hover;
    button.update(seconds);
  }
  EXPECT_NEAR(button.scale, GetParam().scale, 1e-5f);
}

INSTANTIATE_TEST_SUITE_P(
    Timings, ButtonZoomTest,
    ::testing::Values(ZoomCase{"HoveredATenth", {{1, 0.1f}}, 1.05f}, ZoomCase{"HoveredAFifth", {{1, 0.2f}}, 1.1f},
                      ZoomCase{"CappedWhenHoveredLonger", {{1, 0.15f}, {1, 0.5f}}, 1.1f},
                      ZoomCase{"LeftForATwentieth", {{1, 0.3f}, {0, 0.05f}}, 1.05f},
                      ZoomCase{"NeverBelowOne", {{1, 0.1f}, {0, 1.0f}}, 1.0f},
                      ZoomCase{"OtherHoverValuesHold", {{1, 0.1f}, {2, 1.0f}}, 1.05f}),
    testing_support::RowName());

TEST(ButtonPlacementTest, TheWindowScaleZoomsAboutTheDesignCentre) {
  KpButtonFrame centred;
  centred.x = 412.0f;
  centred.y = 334.0f;
  centred.width = 200.0f;
  centred.height = 100.0f;
  math::Transform2D half = centred.placement(0.5f, 512.0f, 384.0f);
  EXPECT_FLOAT_EQ(Middle(half).x, 512.0f);
  EXPECT_FLOAT_EQ(Middle(half).y, 384.0f);
  EXPECT_FLOAT_EQ(half.GetMatrix().m00, 0.5f) << "drawn at half size";

  KpButtonFrame corner;
  Place(corner);
  corner.scale = 1.1f;
  math::Transform2D zoomed = corner.placement(0.5f, 512.0f, 384.0f);
  EXPECT_FLOAT_EQ(Middle(zoomed).x, 512.0f + (120.0f - 512.0f) * 0.5f);
  EXPECT_FLOAT_EQ(Middle(zoomed).y, 384.0f + (60.0f - 384.0f) * 0.5f);
  EXPECT_FLOAT_EQ(zoomed.GetMatrix().m00, 0.55f) << "the hover zoom about the image's own middle";
}

TEST(FrameOrderTest, AStableSortByLayerIndexKeepsLowerIndicesFirst) {
  std::vector<KpFrameEntry> frames(5);
  const int z[] = {3, -1, 2, 7, 0};
  std::vector<KpFrameEntry*> list;
  for (int i = 0; i < 5; ++i) {
    frames[i].z = z[i];
    list.push_back(&frames[i]);
  }
  std::stable_sort(list.begin(), list.end(), FrameEntryZLess);
  std::vector<int> order;
  for (const KpFrameEntry* frame : list) order.push_back(frame->z);
  EXPECT_EQ(order, (std::vector<int>{-1, 0, 2, 3, 7}));
  EXPECT_FALSE(FrameEntryZLess(&frames[0], &frames[0]));
}

// Counts deletions, and sees what the list holds while it is deleted.
struct Counted {
  Counted(std::vector<std::string>& deleted, std::string name) : deleted(deleted), name(std::move(name)) {}
  virtual ~Counted() { deleted.push_back(name); }
  std::vector<std::string>& deleted;
  std::string name;
};

TEST(OwnedPointersTest, DeleteAllFreesFrontFirstAndLeavesTheListEmpty) {
  std::vector<std::string> deleted;
  std::vector<Counted*> list = {new Counted(deleted, "a"), new Counted(deleted, "b"), new Counted(deleted, "c")};
  DeleteAllPointers(list);
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(deleted, (std::vector<std::string>{"a", "b", "c"}));

  list.push_back(new Counted(deleted, "d"));
  DeleteAllPointersAndFree(list);
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(list.capacity(), 0u);
}

TEST(OwnedPointersTest, RemoveAndDeleteTakesOutOnlyThatElementAndIgnoresStrangers) {
  std::vector<std::string> deleted;
  Counted stranger(deleted, "stranger");
  std::vector<Counted*> list = {new Counted(deleted, "a"), new Counted(deleted, "b"), new Counted(deleted, "c")};
  RemoveAndDeletePointer(list, &stranger);
  EXPECT_EQ(list.size(), 3u);
  EXPECT_TRUE(deleted.empty());

  Counted* middle = list[1];
  RemoveAndDeletePointer(list, middle);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0]->name, "a");
  EXPECT_EQ(list[1]->name, "c");
  EXPECT_EQ(deleted, (std::vector<std::string>{"b"}));
  DeleteAllPointers(list);
}

TEST(FrameEntryTest, AFrameFreesOnlyTheImageItOwnsAndItsDrawCopyNever) {
  auto* owner = new KpFrameEntry;
  owner->ownsImage = true;
  owner->image = new render::Image;
  owner->name = u"walk/01";
  owner->z = 4;
  owner->x = 3.0f;
  std::unique_ptr<KpFrameEntry> copy = owner->nonOwningCopy();
  EXPECT_FALSE(copy->ownsImage);
  EXPECT_EQ(copy->image, owner->image);
  EXPECT_EQ(copy->name, u"walk/01");
  EXPECT_EQ(copy->z, 4);
  EXPECT_EQ(copy->x, 3.0f);
  copy.reset();
  delete owner;  // the sanitizers catch a second free of the image

  render::Image borrowed;
  auto* lender = new KpFrameEntry;
  lender->image = &borrowed;
  delete lender;
}

}  // namespace
