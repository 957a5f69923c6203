#include "Core/Base/Log.h"

namespace base {

namespace {

// The page declares the encoding it is really written in, so a browser shows
// every character as it was logged.
constexpr const char16_t* kPageHeader =
    u"<html><head><meta http-equiv=Content-Type content=\"text/html; charset=utf-8\">"
    u"<meta http-equiv=Content-Language content=ru><style>\n"
    u"body {font-family:verdana;}\n"
    u"hr { size:1px;color:000000 }\n"
    u"div.error { border-width:0 0 0 0px;border-style:solid;border-color:FF0000;color:AA0000;background:#CCCCCC;"
    u"font-weight:bold;padding-bottom:0px; }\n"
    u"span.info { color:000000; }\n"
    u"div.block { border-width:1px;border-style:solid;border-color:000000;padding:3px;margin-bottom:5px; }\n"
    u"div.blockhead { border-width:0px;padding:3px; font-weight:bold ;color:000000;background:#DDDDDD;}\n"
    u"</style></head>\n"
    u"<body>\n";

}  // namespace

void Log::AddHtmlOutput(LogOutput* output) {
  output->Write(kPageHeader);
  html_.emplace_back(output);
}

void Log::AddOutput(LogOutput* output) {
  output->Write(u"log initialized\n");
  plain_.emplace_back(output);
}

void Log::Close() {
  for (auto& output : html_) {
    output->Write(u"</body></html>");
    output.reset();
  }
  for (auto& output : plain_) {
    output->Write(u"log terminated\n");
    output.reset();
  }
  html_.clear();
  plain_.clear();
}

MainLog::~MainLog() { Close(); }

}  // namespace base
