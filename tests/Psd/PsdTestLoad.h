#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "Psd/PsdDocument.h"
#include "tools/art/PsdWriter/PsdWriter.h"

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

// A document of one small layer that carries the given tagged blocks.
inline Loaded LoadLayerWithBlocks(const std::vector<std::uint8_t>& blocks) {
  tools::PsdWriter writer(4, 4);
  tools::PsdWriterLayer layer;
  layer.name = "blocks";
  layer.width = 2;
  layer.height = 2;
  layer.extraBlocks = blocks;
  writer.AddLayer(layer);
  return LoadBytes(writer.Write());
}

}  // namespace psd_test
