#include "Game/Game.h"

#include "Core/File/FileManager.h"

Game::Game() {
  makerFolderName_ = u"Orvane";
  productFolderName_ = u"Lanternfall2";
  windowCaption_ = u"Lanternfall 2";
  design_ = {1024, 768, 1366};
}

// The game's data is read from its pack while the pack exists, and packed
// into it with "--pack".
QLResultEnum Game::PreInit() {
  file::FileManager::Instance()->mounts[u"kp/"] = u"data.dat";
  return QL_OK;
}
