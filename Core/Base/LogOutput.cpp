#include "Core/Base/LogOutput.h"

#include "Core/Base/TextConversion.h"
#include "Platform/DebugOutput.h"

namespace base {

void LogDebugOutput::Write(const WString& text) { platform::WriteDebugText(ToNarrow(text, kEncodingUtf8)); }

LogUtf8File::LogUtf8File(const WString& path) { file_.Open(path, file::kWriteAccess, file::kCreateAlways); }

// The stream writes straight to the file, so nothing waits in a buffer when
// the program stops.
void LogUtf8File::Write(const WString& text) {
  const std::string bytes = ToNarrow(text, kEncodingUtf8);
  file_.Write(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

}  // namespace base
