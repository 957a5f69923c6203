#include "Core/Sound/SoundTags.h"

#include <string>

#include "Core/Base/Log.h"
#include "Core/Base/LogMessage.h"
#include "Core/Base/TextConversion.h"
#include "Core/Base/TextTokenizer.h"
#include "Core/File/TextFile.h"
#include "Core/Resource/ResourceManager.h"
#include "Core/Sound/PlayerVolumes.h"
#include "Core/Sound/SoundSheetRow.h"
#include "Core/Sound/SoundSystem.h"

namespace w4 {
namespace {

constexpr char kSoundFolder[] = "kp/data/sound/";

}  // namespace

SoundTags::SoundTags() = default;

SoundTags::~SoundTags() = default;

std::vector<base::SingletoneBase*> SoundTags::GetDependencies() {
  std::vector<base::SingletoneBase*> dependencies;
  if (SoundSystem* sound = SoundSystem::Existing()) dependencies.push_back(sound);
  if (resource::ResourceManager* resources = resource::ResourceManager::Existing()) dependencies.push_back(resources);
  if (base::MainLog* log = base::MainLog::Existing()) dependencies.push_back(log);
  return dependencies;
}

bool SoundTags::Load(const base::WString& path) {
  Clear();
  const std::string text = file::ReadTextFile(path);
  if (text.empty()) {
    QL_LOG(u"Sound sheet '%s' is missing or empty\n").AddArg(path);
    return true;
  }
  TextTokenizer lines(text, '\n', true);
  std::string line;
  while (lines.NextToken(&line)) {
    std::optional<SoundSheetRow> row = ParseSoundSheetLine(line);
    if (!row) continue;
    auto entry = std::make_unique<SoundTagEntry>();
    entry->tag = base::ToWide(row->tag, base::kEncodingUtf8);
    entry->file = base::ToWide(row->file, base::kEncodingUtf8);
    entry->group = row->group;
    entry->volume = row->volume;
    if (!row->file.empty()) entry->sound = SoundSystem::Instance()->CreateSound(kSoundFolder + row->file);
    entries_.push_back(std::move(entry));
  }
  return true;
}

bool SoundTags::Play(const base::WString& tag) {
  for (const std::unique_ptr<SoundTagEntry>& entry : entries_) {
    if (entry->tag != tag || entry->file.empty()) continue;
    const float volume = playerVolumes_ ? playerVolumes_->GetSoundVolume() : entry->volume;
    entry->sound->SetVolume(volume, 0.0f);
    entry->sound->Play();
    return true;
  }
  return false;
}

void SoundTags::Clear() { entries_.clear(); }

}  // namespace w4
