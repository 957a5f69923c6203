#pragma once

#include <functional>

#include "Core/Base/FileStream.h"
#include "Core/Base/Result.h"
#include "Core/Base/WString.h"

namespace file {

// Writes path + ".tmp" through write, then renames it over path once every
// byte is on the disk. On any failure the old file stays whole and the
// temporary file is removed; the result is the write's code, or 1.
QLResultEnum WriteFileAtomically(const base::WString& path,
                                 const std::function<QLResultEnum(base::FileStream&)>& write);

}  // namespace file
