#include "Game/KpMap.h"

// The prototype sheets come with the prototype library; the setup sheet is
// read here.
void KpMap::loadSheets() {
  setupTable.load();
  sellFactor = 0.5f;
  startGems = 0;
}
