#pragma once

#include "Framework/GameApplication.h"

// The game's application object. For now it sets up the framework with the
// game's folders and design sizes and mounts the game's pack; the game itself
// comes on top of it.
class Game : public framework::GameApplication {
 public:
  Game();

 protected:
  QLResultEnum PreInit() override;
  QLResultEnum PostInit() override { return QL_OK; }
  QLResultEnum Update(float) override { return QL_OK; }
};
