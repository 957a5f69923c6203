// libFuzzer entry for particle files: the input is opened as a particle file
// whose folders are walked as the particle system walks them; every emitter
// is started, played for a while and drawn.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "Platform/Particles/ParticleFile.h"
#include "tests/Support/FuzzCheck.h"

namespace {

using fuzz_support::Check;

constexpr int kUpdates = 8;
constexpr double kUpdateMilliseconds = 100.0;
constexpr std::uint32_t kQuadsPerList = 500;

void Draw(particles::Emitter& emitter) {
  std::size_t drawn = 0;
  particles::RenderedList list;
  for (emitter.FirstRenderedList(list, kQuadsPerList); list.count != 0; emitter.NextRenderedList(list)) {
    Check(list.count <= kQuadsPerList, "a list holds at most the quads asked for");
    particles::ParticleQuad quad;
    for (std::uint32_t i = 0; i < list.count; ++i) Check(emitter.NextParticleQuad(quad), "a list has its quads");
    Check(!emitter.NextParticleQuad(quad), "a list has no more quads than its count");
    drawn += list.count;
  }
  Check(drawn == emitter.GetParticleCount(), "every live particle is drawn once");
}

void Play(particles::Emitter& emitter) {
  emitter.Start();
  for (int update = 0; update < kUpdates && emitter.Update(kUpdateMilliseconds); ++update) Draw(emitter);
}

void PlayFolder(particles::File& file, const std::string& folder) {
  if (!file.SetCurrentFolder(folder)) return;
  particles::FindRecord record;
  for (const char* found = file.FindFirst(record); found; found = file.FindNext(record)) {
    const std::string name = found;
    if (!record.isEmitter) {
      PlayFolder(file, name);
      continue;
    }
    if (std::unique_ptr<particles::Emitter> emitter = file.LoadEmitter(name)) Play(*emitter);
  }
  file.SetCurrentFolder("..");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string error;
  const std::unique_ptr<particles::File> file =
      particles::File::Open(reinterpret_cast<const char*>(data), size, error);
  if (!file) {
    Check(!error.empty(), "a refused file says why");
    return 0;
  }
  for (std::size_t i = 0; i < file->GetStaticAtlasCount(); ++i) Check(file->GetStaticAtlas(i) != nullptr, "every atlas below the count is there");
  PlayFolder(*file, "");
  return 0;
}
