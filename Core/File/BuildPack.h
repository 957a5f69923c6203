#pragma once

#include "Core/Base/Result.h"
#include "Core/Base/WString.h"

// Packs every file under the folder (read from the disk, even while the folder
// is mounted to this pack) into the pack file. The old pack is replaced only
// once the new one is complete.
QLResultEnum BuildPack(const base::WString& folder, const base::WString& packPath);
