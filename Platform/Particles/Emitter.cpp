#include "Platform/Particles/Emitter.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace particles {

namespace {

// Long updates are cut into steps of this length, so that a slow frame moves
// particles along the same paths as fast ones do.
constexpr float kLongestStep = 0.05f;
// An update longer than this is taken as this long: a huge time step must
// not keep the caller busy for ever.
constexpr double kLongestUpdate = 60000.0;

constexpr float kRadiansPerDegree = 3.14159265f / 180.0f;

void Evaluate(const Curve& curve, float at, float out[3]) {
  if (curve.empty()) return;
  if (at <= curve.front().at) {
    std::copy(curve.front().value, curve.front().value + 3, out);
    return;
  }
  for (std::size_t i = 1; i < curve.size(); ++i) {
    const CurveKey& a = curve[i - 1];
    const CurveKey& b = curve[i];
    if (at > b.at) continue;
    const float span = b.at - a.at;
    const float f = span > 0.0f ? (at - a.at) / span : 1.0f;
    for (int c = 0; c < 3; ++c) out[c] = a.value[c] + (b.value[c] - a.value[c]) * f;
    return;
  }
  std::copy(curve.back().value, curve.back().value + 3, out);
}

std::uint32_t ToByte(float channel) {
  return static_cast<std::uint32_t>(std::clamp(channel, 0.0f, 1.0f) * 255.0f + 0.5f);
}

}  // namespace

Emitter::Emitter(std::shared_ptr<const EmitterDef> def, std::uint32_t seed)
    : def_(std::move(def)),
      seed_(seed),
      random_(seed),
      loopMode_(def_->loopMode),
      particles_(def_->types.size()),
      owed_(def_->types.size(), 0.0f) {}

std::unique_ptr<Emitter> Emitter::Duplicate() {
  ++duplicates_;
  auto copy = std::make_unique<Emitter>(def_, Random::Hash(seed_ ^ Random::Hash(duplicates_)));
  copy->interpolation_ = interpolation_;
  copy->loopMode_ = loopMode_;
  copy->positionMode_ = positionMode_;
  copy->x_ = x_;
  copy->y_ = y_;
  copy->direction_ = direction_;
  return copy;
}

void Emitter::Start() {
  for (auto& list : particles_) list.clear();
  std::fill(owed_.begin(), owed_.end(), 0.0f);
  time_ = 0.0f;
  playing_ = true;
  Burst();
  for (float left = def_->warmup; left > 0.0f; left -= kLongestStep) Step(std::min(left, kLongestStep));
}

bool Emitter::Update(double milliseconds) {
  if (!playing_) return false;
  float left = static_cast<float>(std::clamp(milliseconds, 0.0, kLongestUpdate) / 1000.0);
  for (; left > 0.0f; left -= kLongestStep) Step(std::min(left, kLongestStep));
  const bool emitting = !interrupt_ && (loopMode_ != 0 || time_ < def_->duration);
  if (emitting || HasParticles()) return true;
  Stop();
  return false;
}

void Emitter::Stop() {
  for (auto& list : particles_) list.clear();
  playing_ = false;
}

void Emitter::SetPosition(float x, float y) {
  if (positionMode_ == 1) {
    for (auto& list : particles_) {
      for (Particle& p : list) {
        p.x += x - x_;
        p.y += y - y_;
      }
    }
  }
  x_ = x;
  y_ = y;
}

void Emitter::GetPosition(float& x, float& y) const {
  x = x_;
  y = y_;
}

std::size_t Emitter::GetParticleCount() const {
  std::size_t count = 0;
  for (const auto& list : particles_) count += list.size();
  return count;
}

void Emitter::Step(float seconds) {
  for (std::size_t t = 0; t < particles_.size(); ++t) {
    const ParticleTypeDef& type = def_->types[t];
    auto& list = particles_[t];
    for (Particle& p : list) {
      p.age += seconds;
      p.vx += type.gravityX * seconds;
      p.vy += type.gravityY * seconds;
      p.x += p.vx * seconds;
      p.y += p.vy * seconds;
      p.angle += p.spin * seconds;
    }
    std::erase_if(list, [](const Particle& p) { return p.age >= p.life; });
  }
  const bool emitting = !interrupt_ && (loopMode_ == 2 || time_ < def_->duration);
  if (emitting) {
    for (std::size_t t = 0; t < particles_.size(); ++t) {
      owed_[t] += def_->types[t].rate * seconds;
      const float whole = std::floor(owed_[t]);
      owed_[t] -= whole;
      Emit(t, static_cast<std::uint32_t>(whole));
    }
  }
  time_ += seconds;
  if (loopMode_ == 1 && time_ >= def_->duration) {
    time_ = std::fmod(time_, def_->duration);
    if (!interrupt_) Burst();
  }
}

void Emitter::Burst() {
  for (std::size_t t = 0; t < particles_.size(); ++t) Emit(t, def_->types[t].burst);
}

