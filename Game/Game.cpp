#include "Game/Game.h"

#include "Core/File/FileManager.h"
#include "Core/File/UserDataFileContainer.h"
#include "Game/LocalStrings.h"

Game::Game() {
  makerFolderName_ = u"Orvane";
  productFolderName_ = u"Lanternfall2";
  windowCaption_ = u"Lanternfall 2";
  design_ = {1024, 768, 1366};
}

// The game's data is read from its pack while the pack exists, and packed
// into it with "--pack". The string table comes from there too, while the
// keys it lacks are collected in the player's own folder.
QLResultEnum Game::PreInit() {
  file::FileManager::Instance()->mounts[u"kp/"] = u"data.dat";
  LocalStrings* strings = LocalStrings::Instance();
  const base::WString userFolder = file::UserDataFileContainer::Instance()->GetRootPath();
  if (!userFolder.empty()) strings->setMissingStringsPath(userFolder + u"missing_strings.csv");
  windowCaption_ = strings->getString(u"game_caption");
  return QL_OK;
}
