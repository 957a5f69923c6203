#pragma once

#include "Core/Base/WString.h"

namespace file {

// In these functions a separator is '/' or '\'.

// '/' separators and exactly one trailing '/'; a path of only separators
// becomes empty.
base::WString NormalizeFolder(const base::WString& path);
base::WString ToForwardSlashes(const base::WString& path);

// Everything through the last separator (the separator kept); empty when
// there is none.
base::WString GetFolder(const base::WString& path);
// GetFolder after a leading drive ("C:"); empty when no separator follows the
// drive. Only a letter and a colon at the very start make a drive: ':' is an
// ordinary character in names here.
base::WString GetFolderWithoutDrive(const base::WString& path);

base::WString GetFileName(const base::WString& path);
// ".png" of "x/y.png"; empty for "x.dir/file".
base::WString GetExtension(const base::WString& path);
base::WString GetNameWithoutExtension(const base::WString& path);
base::WString StripTrailingSlashes(const base::WString& path);

}  // namespace file
