#include "Core/File/Profiles.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "Core/Base/FileStream.h"
#include "Core/Base/LogMessage.h"
#include "Core/Base/TextConversion.h"
#include "Core/File/AtomicWrite.h"
#include "Core/File/FileManager.h"
#include "Core/File/UserDataFileContainer.h"

namespace file {

namespace {

constexpr char kRootElement[] = "Profiles";
constexpr char kProfileElement[] = "Profile";
constexpr char kNameAttribute[] = "name";
constexpr char kCurrentAttribute[] = "currentProfile";

constexpr int kSaveFailed = tinyxml2::XML_ERROR_FILE_COULD_NOT_BE_OPENED;
// Damaged files kept aside beyond this many are not worth another search.
constexpr int kMostKeptAside = 1000;

base::WString ProfilesPath() { return UserDataFileContainer::Instance()->GetRootPath() + kProfilesFileName; }

base::WString NameOf(const tinyxml2::XMLElement* profile) {
  const char* name = profile->Attribute(kNameAttribute);
  return name ? base::ToWide(name, base::kEncodingUtf8) : base::WString();
}

void SetName(tinyxml2::XMLElement* element, const char* attribute, const base::WString& name) {
  element->SetAttribute(attribute, base::ToNarrow(name, base::kEncodingUtf8).c_str());
}

// Nothing when the file cannot be opened or read whole, which says nothing
// about what it holds.
std::optional<std::string> ReadProfilesFile() {
  const std::unique_ptr<base::Stream> stream(UserDataFileContainer::Instance()->OpenStream(kProfilesFileName));
  if (!stream) return std::nullopt;
  std::string text(stream->GetSize(), '\0');
  const auto size = static_cast<std::uint32_t>(text.size());
  if (stream->Read(text.data(), size) != size) return std::nullopt;
  return text;
}

// The reader takes text beside the root, yet refuses some of it once printed
// back; it never holds a profile.
void DropTextOutsideTheRoot(tinyxml2::XMLDocument& document) {
  for (tinyxml2::XMLNode* node = document.FirstChild(); node;) {
    tinyxml2::XMLNode* next = node->NextSibling();
    if (node->ToText()) document.DeleteNode(node);
    node = next;
  }
}

// A file the reader would refuse is moved aside as damaged at the next start,
// taking every profile with it.
bool ReadsBackTheSame(const tinyxml2::XMLPrinter& printed) {
  const std::string_view text(printed.CStr(), static_cast<std::size_t>(printed.CStrSize() - 1));
  tinyxml2::XMLDocument reread;
  if (reread.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS || !reread.FirstChildElement(kRootElement))
    return false;
  tinyxml2::XMLPrinter reprinted;
  reread.Print(&reprinted);
  return text == reprinted.CStr();
}

// Earlier damaged files stay: each may be the only copy of someone's progress.
std::optional<base::WString> FreeAsideName(const base::WString& path) {
  FileManager* files = FileManager::Instance();
  for (int number = 1; number <= kMostKeptAside; ++number) {
    base::WString aside = path + u".corrupt";
    if (number > 1) aside += u"." + base::ToWide(std::to_string(number), base::kEncodingUtf8);
    if (!files->FileExists(aside, nullptr, 0, nullptr) && !files->FolderExists(aside)) return aside;
  }
  return std::nullopt;
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

  if (UserDataFileContainer::Instance()->FileExists(kProfilesFileName, nullptr, 0, nullptr)) ReadDocument();
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

void Profiles::ReadDocument() {
  const std::optional<std::string> text = ReadProfilesFile();
  if (!text) {
    // Not damage: the file may be whole and the player's only copy.
    saveBlocked_ = true;
    QL_LOG(u"Profiles '%s' cannot be read; profiles will not be saved\n").AddArg(ProfilesPath());
    return;
  }
  if (document_->Parse(text->data(), text->size()) == tinyxml2::XML_SUCCESS)
    root_ = document_->FirstChildElement(kRootElement);
  if (!root_) {
    KeepCorruptFileAside();
    document_->Clear();
    return;
  }
  DropTextOutsideTheRoot(*document_);
}

void Profiles::KeepCorruptFileAside() {
  ProfilesCorruptFlag = true;
  const base::WString path = ProfilesPath();
  const std::optional<base::WString> aside = FreeAsideName(path);
  if (aside && FileManager::Instance()->MoveFile(path, *aside) == QL_OK) {
    QL_LOG(u"Profiles '%s' are damaged; the file is kept as '%s'\n").AddArg(path).AddArg(*aside);
    return;
  }
  // The broken file may still be the player's only copy of their progress.
  saveBlocked_ = true;
  QL_LOG(u"Profiles '%s' are damaged and cannot be moved aside; profiles will not be saved\n").AddArg(path);
}

int Profiles::Save() {
  if (!document_ || saveBlocked_) return kSaveFailed;
  tinyxml2::XMLPrinter printer;
  document_->Print(&printer);
  const base::WString path = ProfilesPath();
  if (!ReadsBackTheSame(printer)) {
    QL_LOG(u"Profiles would not read back from what a save writes; '%s' is left as it was\n").AddArg(path);
    return kSaveFailed;
  }
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
