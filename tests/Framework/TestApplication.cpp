#include "tests/Framework/TestGame.h"

namespace framework_test {

TestGame::Hooks& TestGame::NextHooks() {
  static Hooks hooks;
  return hooks;
}

TestGame::TestGame() : hooks_(NextHooks()) {
  makerFolderName_ = u"Maker";
  productFolderName_ = u"Product";
  windowCaption_ = u"framework test";
  design_ = {1024, 768, 1366};
  windowed_ = hooks_.windowed;
}

}  // namespace framework_test

app::Application* app::CreateApplication() {
  if (const auto& create = framework_test::TestGame::NextHooks().create) return create();
  return new framework_test::TestGame;
}
