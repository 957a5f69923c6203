#include <algorithm>
#include <iterator>

#include "Core/Base/MathPoint4.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/ParticleEmitter.h"
#include "Core/Render/RenderState.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpMapImages.h"
#include "Game/KpWaveHints.h"
#include "Game/MapDrawScene.h"
#include "Game/MobShader.h"
#include "Game/ParticleEffect.h"

namespace {

// The map's draw queues: what the animated sprites, the ground, its shadows,
// the flying and raised units and their shadows put in.
constexpr std::size_t kSpriteQueue = 0;
constexpr std::size_t kGroundQueue = 1;
constexpr std::size_t kGroundShadowQueue = 2;
constexpr std::size_t kUpperQueue = 3;
constexpr std::size_t kUpperShadowQueue = 4;

// Scenery in front of the units ('^'), overlays ('$') and the markers under
// the build spots stand over the ground units; every other layer lies under
// all of them.
bool DrawnOverGroundUnits(const KpFrameEntry& entry) {
  return entry.name.starts_with(u'^') || entry.name.starts_with(u'$') || entry.name == u"##";
}

// A copy of a level layer or hint centred on its rectangle.
std::unique_ptr<KpFrameEntry> PlacedCopy(const KpFrameEntry& entry) {
  std::unique_ptr<KpFrameEntry> copy = entry.nonOwningCopy();
  copy->transform.Reset();
  copy->transform.Translate(entry.x + entry.width * 0.5f, entry.y + entry.height * 0.5f);
  return copy;
}

void MoveQueue(std::vector<KpFrameEntry*>& queue, MapFrameList& list) {
  for (KpFrameEntry* entry : queue) list.emplace_back(entry);
  queue.clear();
}

void AppendEffects(const std::vector<ParticleEffect*>& effects, MapFrameList& list) {
  for (const ParticleEffect* effect : effects) {
    render::ParticleEmitter* emitter = effect->emitter();
    if (!emitter) continue;
    auto entry = std::make_unique<KpFrameEntry>();
    float x = 0.0f;
    float y = 0.0f;
    emitter->GetPosition(x, y);
    entry->emitter = emitter;
    entry->transform.Translate(x, y);
    entry->bottom = y;
    list.push_back(std::move(entry));
  }
}

// The mob shader takes the entry's flash or tint colour; a value that did not
// change is not sent again.
void SetShaderValues(render::ShaderTextured& shader, const float values[4]) {
  auto* mobShader = dynamic_cast<TMobShader*>(&shader);
  render::ShaderScalarVariable<math::Point4>* colour2 = mobShader ? mobShader->GetColor2() : nullptr;
  if (!colour2) return;
  const math::Point4 wanted{values[0], values[1], values[2], values[3]};
  const math::Point4& current = colour2->Get();
  if (current.r != wanted.r || current.g != wanted.g || current.b != wanted.b || current.a != wanted.a)
    colour2->Set(wanted);
}

void DrawEntry(render::Graphics& graphics, const KpFrameEntry& entry) {
  if (entry.emitter) {
    // The particles stand where their emitter put them: the entry's placement
    // only orders them.
    graphics.DrawParticles(entry.emitter);
    graphics.SetBlendMode(render::kBlendAlpha);
    return;
  }
  if (!entry.image) return;
  graphics.SetColor(entry.colour);
  if (entry.shader) {
    graphics.SetTexturedShader(entry.shader);
    SetShaderValues(*entry.shader, entry.shaderConstants);
  } else {
    graphics.SelectTexturedShader(render::kTexturedShaderMult);
  }
  if (entry.additive) graphics.SetBlendMode(render::kBlendAdditive);
  {
    auto draw = graphics.DrawImage(entry.image);
    draw->anchorX = render::kAnchorCenter;
    draw->anchorY = render::kAnchorMiddle;
    draw->flipX = entry.mirror;
    draw.Transform2D(entry.transform);
  }
  if (entry.additive) graphics.SetBlendMode(render::kBlendAlpha);
}

}  // namespace

MapTransformScope::MapTransformScope(render::Graphics& graphics, const KpMap& map)
    : graphics_(graphics), previous_(graphics.GetTransform()) {
  transform_.Scale(map.mapScale, map.mapScale, 1.0f);
  transform_.Translate(map.mapOffsetX, map.mapOffsetY, 0.0f);
  graphics_.SetTransform(&transform_);
}

MapTransformScope::~MapTransformScope() { graphics_.SetTransform(previous_); }

MapFrameList TakeMapFrameList(KpMap& map) {
  for (std::size_t sorted : {kSpriteQueue, kGroundQueue, kUpperQueue}) {
    std::vector<KpFrameEntry*>& queue = map.drawQueues[sorted];
    std::stable_sort(queue.begin(), queue.end(), DrawEntryDepthLess);
  }
  MapFrameList list;
  if (map.mapImages) {
    const std::vector<KpFrameEntry*>& layers = map.mapImages->frames();
    for (auto layer = layers.rbegin(); layer != layers.rend(); ++layer)
      if ((*layer)->visible && !DrawnOverGroundUnits(**layer)) list.push_back(PlacedCopy(**layer));
  }
  MoveQueue(map.drawQueues[kSpriteQueue], list);
  MoveQueue(map.drawQueues[kGroundShadowQueue], list);
  MoveQueue(map.drawQueues[kGroundQueue], list);
  if (map.mapImages)
    for (const KpFrameEntry* layer : map.mapImages->frames())
      if (layer->visible && DrawnOverGroundUnits(*layer)) list.push_back(PlacedCopy(*layer));
  MoveQueue(map.drawQueues[kUpperShadowQueue], list);
  MoveQueue(map.drawQueues[kUpperQueue], list);
  AppendEffects(map.hitEmitters, list);
  AppendEffects(map.heldEffects, list);
  if (map.waveHints)
    for (const KpFrameEntry* hint : map.waveHints->hints()) list.push_back(PlacedCopy(*hint));
  return list;
}

void DrawMapFrameList(render::Graphics& graphics, const KpMap& map, const MapFrameList& list) {
  const MapTransformScope placed(graphics, map);
  for (const std::unique_ptr<KpFrameEntry>& entry : list) DrawEntry(graphics, *entry);
  graphics.SelectTexturedShader(render::kTexturedShaderMult);
}