void Emitter::Emit(std::size_t type, std::uint32_t count) {
  const ParticleTypeDef& def = def_->types[type];
  auto& list = particles_[type];
  for (std::uint32_t i = 0; i < count && list.size() < def.limit; ++i) {
    Particle p{};
    p.x = x_;
    p.y = y_;
    switch (def_->shape) {
      case EmissionShape::kPoint:
        break;
      case EmissionShape::kCircle:
      case EmissionShape::kRing: {
        const float radius =
            0.5f * def_->width * (def_->shape == EmissionShape::kRing ? 1.0f : std::sqrt(random_.Next()));
        const float around = random_.Next() * 360.0f * kRadiansPerDegree;
        p.x += std::sin(around) * radius;
        p.y -= std::cos(around) * radius * (def_->height > 0.0f ? def_->height / def_->width : 1.0f);
        break;
      }
      case EmissionShape::kRect:
        p.x += (random_.Next() - 0.5f) * def_->width;
        p.y += (random_.Next() - 0.5f) * def_->height;
        break;
      case EmissionShape::kLine:
        p.x += (random_.Next() - 0.5f) * def_->width;
        break;
    }
    const float heading = (direction_ + def.direction + (random_.Next() - 0.5f) * def.spread) * kRadiansPerDegree;
    const float speed = std::max(0.0f, random_.Around(def.speed, def.speedVariation));
    p.vx = std::sin(heading) * speed;
    p.vy = -std::cos(heading) * speed;
    p.life = std::max(0.01f, random_.Around(def.life, def.lifeVariation));
    const float grow = random_.Around(0.0f, def.sizeVariation);
    p.sizeStart = std::max(0.0f, def.size + grow);
    p.sizeEnd = std::max(0.0f, def.sizeEnd + grow);
    p.angle = def.randomAngle ? random_.Next() * 360.0f : 0.0f;
    p.spin = random_.Around(def.spin, def.spinVariation);
    list.push_back(p);
  }
}

void Emitter::FirstRenderedList(RenderedList& list, std::uint32_t maxCount) {
  listMax_ = std::max<std::uint32_t>(maxCount, 1);
  endType_ = 0;
  endIndex_ = 0;
  NextRenderedList(list);
}

void Emitter::NextRenderedList(RenderedList& list) {
  readType_ = endType_;
  readIndex_ = endIndex_;
  MakeList(list);
}

void Emitter::MakeList(RenderedList& list) {
  list = RenderedList{};
  std::size_t t = readType_;
  std::size_t i = readIndex_;
  while (t < particles_.size() && i >= particles_[t].size()) {
    ++t;
    i = 0;
  }
  readType_ = t;
  readIndex_ = i;
  if (t < particles_.size()) {
    const ParticleTypeDef& first = def_->types[t];
    list.textureIndex = first.atlas;
    list.intense = first.intense;
    while (t < particles_.size() && list.count < listMax_) {
      const ParticleTypeDef& def = def_->types[t];
      if (def.atlas != first.atlas || def.intense != first.intense) break;
      const std::size_t take = std::min<std::size_t>(particles_[t].size() - i, listMax_ - list.count);
      list.count += static_cast<std::uint32_t>(take);
      i += take;
      if (i >= particles_[t].size()) {
        ++t;
        i = 0;
      }
    }
  }
  endType_ = t;
  endIndex_ = i;
}

bool Emitter::NextParticleQuad(ParticleQuad& quad) {
  while (readType_ < particles_.size() && readIndex_ >= particles_[readType_].size()) {
    ++readType_;
    readIndex_ = 0;
  }
  if (readType_ > endType_ || (readType_ == endType_ && readIndex_ >= endIndex_)) return false;
  const ParticleTypeDef& def = def_->types[readType_];
  const Particle& p = particles_[readType_][readIndex_++];

  const float at = std::clamp(p.age / p.life, 0.0f, 1.0f);
  const float half = 0.5f * (p.sizeStart + (p.sizeEnd - p.sizeStart) * at);
  const float degrees = def.alignToMotion ? std::atan2(p.vx, -p.vy) / kRadiansPerDegree : p.angle;
  const float c = std::cos(degrees * kRadiansPerDegree);
  const float s = std::sin(degrees * kRadiansPerDegree);
  constexpr float kCornerX[4] = {-1.0f, 1.0f, 1.0f, -1.0f};
  constexpr float kCornerY[4] = {-1.0f, -1.0f, 1.0f, 1.0f};
  const float u[4] = {def.u0, def.u1, def.u1, def.u0};
  const float v[4] = {def.v0, def.v0, def.v1, def.v1};
  for (int k = 0; k < 4; ++k) {
    const float lx = kCornerX[k] * half;
    const float ly = kCornerY[k] * half;
    quad.corners[k] = {p.x + lx * c - ly * s, p.y + lx * s + ly * c, u[k], v[k]};
  }

  float rgb[3] = {1.0f, 1.0f, 1.0f};
  float alpha[3] = {1.0f, 0.0f, 0.0f};
  Evaluate(def.colour, at, rgb);
  Evaluate(def.alpha, at, alpha);
  quad.colour = ToByte(alpha[0]) << 24 | ToByte(rgb[0]) << 16 | ToByte(rgb[1]) << 8 | ToByte(rgb[2]);
  return true;
}

}  // namespace particles
