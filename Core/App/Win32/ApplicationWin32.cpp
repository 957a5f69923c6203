#include "Core/App/Win32/ApplicationWin32.h"

#include "Core/App/Application.h"
#include "Core/Base/LogMessage.h"
#include "Core/Base/Utf.h"
#include "Core/File/Path.h"
#include "Platform/MessageQueue.h"
#include "Platform/UserFolders.h"

namespace app {

void ApplicationWin32::RunApplication() {
  // Steps of the start-up that must stop the program finish the application
  // themselves; the result says nothing more.
  static_cast<Application*>(this)->Init();
  if (IsFinishing()) return;
  Run();
}

QLResultEnum ApplicationWin32::InitWin32() {
  if (const QLResultEnum result = GetExeFolder(exeFolder_)) return result;
  base::MainLog::Instance()->AddOutput(new base::LogDebugOutput);

  auto folder = platform::ApplicationDataFolder();
  if (!folder) folder = platform::DocumentsFolder();
  if (!folder) return QL_FAIL;
  userDataFolder_ = file::NormalizeFolder(base::WideFromUtf8Lenient(*folder));
  return QL_OK;
}

QLResultEnum ApplicationWin32::InitLogFile(const base::WString& folder) {
  logFolder_ = folder;
  const base::WString path = folder + u"log.html";
  // Only the outputs that exist already hear where the file is.
  QL_LOG(u"%s(0): Html log file\n").AddArg(path);
  base::MainLog::Instance()->AddHtmlOutput(new base::LogUtf8File(path));
  return QL_OK;
}

QLResultEnum ApplicationWin32::OnInit() { return QL_OK; }

QLResultEnum ApplicationWin32::OnUpdate(float) {
  platform::DispatchOneMessage();
  return QL_OK;
}

QLResultEnum ApplicationWin32::GetExeFolder(base::WString& out) {
  const auto path = platform::ExecutablePath();
  if (!path) return QL_FAIL;
  out = file::GetFolder(base::WideFromUtf8Lenient(*path));
  return QL_OK;
}

}  // namespace app
