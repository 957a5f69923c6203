#include "Core/File/Path.h"

#include <algorithm>

namespace file {

base::WString NormalizeFolder(const base::WString& path) {
  base::WString folder = path;
  std::replace(folder.begin(), folder.end(), u'\\', u'/');
  const auto last = folder.find_last_not_of(u'/');
  if (last == base::WString::npos) return {};
  folder.resize(last + 1);
  folder += u'/';
  return folder;
}

base::WString GetFolder(const base::WString& path) {
  const auto last = path.find_last_of(u"/\\");
  if (last == base::WString::npos) return {};
  return path.substr(0, last + 1);
}

}  // namespace file
