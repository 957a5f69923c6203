#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "Core/Render/Graphics.h"
#include "Core/Render/ParticleEmitter.h"
#include "Core/Render/ParticleSystem.h"
#include "Platform/Particles/Emitter.h"
#include "tests/Core/Render/RenderDX9Fixture.h"
#include "tests/Support/TempFolder.h"

namespace {

// One big particle over the whole test screen, white at half alpha, either
// alpha-blended ("flat") or additive ("bright"); a puff of twenty that plays
// once; emitters after a sub-folder, and a name given twice.
constexpr const char* kEffects = R"(<particles seed="3">
  <atlas image="white" width="4" height="4"><frame name="all" x="0" y="0" w="4" h="4"/></atlas>
  <emitter name="flat" duration="5"><particle frame="all" burst="1" life="5" size="200">
    <alpha at="0" value="0.5"/></particle></emitter>
  <folder name="sub">
    <emitter name="twin" step="0.02"><particle frame="all"/></emitter>
    <folder name="deeper"><emitter name="puff" duration="0.5">
      <particle frame="all" burst="10" rate="20" life="0.4" speed="50" spread="360" size="2"/>
    </emitter></folder>
  </folder>
  <emitter name="bright" duration="5"><particle frame="all" intense="1" burst="1" life="5" size="200">
    <alpha at="0" value="0.5"/></particle></emitter>
  <emitter name="twin" step="0.04"><particle frame="all"/></emitter>
</particles>)";

// A second file whose only atlas is red: its emitter must draw with it, not
// with the first file's atlas of the same number.
constexpr const char* kSecondFile = R"(<particles>
  <atlas image="red" width="4" height="4"><frame name="all" x="0" y="0" w="4" h="4"/></atlas>
  <emitter name="red_flat" duration="5"><particle frame="all" burst="1" life="5" size="200"/></emitter>
  <emitter name="lost"><particle frame="all" burst="1" life="5" size="200"/></emitter>
</particles>)";

// An uncompressed 32-bit TGA of one colour, rows from the top.
std::string SolidTga(std::uint32_t argb, int side) {
  std::string tga(18, '\0');
  tga[2] = 2;
  tga[12] = static_cast<char>(side);
  tga[14] = static_cast<char>(side);
  tga[16] = 32;
  tga[17] = 0x28;
  for (int i = 0; i < side * side; ++i) {
    for (int b = 0; b < 4; ++b) tga += static_cast<char>(argb >> (8 * b));
  }
  return tga;
}

// The clear colour's channel, with the drawing's blend mode on top.
constexpr std::uint32_t kGrey = 0x7F;

std::uint32_t Green(std::uint32_t argb) { return (argb >> 8) & 0xFFu; }
std::uint32_t Red(std::uint32_t argb) { return (argb >> 16) & 0xFFu; }

class ParticleSystemTest : public render_test::RenderDX9Fixture {
 protected:
  void SetUp() override {
    RenderDX9Fixture::SetUp();
    ASSERT_EQ(Start(), QL_OK);
    folder_.WriteFile("effects.ptc", kEffects);
    folder_.WriteFile("white.tga", SolidTga(0xFFFFFFFFu, 4));
    folder_.WriteFile("second.ptc", kSecondFile);
    folder_.WriteFile("red.tga", SolidTga(0xFFFF0000u, 4));
    system_.SetFolder(folder_.Path().string() + "/");
    ASSERT_EQ(system_.LoadFile("effects", *render_), QL_OK);
  }
  // The system goes before the shut-down of the services, which would
  // otherwise delete it as one of them, and before the Render of its atlases.
  void TearDown() override {
    owned_.reset();
    RenderDX9Fixture::TearDown();
  }

  std::unique_ptr<render::ParticleEmitter> Running(const std::string& name) {
    auto emitter = system_.CreateEmitter(name);
    EXPECT_TRUE(emitter) << name;
    if (emitter) emitter->SetState(render::ParticleEmitter::kRunning);
    return emitter;
  }

