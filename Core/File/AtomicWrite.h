#pragma once

#include <functional>

#include "Core/Base/FileStream.h"
#include "Core/Base/Result.h"
#include "Core/Base/WString.h"

namespace file {

// Writes path + ".tmp" through write, then renames it over path once every
// byte is on the disk, and syncs the folder so the rename is on the disk too.
// On any failure the old file stays whole and the temporary file is removed;
// the result is the write's code, or 1. Whatever lies at the temporary name
// beforehand (a file left by a killed run, a link) is replaced, never written
// through.
QLResultEnum WriteFileAtomically(const base::WString& path,
                                 const std::function<QLResultEnum(base::FileStream&)>& write);

}  // namespace file
