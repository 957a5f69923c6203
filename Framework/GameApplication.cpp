#include "Framework/GameApplication.h"

#include "Core/Base/LogMessage.h"
#include "Core/Base/SystemPath.h"
#include "Core/File/FileManager.h"
#include "Core/File/TextFile.h"
#include "Core/File/UserDataFileContainer.h"
#include "Core/Input/Win32/InputWin32.h"
#include "Core/Layer/ImageLayer.h"
#include "Core/Purchase/PurchaseSystem.h"
#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/RenderTarget.h"
#include "Core/Resource/ResourceManager.h"
#include "Core/Sound/SoundSystem.h"
#include "Core/Widget/BaseBoard.h"
#include "Core/Widget/DialogEffects.h"
#include "Core/Widget/FrameManager.h"
#include "Framework/GameWindow.h"
#include "Framework/PackScreen.h"
#include "Platform/ShaderCache.h"

namespace framework {

namespace {

constexpr const char16_t* kDataPathOption = u"--data_path";
constexpr const char16_t* kPackOption = u"--pack";

}  // namespace

GameApplication::GameApplication() { instance_ = this; }

// The order matters: the objects queued for deletion may still reach the
// frame manager, the frames may hold images of the renderer, and the
// renderer draws into the window.
GameApplication::~GameApplication() {
  DeleteAll();
  offscreenTarget_.reset();
  input_.reset();
  DeleteFrames();
  frameManager_.reset();
  render_.reset();
  window_.reset();
  if (instance_ == this) instance_ = nullptr;
}

// The frames on the stack go with the application, and so does a main frame
// whose push was still queued when the program ended.
void GameApplication::DeleteFrames() {
  if (!frameManager_) return;
  const bool mainFrameQueued = mainFrame_ && !frameManager_->IsOnStack(mainFrame_);
  frameManager_->RemoveAll(true, false);
  if (mainFrameQueued) delete mainFrame_;
  mainFrame_ = nullptr;
}

std::vector<base::SingletoneBase*> GameApplication::GetDependencies() {
  std::vector<base::SingletoneBase*> dependencies = Application::GetDependencies();
  if (auto* resources = resource::ResourceManager::Existing()) dependencies.push_back(resources);
  return dependencies;
}

render::Render* GameApplication::GetRender() const { return render_.get(); }

bool GameApplication::HasArgument(const char16_t* option) const {
  return !GetArguments().empty() && GetArguments().front() == option;
}

// A start-up that fails ends the program, and the caller learns it from the
// exit code.
QLResultEnum GameApplication::Init() {
  const QLResultEnum result = StartUp();
  if (result != QL_OK) {
    QL_LOG(u"Start-up failed with code %d\n").AddArg(static_cast<int>(result));
    SetExitCode(1);
    Finish();
  }
  return result;
}

QLResultEnum GameApplication::OnUpdate(float dt) {
  if (const QLResultEnum result = Application::OnUpdate(dt); result != QL_OK) return result;
  // Track ends and fades are heard on the audio thread but change the game's
  // state only here, on the main thread.
  if (SoundSystem* sound = SoundSystem::Existing()) sound->RunPendingSyncs();
  // The store answers purchases on its own turn, never from inside Buy.
  if (purchase::PurchaseSystem* purchases = purchase::PurchaseSystem::Existing()) purchases->Update();
  return QL_OK;
}

QLResultEnum GameApplication::StartUp() {
  base::WString dataRoot;
  if (const QLResultEnum result = ChooseDataRoot(&dataRoot); result != QL_OK) return result;
  const bool inDataRoot = file::FileManager::Instance()->SetCurrentDirectory(dataRoot) == QL_OK;
  if (const QLResultEnum result = OpenUserFolderAndLog(); result != QL_OK || IsFinishing()) return result;
  // Said once the log file is open, so that it is read there too.
  if (!inDataRoot) QL_LOG(u"The data folder '%s' cannot be made the current folder\n").AddArg(dataRoot);
  Application::Init();
  if (const QLResultEnum result = PreInit(); result != QL_OK) return result;
  mainFrameRect_ = {(static_cast<float>(design_.width) - static_cast<float>(design_.maxWidth)) * 0.5f, 0.0f,
                    static_cast<float>(design_.maxWidth), static_cast<float>(design_.height)};
  if (const QLResultEnum result = CreateWindowAndRenderer(); result != QL_OK || IsFinishing()) return result;
  frameManager_ = std::make_unique<widget::FrameManager>();
  if (HasArgument(kPackOption)) return StartPackScreen();
  if (const QLResultEnum result = LoadDialogConfiguration(); result != QL_OK) return result;
  return PostInit();
}

QLResultEnum GameApplication::ChooseDataRoot(base::WString* root) const {
  *root = GetExecutableFolder();
  if (!HasArgument(kDataPathOption)) return QL_OK;
  if (GetArguments().size() != 2) {
    QL_LOG(u"Usage: --data_path <folder>\n");
    return QL_FAIL;
  }
  *root = GetArguments()[1];
  return QL_OK;
}

// The lock of the running copy is taken before the log file is opened, so a
// second copy never truncates the running one's log.
QLResultEnum GameApplication::OpenUserFolderAndLog() {
  const base::WString folder = GetUserDataFolder() + makerFolderName_ + u"/" + productFolderName_ + u"/";
  if (file::UserDataFileContainer::Instance()->SetRootPath(folder) != QL_OK) {
    QL_LOG(u"The per-user folder '%s' cannot be created\n").AddArg(folder);
  }
  platform::SetShaderCacheFolder(base::SystemPath(folder + u"shaders"));
  input_ = std::make_unique<input::InputWin32>(*this, *this);
  window_ = std::make_unique<GameWindow>(input_.get());
  window_->SetInstanceLockPath(base::SystemPath(folder + u"instance.lock"));
  if (!window_->ClaimInstance()) return QL_OK;
  InitLogFile(folder);
  return QL_OK;
}

QLResultEnum GameApplication::CreateWindowAndRenderer() {
  monitors_.Enumerate();
  render_ = std::make_unique<render::RenderDX9>();
  ScreenSettings settings;
  if (const QLResultEnum result = ComputeScreenLayout(windowed_, &settings); result != QL_OK) return result;
  const app::WindowSize client{settings.renderParam.width, settings.renderParam.height};
  if (const QLResultEnum result = window_->Create(settings.position, settings.windowSize, client,
                                                 settings.renderParam.windowed, windowCaption_);
      result != QL_OK || IsFinishing()) {
    return result;
  }
  if (const QLResultEnum result = render_->Init(window_.get(), settings.renderParam); result != QL_OK) return result;
  if (const QLResultEnum result = MakeOffscreenTarget(settings); result != QL_OK) return result;
  AddChild(window_.get());
  return QL_OK;
}

QLResultEnum GameApplication::StartPackScreen() {
  if (GetArguments().size() != 2) {
    QL_LOG(u"Usage: --pack <name>\n");
    return QL_FAIL;
  }
  return SetMainFrame(new gui::PackScreen(GetArguments()[1]));
}

// A missing or damaged file means no dialog effects, which is no error.
QLResultEnum GameApplication::LoadDialogConfiguration() {
  const std::string text = file::ReadTextFile(u"data/game.xml");
  if (text.empty() || dialogConfiguration_.Parse(text.c_str(), text.size()) != tinyxml2::XML_SUCCESS) {
    dialogConfiguration_.Clear();
    return QL_OK;
  }
  const tinyxml2::XMLElement* game = dialogConfiguration_.FirstChildElement("Game");
  const tinyxml2::XMLElement* effects = game ? game->FirstChildElement("DialogEffects") : nullptr;
  if (!effects) return QL_OK;
  widget::DialogEffectsManager* manager = widget::DialogEffectsManager::Instance();
  // Animations that name mesh libraries load their textures through it.
  manager->SetRender(render_.get());
  return manager->Load(*effects);
}

QLResultEnum GameApplication::SetMainFrame(widget::BaseBoard* frame) {
  if (mainFrame_) frameManager_->RemoveFrame(mainFrame_, true, true);
  mainFrame_ = frame;
  if (!frame) return QL_OK;
  frame->SetRect(mainFrameRect_[0], mainFrameRect_[1], mainFrameRect_[2], mainFrameRect_[3]);
  if (const QLResultEnum result = frame->Init(); result != QL_OK) return result;
  return frameManager_->PushFrame(frame, false, true, true);
}

std::unique_ptr<render::Image> GameApplication::CreateImage(const base::WString& name,
                                                            file::ImageContainer* container) {
  std::unique_ptr<render::Image> image;
  if (!render_ || render_->CreateImage(name, container, &image) != QL_OK) return nullptr;
  return image;
}

QLResultEnum GameApplication::CreateImageLayer(const base::WString& name, file::ImageContainer* container,
                                              layer::ImageLayer** out, base::ImageInfo* description) {
  if (!render_) return QL_FAIL;
  return layer::ImageLayer::Create(*render_, name, container, out, description);
}

}  // namespace framework
