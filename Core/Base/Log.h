#pragma once

#include <memory>
#include <vector>

#include "Core/Base/LogOutput.h"
#include "Core/Base/Singletone.h"

namespace base {

// The outputs of a log. HTML outputs get the page around the statements and
// each statement's style; plain outputs get the bare text.
class Log {
 public:
  virtual ~Log() = default;

  // Ownership passes to the log.
  void AddHtmlOutput(LogOutput* output);
  void AddOutput(LogOutput* output);

  const std::vector<std::unique_ptr<LogOutput>>& HtmlOutputs() const { return html_; }
  const std::vector<std::unique_ptr<LogOutput>>& PlainOutputs() const { return plain_; }

 protected:
  // Closes the page of every HTML output and says goodbye on the others.
  void Close();

 private:
  std::vector<std::unique_ptr<LogOutput>> html_;
  std::vector<std::unique_ptr<LogOutput>> plain_;
};

class MainLog : public Singletone<MainLog>, public Log {
 public:
  ~MainLog() override;
};

}  // namespace base
