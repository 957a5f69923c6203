#pragma once

#include "Core/Base/Result.h"
#include "Core/Base/WString.h"

namespace file {

// Makes the folder and every missing parent.
QLResultEnum CreateFolders(const base::WString& path);
QLResultEnum CreateFolderRecursive(const base::WString& path);

}  // namespace file
