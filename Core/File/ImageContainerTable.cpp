#include "Core/File/ImageContainerTable.h"

#include "Core/File/Path.h"

namespace file {

base::WString LowerCaseAscii(base::WString text) {
  for (base::WChar& c : text)
    if (c >= u'A' && c <= u'Z') c = static_cast<base::WChar>(c - u'A' + u'a');
  return text;
}

base::WString LayerFolderKey(const base::WString& folder) { return LowerCaseAscii(NormalizeFolder(folder)); }

std::size_t GroupEndUnder(const base::WString& name, const base::WString& folderKey) {
  if (!name.starts_with(folderKey)) return base::WString::npos;
  return name.find(u'/', folderKey.size());
}

}  // namespace file