  // Updates of 10 ms until the emitter is back in state 0; their count.
  static int UpdatesUntilStopped(render::ParticleEmitter& emitter) {
    int updates = 0;
    for (; updates < 1000 && emitter.GetState() != render::ParticleEmitter::kStopped; ++updates) {
      emitter.Update(0.01);
    }
    return updates;
  }

  // Draws the emitter over a grey screen; the pixel in the middle.
  std::uint32_t DrawnOverGrey(render::ParticleEmitter& emitter, render::ParticleDrawOutput* output = nullptr) {
    const float grey[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    EXPECT_EQ(Frame(grey,
                    [&] {
                      render::Graphics g(*render_);
                      g.SetBlendMode(render::kBlendOpaque);
                      EXPECT_EQ(emitter.Draw(&g, nullptr, output), QL_OK);
                      EXPECT_EQ(g.GetState().blendMode, render::kBlendOpaque);
                    }),
              QL_OK);
    return Pixel(render_test::kWidth / 2, render_test::kHeight / 2);
  }

  testing_support::TempFolder folder_;
  std::unique_ptr<render::ParticleSystem> owned_ = std::make_unique<render::ParticleSystem>();
  render::ParticleSystem& system_ = *owned_;
};

TEST_F(ParticleSystemTest, AOneShotRunsToItsEndAndStops) {
  auto puff = Running("puff");
  EXPECT_NEAR(UpdatesUntilStopped(*puff), 90, 2);
  EXPECT_FALSE(puff->GetEngineEmitter().IsPlaying());
}

TEST_F(ParticleSystemTest, AFinishingEmitterPlaysItsParticlesOut) {
  auto puff = Running("puff");
  puff->SetLoopMode(1);
  for (int i = 0; i < 20; ++i) puff->Update(0.01);
  puff->SetState(render::ParticleEmitter::kFinishing);
  EXPECT_TRUE(puff->GetEngineEmitter().IsInterrupt());
  EXPECT_GT(puff->GetEngineEmitter().GetParticleCount(), 0u);
  // Nothing new comes: it is over within one particle life of 0.4 s.
  const int updates = UpdatesUntilStopped(*puff);
  EXPECT_GT(updates, 20);
  EXPECT_LE(updates, 41);
}

TEST_F(ParticleSystemTest, StoppingARunningEmitterClearsItAtOnce) {
  auto puff = Running("puff");
  puff->SetState(render::ParticleEmitter::kStopped);
  EXPECT_FALSE(puff->GetEngineEmitter().IsPlaying());
  EXPECT_EQ(puff->GetEngineEmitter().GetParticleCount(), 0u);

  // A finishing one keeps its particles in the engine.
  puff->SetState(render::ParticleEmitter::kFinishing);
  puff->SetState(render::ParticleEmitter::kStopped);
  EXPECT_GT(puff->GetEngineEmitter().GetParticleCount(), 0u);
}

TEST_F(ParticleSystemTest, EveryFolderIsWalkedAndTheLaterOfTwoNamesWins) {
  EXPECT_EQ(system_.GetTemplateCount(), 4u);
  EXPECT_TRUE(system_.CreateEmitter("bright"));  // listed after a sub-folder
  EXPECT_TRUE(system_.CreateEmitter("puff"));
  EXPECT_EQ(system_.CreateEmitter("nothing"), nullptr);
  system_.SetInterpolationMode(2);
  ASSERT_EQ(system_.LoadFile("effects.ptc", *render_), QL_OK);
  // Without interpolation an update advances by the emitter's own step.
  EXPECT_NEAR(system_.CreateEmitter("twin")->GetEngineEmitter().GetUpdateTime(), 40.0, 1e-3);
}

TEST_F(ParticleSystemTest, WithoutInterpolationAnUpdateGoesOneStepWhateverItsLength) {
  auto interpolated = Running("puff");
  interpolated->Update(5.0);
  EXPECT_EQ(interpolated->GetState(), render::ParticleEmitter::kStopped);

  system_.SetInterpolationMode(2);
  ASSERT_EQ(system_.LoadFile("effects", *render_), QL_OK);
  auto stepped = Running("puff");
  stepped->Update(5.0);
  EXPECT_EQ(stepped->GetState(), render::ParticleEmitter::kRunning);
}

TEST_F(ParticleSystemTest, CreatedEmittersSimulateOnTheirOwn) {
  auto a = Running("puff");
  auto b = system_.CreateEmitter("puff");
  for (int i = 0; i < 10; ++i) a->Update(0.01);
  EXPECT_EQ(b->GetState(), render::ParticleEmitter::kStopped);
  EXPECT_FALSE(b->GetEngineEmitter().IsPlaying());
  b->SetState(render::ParticleEmitter::kRunning);
  EXPECT_EQ(b->GetEngineEmitter().GetParticleCount(), 10u);
  EXPECT_GT(a->GetEngineEmitter().GetParticleCount(), 10u);
}

TEST_F(ParticleSystemTest, AnIntenseListDrawsAdditivelyAndTheBlendModeIsKept) {
  auto flat = Running("flat");
  auto bright = Running("bright");
  render::ParticleDrawOutput output;
  math::AABB bounds;
  output.bounds = &bounds;
  // Grey 0x7F under white at half alpha: blended about 0xC0, added 0xFF.
  EXPECT_NEAR(Green(DrawnOverGrey(*flat, &output)), 0xC0, 3);
  EXPECT_EQ(output.particleCount, 1);
  EXPECT_FLOAT_EQ(bounds.max.x - bounds.min.x, 200.0f);
  EXPECT_EQ(Green(DrawnOverGrey(*bright)), 0xFFu);
}

TEST_F(ParticleSystemTest, AFailedDrawKeepsTheBlendMode) {
  auto bright = Running("bright");
  render::Graphics g(*render_);
  g.SetBlendMode(render::kBlendAlpha);
  // Outside a scene the frame's buffers hand nothing out.
  EXPECT_NE(bright->Draw(&g, nullptr, nullptr), QL_OK);
  EXPECT_EQ(g.GetState().blendMode, render::kBlendAlpha);
}

TEST_F(ParticleSystemTest, AStoppedEmitterDrawsNothing) {
  auto flat = system_.CreateEmitter("flat");
  render::ParticleDrawOutput output;
  output.particleCount = 7;
  EXPECT_EQ(Green(DrawnOverGrey(*flat, &output)), kGrey);
  EXPECT_EQ(output.particleCount, 0);
}

TEST_F(ParticleSystemTest, ASecondFileDrawsWithItsOwnAtlases) {
  ASSERT_EQ(system_.LoadFile("second", *render_), QL_OK);
  EXPECT_NE(system_.GetAtlas(1), nullptr);
  auto red = Running("red_flat");
  const std::uint32_t pixel = DrawnOverGrey(*red);
  EXPECT_EQ(Red(pixel), 0xFFu);
  EXPECT_EQ(Green(pixel), 0u);
}

TEST_F(ParticleSystemTest, AListWithoutItsAtlasIsSkipped) {
  system_.ReleaseAtlases();
  auto flat = Running("flat");
  render::ParticleDrawOutput output;
  EXPECT_EQ(Green(DrawnOverGrey(*flat, &output)), kGrey);
  EXPECT_EQ(output.particleCount, 0);
}

TEST_F(ParticleSystemTest, MissingAndBrokenFilesLoadNothing) {
  folder_.WriteFile("broken.ptc", "<particles><emitter name=\"x\"><particle frame=\"none\"/></emitter></particles>");
  EXPECT_EQ(system_.LoadFile("missing", *render_), QL_FAIL);
  EXPECT_EQ(system_.LoadFile("broken", *render_), QL_FAIL);
  EXPECT_EQ(system_.GetTemplateCount(), 4u);
}

}  // namespace
