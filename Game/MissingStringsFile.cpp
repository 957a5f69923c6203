#include "Game/MissingStringsFile.h"

#include <string>

#include "Core/Base/FileStream.h"
#include "Core/Base/LogMessage.h"
#include "Core/Base/Utf.h"

namespace {

constexpr std::int32_t kFromEnd = 2;

// The key as one field of one line.
std::string Escaped(const std::string& key) {
  std::string escaped;
  for (const char c : key) {
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case '\n': escaped += "\\n"; break;
      case '\r': escaped += "\\r"; break;
      case ';': escaped += "\\;"; break;
      default: escaped += c; break;
    }
  }
  return escaped;
}

// Existing content is kept: the file gathers the keys of every run.
bool OpenForAppending(const base::WString& path, base::FileStream& stream) {
  if (stream.Open(path, file::kWriteAccess, file::kOpenExisting) == QL_OK)
    return stream.Seek(0, kFromEnd) == stream.GetSize();
  return stream.Open(path, file::kWriteAccess, file::kCreateNew) == QL_OK;
}

}  // namespace

void MissingStringsFile::record(const base::WString& key) {
  if (path_.empty()) return;
  const std::string line = Escaped(base::Utf8FromWideLenient(key)) + ";???\n";
  base::FileStream stream;
  bool written = false;
  if (OpenForAppending(path_, stream)) {
    written = stream.Write(line.data(), static_cast<std::uint32_t>(line.size())) == line.size();
    written = stream.Close() == QL_OK && written;
  }
  if (written || failureLogged_) return;
  failureLogged_ = true;
  QL_LOG(u"Missing string keys cannot be written to '%s'; they are only shown\n").AddArg(path_);
}
