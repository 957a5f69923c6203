#include "Core/Base/LogMessage.h"

#include <gtest/gtest.h>

#include "tests/Support/TempFolder.h"
#include "tests/Support/RecordingLogOutput.h"

namespace {

// Keeps what an output was given, one string per write.
const std::string kHeader =
    "<html><head><meta http-equiv=Content-Type content=\"text/html; charset=utf-8\">"
    "<meta http-equiv=Content-Language content=ru><style>\n"
    "body {font-family:verdana;}\n"
    "hr { size:1px;color:000000 }\n"
    "div.error { border-width:0 0 0 0px;border-style:solid;border-color:FF0000;color:AA0000;background:#CCCCCC;"
    "font-weight:bold;padding-bottom:0px; }\n"
    "span.info { color:000000; }\n"
    "div.block { border-width:1px;border-style:solid;border-color:000000;padding:3px;margin-bottom:5px; }\n"
    "div.blockhead { border-width:0px;padding:3px; font-weight:bold ;color:000000;background:#DDDDDD;}\n"
    "</style></head>\n"
    "<body>\n";

base::LogMessage Statement(base::Log& log, const base::WString& format) {
  return base::LogMessage(log, format, __FILE__, nullptr, nullptr, __LINE__);
}

TEST(LogTest, TheFileIsAPageOfStyledStatements) {
  testing_support::TempFolder folder;
  std::vector<std::u16string> debugger;
  {
    base::MainLog log;
    log.AddHtmlOutput(new base::LogUtf8File(folder.Wide("log.html")));
    log.AddOutput(new testing_support::RecordingLogOutput(debugger));
    Statement(log, u"RenderDX9::LostDevice()\n").AddDiv(base::LogDiv());
    Statement(log, u"Trying to Load already loaded resource '%s'.\n").AddBlock(base::LogBlock()).AddArg(u"a.png");
    Statement(log, u"Max texture Width: %d, scale %.2f\n").AddDiv(base::LogDiv()).AddArg(2048).AddArg(1.5f);
    Statement(log, u"<b> & caf\u00E9\n").AddDiv(base::LogDiv(u"error"));
  }
  EXPECT_EQ(folder.ReadFile("log.html"),
            kHeader +
                "<div class=\"\">RenderDX9::LostDevice()\n</div>"
                "<div class=\"block\">Trying to Load already loaded resource 'a.png'.\n</div>"
                "<div class=\"\">Max texture Width: 2048, scale 1.50\n</div>"
                "<div class=\"error\">&lt;b&gt; &amp; caf\xC3\xA9\n</div>"
                "</body></html>");
  EXPECT_EQ(debugger, (std::vector<std::u16string>{u"log initialized\n", u"RenderDX9::LostDevice()\n",
                                                    u"Trying to Load already loaded resource 'a.png'.\n",
                                                    u"Max texture Width: 2048, scale 1.50\n", u"<b> & caf\u00E9\n",
                                                    u"log terminated\n"}));
}

TEST(LogTest, MissingArgumentsLeaveTheRestOfTheFormat) {
  std::vector<std::u16string> writes;
  base::Log log;
  log.AddOutput(new testing_support::RecordingLogOutput(writes));
  Statement(log, u"LOADED ENEMY WAVE=(timeout=%d, spawner=%d)").AddDiv(base::LogDiv()).AddArg(5);
  EXPECT_EQ(writes.back(), u"LOADED ENEMY WAVE=(timeout=5, spawner=)");
}

TEST(LogTest, AnOutputAddedLaterMissesEarlierStatements) {
  std::vector<std::u16string> first;
  std::vector<std::u16string> second;
  base::Log log;
  log.AddOutput(new testing_support::RecordingLogOutput(first));
  {
    auto pending = Statement(log, u"early\n");
    log.AddOutput(new testing_support::RecordingLogOutput(second));
  }
  EXPECT_EQ(first.back(), u"early\n");
  EXPECT_EQ(second, std::vector<std::u16string>{u"log initialized\n"});
}

TEST(LogTest, EachStartTruncatesTheFile) {
  testing_support::TempFolder folder;
  for (const char16_t* run : {u"first run\n", u"second\n"}) {
    base::MainLog log;
    log.AddHtmlOutput(new base::LogUtf8File(folder.Wide("log.html")));
    Statement(log, run);
  }
  EXPECT_EQ(folder.ReadFile("log.html"), kHeader + "second\n</body></html>");
}

TEST(LogTest, TheDebuggerGetsTheBareText) {
  ::testing::internal::CaptureStderr();
  {
    base::MainLog log;
    log.AddOutput(new base::LogDebugOutput);
    Statement(log, u"%s(0): Html log file\n").AddDiv(base::LogDiv()).AddArg(u"/home/u/log.html");
  }
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "log initialized\n/home/u/log.html(0): Html log file\nlog terminated\n");
}

}  // namespace
