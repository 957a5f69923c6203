#pragma once

#include "Core/Base/ImageInfo.h"

namespace psd {
struct PsdLayerEntry;
}

namespace file {

// A layer of a decoded layered document. A name holding "|box" marks a
// rectangle and "|center" a point (the centre of the layer's bounds); neither
// is drawn.
class PsdFileLayer : public base::ImageInfo {
 public:
  // entry is owned by the document and must outlive the layer.
  PsdFileLayer(const psd::PsdLayerEntry& entry, base::WString pathName, int index, float scale);

  const psd::PsdLayerEntry& GetEntry() const { return *entry_; }

 private:
  const psd::PsdLayerEntry* entry_;
};

}  // namespace file
