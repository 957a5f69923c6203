#pragma once

#include <vector>

#include "Core/App/Thread.h"
#include "Core/Base/WString.h"

namespace app {

// The platform half of the application object: where the program lives, where
// the user's data goes, the command line, and the thread's message pump.
class ApplicationWin32 : public Thread {
 public:
  using Thread::Thread;

  // Runs the start-up and, unless it asked the application to finish, the main
  // loop on the calling thread.
  virtual void RunApplication();
  virtual QLResultEnum InitWin32();
  virtual QLResultEnum OnInit();

  // Dispatches at most one message of the thread's queue per pass.
  QLResultEnum OnUpdate(float dt) override;

  QLResultEnum GetExeFolder(base::WString& out);
  // Starts the HTML log file "log.html" in the folder.
  QLResultEnum InitLogFile(const base::WString& folder);

  const base::WString& GetUserDataFolder() const { return userDataFolder_; }
  const base::WString& GetExecutableFolder() const { return exeFolder_; }
  const base::WString& GetLogFolder() const { return logFolder_; }
  const std::vector<base::WString>& GetArguments() const { return arguments_; }
  void SetArguments(std::vector<base::WString> arguments) { arguments_ = std::move(arguments); }
  // Another copy of the program was running: this one ends at once and leaves
  // that one's files alone.
  bool IsAlreadyRunning() const { return alreadyRunning_; }
  void SetAlreadyRunning() { alreadyRunning_ = true; }
  // The graphics card lacks the shaders the game needs: the program ends and
  // says so when the application object goes.
  bool IsRenderFailed() const { return renderFailed_; }
  void SetRenderFailed() { renderFailed_ = true; }

 private:
  base::WString userDataFolder_;
  base::WString exeFolder_;
  base::WString logFolder_;
  std::vector<base::WString> arguments_;
  bool alreadyRunning_ = false;
  bool renderFailed_ = false;
};

}  // namespace app
