#include "Platform/Audio/AudioFileRWops.h"

#include <SDL.h>

#include <cstdint>
#include <limits>

namespace platform::audio {
namespace {

struct FileContext {
  AudioFileProcs procs;
  void* user;
  std::int64_t position = 0;
};

FileContext& Context(SDL_RWops* rw) { return *static_cast<FileContext*>(rw->hidden.unknown.data1); }

std::int64_t Length(FileContext& file) {
  const std::uint64_t length = file.procs.length(file.user);
  return length > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())
             ? std::numeric_limits<std::int64_t>::max()
             : static_cast<std::int64_t>(length);
}

Sint64 SDLCALL Size(SDL_RWops* rw) { return Length(Context(rw)); }

Sint64 SDLCALL Seek(SDL_RWops* rw, Sint64 offset, int whence) {
  FileContext& file = Context(rw);
  const std::int64_t length = Length(file);
  std::int64_t base = 0;
  if (whence == RW_SEEK_CUR) base = file.position;
  if (whence == RW_SEEK_END) base = length;
  // Kept inside the file: a decoder's wild offset must not wrap around.
  if ((offset > 0 && offset > length - base) || (offset < 0 && -offset > base)) return SDL_SetError("seek out of file");
  const std::int64_t target = base + offset;
  if (!file.procs.seek(static_cast<std::uint64_t>(target), file.user)) return SDL_SetError("seek failed");
  file.position = target;
  return target;
}

size_t SDLCALL Read(SDL_RWops* rw, void* buffer, size_t size, size_t count) {
  FileContext& file = Context(rw);
  if (size == 0 || count == 0) return 0;
  const size_t wanted = count > std::numeric_limits<std::uint32_t>::max() / size
                            ? std::numeric_limits<std::uint32_t>::max() / size
                            : count;
  const std::uint32_t bytes = file.procs.read(buffer, static_cast<std::uint32_t>(wanted * size), file.user);
  file.position += bytes;
  return bytes / size;
}

size_t SDLCALL Write(SDL_RWops*, const void*, size_t, size_t) {
  SDL_SetError("music files are read only");
  return 0;
}

int SDLCALL Close(SDL_RWops* rw) {
  FileContext* file = &Context(rw);
  file->procs.close(file->user);
  delete file;
  SDL_FreeRW(rw);
  return 0;
}

}  // namespace

SDL_RWops* OpenFileRWops(const AudioFileProcs& procs, void* user) {
  SDL_RWops* rw = SDL_AllocRW();
  if (!rw) {
    procs.close(user);
    return nullptr;
  }
  rw->type = SDL_RWOPS_UNKNOWN;
  rw->size = &Size;
  rw->seek = &Seek;
  rw->read = &Read;
  rw->write = &Write;
  rw->close = &Close;
  rw->hidden.unknown.data1 = new FileContext{procs, user};
  return rw;
}

}  // namespace platform::audio
