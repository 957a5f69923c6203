#pragma once

#include "Core/Base/Stream.h"
#include "Core/Base/Win32/FileHandleWin32.h"

namespace base {

// A file on disk. It never reports its end: callers compare counts.
class FileStream : public Stream {
 public:
  QLResultEnum Open(const WString& path, int access, int creation) { return handle_.Open(path, access, creation); }

  QLResultEnum Close() { return handle_.Close(); }
  QLResultEnum Flush() { return handle_.Flush(); }

  std::uint32_t GetSize() override;
  std::uint32_t Read(void* buffer, std::uint32_t count) override;
  std::uint32_t Write(const void* buffer, std::uint32_t count) override;
  std::uint32_t Seek(std::int32_t offset, std::int32_t origin) override;

 private:
  file::FileHandleWin32 handle_;
};

}  // namespace base
