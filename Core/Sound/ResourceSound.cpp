#include "Core/Sound/ResourceSound.h"

#include <array>
#include <memory>
#include <vector>

#include "Core/Base/LogMessage.h"
#include "Core/Base/ReadWholeStream.h"
#include "Core/Base/Stream.h"
#include "Core/File/FileManager.h"
#include "Core/Resource/ResourceManager.h"
#include "Platform/Audio/AudioDevice.h"
#include "Platform/Audio/AudioSample.h"

namespace resource {
namespace {

// A name is tried as written, then with each extension.
const std::array<base::WString, 3> kExtensions{u"", u".ogg", u".wav"};
// The game's longest effect is a few seconds; anything far beyond is not a
// sound effect and must not be read whole into memory.
constexpr std::uint32_t kLargestSampleFile = 32u << 20;
// Playbacks of one sample at the same time.
constexpr int kMaxChannels = 65535;

}  // namespace

ResourceSound::~ResourceSound() = default;

QLResultEnum ResourceSound::Release() { return ResourceManager::Instance()->Release(this); }

QLResultEnum ResourceSound::DoLoad() {
  const std::unique_ptr<file::FileInfo> entry(file::FileManager::Instance()->Open(
      GetName(), kExtensions.data(), static_cast<int>(kExtensions.size()), nullptr));
  if (!entry) {
    QL_LOG(u"Sound '%s' not found\n").AddArg(GetName());
    return QL_FAIL;
  }
  // Without a device there is nothing to decode for; that was said once when
  // the sound system started.
  if (!platform::AudioIsOpen()) return QL_FAIL;
  const std::unique_ptr<base::Stream> stream(entry->OpenStream());
  if (!stream) {
    QL_LOG(u"Sound '%s' cannot be read\n").AddArg(GetName());
    return QL_FAIL;
  }
  std::vector<std::uint8_t> bytes;
  if (!base::ReadWholeStream(*stream, kLargestSampleFile, u"Sound '" + GetName() + u"'", bytes)) return QL_FAIL;
  sample_ = platform::AudioSampleLoad(bytes.data(), bytes.size(), kMaxChannels);
  if (!sample_) {
    QL_LOG(u"Sound '%s' is not a WAV or Ogg Vorbis sound\n").AddArg(GetName());
    return QL_FAIL;
  }
  return QL_OK;
}

QLResultEnum ResourceSound::DoUnload() {
  platform::AudioSampleFree(sample_);
  sample_ = 0;
  return QL_OK;
}

}  // namespace resource
