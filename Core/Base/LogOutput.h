#pragma once

#include "Core/Base/FileStream.h"
#include "Core/Base/WString.h"

namespace base {

class LogOutput {
 public:
  virtual ~LogOutput() = default;
  // Writes the text as it is; no line end is added.
  virtual void Write(const WString& text) = 0;
};

class LogDebugOutput : public LogOutput {
 public:
  void Write(const WString& text) override;
};

// A UTF-8 file, truncated when opened and complete after every write. A file
// that cannot be opened swallows what is written to it.
class LogUtf8File : public LogOutput {
 public:
  explicit LogUtf8File(const WString& path);
  void Write(const WString& text) override;

 private:
  FileStream file_;
};

}  // namespace base
