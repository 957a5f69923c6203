// libFuzzer entry for the decoder: built and run by tools/fuzz.sh.
#include <cstddef>
#include <cstdint>

#include "Psd/PsdDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  psd::PsdDocument* document = nullptr;
  if (psd::LoadPsdDocumentFromMemory(&document, data, size) == 0) {
    psd::FreePsdDocument(document);
  }
  return 0;
}
