#pragma once

#include <cstdint>

#include "Psd/PsdCursor.h"
#include "Psd/PsdDocument.h"

// The readers of a layer's item blocks. Each starts at the block's data,
// records its item in the entry before reading, so that the item is there
// whatever the outcome, and returns kPsdOk or a PsdError.
namespace psd {

// Reads the block when its key is one of an item; other blocks, and item
// blocks of a layer or document without room for another item, are passed
// over. itemsLeft counts the document's remaining room.
int ReadPsdItemBlock(std::uint32_t key, PsdCursor& block, PsdLayerEntry& entry, std::size_t& itemsLeft);

// The block's length, rounded up to even, is the cursor's size.
int ReadPsdAdjustment(std::uint32_t key, PsdCursor& block, PsdLayerEntry& entry);
int ReadPsdFill(std::uint32_t key, PsdCursor& block, PsdLayerEntry& entry);
int ReadPsdTypeTool(PsdCursor& block, PsdLayerEntry& entry);
int ReadPsdLegacyEffects(PsdCursor& block, PsdLayerEntry& entry);
int ReadPsdEffectsDescriptor(PsdCursor& block, PsdLayerEntry& entry);

template <class Record>
Record& AddPsdItem(PsdLayerEntry& entry, PsdItemKind kind) {
  PsdLayerItem& item = entry.items.emplace_back();
  item.kind = kind;
  return item.record.template emplace<Record>();
}

// Reads count elements with read(cursor, element) while bytes remain, so
// that a count the data cannot hold allocates no more than the data allows.
template <class Element, class Read>
void ReadPsdElements(PsdCursor& cursor, std::int64_t count, std::vector<Element>& elements, Read read) {
  for (std::int64_t i = 0; i < count && cursor.Remaining() > 0; ++i) {
    read(cursor, elements.emplace_back());
  }
}

}  // namespace psd
