#include "Core/File/Path.h"

#include <algorithm>

namespace file {

namespace {

constexpr const char16_t* kSeparators = u"/\\";

bool IsSeparator(char16_t c) { return c == u'/' || c == u'\\'; }

// Index just after the last separator; 0 when there is none.
std::size_t NameStart(const base::WString& path) {
  const auto last = path.find_last_of(kSeparators);
  return last == base::WString::npos ? 0 : last + 1;
}

bool HasDrive(const base::WString& path) {
  return path.size() >= 2 && path[1] == u':' &&
         ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z'));
}

}  // namespace

base::WString ToForwardSlashes(const base::WString& path) {
  base::WString forward = path;
  std::replace(forward.begin(), forward.end(), u'\\', u'/');
  return forward;
}

base::WString NormalizeFolder(const base::WString& path) {
  base::WString folder = StripTrailingSlashes(ToForwardSlashes(path));
  if (folder.empty()) return {};
  return folder + u'/';
}

base::WString GetFolder(const base::WString& path) { return path.substr(0, NameStart(path)); }

base::WString GetFolderWithoutDrive(const base::WString& path) {
  if (!HasDrive(path)) return GetFolder(path);
  if (path.size() < 3 || !IsSeparator(path[2])) return {};
  return GetFolder(path.substr(2));
}

base::WString GetFileName(const base::WString& path) { return path.substr(NameStart(path)); }

base::WString GetExtension(const base::WString& path) {
  const auto dot = path.find_last_of(u'.');
  if (dot == base::WString::npos || dot < NameStart(path)) return {};
  return path.substr(dot);
}

base::WString GetNameWithoutExtension(const base::WString& path) {
  const base::WString name = GetFileName(path);
  return name.substr(0, name.find_last_of(u'.'));
}

base::WString StripTrailingSlashes(const base::WString& path) {
  const auto last = path.find_last_not_of(kSeparators);
  return last == base::WString::npos ? base::WString() : path.substr(0, last + 1);
}

}  // namespace file
