#include "Core/Base/StreamCreator.h"

#include <memory>

#include "Core/Base/BufferedReadStream.h"
#include "Core/Base/FileStream.h"
#include "Core/Base/FrameStream.h"

namespace base {

FileStreamCreator::FileStreamCreator(WString path, int access, int creation)
    : path_(std::move(path)), access_(access), creation_(creation) {}

QLResultEnum FileStreamCreator::Create(Stream*& out) {
  auto stream = std::make_unique<FileStream>();
  if (stream->Open(path_, access_, creation_) != QL_OK) return QL_FAIL;
  out = stream.release();
  return QL_OK;
}

BufferedStreamCreator::BufferedStreamCreator(StreamCreator* source, bool ownsSource, std::uint32_t bufferBytes)
    : source_(source), ownsSource_(ownsSource), bufferBytes_(bufferBytes) {}

BufferedStreamCreator::~BufferedStreamCreator() {
  if (ownsSource_) delete source_;
}

QLResultEnum BufferedStreamCreator::Create(Stream*& out) {
  if (!source_) return QL_FAIL;
  Stream* source = nullptr;
  if (const QLResultEnum result = source_->Create(source)) return result;
  out = new BufferedReadStream(source, true, bufferBytes_);
  return QL_OK;
}

FrameStreamCreator::FrameStreamCreator(StreamCreator* source, bool ownsSource, std::uint32_t offset, std::uint32_t size)
    : source_(source), ownsSource_(ownsSource), offset_(offset), size_(size) {}

FrameStreamCreator::~FrameStreamCreator() {
  if (ownsSource_) delete source_;
}

QLResultEnum FrameStreamCreator::Create(Stream*& out) {
  if (!source_) return QL_FAIL;
  Stream* source = nullptr;
  if (const QLResultEnum result = source_->Create(source)) return result;
  out = new FrameStream(source, true, offset_, size_);
  return QL_OK;
}

}  // namespace base
