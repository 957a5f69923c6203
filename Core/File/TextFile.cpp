#include "Core/File/TextFile.h"

#include <cstring>
#include <memory>

#include "Core/Base/Stream.h"
#include "Core/File/FileManager.h"

namespace {

std::unique_ptr<base::Stream> OpenForReading(const base::WString& path) {
  std::unique_ptr<file::FileInfo> info(file::FileManager::Instance()->Open(path, nullptr, 0, nullptr));
  return std::unique_ptr<base::Stream>(info ? info->OpenStream() : nullptr);
}

bool ReadExactly(base::Stream& stream, char* buffer, std::uint32_t count) {
  return stream.Read(buffer, count) == count;
}

// Text stops at the first zero byte, as a C string would.
std::string UpToFirstZero(const std::string& bytes) { return bytes.substr(0, std::strlen(bytes.c_str())); }

}  // namespace

namespace file {

std::string ReadTextFile(const base::WString& path, bool* bomFound) {
  if (bomFound) *bomFound = false;
  const auto stream = OpenForReading(path);
  if (!stream) return {};

  const std::uint32_t size = stream->GetSize();
  std::string bytes(size, '\0');
  if (size < 3) return ReadExactly(*stream, bytes.data(), size) ? UpToFirstZero(bytes) : std::string();

  if (!ReadExactly(*stream, bytes.data(), 3)) return {};
  const bool bom = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
  if (bom) {
    if (bomFound) *bomFound = true;
    bytes.erase(0, 3);
  }
  char* rest = bytes.data() + (bom ? 0 : 3);
  if (!ReadExactly(*stream, rest, size - 3)) return {};
  return UpToFirstZero(bytes);
}

}  // namespace file

std::string ReadFileToString(const base::WString& path) {
  const auto stream = OpenForReading(path);
  if (!stream) return {};
  std::string bytes(stream->GetSize(), '\0');
  if (!ReadExactly(*stream, bytes.data(), static_cast<std::uint32_t>(bytes.size()))) return {};
  return UpToFirstZero(bytes);
}
