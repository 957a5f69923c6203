#pragma once

#include "Core/Base/WString.h"

// Collects the keys the string table lacks in a file of the per-user folder,
// one line "key;???" each, so that the texts a build misses can be gathered
// and translated. The shipped string file is never written: it may lie in a
// read-only pack.
class MissingStringsFile {
 public:
  // No path: nothing is written.
  void setPath(const base::WString& path) { path_ = path; }
  const base::WString& path() const { return path_; }

  // Appends the key's line, creating the file when it is absent. A key's
  // backslashes, line breaks and ';' are escaped ("\\", "\n", "\r", "\;") so
  // that every key keeps to one line and one field. A failure is logged the
  // first time only and otherwise ignored.
  void record(const base::WString& key);

 private:
  base::WString path_;
  bool failureLogged_ = false;
};
