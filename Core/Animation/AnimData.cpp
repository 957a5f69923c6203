#include "Core/Animation/AnimData.h"

#include "Core/Animation/BinaryFields.h"
#include "Core/Base/LittleEndian.h"
#include "Core/Base/LogMessage.h"
#include "Core/Base/Stream.h"
#include "Core/Base/TextConversion.h"
#include "Core/File/Path.h"
#include "Core/Resource/ResourceManager.h"

namespace animation {

namespace {

// Library names that stand for no library: the layer is drawn as it is.
bool NamesNoMesh(const AnimTrack& track) {
  return track.meshLibraryName == "null" || track.meshLibraryName == "screen_res" || track.meshName == "null";
}

}  // namespace

AnimData::AnimData() = default;

AnimData::~AnimData() = default;

QLResultEnum AnimData::Release() { return resource::ResourceManager::Instance()->Release(this); }

QLResultEnum AnimData::DoLoad() {
  // What a failed load left behind goes before the next try.
  Clear();
  const std::unique_ptr<base::Stream> stream = OpenFileStream(GetName());
  if (!stream) {
    QL_LOG(u"Animation '%s' not found\n").AddArg(GetName());
    return QL_FAIL;
  }
  if (ReadBody(*stream) != QL_OK) {
    QL_LOG(u"Animation '%s' is damaged\n").AddArg(GetName());
    return QL_FAIL;
  }
  return ResolveMeshes();
}

QLResultEnum AnimData::DoUnload() {
  Clear();
  return QL_OK;
}

void AnimData::Clear() {
  tracks_.clear();
  meshLibraries_.clear();
}

QLResultEnum AnimData::ReadBody(base::Stream& stream) {
  std::uint32_t count = 0;
  if (ReadSizedString(stream, animationName_) != QL_OK || !ReadFloat(stream, startTime_) ||
      !ReadFloat(stream, endTime_) || !base::ReadU32(stream, count)) {
    return QL_FAIL;
  }
  if (!CanHold(stream, count, kSmallestTrackSize)) return QL_FAIL;
  tracks_.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    tracks_.push_back(std::make_unique<AnimTrack>(this));
    if (const QLResultEnum result = tracks_.back()->Read(stream); result != QL_OK) return result;
  }
  return QL_OK;
}

QLResultEnum AnimData::ResolveMeshes() {
  const base::WString folder = file::GetFolderWithoutDrive(GetName());
  for (const std::unique_ptr<AnimTrack>& track : tracks_) {
    if (NamesNoMesh(*track)) continue;
    resource::ResourceHandle<lightwave::MeshLibrary>& library = meshLibraries_[track->meshLibraryName];
    if (!library) {
      library = resource::ResourceManager::Instance()->Get<lightwave::MeshLibrary>(
          folder + base::ToWide(track->meshLibraryName, base::kEncodingBytes) + u".lib");
      if (!library) return QL_FAIL;
    }
    if (!library->IsLoaded()) {
      library->SetRender(render_);
      if (const QLResultEnum result = library->Load(); result != QL_OK) return result;
    }
    track->mesh = library->FindMesh(track->meshName);
    if (!track->mesh) {
      QL_LOG(u"Animation '%s': mesh '%s' is not in its library\n")
          .AddArg(GetName())
          .AddArg(base::ToWide(track->meshName, base::kEncodingBytes));
      return QL_FAIL;
    }
  }
  return QL_OK;
}

}  // namespace animation
