#include "Game/ParticleEffect.h"

#include "Core/Base/LogMessage.h"
#include "Core/Base/TextConversion.h"
#include "Core/Render/ParticleEmitter.h"
#include "Core/Render/ParticleSystem.h"

ParticleEffect::ParticleEffect(const std::string& effectName)
    : emitter_(render::ParticleSystem::Instance()->CreateEmitter(effectName)) {
  if (!emitter_)
    QL_LOG(u"Particle effect '%s' does not exist; nothing is shown\n")
        .AddArg(base::ToWide(effectName, base::kEncodingUtf8));
}

ParticleEffect::~ParticleEffect() { finish(); }

void ParticleEffect::finish() {
  if (emitter_ && emitter_->GetState() == render::ParticleEmitter::kRunning)
    emitter_->SetState(render::ParticleEmitter::kFinishing);
}

void ParticleEffect::update(float dt) {
  const float scaled = speed * dt;
  elapsed += scaled;
  if (emitter_) emitter_->Update(scaled);
}
