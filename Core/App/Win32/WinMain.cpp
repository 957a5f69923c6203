#include "Core/App/Win32/WinMain.h"

#include "Core/App/Application.h"
#include "Core/Base/SingletonRegistry.h"
#include "Core/Base/Utf.h"
#include "Platform/Session.h"

namespace app {

std::vector<base::WString> ArgumentsFromCommandLine(int argc, const char* const* argv) {
  std::vector<base::WString> arguments;
  for (int i = 1; i < argc && argv && argv[i]; ++i) arguments.push_back(base::WideFromUtf8Lenient(argv[i]));
  return arguments;
}

int WinMain(int argc, const char* const* argv) {
  platform::Startup();

  Application* application = Application::Instance();
  application->SetArguments(ArgumentsFromCommandLine(argc, argv));

  // Without its folders the program cannot run; the caller is told so.
  int exitCode = 1;
  if (application->PlatformInit() == QL_OK) {
    application->RunApplication();
    exitCode = application->GetExitCode();
  }

  // Services may still use the platform while they are destroyed, so they go
  // first; the exit handler then finds nothing left.
  SingletonRegistry::Shutdown();
  platform::Shutdown();
  return exitCode;
}

}  // namespace app
