#include "Platform/Particles/ParticleFile.h"

#include "Platform/Particles/FileReader.h"

namespace particles {

std::unique_ptr<File> File::Open(const char* data, std::size_t size, std::string& error) {
  auto file = std::unique_ptr<File>(new File);
  if (!FileReader(*file, error).Read(data, size)) return nullptr;
  return file;
}

bool File::SetCurrentFolder(const std::string& name) {
  if (name.empty()) {
    current_ = 0;
    return true;
  }
  if (name == "..") {
    current_ = folders_[current_].parent;
    return true;
  }
  for (const Item& item : folders_[current_].items) {
    if (!item.isEmitter && item.name == name) {
      current_ = item.index;
      return true;
    }
  }
  return false;
}

const char* File::FindFirst(FindRecord& record) {
  folders_[current_].cursor = 0;
  return Found(record);
}

const char* File::FindNext(FindRecord& record) {
  Folder& folder = folders_[current_];
  if (folder.cursor < folder.items.size()) ++folder.cursor;
  return Found(record);
}

const char* File::Found(FindRecord& record) const {
  const Folder& folder = folders_[current_];
  if (folder.cursor >= folder.items.size()) return nullptr;
  const Item& item = folder.items[folder.cursor];
  record.isEmitter = item.isEmitter;
  return item.name.c_str();
}

std::unique_ptr<Emitter> File::LoadEmitter(const std::string& name) {
  const Folder& folder = folders_[current_];
  const Item* chosen = nullptr;
  if (folder.cursor < folder.items.size()) {
    const Item& walked = folder.items[folder.cursor];
    if (walked.isEmitter && walked.name == name) chosen = &walked;
  }
  for (std::size_t i = 0; !chosen && i < folder.items.size(); ++i) {
    if (folder.items[i].isEmitter && folder.items[i].name == name) chosen = &folder.items[i];
  }
  if (!chosen) return nullptr;
  const auto& def = emitters_[chosen->index];
  return std::make_unique<Emitter>(def, def->seed);
}

const AtlasInfo* File::GetStaticAtlas(std::size_t index) const {
  return index < atlases_.size() ? &atlases_[index] : nullptr;
}

}  // namespace particles
