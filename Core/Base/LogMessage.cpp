#include "Core/Base/LogMessage.h"

#include <algorithm>

#include "Core/Base/Log.h"

namespace base {

namespace {

constexpr std::size_t kSourceFileLength = 256;
constexpr std::size_t kBuildTimeLength = 256;
constexpr std::size_t kFunctionLength = 2048;

std::string Capped(const char* text, std::size_t length) {
  if (!text) return {};
  return std::string(text, std::find(text, text + length, '\0'));
}

}  // namespace

LogEntry::LogEntry(const WString& text, LogOutput& target, bool isHtml, const char* source, const char* built,
                   const char* signature, int sourceLine)
    : format(text),
      output(target),
      html(isHtml),
      sourceFile(Capped(source, kSourceFileLength)),
      buildTime(Capped(built, kBuildTimeLength)),
      function(Capped(signature, kFunctionLength)),
      line(sourceLine) {}

LogMessage::LogMessage(Log& log, const WString& format, const char* sourceFile, const char* buildTime,
                       const char* function, int line) {
  for (const auto& output : log.HtmlOutputs())
    entries_.push_back(std::make_unique<LogEntry>(format, *output, true, sourceFile, buildTime, function, line));
  for (const auto& output : log.PlainOutputs())
    entries_.push_back(std::make_unique<LogEntry>(format, *output, false, sourceFile, buildTime, function, line));
}

LogMessage::~LogMessage() {
  for (const auto& entry : entries_) {
    entry->format.Finish();
    const WString& text = entry->format.Text();
    entry->output.Write(entry->prefix + (entry->html ? EscapeHtml(text) : text) + entry->suffix);
  }
}

LogMessage& LogMessage::AddDiv(const LogDiv& style) {
  for (const auto& entry : entries_) {
    if (!entry->html) continue;
    entry->prefix = style.prefix;
    entry->suffix = style.suffix + entry->suffix;
  }
  return *this;
}

template <class Feed>
LogMessage& LogMessage::ForEachEntry(Feed feed) {
  for (const auto& entry : entries_) feed(entry->format);
  return *this;
}

LogMessage& LogMessage::AddArg(int value) {
  return ForEachEntry([value](WideFormat& format) { format.AddInt(value); });
}

LogMessage& LogMessage::AddArg(unsigned value) {
  return ForEachEntry([value](WideFormat& format) { format.AddUInt(value); });
}

LogMessage& LogMessage::AddArg(float value) {
  return ForEachEntry([value](WideFormat& format) { format.AddFloat(value); });
}

LogMessage& LogMessage::AddArg(const WString& value) {
  return ForEachEntry([&value](WideFormat& format) { format.AddString(value); });
}

WString EscapeHtml(const WString& text) {
  WString escaped;
  escaped.reserve(text.size());
  for (const char16_t c : text) {
    switch (c) {
      case u'&': escaped += u"&amp;"; break;
      case u'<': escaped += u"&lt;"; break;
      case u'>': escaped += u"&gt;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

}  // namespace base
