#include "Game/KpParticle.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

#include "Core/Base/LogMessage.h"
#include "Core/Base/MathRandom.h"
#include "Core/Base/TextConversion.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/ParticleEmitter.h"
#include "Core/Render/ParticleSystem.h"
#include "Game/KpEnemy.h"
#include "Game/OwnedPointers.h"

namespace {

constexpr double kRadiansToDegrees = 180.0 / 3.14159265358979323846;
// Spreads the start of a new beam's emitters so that they do not pulse
// together.
constexpr float kBeamPhaseSpread = 3.5f;
// The beam reaches its full length in a tenth of a second.
constexpr float kBeamGrowRate = 10.0f;
// Far more than the widest screen needs; bounds what a unit thrown far off
// the map can ask for.
constexpr std::size_t kMaxBeamEmitters = 256;

// A looping, running emitter of the template; null when the loaded particle
// file lacks it, which is logged once per name.
render::ParticleEmitter* NewLoopingEmitter(const std::string& name) {
  std::unique_ptr<render::ParticleEmitter> emitter = render::ParticleSystem::Instance()->CreateEmitter(name);
  if (!emitter) {
    static std::set<std::string> reported;
    if (reported.insert(name).second)
      QL_LOG(u"Particle template '%s' does not exist; its effects show nothing\n")
          .AddArg(base::ToWide(name, base::kEncodingUtf8));
    return nullptr;
  }
  emitter->SetLoopMode(1);
  emitter->SetState(render::ParticleEmitter::kRunning);
  return emitter.release();
}

// Degrees in [0, 360) whose sine and cosine give the direction of (dx, dy).
float HeadingDegrees(float dx, float dy) {
  const double degrees = std::atan2(static_cast<double>(dx), static_cast<double>(dy)) * kRadiansToDegrees;
  return static_cast<float>(degrees < 0.0 ? degrees + 360.0 : degrees);
}

std::size_t BeamEmitterCount(float length, float spacing) {
  if (!(length > 0.0f) || !(spacing > 0.0f)) return 0;
  const double count = std::ceil(static_cast<double>(length) / spacing);
  return count >= kMaxBeamEmitters ? kMaxBeamEmitters : static_cast<std::size_t>(count);
}

}  // namespace

KpParticle::KpParticle(const std::string& emitterName) {
  if (emitterName.empty()) return;
  if (render::ParticleEmitter* emitter = NewLoopingEmitter(emitterName)) emitters.push_back(emitter);
}

KpParticle::~KpParticle() { DeleteAllPointersAndFree(emitters); }

void KpParticle::draw(render::Graphics& graphics) {
  for (render::ParticleEmitter* emitter : emitters) graphics.DrawParticles(emitter).Transform2D(transform);
}

void KpParticle::update(float dt) {
  for (render::ParticleEmitter* emitter : emitters) emitter->Update(dt);
}

void KpParticle::finish() {
  for (render::ParticleEmitter* emitter : emitters) emitter->SetState(render::ParticleEmitter::kFinishing);
}

bool KpParticle::isRunning() const {
  return !emitters.empty() && std::all_of(emitters.begin(), emitters.end(), [](const render::ParticleEmitter* e) {
    return e->GetState() == render::ParticleEmitter::kRunning;
  });
}

KpBeamParticle::KpBeamParticle(float startX, float startY, KpEnemy* target, const std::string& emitterName)
    : KpParticle(std::string()), emitterName(emitterName), startX(startX), startY(startY), target(target) {
  if (!target) return;
  endX = target->shownX;
  endY = target->shownY;
  aim();
  const std::size_t count = BeamEmitterCount(length(), spacing);
  for (std::size_t i = 0; i < count; ++i) {
    render::ParticleEmitter* emitter = NewLoopingEmitter(emitterName);
    if (!emitter) break;
    emitter->Update(0.0);
    emitter->Update(math::Random(0) * kBeamPhaseSpread);
    emitters.push_back(emitter);
  }
}

// Without its unit the beam has nothing to follow: it lets its particles
// play out where it last pointed, and its owner lets it go.
void KpBeamParticle::update(float dt) {
  grow = std::min(1.0f, grow + kBeamGrowRate * dt);
  if (target) {
    endX = target->shownX;
    endY = target->shownY;
    aim();
    fitEmitterCount();
  } else {
    finish();
  }
  KpParticle::update(dt);
}

// The emitters stand one spacing apart from the start; the last one, and any
// beyond it while a shrinking beam lets go of them, stands a spacing short of
// the end, so that what it draws ahead of it ends at the unit, but never
// behind the start.
float KpBeamParticle::emitterDistance(std::size_t index) const {
  return std::min(static_cast<float>(index) * spacing, std::max(0.0f, length() - spacing));
}

void KpBeamParticle::draw(render::Graphics& graphics) {
  const float radians = transform.GetRotation();
  const float directionX = std::sin(radians);
  const float directionY = std::cos(radians);
  for (std::size_t i = 0; i < emitters.size(); ++i) {
    const float along = grow * emitterDistance(i);
    math::Transform2D placement;
    placement.Rotate(radians);
    placement.Translate(startX + directionX * along, startY + directionY * along);
    graphics.DrawParticles(emitters[i]).Transform2D(placement);
  }
}

float KpBeamParticle::length() const { return std::hypot(endX - startX, endY - startY); }

void KpBeamParticle::aim() {
  transform.Reset();
  transform.RotateDegrees(HeadingDegrees(endX - startX, endY - startY));
}

// A beam grows at once but shrinks by one emitter per update.
void KpBeamParticle::fitEmitterCount() {
  const std::size_t count = BeamEmitterCount(length(), spacing);
  if (emitters.size() > count) {
    render::ParticleEmitter* last = emitters.back();
    last->SetState(render::ParticleEmitter::kFinishing);
    delete last;
    emitters.pop_back();
    return;
  }
  while (emitters.size() < count) {
    render::ParticleEmitter* emitter = NewLoopingEmitter(emitterName);
    if (!emitter) return;
    emitters.push_back(emitter);
  }
}
