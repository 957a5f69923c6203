#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Platform/Particles/Emitter.h"
#include "Platform/Particles/EmitterDef.h"

namespace particles {

// What a walk of a folder found.
struct FindRecord {
  bool isEmitter = false;
};

// An image whose regions the particles of the file are drawn with.
struct AtlasInfo {
  std::string image;  // a name without folder and extension
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

// A particle file read from memory: a tree of folders holding named emitters,
// and the atlases they draw with.
class File {
 public:
  // Null, with the reason, when the text is no particle file of ours or
  // breaks one of its limits. The text need not outlive the call.
  static std::unique_ptr<File> Open(const char* data, std::size_t size, std::string& error);

  // "" is the top folder, ".." the parent of the current one, anything else
  // a sub-folder of the current one. False, changing nothing, when there is
  // no such folder.
  bool SetCurrentFolder(const std::string& name);

  // The walk of the current folder: the name of its first item, then of each
  // next one, null after the last. Every folder keeps its own place, so that
  // walking a sub-folder in between does not disturb its parent's walk.
  const char* FindFirst(FindRecord& record);
  const char* FindNext(FindRecord& record);

  // A new emitter of that name from the current folder, preferring the item
  // the walk stands on; null when the folder has no emitter of that name.
  std::unique_ptr<Emitter> LoadEmitter(const std::string& name);

  std::size_t GetStaticAtlasCount() const { return atlases_.size(); }
  // Null past the end.
  const AtlasInfo* GetStaticAtlas(std::size_t index) const;

 private:
  friend class FileReader;

  struct Item {
    std::string name;
    bool isEmitter = false;
    std::size_t index = 0;  // into emitters_ or folders_
  };
  struct Folder {
    std::string name;
    std::size_t parent = 0;
    std::vector<Item> items;
    std::size_t cursor = 0;
  };

  const char* Found(FindRecord& record) const;

  std::vector<Folder> folders_;  // the top folder first
  std::size_t current_ = 0;
  std::vector<std::shared_ptr<const EmitterDef>> emitters_;
  std::vector<AtlasInfo> atlases_;
};

}  // namespace particles
