#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Core/Render/Graphics.h"
#include "Core/Render/ParticleEmitter.h"
#include "Core/Render/ParticleSystem.h"
#include "tests/Core/Render/RenderDX9Fixture.h"

namespace {

constexpr int kCellWidth = 160;
constexpr int kCellHeight = 120;
constexpr int kColumns = 4;
constexpr int kScreenWidth = kCellWidth * kColumns;
constexpr int kScreenHeight = kCellHeight * 2;

// A handful of the game's effects, one per cell, each at its cell's centre.
const std::vector<std::string> kEffects = {"build",  "upgrade", "portal_1", "hammer",
                                           "active", "mg_00",   "damage_h", "blow_bub"};

class ParticleScreenshotTest : public render_test::GameDataScreenFixture {
 protected:
  ParticleScreenshotTest() : GameDataScreenFixture(kScreenWidth, kScreenHeight) {}

  void TearDown() override {
    emitters_.clear();
    system_.reset();
    GameDataScreenFixture::TearDown();
  }

  std::unique_ptr<render::ParticleSystem> system_ = std::make_unique<render::ParticleSystem>();
  std::vector<std::unique_ptr<render::ParticleEmitter>> emitters_;
};

TEST_F(ParticleScreenshotTest, EveryEffectShowsParticlesAroundItsPlaceAfterASecond) {
  system_->SetFolder("kp/fx/");
  ASSERT_EQ(system_->LoadFile("fx2.ptc", *render_), QL_OK);
  for (std::size_t i = 0; i < kEffects.size(); ++i) {
    auto emitter = system_->CreateEmitter(kEffects[i]);
    ASSERT_TRUE(emitter) << kEffects[i];
    emitter->SetPosition(static_cast<float>(i % kColumns * kCellWidth + kCellWidth / 2),
                         static_cast<float>(i / kColumns * kCellHeight + kCellHeight / 2), 1);
    emitter->SetLoopMode(1);
    emitter->SetState(render::ParticleEmitter::kRunning);
    for (int frame = 0; frame < 60; ++frame) emitter->Update(1.0 / 60.0);
    emitters_.push_back(std::move(emitter));
  }

  const float black[4] = {0, 0, 0, 1};
  ASSERT_EQ(Frame(black,
                  [&] {
                    render::Graphics g(*render_);
                    g.SetBlendMode(render::kBlendAlpha);
                    // Through the Graphics, as the game's layers and effects draw them.
                    for (const auto& emitter : emitters_) g.DrawParticles(emitter.get());
                  }),
            QL_OK);
  const std::vector<std::uint32_t> picture = Picture();
  ASSERT_EQ(picture.size(), std::size_t{kScreenWidth * kScreenHeight});
  SavePicture(testFolder_ / "particles.png", picture);

  // The middle half of each cell holds a fair number of lit pixels.
  for (std::size_t i = 0; i < kEffects.size(); ++i) {
    const int left = static_cast<int>(i % kColumns) * kCellWidth + kCellWidth / 4;
    const int top = static_cast<int>(i / kColumns) * kCellHeight + kCellHeight / 4;
    int lit = 0;
    for (int y = top; y < top + kCellHeight / 2; ++y) {
      for (int x = left; x < left + kCellWidth / 2; ++x) {
        if ((picture[static_cast<std::size_t>(y * kScreenWidth + x)] & 0xFFFFFFu) != 0) ++lit;
      }
    }
    EXPECT_GT(lit, 50) << kEffects[i];
  }
}

}  // namespace
