#include "Core/App/Task.h"

#include <algorithm>

#include "Core/App/CriticalSection.h"

namespace base {

Task::Task(bool autoDelete, bool autoFinish, bool keepsParentAlive, bool withLock)
    : autoFinish_(autoFinish),
      autoDelete_(autoDelete),
      keepsParentAlive_(keepsParentAlive),
      lock_(withLock ? std::make_unique<app::CriticalSection>() : nullptr) {}

// The tasks in the lists belong to whoever made them; only the lists go.
Task::~Task() = default;

QLResultEnum Task::OnStart() { return QL_OK; }

QLResultEnum Task::OnUpdate(float) { return QL_OK; }

void Task::OnFinish() { finished_ = true; }

QLResultEnum Task::Update(float dt) {
  if (finished_ && children_.empty()) return QL_OK;
  if (!started_) {
    started_ = true;
    if (const QLResultEnum result = OnStart()) return result;
  }
  if (const QLResultEnum result = UpdateChildren(dt)) return result;
  if (const QLResultEnum result = OnUpdate(dt)) return result;

  app::ScopedLock guard(lock_.get());
  if (!finishing_ && pending_.empty() && autoFinish_ && !AnyChildKeepsParentAlive()) Finish();
  return QL_OK;
}

QLResultEnum Task::UpdateChildren(float dt) {
  for (Task* child : children_) {
    if (const QLResultEnum result = child->Update(dt)) return result;
  }
  MergePendingChildren();
  RemoveEndedChildren();
  return QL_OK;
}

void Task::MergePendingChildren() {
  app::ScopedLock guard(lock_.get());
  children_.splice(children_.end(), pending_);
}

void Task::RemoveEndedChildren() {
  for (auto it = children_.begin(); it != children_.end();) {
    Task* child = *it;
    if (!child->finished_ || !child->children_.empty()) {
      ++it;
      continue;
    }
    it = children_.erase(it);
    if (child->autoDelete_) delete child;
  }
}

void Task::Finish() {
  for (Task* child : children_) child->Finish();
  finishing_ = true;
  OnFinish();
}

bool Task::AddChild(Task* task) {
  app::ScopedLock guard(lock_.get());
  pending_.push_back(task);
  return true;
}

void Task::DeleteChildren() {
  for (Task* child : children_) delete child;
}

bool Task::AnyChildKeepsParentAlive() const {
  return std::any_of(children_.begin(), children_.end(), [](const Task* child) { return child->keepsParentAlive_; });
}

}  // namespace base
