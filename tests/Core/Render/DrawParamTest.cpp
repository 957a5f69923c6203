#include "Core/Render/DrawParam.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "Core/Render/DrawTextParam.h"
#include "Core/Render/DrawUntransformedParam.h"
#include "Core/Render/Font.h"
#include "Core/Render/Vertices.h"
#include "tests/Core/Render/GraphicsFixture.h"
#include "tests/Support/CaseNames.h"

namespace {

using render::SVertex2D;

std::array<SVertex2D, 1> PointAt(float x, float y) { return {SVertex2D{x, y, 0.0f, 1.0f, 0, 0, 0.0f, 0.0f}}; }

struct OffsetCase {
  const char* name;
  float offset;
  float expected;
};

class TransformThresholdTest : public ::testing::TestWithParam<OffsetCase> {};

// Offsets this small are taken for round-off and skipped, before a scale
// (a plain translation) and after it alike; a scale always applies.
TEST_P(TransformThresholdTest, SmallOffsetsAreIgnored) {
  const OffsetCase& c = GetParam();
  math::Transform2D translation;
  translation.Translate(c.offset, -c.offset);
  auto point = PointAt(1.0f, 1.0f);
  ASSERT_EQ(render::TransformPositions2D(translation, point.data(), SVertex2D::Format(), 1), QL_OK);
  EXPECT_FLOAT_EQ(point[0].x, 1.0f + c.expected);
  EXPECT_FLOAT_EQ(point[0].y, 1.0f - c.expected);

  math::Transform2D postTranslation;
  postTranslation.Scale(2.0f, 3.0f);
  postTranslation.Translate(c.offset, -c.offset);
  point = PointAt(1.0f, 1.0f);
  ASSERT_EQ(render::TransformPositions2D(postTranslation, point.data(), SVertex2D::Format(), 1), QL_OK);
  EXPECT_FLOAT_EQ(point[0].x, 2.0f + c.expected);
  EXPECT_FLOAT_EQ(point[0].y, 3.0f - c.expected);
}

INSTANTIATE_TEST_SUITE_P(Offsets, TransformThresholdTest,
                         ::testing::Values(OffsetCase{"RoundOff", 1e-4f, 0.0f},
                                           OffsetCase{"JustPastRoundOff", 3e-4f, 3e-4f},
                                           OffsetCase{"Whole", 5.0f, 5.0f}),
                         testing_support::RowName());

TEST(TransformPositionsTest, ARotationGoesThroughTheMatrix) {
  math::Transform2D transform;
  transform.RotateDegrees(90.0f);
  transform.Translate(10.0f, 0.0f);
  auto point = PointAt(1.0f, 0.0f);
  ASSERT_EQ(render::TransformPositions2D(transform, point.data(), SVertex2D::Format(), 1), QL_OK);
  EXPECT_NEAR(point[0].x, 10.0f, 1e-5f);
  EXPECT_NEAR(std::fabs(point[0].y), 1.0f, 1e-5f);
}

TEST(TranslatePositionsTest, OnlyPositionsOfThreeOrFourComponentsMove) {
  auto point = PointAt(1.0f, 2.0f);
  ASSERT_EQ(render::TranslatePositions2D(3.0f, 4.0f, point.data(), SVertex2D::Format(), 1), QL_OK);
  EXPECT_FLOAT_EQ(point[0].x, 4.0f);
  EXPECT_FLOAT_EQ(point[0].y, 6.0f);
  EXPECT_FLOAT_EQ(point[0].w, 1.0f);

  const render::VertexFormat flat(0, 2 * sizeof(float), 0, 0, {{"pos", 0, 8, render::kElementPositionXYZ, 2}});
  float xy[2] = {1.0f, 2.0f};
  ASSERT_EQ(render::TranslatePositions2D(3.0f, 4.0f, xy, flat, 1), QL_OK);
  EXPECT_FLOAT_EQ(xy[0], 1.0f);
  EXPECT_FLOAT_EQ(xy[1], 2.0f);
}

// Lays every text out as one box of a fixed size and positions a single
// vertex at its top-left corner, as a font positions its glyph quads.
class BoxFont : public render::Font {
 public:
  BoxFont() {
    base_ = 7.0f;
    size_ = 9.0f;
  }
  QLResultEnum Release() override { return QL_OK; }
  QLResultEnum DrawText(render::Graphics*, render::DrawTextParam* param, const base::WString&,
                        const render::TextFormat&, float outSize[2]) override {
    outSize[0] = width;
    outSize[1] = height;
    param->measuredWidth = width;
    param->measuredHeight = height;
    corner = PointAt(0.0f, 0.0f);
    return param->PositionVertices(corner.data(), SVertex2D::Format(), 1);
  }
  bool HasGlyph(char16_t) const override { return true; }

