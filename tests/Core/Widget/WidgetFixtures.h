#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "Core/Base/LogMessage.h"
#include "Core/Layer/RectHitLayer.h"
#include "Core/Widget/Frame.h"
#include "Core/Widget/FrameManager.h"
#include "Core/Widget/Widget.h"
#include "Core/Widget/WidgetHitTestListener.h"
#include "Core/Widget/WidgetListener.h"

namespace widget_testing {

using Journal = std::vector<std::string>;

inline std::string OnOff(bool on) { return on ? " on" : " off"; }

// Writes "<name> <what>" lines into a shared journal.
class JournalWriter {
 public:
  JournalWriter(std::string name, Journal& journal) : name_(std::move(name)), journal_(journal) {}

 protected:
  QLResultEnum Note(const std::string& what) {
    journal_.push_back(name_ + " " + what);
    return QL_OK;
  }

 private:
  std::string name_;
  Journal& journal_;
};

// Writes every notice of one widget into a shared journal.
class RecordingListener : public widget::WidgetListener, JournalWriter {
 public:
  RecordingListener(std::string name, Journal& journal) : JournalWriter(std::move(name), journal) {}

  QLResultEnum OnUpdate(float) override { return Note("update"); }
  QLResultEnum OnAttach() override { return Note("attach"); }
  QLResultEnum OnDetach() override { return Note("detach"); }
  QLResultEnum OnShow() override { return Note("show"); }
  QLResultEnum OnHide() override { return Note("hide"); }
  QLResultEnum OnHoverChanged(bool on) override { return Note("hover" + OnOff(on)); }
  QLResultEnum OnHoverPathChanged(bool on) override { return Note("path" + OnOff(on)); }
  QLResultEnum OnDisabledChanged(bool on) override { return Note("disabled" + OnOff(on)); }
  QLResultEnum OnCapturedMouseMove(widget::MouseCapture& capture, const math::Point3& point) override {
    lastCapturedPoint = point;
    Note("captured move");
    return WidgetListener::OnCapturedMouseMove(capture, point);
  }
  QLResultEnum OnCapturedMouseUp(widget::MouseCapture& capture, const math::Point3& point, int button) override {
    Note("captured up");
    return WidgetListener::OnCapturedMouseUp(capture, point, button);
  }

  math::Point3 lastCapturedPoint;

};

// Writes what the widget itself takes of the mouse.
class RecordingHitListener : public widget::WidgetHitTestListener, JournalWriter {
 public:
  RecordingHitListener(widget::Widget* widget, std::string name, Journal& journal)
      : WidgetHitTestListener(widget), JournalWriter(std::move(name), journal) {}

  QLResultEnum OnWidgetMouseDown(const math::Point3&, int) override { return Note("press"); }
  QLResultEnum OnWidgetMouseUp(const math::Point3&, int) override { return Note("release"); }

};

// A widget over a rectangle of its own, placed in its parent's layer space.
class TestWidget : public widget::Widget {
 public:
  TestWidget(const std::string& name, Journal& journal, float x = 0, float y = 0, float width = 10, float height = 10)
      : listener(name, journal), hits(this, name, journal) {
    auto* rect = new layer::RectHitLayer;
    rect->SetRect(0, 0, width, height);
    rect->SetPosition(x, y, 0);
    rect->SetListener(&hits);
    SetLayer(rect, true, false);
    SetListener(&listener, false);
  }

  RecordingListener listener;
  RecordingHitListener hits;
};

// A frame over a rectangle that takes every click inside it; its layer sits
// at (x, y), so its widgets are placed relative to that corner.
class TestFrame : public widget::Frame {
 public:
  TestFrame(const std::string& name, Journal& journal, float x = 0, float y = 0, float width = 100, float height = 100)
      : listener(name, journal), hits(this, name, journal), name_(name), journal_(journal) {
    SetRect(0, 0, width, height);
    GetLayer()->SetPosition(x, y, 0);
    GetRectLayer()->SetListener(&hits);
    SetListener(&listener, false);
  }
  ~TestFrame() override {
    if (deleted) *deleted = true;
  }

  QLResultEnum OnActivate() override {
    journal_.push_back(name_ + " activate");
    return QL_OK;
  }
  QLResultEnum OnDeactivate() override {
    journal_.push_back(name_ + " deactivate");
    return QL_OK;
  }

  RecordingListener listener;
  RecordingHitListener hits;
  bool* deleted = nullptr;

 private:
  std::string name_;
  Journal& journal_;
};

// Keeps every statement written to the log; the log owns it until exit.
class LogRecorder : public base::LogOutput {
 public:
  static LogRecorder& Get() {
    static LogRecorder* recorder = [] {
      auto* made = new LogRecorder;
      base::MainLog::Instance()->AddOutput(made);
      return made;
    }();
    return *recorder;
  }

  void Write(const base::WString& text) override { writes.push_back(text); }
  bool Saw(const base::WString& part) const {
    return std::any_of(writes.begin(), writes.end(), [&](const base::WString& w) { return w.find(part) != w.npos; });
  }

  std::vector<base::WString> writes;
};

}  // namespace widget_testing
