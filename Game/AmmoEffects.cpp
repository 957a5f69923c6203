#include "Game/AmmoEffects.h"

#include <set>

#include "Core/Base/LogMessage.h"
#include "Core/Base/TextConversion.h"
#include "Core/Render/ParticleEmitter.h"
#include "Core/Render/ParticleSystem.h"
#include "Game/ParticleEffect.h"

namespace {

// Templates found missing; a shot a second would otherwise fill the log.
std::set<std::string>& MissingTemplates() {
  static std::set<std::string> missing;
  return missing;
}

bool KnownMissing(const std::string& name) { return MissingTemplates().count(name) > 0; }

void Run(render::ParticleEmitter& emitter, float x, float y) {
  emitter.SetPosition(x, y, 0);
  emitter.SetState(render::ParticleEmitter::kRunning);
}

}  // namespace

std::unique_ptr<ParticleEffect> StartAmmoEffect(const std::string& name, float x, float y) {
  if (KnownMissing(name)) return nullptr;
  // The effect names a template it lacks in the log itself.
  auto effect = std::make_unique<ParticleEffect>(name);
  if (!effect->emitter()) {
    MissingTemplates().insert(name);
    return nullptr;
  }
  Run(*effect->emitter(), x, y);
  return effect;
}

std::unique_ptr<render::ParticleEmitter> StartAmmoEmitter(const std::string& name, float x, float y) {
  if (KnownMissing(name)) return nullptr;
  std::unique_ptr<render::ParticleEmitter> emitter = render::ParticleSystem::Instance()->CreateEmitter(name);
  if (!emitter) {
    MissingTemplates().insert(name);
    QL_LOG(u"Particle effect '%s' does not exist; nothing is shown\n").AddArg(base::ToWide(name, base::kEncodingUtf8));
    return nullptr;
  }
  Run(*emitter, x, y);
  return emitter;
}
