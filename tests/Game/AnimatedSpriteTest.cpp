#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Core/Base/Log.h"
#include "Core/Base/SingletonRegistry.h"
#include "Game/KpSprite.h"
#include "Game/ParticleEffect.h"
#include "tests/Support/DataRoot.h"
#include "tests/Support/RecordingLogOutput.h"

namespace {

// Ten root frames: 0.5 s at 20 frames per second.
std::string TenFrames() {
  std::string layers = "<Layers>";
  for (int i = 0; i < 10; ++i)
    layers += "<Layer name=\"f" + std::to_string(i) + "\" x=\"0\" y=\"0\" width=\"4\" height=\"4\"/>";
  return layers + "</Layers>";
}

class AnimatedSpriteTest : public ::testing::Test {
 protected:
  AnimatedSpriteTest() {
    base::MainLog::Instance()->AddOutput(new testing_support::RecordingLogOutput(log_));
    root_.WriteFile("kp/puff/layers.xml", TenFrames());
  }
  ~AnimatedSpriteTest() override { SingletonRegistry::Shutdown(); }

  testing_support::DataRoot root_;
  std::vector<base::WString> log_;
};

TEST_F(AnimatedSpriteTest, AOneShotDiesOnTheFirstUpdatePastItsLastFrame) {
  KpAnimatedSprite sprite(u"kp/puff");
  EXPECT_FLOAT_EQ(sprite.duration(), 0.5f);
  sprite.update(0.44f);
  EXPECT_TRUE(sprite.isAlive()) << "the last frame starts at 0.45 s";
  sprite.update(0.02f);
  EXPECT_FALSE(sprite.isAlive()) << "0.46 s";
}

TEST_F(AnimatedSpriteTest, WithoutFpsItLastsAsLongAsAtTwenty) {
  KpAnimatedSprite sprite(u"kp/puff");
  sprite.state().fps = 0.0f;
  EXPECT_FLOAT_EQ(sprite.duration(), 0.5f);
  sprite.update(0.44f);
  EXPECT_TRUE(sprite.isAlive());
}

TEST_F(AnimatedSpriteTest, ADelayHoldsTheAnimationButNotTheLifetime) {
  KpAnimatedSprite sprite(u"kp/puff");
  sprite.delay = 0.5f;
  sprite.update(0.3f);
  EXPECT_EQ(sprite.state().time, 0.0f) << "not animated while delayed";
  sprite.update(0.3f);
  EXPECT_FALSE(sprite.isAlive()) << "the lifetime counted from creation";
}

TEST_F(AnimatedSpriteTest, ALoopWrapsItsElapsedTimeAndEndsItsDelay) {
  KpAnimatedSprite sprite(u"kp/puff");
  sprite.loop = true;
  sprite.delay = 5.0f;
  sprite.update(0.46f);
  EXPECT_TRUE(sprite.isAlive());
  EXPECT_NEAR(sprite.elapsed, -0.04f, 1e-5f);
  EXPECT_EQ(sprite.delay, 0.0f);
}

TEST_F(AnimatedSpriteTest, TheListDeletesDeadSpritesAndKeepsTheOrderOfTheRest) {
  std::vector<KpSprite*> list;
  auto* shortLived = new KpAnimatedSprite(u"kp/puff");
  auto* looping = new KpAnimatedSprite(u"kp/puff");
  looping->loop = true;
  auto* still = new KpSprite;
  AppendSpriteIfAny(list, shortLived);
  AppendSpriteIfAny(list, nullptr);
  AppendSpriteIfAny(list, looping);
  AppendSpriteIfAny(list, still);
  ASSERT_EQ(list.size(), 3u);
  UpdateSpriteList(list, 0.6f);
  EXPECT_EQ(list, (std::vector<KpSprite*>{looping, still}));
  still->alive = false;
  UpdateSpriteList(list, 0.01f);
  EXPECT_EQ(list, (std::vector<KpSprite*>{looping}));
  delete looping;
}

TEST_F(AnimatedSpriteTest, AnUnknownParticleEffectShowsNothingButKeepsItsTime) {
  ParticleEffect effect("no_such_effect");
  EXPECT_EQ(effect.emitter(), nullptr);
  effect.speed = 2.0f;
  effect.update(0.25f);
  EXPECT_FLOAT_EQ(effect.elapsed, 0.5f);
  EXPECT_EQ(std::count_if(log_.begin(), log_.end(),
                          [](const base::WString& line) { return line.find(u"no_such_effect") != line.npos; }),
            1);
}

}  // namespace
