#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "Core/Base/Log.h"
#include "Core/Base/SingletonRegistry.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/Image.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpResources.h"
#include "Game/SpriteAnimState.h"
#include "Game/SpriteDef.h"
#include "tests/Support/CaseNames.h"
#include "tests/Support/DataRoot.h"
#include "tests/Support/RecordingLogOutput.h"

namespace {

// Four root frames side by side, two walk frames (and a sub-group that is
// not part of the walk), a pivot marker.
constexpr const char* kEffectLayers = R"(<Layers>
  <Layer name="r0" x="0" y="0" width="10" height="10" ind="0"/>
  <Layer name="r1" x="10" y="0" width="10" height="10" ind="1"/>
  <Layer name="r2" x="20" y="0" width="10" height="10" ind="2"/>
  <Layer name="r3" x="30" y="0" width="10" height="12" ind="3"/>
  <Layer name="walk/w0" x="0" y="0" width="8" height="8" ind="4"/>
  <Layer name="walk/w1" x="8" y="0" width="8" height="8" ind="5"/>
  <Layer name="walk/tail/t0" x="0" y="0" width="4" height="4" ind="6"/>
  <Layer name="s_point/p" x="15" y="5" width="1" height="1" ind="7"/>
</Layers>)";

// A shared layout: each top-level group is a sprite of its own.
constexpr const char* kSharedLayers = R"(<Layers>
  <Layer name="ui/context_money" x="1" y="2" width="3" height="4"/>
  <Layer name="ui/sell" x="5" y="6" width="7" height="8"/>
  <Layer name="boom/b0" x="0" y="0" width="5" height="5"/>
  <Layer name="boom/s_point/p" x="2" y="3" width="1" height="1"/>
</Layers>)";

class SpriteTest : public ::testing::Test {
 protected:
  SpriteTest() {
    base::MainLog::Instance()->AddOutput(new testing_support::RecordingLogOutput(log_));
    root_.WriteFile("kp/effect/layers.xml", kEffectLayers);
    root_.WriteFile("kp/shared/layers.xml", kSharedLayers);
  }
  ~SpriteTest() override { SingletonRegistry::Shutdown(); }

  static std::vector<std::u16string> Names(const SpriteDef::FrameList& frames) {
    std::vector<std::u16string> names;
    for (const KpFrameEntry* frame : frames) names.push_back(frame->name);
    return names;
  }

  int LogLinesWith(std::u16string_view text) const {
    return static_cast<int>(std::count_if(log_.begin(), log_.end(), [text](const base::WString& line) {
      return line.find(text) != base::WString::npos;
    }));
  }

  SpriteDef* FromXml(const char* xml) {
    documents_.emplace_back(std::make_unique<tinyxml2::XMLDocument>());
    documents_.back()->Parse(xml);
    return KpResources::Instance()->spriteFromXml(*documents_.back()->RootElement());
  }

  testing_support::DataRoot root_;
  std::vector<base::WString> log_;
  std::vector<std::unique_ptr<tinyxml2::XMLDocument>> documents_;
};

TEST_F(SpriteTest, EveryGroupOfTheTableHasAnEntryWithTheLayersDirectlyInside) {
  SpriteDef* sprite = KpResources::Instance()->getSprite(u"kp/effect");
  EXPECT_TRUE(sprite->fromLayout());
  for (std::string_view group : kSpriteGroups)
    EXPECT_NE(sprite->findGroup(std::string(group)), nullptr) << "group '" << group << "'";
  EXPECT_EQ(Names(sprite->group("")), (std::vector<std::u16string>{u"r0", u"r1", u"r2", u"r3"}));
  EXPECT_EQ(Names(sprite->group("walk")), (std::vector<std::u16string>{u"walk/w0", u"walk/w1"}));
  EXPECT_TRUE(sprite->group("death").empty());
  EXPECT_EQ(sprite->findGroup("walk/tail"), nullptr) << "sub-groups outside the table are not loaded";
  const KpFrameEntry* last = sprite->findFrame(u"r3", "");
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->x, 30.0f);
  EXPECT_EQ(last->height, 12.0f);
  EXPECT_EQ(sprite->findFrame(u"r3", "walk"), nullptr);
  EXPECT_EQ(sprite->findFrame(u"r3", "nowhere"), nullptr);
  EXPECT_EQ(sprite->findGroup("nowhere"), nullptr) << "finding a frame adds no group";
}

