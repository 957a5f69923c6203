#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Core/Base/Result.h"
#include "Core/Base/Singletone.h"
#include "Core/Render/ParticleEmitter.h"

namespace particles {
class File;
}

namespace render {

class Image;
class Render;

// The particle effects of the program: one template emitter per effect name,
// from the particle files loaded, and the atlases they draw with.
class ParticleSystem : public base::Singletone<ParticleSystem> {
 public:
  // A particle file bigger than this is refused unread.
  static constexpr std::uint32_t kMaxFileSize = 4u << 20;

  ParticleSystem();
  ~ParticleSystem() override;

  // Prefix of every particle file and atlas name, e.g. "kp/fx/".
  void SetFolder(const std::string& folder) { folder_ = folder; }
  const std::string& GetFolder() const { return folder_; }
  // 0 leaves each emitter's own setting, 1 interpolates, anything else does not.
  void SetInterpolationMode(std::int32_t mode) { interpolationMode_ = mode; }
  // Given to every template loaded after it is set.
  void SetLoopMode(std::int32_t mode) { loopMode_ = mode; }

  // Loads the file name (tried as it is, then with ".ptc") from the folder.
  // A template of a name already known replaces the earlier one.
  QLResultEnum LoadFile(const std::string& fileName, Render& render);
  // A new emitter playing the named template, stopped; null without one.
  std::unique_ptr<ParticleEmitter> CreateEmitter(const std::string& name) const;
  void ReleaseAtlases();

  // Null for an index without an atlas image.
  Image* GetAtlas(std::size_t index) const;
  std::size_t GetTemplateCount() const { return templates_.size(); }

 private:
  void LoadFolder(particles::File& file, const std::string& folder, std::size_t atlasBase);
  void LoadAtlases(const particles::File& file, Render& render);

  std::string folder_;
  std::map<std::string, std::unique_ptr<ParticleEmitter>> templates_;
  std::vector<std::unique_ptr<Image>> atlases_;
  std::int32_t interpolationMode_ = 1;
  std::int32_t loopMode_ = 0;
};

}  // namespace render
