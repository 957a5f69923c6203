#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "Core/Base/Singletone.h"
#include "Core/Base/WString.h"
#include "Game/MissingStringsFile.h"

// Every text the game shows, by key, from the UTF-8 table "kp/strings_en.csv":
// one "key;text" entry per line, spaces and tabs trimmed around the line and
// each field, a third field ignored, a line without ';' a key with an empty
// text, a later line of the same key replacing the earlier text, and
// backslash 'n' in a text standing for a line break.
class LocalStrings : public base::Singletone<LocalStrings> {
 public:
  // Reads "kp/strings_en.csv"; a missing file leaves the table empty.
  LocalStrings();

  // Adds the entries of that file to the table. A line that is not valid
  // UTF-8 is logged with its number and skipped, so its key shows as missing
  // rather than as garbled text.
  void load(const base::WString& path);

  // The text of the key. A missing key is not an error: the key itself is
  // shown, and the first time it is asked for it is collected in the
  // missing-strings file.
  base::WString getString(const base::WString& key);

  bool contains(const base::WString& key) const { return strings_.count(key) != 0; }
  std::size_t size() const { return strings_.size(); }

  // The per-user file that collects missing keys; none by default.
  void setMissingStringsPath(const base::WString& path) { missing_.setPath(path); }

 private:
  void readLine(std::string line, int number, const base::WString& path);

  std::map<base::WString, base::WString> strings_;
  MissingStringsFile missing_;
};
