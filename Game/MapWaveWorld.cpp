#include "Game/KpMap.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpWaveHints.h"
#include "Game/KpWaveProto.h"
#include "Game/ProtoTiers.h"
#include "Game/WaveWorld.h"

namespace {

class MapWaveWorld final : public WaveWorld {
 public:
  explicit MapWaveWorld(KpMap& map) : map_(map) {}

  const KpPoint* findPoint(int id) const override { return map_.findPoint(id); }
  const KpPoint* findSpawnPoint() const override { return map_.findSpawnPoint(); }
  bool hasUnit(const KpWaveEntry& entry) const override {
    return map_.protos && EnemyTierProto(*map_.protos, entry.unitId, entry.upgrade);
  }
  KpEnemy* spawnUnit(KpWaveEntry* entry, const KpPoint* spawnPoint) override {
    return map_.spawnUnit(entry, spawnPoint);
  }
  void onUnitRemoved(KpEnemy* unit) override { map_.onUnitRemoved(unit); }
  void addMoney(int amount) override { map_.wallet->addMoney(amount); }
  KpWaveHints* waveHints() override { return map_.waveHints.get(); }
  void levelWon() override { map_.levelWon(); }

 private:
  KpMap& map_;
};

}  // namespace

std::unique_ptr<WaveWorld> MakeMapWaveWorld(KpMap& map) { return std::make_unique<MapWaveWorld>(map); }
