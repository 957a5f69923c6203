#include "Core/Render/ParticleSystem.h"

#include <vector>

#include "Core/Base/LogMessage.h"
#include "Core/Base/ReadWholeStream.h"
#include "Core/Base/Stream.h"
#include "Core/Base/TextConversion.h"
#include "Core/File/FileManager.h"
#include "Core/Render/Image.h"
#include "Core/Render/Render.h"
#include "Platform/Particles/ParticleFile.h"

namespace render {

namespace {

// The whole file, or false with the reason logged.
bool ReadParticleFile(const base::WString& path, std::vector<std::uint8_t>& bytes) {
  const base::WString extensions[] = {u"", u".ptc"};
  int index = 0;
  const std::unique_ptr<file::FileInfo> entry(file::FileManager::Instance()->Open(path, extensions, 2, &index));
  const std::unique_ptr<base::Stream> stream(entry ? entry->OpenStream() : nullptr);
  if (!stream) {
    QL_LOG(u"Particle file '%s' not found\n").AddArg(path);
    return false;
  }
  return base::ReadWholeStream(*stream, ParticleSystem::kMaxFileSize, u"Particle file '" + path + u"'", bytes);
}

}  // namespace

ParticleSystem::ParticleSystem() = default;
ParticleSystem::~ParticleSystem() = default;

QLResultEnum ParticleSystem::LoadFile(const std::string& fileName, Render& render) {
  const base::WString path = base::ToWide(folder_ + fileName, base::kEncodingUtf8);
  std::vector<std::uint8_t> bytes;
  if (!ReadParticleFile(path, bytes)) return QL_FAIL;
  std::string error;
  const std::unique_ptr<particles::File> file =
      particles::File::Open(reinterpret_cast<const char*>(bytes.data()), bytes.size(), error);
  if (!file) {
    QL_LOG(u"Particle file '%s' is refused: %s\n").AddArg(path).AddArg(base::ToWide(error, base::kEncodingUtf8));
    return QL_FAIL;
  }
  // The engine numbers the atlases of each file from 0; this file's come
  // after those of the files before it.
  const std::size_t atlasBase = atlases_.size();
  LoadFolder(*file, "", atlasBase);
  LoadAtlases(*file, render);
  return QL_OK;
}

void ParticleSystem::LoadFolder(particles::File& file, const std::string& folder, std::size_t atlasBase) {
  if (!file.SetCurrentFolder(folder)) return;
  particles::FindRecord record;
  for (const char* found = file.FindFirst(record); found; found = file.FindNext(record)) {
    const std::string name = found;
    if (!record.isEmitter) {
      LoadFolder(file, name, atlasBase);
      continue;
    }
    std::unique_ptr<particles::Emitter> emitter = file.LoadEmitter(name);
    if (!emitter) continue;
    if (interpolationMode_ != 0) emitter->SetInterpolation(interpolationMode_ == 1);
    emitter->SetLoopMode(loopMode_);
    templates_[name].reset(new ParticleEmitter(*this, std::move(emitter), atlasBase));
  }
  file.SetCurrentFolder("..");
}

void ParticleSystem::LoadAtlases(const particles::File& file, Render& render) {
  for (std::size_t i = 0; i < file.GetStaticAtlasCount(); ++i) {
    const base::WString path = base::ToWide(folder_ + file.GetStaticAtlas(i)->image, base::kEncodingBytes);
    std::unique_ptr<Image> image;
    if (render.CreateImage(path, nullptr, &image) != QL_OK) {
      QL_LOG(u"Particle atlas '%s' cannot be loaded\n").AddArg(path);
    }
    atlases_.push_back(std::move(image));
  }
}

std::unique_ptr<ParticleEmitter> ParticleSystem::CreateEmitter(const std::string& name) const {
  const auto found = templates_.find(name);
  if (found == templates_.end()) return nullptr;
  const ParticleEmitter& source = *found->second;
  return std::unique_ptr<ParticleEmitter>(new ParticleEmitter(*this, source.emitter_->Duplicate(), source.atlasBase_));
}

void ParticleSystem::ReleaseAtlases() { atlases_.clear(); }

Image* ParticleSystem::GetAtlas(std::size_t index) const {
  return index < atlases_.size() ? atlases_[index].get() : nullptr;
}

}  // namespace render
