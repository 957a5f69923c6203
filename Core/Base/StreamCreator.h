#pragma once

#include <cstdint>

#include "Core/Base/Result.h"
#include "Core/Base/WString.h"

namespace base {

class Stream;

// The recipe for a stream, opened later and possibly more than once. The
// caller owns each stream it gets.
class StreamCreator {
 public:
  virtual ~StreamCreator() = default;
  virtual QLResultEnum Create(Stream*& out) = 0;
};

class FileStreamCreator : public StreamCreator {
 public:
  FileStreamCreator(WString path, int access, int creation);
  QLResultEnum Create(Stream*& out) override;

 private:
  WString path_;
  int access_;
  int creation_;
};

// Streams of the source read through a buffer of that many bytes.
class BufferedStreamCreator : public StreamCreator {
 public:
  BufferedStreamCreator(StreamCreator* source, bool ownsSource, std::uint32_t bufferBytes);
  ~BufferedStreamCreator() override;

  BufferedStreamCreator(const BufferedStreamCreator&) = delete;
  BufferedStreamCreator& operator=(const BufferedStreamCreator&) = delete;

  QLResultEnum Create(Stream*& out) override;

 private:
  StreamCreator* source_;
  bool ownsSource_;
  std::uint32_t bufferBytes_;
};

class FrameStreamCreator : public StreamCreator {
 public:
  FrameStreamCreator(StreamCreator* source, bool ownsSource, std::uint32_t offset, std::uint32_t size);
  ~FrameStreamCreator() override;

  FrameStreamCreator(const FrameStreamCreator&) = delete;
  FrameStreamCreator& operator=(const FrameStreamCreator&) = delete;

  QLResultEnum Create(Stream*& out) override;

 private:
  StreamCreator* source_;
  bool ownsSource_;
  std::uint32_t offset_;
  std::uint32_t size_;
};

}  // namespace base
