#include "Core/App/Application.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <functional>
#include <optional>
#include <string>

#include "Core/App/Win32/WinMain.h"
#include "Platform/UserFolders.h"
#include "tests/Support/TempFolder.h"

namespace {

// What the next application made by CreateApplication does in Init.
std::function<void(app::Application&)> initApplication;
bool applicationDestroyed = false;

class TestApplication : public app::Application {
 public:
  ~TestApplication() override { applicationDestroyed = true; }
  QLResultEnum Init() override {
    if (initApplication) initApplication(*this);
    return QL_OK;
  }
};

// Stands in for the window: finishes itself after a number of passes. The test
// owns it, as the application owns its window.
class CountdownTask : public base::Task {
 public:
  explicit CountdownTask(int passes) : base::Task(false, false, true, true), passes_(passes) {}
  int Updates() const { return updates_; }
  QLResultEnum OnUpdate(float) override {
    if (++updates_ == passes_) Finish();
    return QL_OK;
  }

 private:
  int passes_;
  int updates_ = 0;
};

int RunProcess() {
  applicationDestroyed = false;
  const char* argv[] = {"lanternfall2"};
  return app::WinMain(1, argv);
}

class ApplicationTest : public ::testing::Test {
 protected:
  void TearDown() override { initApplication = nullptr; }
};

TEST_F(ApplicationTest, TheLoopRunsUntilTheWindowTaskIsGone) {
  CountdownTask window(3);
  initApplication = [&](app::Application& application) { application.AddChild(&window); };
  EXPECT_EQ(RunProcess(), 0);
  EXPECT_EQ(window.Updates(), 3);
  EXPECT_TRUE(applicationDestroyed);
  EXPECT_EQ(app::Application::Existing(), nullptr);
}

TEST_F(ApplicationTest, AStartThatFinishesTheApplicationNeverLoops) {
  CountdownTask window(3);
  initApplication = [&](app::Application& application) {
    application.AddChild(&window);
    application.Finish();
  };
  EXPECT_EQ(RunProcess(), 0);
  EXPECT_EQ(window.Updates(), 0);
  EXPECT_TRUE(applicationDestroyed);
}

TEST_F(ApplicationTest, AStartWithoutAWindowEndsAfterOnePass) {
  EXPECT_EQ(RunProcess(), 0);
  EXPECT_TRUE(applicationDestroyed);
}

TEST_F(ApplicationTest, TheLogFileOpensInTheGivenFolderAndClosesAtExit) {
  testing_support::TempFolder folder;
  initApplication = [&](app::Application& application) { application.InitLogFile(folder.Wide()); };
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(RunProcess(), 0);
  const std::string debugger = ::testing::internal::GetCapturedStderr();

  const std::string page = folder.ReadFile("log.html");
  EXPECT_TRUE(page.starts_with("<html><head>")) << page;
  EXPECT_TRUE(page.ends_with("<body>\n</body></html>")) << page;
  EXPECT_EQ(debugger, "log initialized\n" + folder.Path().string() + "/log.html(0): Html log file\nlog terminated\n");
}

// A thread in the application's list keeps the loop going until it is
// finished (the application's own finish finishes it) and then is collected.
class ListedThread : public app::Thread {
 public:
  explicit ListedThread(bool& deleted) : app::Thread(true, false, true, true), deleted_(deleted) {}
  ~ListedThread() override { deleted_ = true; }

 private:
  bool& deleted_;
};

TEST_F(ApplicationTest, AListedThreadIsFinishedAndCollected) {
  bool threadDeleted = false;
  initApplication = [&](app::Application& application) { application.AddThread(new ListedThread(threadDeleted)); };
  EXPECT_EQ(RunProcess(), 0);
  EXPECT_TRUE(threadDeleted);
}

TEST(CommandLineTest, ArgumentsLeaveOutTheProgram) {
  const char* onlyProgram[] = {"game"};
  EXPECT_TRUE(app::ArgumentsFromCommandLine(1, onlyProgram).empty());
  EXPECT_TRUE(app::ArgumentsFromCommandLine(0, nullptr).empty());

  const char* pack[] = {"game", "--pack", "kp"};
  EXPECT_EQ(app::ArgumentsFromCommandLine(3, pack), (std::vector<base::WString>{u"--pack", u"kp"}));

  const char* foreign[] = {"game", "--data_path", "/d\xC3\xA9j\xE0"};  // é, then a broken byte
  EXPECT_EQ(app::ArgumentsFromCommandLine(3, foreign)[1], u"/d\u00E9j\uFFFD");
}

// Sets or clears environment variables for one test.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnvironment() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

struct FolderCase {
  const char* name;
  const char* xdgDataHome;
  const char* home;
  std::optional<std::u16string> expected;  // nullopt: the account's home folder
};

void PrintTo(const FolderCase& row, std::ostream* out) { *out << row.name; }

class UserDataFolderTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(UserDataFolderTest, PlatformInitFindsTheUserDataFolder) {
  ScopedEnvironment xdg("XDG_DATA_HOME", GetParam().xdgDataHome);
  ScopedEnvironment home("HOME", GetParam().home);
  TestApplication application;
  ASSERT_EQ(application.PlatformInit(), QL_OK);

  const std::string accountHome = platform::DocumentsFolder().value_or("?");
  const std::u16string expected = GetParam().expected.value_or(std::u16string(accountHome.begin(), accountHome.end()) + u"/");
  EXPECT_EQ(application.GetUserDataFolder(), expected);
  EXPECT_FALSE(application.GetExecutableFolder().empty());
  EXPECT_EQ(application.GetExecutableFolder().back(), u'/');
}

INSTANTIATE_TEST_SUITE_P(Environment, UserDataFolderTest,
                         ::testing::Values(FolderCase{"XdgDataHome", "/srv/data//", "/home/u", u"/srv/data/"},
                                           FolderCase{"RelativeXdgIgnored", "relative/data", "/home/u", u"/home/u/.local/share/"},
                                           FolderCase{"Home", nullptr, "/home/u", u"/home/u/.local/share/"},
                                           FolderCase{"AccountHome", nullptr, nullptr, std::nullopt}),
                         [](const ::testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.name); });

}  // namespace

app::Application* app::CreateApplication() { return new TestApplication; }
