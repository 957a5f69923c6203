#include "Core/App/Task.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Writes "name;" for each update, "+name" when started, "!name" when finished
// and "~name" when deleted, so one string shows a whole pass.
class Recorder : public base::Task {
 public:
  struct Flags {
    bool autoDelete = false;
    bool autoFinish = false;
    bool keepsParentAlive = true;
  };

  Recorder(std::string name, std::string& log, Flags flags)
      : base::Task(flags.autoDelete, flags.autoFinish, flags.keepsParentAlive, true), name_(std::move(name)), log_(log) {}
  ~Recorder() override { log_ += "~" + name_; }

  std::function<QLResultEnum()> onUpdate;
  bool finishesItself = true;

  QLResultEnum OnStart() override {
    log_ += "+" + name_;
    return QL_OK;
  }
  QLResultEnum OnUpdate(float) override {
    log_ += name_ + ";";
    return onUpdate ? onUpdate() : QL_OK;
  }
  void OnFinish() override {
    log_ += "!" + name_;
    if (finishesItself) base::Task::OnFinish();
  }
  void EndNow() { SetFinished(); }

 private:
  std::string name_;
  std::string& log_;
};

// The tasks of a scenario outlive its return statement and still write to the
// log as they are destroyed, so a scenario returns a copy.
std::string Snapshot(const std::string& log) { return log; }

struct Scenario {
  const char* name;
  const char* what;
  std::function<std::string()> run;
  const char* expected;
};

void PrintTo(const Scenario& row, std::ostream* out) { *out << row.name; }

class TaskScenarioTest : public ::testing::TestWithParam<Scenario> {};

TEST_P(TaskScenarioTest, Passes) { EXPECT_EQ(GetParam().run(), GetParam().expected) << GetParam().what; }

std::string AutoFinishedChildIsRemovedAndDeletedInItsFirstPass() {
  std::string log;
  Recorder root("R", log, {});
  root.AddChild(new Recorder("c", log, {.autoDelete = true, .autoFinish = true}));
  root.Update(0.1f);
  log += "|";
  root.Update(0.1f);
  log += root.IsChildless() ? "|empty" : "|kept";
  return Snapshot(log);
}

std::string AChildAddedDuringAPassRunsNextPassAfterTheOthers() {
  std::string log;
  Recorder root("R", log, {});
  Recorder a("a", log, {});
  Recorder b("b", log, {});
  root.AddChild(&a);
  root.Update(0.1f);
  a.onUpdate = [&] {
    root.AddChild(&b);
    a.onUpdate = nullptr;
    return QL_OK;
  };
  log += "|";
  root.Update(0.1f);
  log += "|";
  root.Update(0.1f);
  return Snapshot(log);
}

std::string AFailingChildStopsThePassOfItsParent() {
  std::string log;
  Recorder root("R", log, {});
  Recorder x("x", log, {});
  Recorder y("y", log, {});
  Recorder late("late", log, {});
  Recorder done("done", log, {});
  root.AddChild(&x);
  root.AddChild(&y);
  root.AddChild(&done);
  root.Update(0.1f);
  done.EndNow();
  x.onUpdate = [] { return static_cast<QLResultEnum>(7); };
  root.AddChild(&late);
  log += "|" + std::to_string(root.Update(0.1f)) + "|";
  x.onUpdate = nullptr;
  root.Update(0.1f);
  return Snapshot(log);
}

std::string ARemovedTaskWithoutAutoDeleteIsNotDeleted() {
  std::string log;
  Recorder root("R", log, {});
  Recorder kept("k", log, {.autoFinish = true});
  root.AddChild(&kept);
  root.Update(0.1f);
  root.Update(0.1f);
  log += root.IsChildless() ? "|unlinked" : "|linked";
  return Snapshot(log);
}

std::string AFinishedTaskIsUpdatedUntilItsLastChildIsGone() {
  std::string log;
  Recorder parent("P", log, {});
  Recorder slow("s", log, {});
  slow.finishesItself = false;
  parent.AddChild(&slow);
  parent.Update(0.1f);
  parent.Finish();
  log += "|";
  parent.Update(0.1f);
  slow.EndNow();
  log += "|";
  parent.Update(0.1f);
  log += "|";
  parent.Update(0.1f);
  return Snapshot(log);
}

std::string OnlyAChildThatKeepsItsParentAliveStopsAutoFinish() {
  std::string log;
  Recorder keeper("K", log, {.autoFinish = true});
  Recorder keeping("k", log, {});
  keeper.AddChild(&keeping);
  keeper.Update(0.1f);  // the child is only pending: nothing finishes yet
  keeper.Update(0.1f);
  Recorder loose("L", log, {.autoFinish = true});
  Recorder free("f", log, {.keepsParentAlive = false});
  loose.AddChild(&free);
  loose.Update(0.1f);
  loose.Update(0.1f);
  return Snapshot(log);
}

std::string FinishingTwiceFinishesTwice() {
  std::string log;
  Recorder parent("P", log, {});
  Recorder child("c", log, {});
  parent.AddChild(&child);
  parent.Update(0.1f);
  parent.Finish();
  parent.Finish();
  return Snapshot(log);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TaskScenarioTest,
    ::testing::Values(
        Scenario{"AutoFinish", "an auto-finish task finishes right after its first update and is deleted in the same pass",
                 AutoFinishedChildIsRemovedAndDeletedInItsFirstPass, "+RR;|+cc;!c~cR;|empty"},
        Scenario{"AddedDuringAPass", "a child added while the tree updates runs first in the next pass, after the others",
                 AChildAddedDuringAPassRunsNextPassAfterTheOthers, "+RR;|+aa;R;|a;+bb;R;"},
        Scenario{"FailingChild", "a non-zero child result skips later siblings, the merge, the removal and the parent",
                 AFailingChildStopsThePassOfItsParent, "+RR;+xx;|7|x;+yy;R;"},
        Scenario{"NoAutoDelete", "a finished task without auto-delete is unlinked but not deleted",
                 ARemovedTaskWithoutAutoDeleteIsNotDeleted, "+RR;+kk;!kR;|unlinked"},
        Scenario{"FinishedWithChildren", "a finished parent keeps updating while a child remains",
                 AFinishedTaskIsUpdatedUntilItsLastChildIsGone, "+PP;!s!P|+ss;P;|P;|"},
        Scenario{"KeepsParentAlive", "auto-finish waits only for children that keep their parent alive",
                 OnlyAChildThatKeepsItsParentAliveStopsAutoFinish, "+KK;+kk;K;+LL;!f!LL;"},
        Scenario{"FinishTwice", "a second Finish finishes the children and the task again",
                 FinishingTwiceFinishesTwice, "+PP;!c!P!c!P"}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

}  // namespace
