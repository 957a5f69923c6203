#include "Core/File/Profiles.h"

#include <string>

#include "Core/Base/FileStream.h"
#include "Core/Base/LogMessage.h"
#include "Core/Base/TextConversion.h"
#include "Core/File/AtomicWrite.h"
#include "Core/File/FileManager.h"
#include "Core/File/TextFile.h"
#include "Core/File/UserDataFileContainer.h"

namespace file {

namespace {

constexpr char kRootElement[] = "Profiles";
constexpr char kProfileElement[] = "Profile";
constexpr char kNameAttribute[] = "name";
constexpr char kCurrentAttribute[] = "currentProfile";

constexpr int kSaveFailed = tinyxml2::XML_ERROR_FILE_COULD_NOT_BE_OPENED;

base::WString ProfilesPath() { return UserDataFileContainer::Instance()->GetRootPath() + kProfilesFileName; }

base::WString NameOf(const tinyxml2::XMLElement* profile) {
  const char* name = profile->Attribute(kNameAttribute);
  return name ? base::ToWide(name, base::kEncodingUtf8) : base::WString();
}

void SetName(tinyxml2::XMLElement* element, const char* attribute, const base::WString& name) {
  element->SetAttribute(attribute, base::ToNarrow(name, base::kEncodingUtf8).c_str());
}

}  // namespace

Profiles::~Profiles() {
  if (document_ && !alreadyRunning_) Save();
}

std::vector<base::SingletoneBase*> Profiles::GetDependencies() {
  std::vector<base::SingletoneBase*> dependencies{UserDataFileContainer::Instance()};
  // The save at exit may have a failure to report.
  if (base::MainLog* log = base::MainLog::Existing()) dependencies.push_back(log);
  return dependencies;
}

void Profiles::Load() {
  document_ = std::make_unique<tinyxml2::XMLDocument>();
  root_ = current_ = nullptr;
  saveBlocked_ = false;

  if (UserDataFileContainer::Instance()->FileExists(kProfilesFileName, nullptr, 0, nullptr)) {
    const std::string text = ReadTextFile(ProfilesPath());
    if (document_->Parse(text.data(), text.size()) == tinyxml2::XML_SUCCESS)
      root_ = document_->FirstChildElement(kRootElement);
    if (!root_) {
      KeepCorruptFileAside();
      document_->Clear();
    }
  }
  if (!root_) {
    root_ = document_->NewElement(kRootElement);
    document_->InsertEndChild(root_);
  }

  if (const char* current = root_->Attribute(kCurrentAttribute)) {
    SetCurrentProfile(base::ToWide(current, base::kEncodingUtf8));
  } else {
    SelectFirstProfile();
  }
}

void Profiles::KeepCorruptFileAside() {
  ProfilesCorruptFlag = true;
  const base::WString path = ProfilesPath();
  const base::WString aside = path + u".corrupt";
  if (FileManager::Instance()->MoveFile(path, aside) == QL_OK) {
    QL_LOG(u"Profiles '%s' cannot be read; the file is kept as '%s'\n").AddArg(path).AddArg(aside);
    return;
  }
  // The broken file may still be the player's only copy of their progress.
  saveBlocked_ = true;
  QL_LOG(u"Profiles '%s' cannot be read nor moved aside; profiles will not be saved\n").AddArg(path);
}

int Profiles::Save() {
  if (!document_ || saveBlocked_) return kSaveFailed;
  tinyxml2::XMLPrinter printer;
  document_->Print(&printer);
  const base::WString path = ProfilesPath();
  const auto size = static_cast<std::uint32_t>(printer.CStrSize() - 1);
  const auto writeDocument = [&](base::FileStream& stream) {
    return stream.Write(printer.CStr(), size) == size ? QL_OK : QL_FAIL;
  };
  if (WriteFileAtomically(path, writeDocument) == QL_OK)
    return tinyxml2::XML_SUCCESS;
  QL_LOG(u"Profiles cannot be saved to '%s'\n").AddArg(path);
  return kSaveFailed;
}

tinyxml2::XMLElement* Profiles::FindProfile(const base::WString& name) {
  if (!root_) return nullptr;
  for (auto* profile = root_->FirstChildElement(kProfileElement); profile;
       profile = profile->NextSiblingElement(kProfileElement)) {
    if (NameOf(profile) == name) return profile;
  }
  return nullptr;
}

std::vector<base::WString> Profiles::GetProfileNames() {
  std::vector<base::WString> names;
  if (!root_) return names;
  for (const auto* profile = root_->FirstChildElement(kProfileElement); profile;
       profile = profile->NextSiblingElement(kProfileElement)) {
    names.push_back(NameOf(profile));
  }
  return names;
}

base::WString Profiles::GetCurrentProfileName() { return current_ ? NameOf(current_) : base::WString(); }

void Profiles::SetCurrentProfile(const base::WString& name) {
  if (!root_) Load();
  current_ = FindProfile(name);
  if (!current_) {
    current_ = root_->InsertNewChildElement(kProfileElement);
    SetName(current_, kNameAttribute, name);
  }
  SetName(root_, kCurrentAttribute, name);
}

void Profiles::RenameCurrentProfile(const base::WString& name) {
  if (!current_) return;
  SetName(current_, kNameAttribute, name);
  SetName(root_, kCurrentAttribute, name);
}

void Profiles::DeleteProfile(const base::WString& name) {
  if (!root_) Load();
  tinyxml2::XMLElement* profile = FindProfile(name);
  const bool wasCurrent = profile == current_;
  if (profile) root_->DeleteChild(profile);
  if (wasCurrent) SelectFirstProfile();
}

void Profiles::SelectFirstProfile() {
  const tinyxml2::XMLElement* first = root_->FirstChildElement(kProfileElement);
  SetCurrentProfile(first ? NameOf(first) : kDefaultProfileName);
}

}  // namespace file
