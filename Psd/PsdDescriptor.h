#pragma once

#include <cstdint>

#include "Psd/PsdCursor.h"

namespace psd {

// Descriptors (the typed key/value objects of newer blocks) nest no deeper
// than this; writers stay far below it.
constexpr int kPsdMaxDescriptorDepth = 32;

// Pass over a value of the given 4-letter type, a whole descriptor (from its
// name), a list ('VlLs') and a reference ('obj '). kPsdDescriptorTooDeep when
// nesting goes beyond the limit and kPsdUnknownDescriptorType for a type of
// unknown size: the caller gives up the descriptor. Running out of bytes ends
// at the cursor's end.
int SkipPsdDescriptorValue(std::uint32_t type, PsdCursor& cursor, int depth = 0);
int SkipPsdDescriptor(PsdCursor& cursor, int depth = 0);
int SkipPsdDescriptorList(PsdCursor& cursor, int depth = 0);
void SkipPsdReference(PsdCursor& cursor);

// Passes over a descriptor id: a length, then 4 bytes when it is 0 or that
// many bytes of text.
void SkipPsdDescriptorId(PsdCursor& cursor);

}  // namespace psd
