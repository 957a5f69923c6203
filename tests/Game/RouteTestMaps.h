#pragma once

#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <string>
#include <vector>

#include "Core/Base/Log.h"
#include "Core/Base/SingletonRegistry.h"

#include "Game/RouteMap.h"
#include "tests/Support/RecordingLogOutput.h"

namespace route_test {

// Loads a level's map element, given as the text of its "points" and
// "links" children, into the route map.
inline void LoadMap(RouteMap& map, const std::string& points, const std::string& links) {
  tinyxml2::XMLDocument document;
  const std::string text = "<map><points>" + points + "</points><links>" + links + "</links></map>";
  ASSERT_EQ(document.Parse(text.c_str()), tinyxml2::XML_SUCCESS);
  map.load(*document.RootElement(), 1.0f);
}

inline std::string Point(int id, float x, float y, const std::string& properties = {}) {
  return "<point id='" + std::to_string(id) + "' x='" + std::to_string(x) + "' y='" + std::to_string(y) + "'>" +
         properties + "</point>";
}

inline std::string Link(int from, int to, float anchorX, float anchorY) {
  return "<link sid='" + std::to_string(from) + "' eid='" + std::to_string(to) + "' anchor_x='" +
         std::to_string(anchorX) + "' anchor_y='" + std::to_string(anchorY) + "'/>";
}

inline std::string Spawn() { return "<p name='spawn' value='1'/>"; }
inline std::string Goal() { return "<p name='goal' value='1'/>"; }

// Keeps what the log is told during the test.
class LoggingTest : public testing::Test {
 protected:
  LoggingTest() { base::MainLog::Instance()->AddOutput(new testing_support::RecordingLogOutput(log_)); }
  ~LoggingTest() override { SingletonRegistry::Shutdown(); }

  bool Logged(const std::u16string& text) const {
    for (const auto& line : log_)
      if (line.find(text) != std::u16string::npos) return true;
    return false;
  }

  std::vector<base::WString> log_;
};

}  // namespace route_test
