#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Platform/Particles/ParticleFile.h"

namespace {

// One emitter of two kinds: a plain one and an intense one, ten of each at
// every start of a 0.5 s cycle and a steady stream in between.
constexpr const char* kOne = R"(<particles seed="7">
  <atlas image="a" width="64" height="64">
    <frame name="f" x="0" y="0" w="32" h="32"/>
    <frame name="g" x="32" y="32" w="32" h="32"/>
  </atlas>
  <emitter name="puff" duration="0.5">
    <particle frame="f" burst="10" rate="20" life="0.4" speed="50" spread="360" size="8"/>
    <particle frame="g" intense="1" burst="10" life="0.4" speed="30" spread="360" size="4"/>
  </emitter>
</particles>)";

class EmitterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    const std::string text = kOne;
    file_ = particles::File::Open(text.data(), text.size(), error);
    ASSERT_TRUE(file_) << error;
    emitter_ = file_->LoadEmitter("puff");
    ASSERT_TRUE(emitter_);
  }

  // Runs whole updates of 10 ms until the emitter ends; their count.
  static int UpdatesUntilOver(particles::Emitter& emitter, int most = 1000) {
    int updates = 0;
    while (updates < most && emitter.Update(10.0)) ++updates;
    return updates;
  }

  static std::vector<particles::ParticleQuad> Quads(particles::Emitter& emitter, std::uint32_t maxPerList,
                                                    std::vector<particles::RenderedList>* lists = nullptr) {
    std::vector<particles::ParticleQuad> quads;
    particles::RenderedList list;
    for (emitter.FirstRenderedList(list, maxPerList); list.count != 0; emitter.NextRenderedList(list)) {
      if (lists) lists->push_back(list);
      particles::ParticleQuad quad;
      for (std::uint32_t i = 0; i < list.count; ++i) {
        EXPECT_TRUE(emitter.NextParticleQuad(quad));
        quads.push_back(quad);
      }
      EXPECT_FALSE(emitter.NextParticleQuad(quad));
    }
    return quads;
  }

  std::unique_ptr<particles::File> file_;
  std::unique_ptr<particles::Emitter> emitter_;
};

TEST_F(EmitterTest, APlayOnceEmitterEndsWhenItsLastParticleDies) {
  EXPECT_FALSE(emitter_->Update(10.0));  // not started
  emitter_->Start();
  EXPECT_EQ(emitter_->GetParticleCount(), 20u);
  // 0.5 s of emission and 0.4 s of life: ended after about 0.9 s.
  EXPECT_NEAR(UpdatesUntilOver(*emitter_), 90, 2);
  EXPECT_FALSE(emitter_->IsPlaying());
  EXPECT_EQ(emitter_->GetParticleCount(), 0u);
}

TEST_F(EmitterTest, ALoopingEmitterGoesOnAndBurstsEachCycle) {
  emitter_->SetLoopMode(1);
  emitter_->Start();
  EXPECT_EQ(UpdatesUntilOver(*emitter_, 300), 300);
  EXPECT_TRUE(emitter_->IsPlaying());
}

TEST_F(EmitterTest, AnInterruptedEmitterEmitsNothingAndPlaysOut) {
  emitter_->SetLoopMode(1);
  emitter_->Start();
  emitter_->SetInterrupt(true);
  std::size_t before = emitter_->GetParticleCount();
  int updates = 0;
  while (emitter_->Update(10.0)) {
    EXPECT_LE(emitter_->GetParticleCount(), before);
    before = emitter_->GetParticleCount();
    ++updates;
  }
  EXPECT_NEAR(updates, 40, 2);
}

TEST_F(EmitterTest, StopClearsAtOnce) {
  emitter_->Start();
  emitter_->Stop();
  EXPECT_FALSE(emitter_->IsPlaying());
  EXPECT_EQ(emitter_->GetParticleCount(), 0u);
}

TEST_F(EmitterTest, DuplicatesSimulateOnTheirOwn) {
  auto a = emitter_->Duplicate();
  auto b = emitter_->Duplicate();
  a->Start();
  b->Start();
  for (int i = 0; i < 10; ++i) a->Update(10.0);
  EXPECT_EQ(b->GetParticleCount(), 20u);
  a->Stop();
  EXPECT_TRUE(b->IsPlaying());
  EXPECT_FALSE(emitter_->IsPlaying());
  // Each duplicate has its own seed, so two copies of an effect differ.
  auto c = emitter_->Duplicate();
  c->Start();
  b->Update(10.0);
  c->Update(10.0);
  EXPECT_NE(Quads(*b, 100).front().corners[0].x, Quads(*c, 100).front().corners[0].x);
}

TEST_F(EmitterTest, TheSameSeedGivesTheSameParticles) {
  std::string error;
  const std::string text = kOne;
  auto again = particles::File::Open(text.data(), text.size(), error)->LoadEmitter("puff");
  emitter_->Start();
  again->Start();
  for (int i = 0; i < 30; ++i) {
    emitter_->Update(16.0);
    again->Update(16.0);
  }
  const auto a = Quads(*emitter_, 100);
  const auto b = Quads(*again, 100);
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_FLOAT_EQ(a[i].corners[2].x, b[i].corners[2].x);
    EXPECT_FLOAT_EQ(a[i].corners[2].y, b[i].corners[2].y);
  }
}

TEST_F(EmitterTest, ListsComePerTextureAndBlendingAndAreCapped) {
  emitter_->Start();
  std::vector<particles::RenderedList> lists;
  EXPECT_EQ(Quads(*emitter_, 4, &lists).size(), 20u);
  ASSERT_EQ(lists.size(), 6u);  // 10 plain in 4 + 4 + 2, 10 intense likewise
  EXPECT_EQ(lists[0].count, 4u);
  EXPECT_EQ(lists[2].count, 2u);
  EXPECT_FALSE(lists[2].intense);
  EXPECT_TRUE(lists[3].intense);
  EXPECT_EQ(lists[3].textureIndex, 0u);
}

TEST_F(EmitterTest, QuadsUseTheFrameOfTheirKind) {
  emitter_->Start();
  const auto quads = Quads(*emitter_, 100);
  ASSERT_EQ(quads.size(), 20u);
  EXPECT_FLOAT_EQ(quads.front().corners[0].u, 0.0f);
  EXPECT_FLOAT_EQ(quads.front().corners[2].u, 0.5f);
  EXPECT_FLOAT_EQ(quads.back().corners[0].v, 0.5f);
  EXPECT_FLOAT_EQ(quads.back().corners[2].v, 1.0f);
  EXPECT_EQ(quads.front().colour, 0xFFFFFFFFu);
}

TEST_F(EmitterTest, PositionModeOneCarriesTheLiveParticles) {
  emitter_->Start();
  const float before = Quads(*emitter_, 100).front().corners[0].x;
  emitter_->SetPosition(100.0f, 0.0f);
  EXPECT_FLOAT_EQ(Quads(*emitter_, 100).front().corners[0].x, before);
  emitter_->SetPositionMode(1);
  emitter_->SetPosition(200.0f, 0.0f);
  EXPECT_FLOAT_EQ(Quads(*emitter_, 100).front().corners[0].x, before + 100.0f);
}

TEST_F(EmitterTest, AHugeTimeStepEndsInsteadOfRunningOnAndOn) {
  emitter_->SetLoopMode(1);
  emitter_->Start();
  EXPECT_TRUE(emitter_->Update(1e300));
}

}  // namespace
