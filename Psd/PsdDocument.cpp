#include "Psd/PsdDocument.h"

#include <cstdio>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>

#include "Psd/PsdError.h"
#include "Psd/PsdSections.h"

namespace psd {

namespace {

// The format counts sizes in 32 bits: no document is larger.
constexpr std::uint64_t kMaxFileSize = std::numeric_limits<std::uint32_t>::max();

int DecodePsdSections(PsdCursor& cursor, PsdDocument& document) {
  using SectionReader = int (*)(PsdCursor&, PsdDocument&);
  constexpr SectionReader kSections[] = {ReadPsdHeader, ReadPsdColorModeData, ReadPsdImageResources,
                                         ReadPsdLayerAndMaskInfo, ReadPsdCompositeImage};
  for (SectionReader read : kSections) {
    const int result = read(cursor, document);
    if (result != kPsdOk) {
      return result;
    }
  }
  return kPsdOk;
}

int Decode(PsdDocument** out, const std::uint8_t* data, std::uint64_t size) {
  if (size == 0) {
    *out = nullptr;
    return kPsdShortData;
  }
  std::unique_ptr<PsdDocument> document(new (std::nothrow) PsdDocument());
  if (!document) {
    return kPsdOutOfMemory;
  }
  PsdCursor cursor(data, size);
  int result = kPsdOk;
  try {
    result = DecodePsdSections(cursor, *document);
  } catch (const std::bad_alloc&) {
    result = kPsdOutOfMemory;
  } catch (const std::length_error&) {
    result = kPsdOutOfMemory;
  }
  *out = result == kPsdOk ? document.release() : nullptr;
  return result;
}

// One read of the whole file: its size first, then its bytes, which need no
// clearing before they are read over.
int ReadWholeFile(std::FILE* file, std::unique_ptr<std::uint8_t[]>& bytes, std::uint64_t& size) {
  if (std::fseek(file, 0, SEEK_END) != 0) {
    return kPsdCannotOpen;
  }
  const long end = std::ftell(file);
  if (end < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
    return kPsdCannotOpen;
  }
  if (static_cast<std::uint64_t>(end) > kMaxFileSize) {
    return kPsdBadDimensions;
  }
  try {
    bytes = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(end));
  } catch (const std::bad_alloc&) {
    return kPsdOutOfMemory;
  }
  // A file that shrank since it was measured gives what it still holds.
  size = std::fread(bytes.get(), 1, static_cast<std::size_t>(end), file);
  return kPsdOk;
}

}  // namespace

int LoadPsdDocument(PsdDocument** out, const char* path) {
  if (!out) {
    return kPsdNullArgument;
  }
  if (!path) {
    return kPsdCannotOpen;
  }
  std::FILE* file = std::fopen(path, "rb");
  if (!file) {
    return kPsdCannotOpen;
  }
  std::unique_ptr<std::uint8_t[]> bytes;
  std::uint64_t size = 0;
  const int result = ReadWholeFile(file, bytes, size);
  std::fclose(file);
  if (result != kPsdOk) {
    *out = nullptr;
    return result;
  }
  return Decode(out, bytes.get(), size);
}

int LoadPsdDocumentFromMemory(PsdDocument** out, const void* data, std::size_t size) {
  if (!out) {
    return kPsdNullArgument;
  }
  if (!data && size > 0) {
    return kPsdCannotOpen;
  }
  return Decode(out, static_cast<const std::uint8_t*>(data), size);
}

int FreePsdDocument(PsdDocument* document) {
  if (!document) {
    return kPsdNullArgument;
  }
  delete document;
  return kPsdOk;
}

}  // namespace psd
