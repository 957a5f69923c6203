#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Game/OwnedPointers.h"

namespace {

// Notes its name, and what is left of its list, as it goes.
struct Recorder {
  Recorder(std::string name, std::vector<Recorder*>& list, std::vector<std::string>& log)
      : name(std::move(name)), list(list), log(log) {}
  ~Recorder() { log.push_back(name + ":" + std::to_string(list.size())); }

  std::string name;
  std::vector<Recorder*>& list;
  std::vector<std::string>& log;
};

// The front goes first and is out of the list by then; a null slot is
// dropped like any other.
TEST(OwnedPointersTest, DeletingAllEmptiesFromTheFrontAndSkipsNulls) {
  std::vector<std::string> log;
  std::vector<Recorder*> list;
  list = {new Recorder("a", list, log), nullptr, new Recorder("b", list, log), nullptr};
  DeleteAllPointers(list);
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(log, (std::vector<std::string>{"a:3", "b:1"}));
}

}  // namespace
