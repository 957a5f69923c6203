#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Core/Animation/AnimTrack.h"
#include "Core/Animation/MeshLibrary.h"
#include "Core/Resource/Resource.h"
#include "Core/Resource/ResourceHandle.h"

namespace render {
class Render;
}

namespace animation {

// An animation file: one track per animated layer, with the mesh libraries
// its tracks name loaded beside it.
class AnimData : public resource::Resource {
 public:
  AnimData();
  ~AnimData() override;

  QLResultEnum Release() override;

  // Handed to every mesh library the animation loads; set before loading.
  void SetRender(render::Render* render) { render_ = render; }

  // 1 on a short read or a count the file cannot hold; the tracks read
  // before it stay.
  QLResultEnum ReadBody(base::Stream& stream);

  const std::string& GetAnimationName() const { return animationName_; }
  float GetStartTime() const { return startTime_; }
  float GetEndTime() const { return endTime_; }
  const std::vector<std::unique_ptr<AnimTrack>>& GetTracks() const { return tracks_; }
  const std::map<std::string, resource::ResourceHandle<lightwave::MeshLibrary>>& GetMeshLibraries() const {
    return meshLibraries_;
  }

 protected:
  QLResultEnum DoLoad() override;
  QLResultEnum DoUnload() override;

 private:
  // Loads the libraries the tracks name, each once, and finds their meshes.
  QLResultEnum ResolveMeshes();
  void Clear();

  render::Render* render_ = nullptr;
  std::string animationName_;
  float startTime_ = 0.0f;
  float endTime_ = 0.0f;
  std::vector<std::unique_ptr<AnimTrack>> tracks_;
  // By the library name as the tracks write it.
  std::map<std::string, resource::ResourceHandle<lightwave::MeshLibrary>> meshLibraries_;
};

}  // namespace animation
