#pragma once

#include <vector>

#include "Core/Base/Stream.h"

namespace base {

// A growable block of bytes; writing beyond the end grows it to exactly the
// end of that write.
class MemoryStream : public Stream {
 public:
  MemoryStream() = default;
  MemoryStream(const void* data, std::uint32_t size);

  bool IsEnd() override;
  std::uint32_t GetSize() override;
  std::uint32_t Read(void* buffer, std::uint32_t count) override;
  std::uint32_t Write(const void* buffer, std::uint32_t count) override;
  std::uint32_t Seek(std::int32_t offset, std::int32_t origin) override;

  // Without keep the contents are unspecified afterwards.
  virtual void Reserve(std::uint32_t size, bool keep);

  const unsigned char* GetData() const { return buffer_.data(); }
  std::uint32_t GetPosition() const { return position_; }

 private:
  std::vector<unsigned char> buffer_;
  std::uint32_t position_ = 0;
};

}  // namespace base
