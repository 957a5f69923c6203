#pragma once

namespace tinyxml2 {
class XMLElement;
}

// A link of a level joins two points by id; its anchor is the control point
// of the quadratic curve from the start point to the end point.
struct KpLink {
  // The anchor is multiplied by scale as it is read.
  KpLink(const tinyxml2::XMLElement& element, float scale);

  int startId;
  int endId;
  float anchorX;
  float anchorY;
};
