#pragma once

#include "Core/Base/WString.h"

namespace file {

// '/' separators and exactly one trailing '/'; a path of only separators
// becomes empty.
base::WString NormalizeFolder(const base::WString& path);

// Everything through the last '/' or '\' (the separator kept); empty when
// there is none.
base::WString GetFolder(const base::WString& path);

}  // namespace file
