#pragma once

#include <list>
#include <memory>

#include "Core/Base/Result.h"

namespace app {
class CriticalSection;
}

namespace base {

// A node of the tree that the main loop updates once per pass. A task holds no
// pointer to its parent; the parent unlinks it once it is finished and has no
// children left, and deletes it when it is auto-delete.
class Task {
 public:
  Task(bool autoDelete, bool autoFinish, bool keepsParentAlive, bool withLock);
  virtual ~Task();

  Task(const Task&) = delete;
  Task& operator=(const Task&) = delete;

  virtual QLResultEnum OnStart();
  virtual QLResultEnum OnUpdate(float dt);
  virtual void OnFinish();

  QLResultEnum Update(float dt);
  QLResultEnum UpdateChildren(float dt);
  void Finish();

  // The task joins the children at this task's next update, after those
  // already there.
  bool AddChild(Task* task);
  void DeleteChildren();

  bool AnyChildKeepsParentAlive() const;
  bool IsChildless() const { return children_.empty(); }

  bool IsFinishing() const { return finishing_; }
  bool IsFinished() const { return finished_; }
  bool IsStarted() const { return started_; }
  bool IsAutoDelete() const { return autoDelete_; }
  bool KeepsParentAlive() const { return keepsParentAlive_; }

 protected:
  void SetFinished() { finished_ = true; }

 private:
  void MergePendingChildren();
  void RemoveEndedChildren();

  bool finishing_ = false;
  bool finished_ = false;
  std::list<Task*> children_;
  std::list<Task*> pending_;
  bool autoFinish_;
  bool autoDelete_;
  bool keepsParentAlive_;
  bool started_ = false;
  std::unique_ptr<app::CriticalSection> lock_;
};

}  // namespace base
