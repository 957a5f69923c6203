#include "Platform/ChildWorker.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>

namespace {

// Echoes its request, and dies on "crash" as a parser would on a hostile
// input.
std::string EchoOrCrash(const std::string& request) {
  if (request == "crash") std::raise(SIGSEGV);
  return "echo " + request;
}

TEST(ChildWorkerTest, ACrashCostsOnlyItsOwnRequest) {
  platform::ChildWorker worker(EchoOrCrash);
  EXPECT_EQ(worker.call("one"), "echo one");
  EXPECT_EQ(worker.call(std::string(1 << 20, 'x')), "echo " + std::string(1 << 20, 'x'));
  EXPECT_EQ(worker.call("crash"), std::nullopt);
  EXPECT_EQ(worker.call("two"), "echo two");
  EXPECT_EQ(worker.call(""), "echo ");
}

}  // namespace
