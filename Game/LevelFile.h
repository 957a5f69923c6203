#pragma once

#include <tinyxml2.h>

#include <optional>
#include <string>

#include "Core/Base/WString.h"

// A level file read whole: its root "map" element and the plain values the
// map takes from it. A level that does not load has no map element, so
// nothing of it can be played or won.
class LevelFile {
 public:
  // False, logged and with error() telling why, when the file is missing or
  // empty, is not well-formed XML or has no "map" root.
  bool load(const base::WString& path);

  const base::WString& error() const { return error_; }
  // Null until a load succeeded.
  const tinyxml2::XMLElement* map() const { return map_; }
  // The map's first child of that name; null when there is none.
  const tinyxml2::XMLElement* child(const char* name) const;
  // The starting money: the "budget" text's leading integer; 0 when the
  // level has none or it is not a number (logged).
  int budget() const;
  // The "li" text naming the level's layout; nothing when it is missing.
  std::optional<std::string> levelImageText() const;

 private:
  bool fail(const base::WString& why);

  tinyxml2::XMLDocument document_;
  const tinyxml2::XMLElement* map_ = nullptr;
  base::WString error_;
};
