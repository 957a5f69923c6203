#include "Core/Sound/MusicFile.h"

#include "Core/Base/Stream.h"

namespace {

base::Stream& AsStream(void* user) { return *static_cast<base::Stream*>(user); }

void Close(void*) {}

std::uint64_t Length(void* user) { return AsStream(user).GetSize(); }

std::uint32_t Read(void* buffer, std::uint32_t length, void* user) { return AsStream(user).Read(buffer, length); }

// Streams seek with 32-bit offsets from the start; a file is never longer
// than its 32-bit size.
bool Seek(std::uint64_t offset, void* user) {
  base::Stream& stream = AsStream(user);
  if (offset > stream.GetSize() || offset > 0x7FFFFFFFu) return false;
  const auto position = static_cast<std::int32_t>(offset);
  return stream.Seek(position, base::kSeekBegin) == static_cast<std::uint32_t>(position);
}

}  // namespace

platform::AudioFileProcs MusicFileProcs() { return {&Close, &Length, &Read, &Seek}; }
