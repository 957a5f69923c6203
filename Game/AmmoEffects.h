#pragma once

#include <memory>
#include <string>

namespace render {
class ParticleEmitter;
}
class ParticleEffect;

// The particle effects of shots and spells. A template the particle file
// lacks is named once in the log and then skipped, however often it is
// asked for.

// A running effect of the template at the point; null when there is none.
std::unique_ptr<ParticleEffect> StartAmmoEffect(const std::string& name, float x, float y);
// A running emitter of the template at the point; null when there is none.
std::unique_ptr<render::ParticleEmitter> StartAmmoEmitter(const std::string& name, float x, float y);