TEST_F(SpriteTest, TheRegistryBuildsEachNameOnceEvenWhenNothingLoads) {
  KpResources* resources = KpResources::Instance();
  EXPECT_EQ(resources->findSprite(u"kp/effect"), nullptr);
  SpriteDef* effect = resources->getSprite(u"kp/effect");
  EXPECT_EQ(resources->getSprite(u"kp/effect"), effect);
  EXPECT_EQ(resources->findSprite(u"kp/effect"), effect);

  SpriteDef* missing = resources->getSprite(u"kp/missing");
  EXPECT_EQ(resources->getSprite(u"kp/missing"), missing);
  EXPECT_EQ(missing->findGroup(""), nullptr);
  EXPECT_EQ(resources->sprites().size(), 2u);
  resources->clear();
  EXPECT_TRUE(resources->sprites().empty());
}

TEST_F(SpriteTest, ASharedLayoutGivesOneSpritePerTopLevelGroupNamedByFullPaths) {
  KpResources* resources = KpResources::Instance();
  resources->loadFolder(u"kp/shared");
  resources->loadFolder(u"kp/none");
  ASSERT_EQ(resources->sprites().size(), 2u);
  const KpFrameEntry* money = resources->findFrame(u"kp/ui", u"ui/context_money", "");
  ASSERT_NE(money, nullptr);
  EXPECT_EQ(money->width, 3.0f);
  EXPECT_EQ(resources->findFrame(u"kp/ui", u"context_money", ""), nullptr);
  EXPECT_EQ(resources->findFrame(u"kp/nothing", u"ui/sell", ""), nullptr);

  SpriteAnimState boom(u"kp/boom", u"");
  EXPECT_EQ(boom.pivotX(), 2.0f);
  EXPECT_EQ(boom.pivotY(), 3.0f);
  EXPECT_EQ(boom.rootFrameCount(), 1);
}

TEST_F(SpriteTest, AnXmlRequestSharesADefinitionOnlyWhenLayoutAndImageBothMatch) {
  KpResources::Instance()->loadFolder(u"kp/shared");
  SpriteDef* ui = KpResources::Instance()->findSprite(u"kp/ui");
  EXPECT_EQ(FromXml(R"(<p psd="ui"/>)"), ui) << "prototypes play the groups of the shared layouts";

  SpriteDef* effect = FromXml(R"(<p id="7" psd="effect"/>)");
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(effect->id(), 7);
  EXPECT_TRUE(effect->fromLayout());
  EXPECT_EQ(effect->group("").size(), 4u);
  EXPECT_EQ(FromXml(R"(<p psd="effect"/>)"), effect);

  SpriteDef* withImage = FromXml(R"(<p psd="effect" img="data/ammo/dart"/>)");
  EXPECT_NE(withImage, effect);
  EXPECT_EQ(withImage->imagePath(), u"kp/data/ammo/dart");

  SpriteDef* dart = FromXml(R"(<p img="data/ammo/dart"/>)");
  SpriteDef* ball = FromXml(R"(<p img="data/ammo/ball"/>)");
  EXPECT_FALSE(dart->fromLayout());
  EXPECT_NE(dart, withImage);
  EXPECT_NE(dart, ball) << "two images never share the bare layout name";
  EXPECT_EQ(FromXml(R"(<p img="data/ammo/dart"/>)"), dart);

  EXPECT_EQ(FromXml(R"(<p psd="" img=""/>)"), nullptr);
  EXPECT_EQ(FromXml(R"(<p id="3"/>)"), nullptr);
}

TEST_F(SpriteTest, FramesHandedToADrawListAreFreedOnceByTheirDefinition) {
  SpriteDef* effect = KpResources::Instance()->getSprite(u"kp/effect");
  for (KpFrameEntry* frame : effect->group("")) frame->image = new render::Image;
  SpriteAnimState state(u"kp/effect", u"");
  std::vector<std::unique_ptr<KpFrameEntry>> drawList;
  drawList.push_back(state.currentFrame(0.0f, 0.0f, 0.0f)->nonOwningCopy());
  drawList.clear();
  KpResources::Instance()->clear();  // the sanitizers catch a second free
  EXPECT_TRUE(KpResources::Instance()->sprites().empty());
}

struct PlaybackCase {
  const char* name;
  const char16_t* animation;
  float fps;
  std::vector<float> updates;
  float time;  // set after the updates when not negative
  const char16_t* frame;
};

void PrintTo(const PlaybackCase& c, std::ostream* out) { *out << c.name; }

class SpritePlaybackTest : public SpriteTest, public ::testing::WithParamInterface<PlaybackCase> {};

TEST_P(SpritePlaybackTest, TimeAndAnimationPickTheFrame) {
  const PlaybackCase& c = GetParam();
  SpriteAnimState state(u"kp/effect", c.animation);
  state.fps = c.fps;
  for (float dt : c.updates) state.update(dt);
  if (c.time >= 0.0f) state.time = c.time;
  const KpFrameEntry* frame = state.currentFrame(0.0f, 0.0f, 0.0f);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->name, c.frame);
}

