// The particle effects the game starts by name, against the particle file the
// running game loaded from the built data: every name the sheets give shots,
// impacts and spells and every name the code fixes exists; a shot's trail
// keeps emitting for as long as a shot flies, a muzzle flash or an impact
// plays out at once, and a spell's effect lasts as long as the spell.

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "Core/Render/ParticleEmitter.h"
#include "Core/Render/ParticleSystem.h"
#include "Game/KpMap.h"
#include "Game/KpProto.h"
#include "Game/KpProtoLibrary.h"
#include "Platform/Particles/Emitter.h"
#include "tests/Support/WorldScenario.h"

namespace {

// The effects the game's code starts by a fixed name: tower commands, the
// base's damage, the beam, the portals, the tower boost, a bursting unit, the
// map's ambient points and the selection markers.
constexpr std::string_view kCodeEffects[] = {"build",    "upgrade",  "damage_h", "t_line", "portal_1", "blow_bub",
                                             "hammer",   "mg_00",    "tr1",      "bird",   "active",   "active_btn"};

constexpr double kFrame = 1.0 / 60.0;
// Far longer than any shot flies: a homing dart chasing a fast unit takes a
// few seconds at most, a lobbed shell under two.
constexpr double kLongestFlight = 10.0;
// A one-shot effect is over well within this; the map keeps every one until
// it is.
constexpr double kOneShotEnd = 3.0;

enum class Use { kTrail, kOneShot, kSpell, kOther };

// One effect a sheet row names.
struct SheetEffect {
  std::string name;
  std::string where;  // the prototype and column, for the failure message
  Use use = Use::kOther;
  float spellDuration = 0.0f;
};

void AddEffect(std::vector<SheetEffect>& out, const KpProto& proto, const char* column, const std::string& name,
               Use use) {
  if (name.empty()) return;
  out.push_back({name, "prototype " + std::to_string(proto.id) + " column " + column, use, proto.speed});
}

// Every effect of the library's rows and tiers. Shots are the ammunition the
// towers fire; other ammunition (a unit's rift) is started as its code wants.
std::vector<SheetEffect> SheetEffects(const KpProtoLibrary& library) {
  std::vector<const KpProto*> rows;
  for (const auto& proto : library.protos()) {
    rows.push_back(proto.get());
    for (const auto& tier : proto->children.list) rows.push_back(tier.get());
  }
  std::set<int> fired;
  for (const KpProto* row : rows)
    if (row->type == 1) fired.insert(row->ammoId);
  std::vector<SheetEffect> effects;
  for (const KpProto* row : rows) {
    const bool shot = fired.count(row->id) > 0;
    const bool spell = row->type == 3;
    AddEffect(effects, *row, "onFire", row->onFire, shot ? Use::kOneShot : Use::kOther);
    AddEffect(effects, *row, "onAmmo", row->onAmmo, shot ? Use::kTrail : spell ? Use::kSpell : Use::kOther);
    AddEffect(effects, *row, "onHit", row->onHit, shot ? Use::kOneShot : Use::kOther);
  }
  return effects;
}

// A running instance, as the game starts a one-shot.
std::unique_ptr<render::ParticleEmitter> Started(const std::string& name) {
  std::unique_ptr<render::ParticleEmitter> emitter = render::ParticleSystem::Instance()->CreateEmitter(name);
  if (!emitter) return nullptr;
  emitter->SetPosition(0, 0, 0);
  emitter->SetState(render::ParticleEmitter::kRunning);
  return emitter;
}

void Play(render::ParticleEmitter& emitter, double seconds) {
  for (double t = 0; t < seconds; t += kFrame) emitter.Update(kFrame);
}

bool Showing(const render::ParticleEmitter& emitter) {
  return emitter.GetState() == render::ParticleEmitter::kRunning && emitter.GetEngineEmitter().GetParticleCount() > 0;
}

class ParticleNamesTest : public testing_support::WorldScenario {
 protected:
  std::vector<SheetEffect> sheetEffects() { return SheetEffects(*game().getMap()->protos); }
};

TEST_F(ParticleNamesTest, EveryEffectTheSheetsAndTheCodeNameIsInTheParticleFile) {
  const std::vector<SheetEffect> named = sheetEffects();
  EXPECT_GE(named.size(), 10u) << "the sheets name fewer effects than the campaign gives its shots and spells";
  for (const SheetEffect& effect : named)
    EXPECT_TRUE(render::ParticleSystem::Instance()->CreateEmitter(effect.name))
        << effect.where << " names the effect \"" << effect.name << "\", which the particle file lacks";
  for (const std::string_view name : kCodeEffects)
    EXPECT_TRUE(render::ParticleSystem::Instance()->CreateEmitter(std::string(name)))
        << "the game starts the effect \"" << name << "\", which the particle file lacks";
}

TEST_F(ParticleNamesTest, TrailsLastTheFlightOneShotsEndAtOnceAndSpellEffectsLastTheirSpell) {
  int checked = 0;
  for (const SheetEffect& effect : sheetEffects()) {
    std::unique_ptr<render::ParticleEmitter> emitter = Started(effect.name);
    if (!emitter) continue;  // the test above names it
    switch (effect.use) {
      case Use::kTrail:
        Play(*emitter, kLongestFlight);
        EXPECT_TRUE(Showing(*emitter)) << "the trail \"" << effect.name << "\" of " << effect.where
                                       << " stops before its shot lands";
        break;
      case Use::kOneShot:
        Play(*emitter, kOneShotEnd);
        EXPECT_EQ(emitter->GetState(), render::ParticleEmitter::kStopped)
            << "the one-shot \"" << effect.name << "\" of " << effect.where << " still plays after " << kOneShotEnd
            << " s";
        break;
      case Use::kSpell:
        Play(*emitter, 0.9 * effect.spellDuration);
        EXPECT_TRUE(Showing(*emitter)) << "the effect \"" << effect.name << "\" of " << effect.where
                                       << " is gone before its spell of " << effect.spellDuration << " s ends";
        Play(*emitter, 0.1 * effect.spellDuration + kOneShotEnd);
        EXPECT_EQ(emitter->GetState(), render::ParticleEmitter::kStopped)
            << "the effect \"" << effect.name << "\" of " << effect.where << " outlasts its spell";
        break;
      case Use::kOther:
        continue;
    }
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

}  // namespace
