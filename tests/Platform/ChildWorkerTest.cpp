#include "Platform/ChildWorker.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <new>
#include <string>

namespace {

// Echoes its request, and dies on "crash" as a parser would on a hostile
// input, or throws on "throw" as one would that runs out of memory.
std::string EchoOrCrash(const std::string& request) {
  if (request == "crash") std::raise(SIGSEGV);
  if (request == "throw") throw std::bad_alloc();
  return "echo " + request;
}

TEST(ChildWorkerTest, ACrashCostsOnlyItsOwnRequest) {
  platform::ChildWorker worker(EchoOrCrash);
  EXPECT_EQ(worker.call("one"), "echo one");
  EXPECT_EQ(worker.call(std::string(1 << 20, 'x')), "echo " + std::string(1 << 20, 'x'));
  EXPECT_EQ(worker.call("crash"), std::nullopt);
  EXPECT_EQ(worker.call("two"), "echo two");
  EXPECT_EQ(worker.call("throw"), std::nullopt);
  EXPECT_EQ(worker.call("three"), "echo three");
  EXPECT_EQ(worker.call(""), "echo ");
}

// A copy of the program made by fork, with a worker already running, must
// neither talk over its owner's channel nor lose its own worker for good.
TEST(ChildWorkerTest, AForkedCopyGetsAChildOfItsOwn) {
  platform::ChildWorker worker(EchoOrCrash);
  ASSERT_EQ(worker.call("one"), "echo one");
  const pid_t copy = fork();
  ASSERT_GE(copy, 0);
  if (copy == 0) {
    const bool crashFails = !worker.call("crash");
    const bool answersAfter = worker.call("two") == "echo two";
    _exit(crashFails && answersAfter ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(copy, &status, 0), copy);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(worker.call("three"), "echo three");
}

}  // namespace
