#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Core/Base/Format.h"
#include "Core/Base/Log.h"
#include "Core/Base/WString.h"

namespace base {

// The HTML wrapping of a statement: a div of a class.
struct LogDiv {
  explicit LogDiv(const WString& className = {}) : prefix(u"<div class=\"" + className + u"\">"), suffix(u"</div>") {}
  WString prefix;
  WString suffix;
};

struct LogBlock : LogDiv {
  LogBlock() : LogDiv(u"block") {}
};

// What one output gets of a statement.
struct LogEntry {
  LogEntry(const WString& format, LogOutput& output, bool html, const char* sourceFile, const char* buildTime,
           const char* function, int line);

  WideFormat format;
  LogOutput& output;
  bool html;
  WString prefix;
  WString suffix;
  // Where the statement comes from; kept with it, written by no output.
  std::string sourceFile;
  std::string buildTime;
  std::string function;
  int line;
};

// One statement: built with its format, styled, fed its arguments, and
// written to every output of the log when it goes out of scope.
class LogMessage {
 public:
  LogMessage(Log& log, const WString& format, const char* sourceFile, const char* buildTime, const char* function,
             int line);
  ~LogMessage();
  LogMessage(const LogMessage&) = delete;
  LogMessage& operator=(const LogMessage&) = delete;

  LogMessage& AddDiv(const LogDiv& style);
  LogMessage& AddBlock(const LogBlock& style) { return AddDiv(style); }

  LogMessage& AddArg(int value);
  LogMessage& AddArg(unsigned value);
  LogMessage& AddArg(float value);
  LogMessage& AddArg(const WString& value);

 private:
  template <class Feed>
  LogMessage& ForEachEntry(Feed feed);

  std::vector<std::unique_ptr<LogEntry>> entries_;
};

// The text as it appears inside an HTML page.
WString EscapeHtml(const WString& text);

}  // namespace base

#define QL_LOG_MESSAGE(format) \
  ::base::LogMessage(*::base::MainLog::Instance(), format, __FILE__, __DATE__ " " __TIME__, __PRETTY_FUNCTION__, __LINE__)

// A statement in the ordinary style, and one in a framed block (resource
// warnings, shader compiler messages). Arguments follow with AddArg.
#define QL_LOG(format) QL_LOG_MESSAGE(format).AddDiv(::base::LogDiv())
#define QL_LOG_BLOCK(format) QL_LOG_MESSAGE(format).AddBlock(::base::LogBlock())
