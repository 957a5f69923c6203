#include "Game/RunningGameMap.h"

#include "Game/Game.h"

KpMap* RunningGameMap() { return Game::sInstance ? Game::sInstance->getMap() : nullptr; }
