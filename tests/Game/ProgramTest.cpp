#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "Core/Base/SingletonRegistry.h"
#include "Core/File/FileManager.h"
#include "Core/File/TextFile.h"
#include "tests/Support/TempFolder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// The game as a player starts it: its own process, headless, with its
// per-user folder in a temporary folder.
class Program {
 public:
  // The program's error stream goes to errorOutput when one is given.
  Program(const fs::path& executable, const fs::path& userFolder, std::vector<std::string> arguments,
          const fs::path& errorOutput = {}) {
    setenv("XDG_DATA_HOME", userFolder.c_str(), 1);
    // Under the sanitizers the graphics driver, loaded and unloaded by the
    // program, reports what it keeps for its lifetime as leaks; our own code's
    // leaks are checked in-process by the framework tests.
    const char* asan = std::getenv("ASAN_OPTIONS");
    setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":detect_leaks=0").c_str(), 1);
    std::vector<char*> argv;
    std::string program = executable.string();
    argv.push_back(program.data());
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!errorOutput.empty()) {
      posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorOutput.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                       0644);
    }
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }

  bool Started() const { return pid_ > 0; }
  void Stop() { kill(pid_, SIGTERM); }

  // The exit code, or -1 when the program crashed or did not end in time.
  int Wait() {
    for (int tries = 0; tries < 600; ++tries) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    return -1;
  }

 private:
  pid_t pid_ = -1;
};

bool WaitFor(const std::function<bool()>& ready) {
  for (int tries = 0; tries < 600; ++tries) {
    if (ready()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

TEST(ProgramTest, StartedOnADataFolderItRunsFramesAndEndsCleanlyWhenClosed) {
  testing_support::TempFolder data;
  testing_support::TempFolder user;
  data.WriteFile("kp/readme.txt", "data");
  data.WriteFile("play.url", "[InternetShortcut]\nURL=\n");
  const fs::path log = user.Path() / "Orvane/Lanternfall2/log.html";
  Program program(LF_GAME_EXECUTABLE, user.Path(), {"--data_path", data.Path().string()});
  ASSERT_TRUE(program.Started());
  // The renderer reports the device once the window is up.
  ASSERT_TRUE(WaitFor([&] {
    std::string text;
    return fs::exists(log) && (text = user.ReadFile("Orvane/Lanternfall2/log.html")).find("Max texture") !=
                                  std::string::npos;
  }));
  program.Stop();
  EXPECT_EQ(program.Wait(), 0);
  EXPECT_NE(user.ReadFile("Orvane/Lanternfall2/log.html").find("</body></html>"), std::string::npos);
}

// Without a data path the data root is the program's own folder, so the
// program is copied beside a "kp/" folder of its own.
TEST(ProgramTest, PackModeBuildsThePackFromTheDataFolderAndEnds) {
  testing_support::TempFolder root;
  testing_support::TempFolder user;
  root.WriteFile("kp/a.txt", "abc");
  root.WriteFile("play.url", "[InternetShortcut]\nURL=\n");
  root.WriteFile("kp/b/c.txt", std::string(70000, 'x'));
  fs::copy_file(LF_GAME_EXECUTABLE, root.Path() / "lanternfall2");
  Program program(root.Path() / "lanternfall2", user.Path(), {"--pack", "data"});
  ASSERT_TRUE(program.Started());
  ASSERT_EQ(program.Wait(), 0);
  ASSERT_TRUE(fs::exists(root.Path() / "data.dat"));

  fs::remove_all(root.Path() / "kp");
  file::FileManager::Instance()->mounts[root.Wide("kp/")] = root.Wide("data.dat");
  EXPECT_EQ(ReadFileToString(root.Wide("kp/a.txt")), "abc");
  EXPECT_EQ(ReadFileToString(root.Wide("kp/b/c.txt")), std::string(70000, 'x'));
  SingletonRegistry::Shutdown();
}

// Headless, the error box falls back to the error stream.
TEST(ProgramTest, WithoutPlayUrlTheProgramSaysSoAndEndsWithAFailureCode) {
  testing_support::TempFolder data;
  testing_support::TempFolder user;
  data.WriteFile("kp/readme.txt", "data");
  Program program(LF_GAME_EXECUTABLE, user.Path(), {"--data_path", data.Path().string()}, user.Path() / "errors.txt");
  ASSERT_TRUE(program.Started());
  EXPECT_EQ(program.Wait(), 1);
  EXPECT_NE(user.ReadFile("errors.txt").find("Error: File play.url not found!"), std::string::npos);
  EXPECT_NE(user.ReadFile("Orvane/Lanternfall2/log.html").find("File play.url not found!"), std::string::npos);
}

TEST(ProgramTest, AWrongCommandLineEndsWithAFailureCode) {
  testing_support::TempFolder user;
  Program program(LF_GAME_EXECUTABLE, user.Path(), {"--data_path"});
  ASSERT_TRUE(program.Started());
  EXPECT_EQ(program.Wait(), 1);
}

}  // namespace
