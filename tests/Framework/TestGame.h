#pragma once

#include <functional>

#include "Framework/GameApplication.h"

namespace framework_test {

// The application object of these tests: the framework with hooks the test
// sets before the start-up.
class TestGame : public framework::GameApplication {
 public:
  struct Hooks {
    std::function<QLResultEnum()> postInit;
    std::function<QLResultEnum(float)> update;
    bool windowed = true;
    // Makes the application instead of a TestGame, for tests of a real one.
    std::function<app::Application*()> create;
  };
  static Hooks& NextHooks();

  TestGame();

  QLResultEnum PostInit() override { return hooks_.postInit ? hooks_.postInit() : QL_OK; }
  QLResultEnum Update(float dt) override { return hooks_.update ? hooks_.update(dt) : QL_OK; }

 private:
  Hooks hooks_;
};

}  // namespace framework_test