INSTANTIATE_TEST_SUITE_P(
    Timings, SpritePlaybackTest,
    ::testing::Values(PlaybackCase{"FirstFrameAtStart", u"", 20.0f, {}, 0.0f, u"r0"},
                      PlaybackCase{"SecondFrameAfterOneStep", u"", 20.0f, {}, 0.07f, u"r1"},
                      PlaybackCase{"LastFrame", u"", 20.0f, {}, 0.17f, u"r3"},
                      PlaybackCase{"FasterFps", u"", 40.0f, {}, 0.06f, u"r2"},
                      PlaybackCase{"UpdatesAdvance", u"", 20.0f, {0.06f, 0.06f}, -1.0f, u"r2"},
                      PlaybackCase{"RootWrapsAfterItsFrames", u"", 20.0f, {0.07f, 0.07f, 0.07f}, -1.0f, u"r0"},
                      PlaybackCase{"ShortGroupLoopsInsideTheRootClock", u"walk", 20.0f, {}, 0.12f, u"walk/w0"},
                      PlaybackCase{"GroupFollowsTime", u"walk", 20.0f, {0.07f}, -1.0f, u"walk/w1"},
                      PlaybackCase{"RootClockWrapsAnyAnimation", u"walk", 20.0f, {0.07f, 0.07f, 0.07f}, -1.0f,
                                   u"walk/w0"},
                      PlaybackCase{"ZeroFpsPlaysAtTwenty", u"", 0.0f, {}, 0.07f, u"r1"},
                      PlaybackCase{"NegativeFpsPlaysAtTwenty", u"", -5.0f, {0.12f}, -1.0f, u"r2"}),
    testing_support::RowName());

TEST_F(SpriteTest, TheRootClockWrapsWithinItsFrameCount) {
  SpriteAnimState state(u"kp/effect", u"walk");
  state.fps = 20.0f;
  state.update(0.15f);
  EXPECT_FLOAT_EQ(state.time, 0.15f);
  state.update(0.05f);
  EXPECT_EQ(state.time, 0.0f) << "four root frames at 20 per second last 0.2 s";
}

TEST_F(SpriteTest, APlayerWithoutFpsIsToldOnceAndPlaysAtTwenty) {
  SpriteAnimState state(u"kp/effect", u"");
  state.fps = 0.0f;
  state.update(0.01f);
  EXPECT_EQ(state.fps, 20.0f);
  EXPECT_EQ(LogLinesWith(u"kp/effect"), 1);
}

TEST_F(SpriteTest, ThePivotFromSPointLandsOnTheDrawingPosition) {
  SpriteAnimState state(u"kp/effect", u"");
  EXPECT_EQ(state.pivotX(), 15.0f);
  EXPECT_EQ(state.pivotY(), 5.0f);
  state.fps = 20.0f;
  state.time = 0.17f;
  KpFrameEntry* frame = state.currentFrame(100.0f, 200.0f, 0.0f);
  ASSERT_NE(frame, nullptr);
  const math::Matrix3& matrix = frame->transform.GetMatrix();
  EXPECT_FLOAT_EQ(matrix.m02, 100.0f + 30.0f + 5.0f - 15.0f) << "the frame's middle, from the pivot";
  EXPECT_FLOAT_EQ(matrix.m12, 200.0f + 0.0f + 6.0f - 5.0f);

  frame = state.currentFrame(100.0f, 200.0f, 90.0f);
  const math::Matrix3& turned = frame->transform.GetMatrix();
  EXPECT_FLOAT_EQ(turned.m02, 120.0f) << "rotation turns the image about its own middle";
  EXPECT_FLOAT_EQ(turned.m12, 201.0f);
  EXPECT_NEAR(turned.m00, 0.0f, 1e-6f);
}

TEST_F(SpriteTest, AMissingGroupOrLayoutDrawsNothingAndSaysSoOnce) {
  SpriteAnimState death(u"kp/effect", u"death");
  EXPECT_EQ(death.currentFrame(0.0f, 0.0f, 0.0f), nullptr);
  EXPECT_EQ(death.currentFrame(0.0f, 0.0f, 0.0f), nullptr);
  death.draw(nullptr, 0.0f, 0.0f, 0.0f);
  EXPECT_EQ(LogLinesWith(u"death"), 1);

  SpriteAnimState nothing(u"kp/missing", u"");
  EXPECT_EQ(nothing.pivotX(), 50.0f);
  EXPECT_EQ(nothing.pivotY(), 30.0f);
  EXPECT_EQ(nothing.rootFrameCount(), 0);
  nothing.update(1.0f);
  EXPECT_EQ(nothing.time, 0.0f) << "an empty root keeps the clock at 0";
  EXPECT_EQ(nothing.currentFrame(0.0f, 0.0f, 0.0f), nullptr);
  EXPECT_EQ(LogLinesWith(u"kp/missing"), 1);
}

}  // namespace
