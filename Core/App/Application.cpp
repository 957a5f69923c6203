#include "Core/App/Application.h"

#include "Platform/MessageBox.h"

namespace app {

Application* Application::CreateInstance() { return CreateApplication(); }

Application::Application() : ApplicationWin32(false, true, true, true) {}

Application::~Application() {
  if (IsRenderFailed())
    platform::ShowErrorBox("Error",
                           "Failed to init DirectX 9 render: video card does'n support vertex shaders 1.1 and(or) "
                           "pixel shaders 2.0");
}

QLResultEnum Application::PlatformInit() { return InitWin32(); }

QLResultEnum Application::Init() { return OnInit(); }

bool Application::AddThread(ThreadWin32* thread) {
  threads_.push_back(thread);
  return true;
}

QLResultEnum Application::OnUpdate(float dt) {
  if (const QLResultEnum result = ApplicationWin32::OnUpdate(dt)) return result;

  for (auto it = threads_.begin(); it != threads_.end();) {
    ThreadWin32* thread = *it;
    if (!thread->IsFinished() || !thread->IsChildless()) {
      ++it;
      continue;
    }
    it = threads_.erase(it);
    if (thread->IsAutoDelete()) delete thread;
  }
  // The loop therefore runs exactly as long as the application has children.
  if (threads_.empty()) SetFinished();
  return QL_OK;
}

void Application::OnFinish() {
  for (ThreadWin32* thread : threads_) thread->Finish();
}

}  // namespace app
