#include "Game/Game.h"

#include "Core/Base/SystemPath.h"
#include "Core/File/UserDataFileContainer.h"

Game::Game() : input_(*this, *this) {}

// The window belongs to the game; it was unlinked from the task tree when it
// finished, or never ran.
Game::~Game() = default;

QLResultEnum Game::OnInit() {
  file::UserDataFileContainer* userData = file::UserDataFileContainer::Instance();
  userData->SetRootPath(GetUserDataFolder() + u"Orvane/Lanternfall2/");

  window_ = std::make_unique<app::Window>(&input_, false, false, true);
  window_->SetInstanceLockPath(base::SystemPath(userData->GetRootPath() + u"instance.lock"));
  const app::WindowSize size{1024, 768};
  if (const QLResultEnum result = window_->Create({100, 100}, size, size, true, u"Lanternfall 2")) return result;
  AddChild(window_.get());
  return QL_OK;
}
