#include "Game/KpMap.h"
#include "Game/KpProto.h"
#include "Game/KpProtoLibrary.h"
#include "Game/PrototypeSheets.h"

void KpMap::loadSheets() {
  if (!protos) protos = std::make_unique<KpProtoLibrary>();
  LoadPrototypeSheets(*protos, GameProtoReading(nullptr));
  setupTable.load();
  sellFactor = 0.5f;
  startGems = 0;
}
