#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "Psd/PsdDocument.h"

namespace psd_test {

struct DocumentDeleter {
  void operator()(psd::PsdDocument* document) const { psd::FreePsdDocument(document); }
};
using DocumentPtr = std::unique_ptr<psd::PsdDocument, DocumentDeleter>;

struct Loaded {
  int result = 0;
  DocumentPtr document;
};

inline Loaded LoadBytes(const std::vector<std::uint8_t>& bytes) {
  psd::PsdDocument* document = nullptr;
  Loaded loaded;
  loaded.result = psd::LoadPsdDocumentFromMemory(&document, bytes.data(), bytes.size());
  loaded.document.reset(document);
  return loaded;
}

}  // namespace psd_test
