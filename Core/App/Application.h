#pragma once

#include <list>

#include "Core/App/Win32/ApplicationWin32.h"
#include "Core/Base/Singletone.h"

namespace app {

// The application object: the first service of the process and the root of
// the task tree. The concrete class comes from CreateApplication.
class Application : public base::Singletone<Application>, public ApplicationWin32 {
 public:
  static Application* CreateInstance();

  ~Application() override;

  virtual QLResultEnum PlatformInit();
  virtual QLResultEnum Init();

  bool AddThread(ThreadWin32* thread);

  QLResultEnum OnUpdate(float dt) override;
  void OnFinish() override;

  float GetImageScale() const { return imageScale_; }
  float GetFontScale() const { return fontScale_; }
  int GetExitCode() const { return exitCode_; }
  // A start-up that failed ends the process with a code other than 0.
  void SetExitCode(int code) { exitCode_ = code; }

 protected:
  Application();

 private:
  std::list<ThreadWin32*> threads_;
  float imageScale_ = 1.0f;
  float fontScale_ = 1.0f;
  int exitCode_ = 0;
};

// Provided by the program that is built on the engine.
Application* CreateApplication();

}  // namespace app
