#include "Framework/PackScreen.h"

#include "Core/App/Application.h"
#include "Core/Base/LogMessage.h"
#include "Core/File/BuildPack.h"
#include "Core/File/FileManager.h"

namespace gui {

QLResultEnum PackScreen::Init() {
  QLResultEnum result = QL_OK;
  for (const auto& [folder, pack] : file::FileManager::Instance()->mounts) {
    result = BuildPack(folder, pack);
    QL_LOG(u"Pack '%s' from '%s': %s\n").AddArg(pack).AddArg(folder).AddArg(result == QL_OK ? u"built" : u"failed");
    if (result != QL_OK) break;
  }
  // The program's whole work is done: it ends, telling the caller whether
  // every pack was built.
  app::Application* application = app::Application::Instance();
  if (result != QL_OK) application->SetExitCode(1);
  application->Finish();
  return result;
}

}  // namespace gui