  float width = 5.0f;
  float height = 5.0f;
  std::array<SVertex2D, 1> corner{};

 protected:
  QLResultEnum DoLoad() override { return QL_OK; }
  QLResultEnum DoUnload() override { return QL_OK; }
};

struct AnchorCase {
  const char* name;
  std::int32_t anchorX;
  std::int32_t anchorY;
  float dx;
  float dy;
};

class TextAnchorTest : public ::testing::TestWithParam<AnchorCase> {};

// Centring rounds toward the top left, so that text stays on whole pixels.
TEST_P(TextAnchorTest, MovesTheTextByItsMeasuredSize) {
  const AnchorCase& c = GetParam();
  BoxFont font;
  const base::WString text = u"box";
  {
    render::DrawUntransformedParam<render::DrawTextParam> pending(render::DrawTextParam(nullptr, &text, &font));
    pending->anchorX = c.anchorX;
    pending->anchorY = c.anchorY;
  }
  EXPECT_FLOAT_EQ(font.corner[0].x, c.dx);
  EXPECT_FLOAT_EQ(font.corner[0].y, c.dy);
}

INSTANTIATE_TEST_SUITE_P(Anchors, TextAnchorTest,
                         ::testing::Values(AnchorCase{"LeftTop", render::kAnchorLeft, render::kAnchorTop, 0.0f,
                                                      0.0f},
                                           AnchorCase{"CentreMiddle", render::kAnchorCenter, render::kAnchorMiddle,
                                                      -3.0f, -2.0f},
                                           AnchorCase{"RightBottom", render::kAnchorRight, render::kAnchorBottom,
                                                      -5.0f, -5.0f},
                                           AnchorCase{"LeftBaseline", render::kAnchorLeft, render::kAnchorBaseline,
                                                      0.0f, -7.0f}),
                         testing_support::RowName());

TEST(DrawTextParamTest, AMeasuringDrawFillsTheOutValuesWithTheLastParametersTransform) {
  BoxFont font;
  font.width = 10.0f;
  font.height = 4.0f;
  const base::WString text = u"box";
  float width = 0.0f;
  float height = 0.0f;
  math::AABB bounds;
  {
    render::DrawUntransformedParam<render::DrawTextParam> pending(render::DrawTextParam(nullptr, &text, &font));
    pending->outWidth = &width;
    pending->outHeight = &height;
    pending->outBounds = &bounds;
    pending->anchorX = render::kAnchorRight;
    pending.Translate2D(100.0f, 50.0f);
  }
  EXPECT_FLOAT_EQ(width, 10.0f);
  EXPECT_FLOAT_EQ(height, 4.0f);
  EXPECT_FLOAT_EQ(bounds.min.x, 90.0f);
  EXPECT_FLOAT_EQ(bounds.max.x, 100.0f);
  EXPECT_FLOAT_EQ(bounds.min.y, 50.0f);
  EXPECT_FLOAT_EQ(bounds.max.y, 54.0f);
  EXPECT_FLOAT_EQ(font.corner[0].x, 90.0f);
}

TEST(DrawTextParamTest, ACopyHasMeasuredNothingAndIsNotDrawing) {
  BoxFont font;
  const base::WString text = u"box";
  render::DrawTextParam payload(nullptr, &text, &font);
  payload.measuredWidth = 3.0f;
  float width = 0.0f;
  payload.outWidth = &width;
  const render::DrawTextParam copy(payload);
  EXPECT_FLOAT_EQ(copy.measuredWidth, 0.0f);
  EXPECT_EQ(copy.outWidth, &width);
}

using DrawTextThroughGraphicsTest = render_testing::GraphicsFixture;

TEST_F(DrawTextThroughGraphicsTest, TextUsesTheCurrentFontAndTheBoxFormat) {
  BoxFont font;
  graphics->SetFont(&font);
  const base::WString text = u"box";
  float width = 0.0f;
  graphics->DrawTextBox(text, 120.0f, 6.0f, render::kAlignCenter, false)->outWidth = &width;
  EXPECT_FLOAT_EQ(width, 5.0f);
  auto pending = graphics->DrawTextBox(text, 120.0f, 6.0f, render::kAlignCenter, false);
  EXPECT_EQ(pending->font, &font);
  EXPECT_FLOAT_EQ(pending->format.boxWidth, 120.0f);
  EXPECT_FLOAT_EQ(pending->format.firstLineIndent, 6.0f);
  EXPECT_EQ(pending->format.alignment, render::kAlignCenter);
  EXPECT_FALSE(pending->format.justifySingleWords);
}

}  // namespace
