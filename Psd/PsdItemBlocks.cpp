#include "Psd/PsdError.h"
#include "Psd/PsdItemReaders.h"

namespace psd {

namespace {

bool IsAdjustment(std::uint32_t key) {
  switch (key) {
    case PsdKey("levl"): case PsdKey("curv"): case PsdKey("brit"): case PsdKey("blnc"):
    case PsdKey("hue2"): case PsdKey("selc"): case PsdKey("thrs"): case PsdKey("nvrt"):
    case PsdKey("post"): case PsdKey("mixr"): case PsdKey("grdm"): case PsdKey("phfl"):
      return true;
    default:
      return false;
  }
}

bool IsFill(std::uint32_t key) { return key == PsdKey("SoCo") || key == PsdKey("GdFl") || key == PsdKey("PtFl"); }

bool IsItemBlock(std::uint32_t key) {
  return IsAdjustment(key) || IsFill(key) || key == PsdKey("tySh") || key == PsdKey("lrFX") ||
         key == PsdKey("lfx2");
}

}  // namespace

int ReadPsdItemBlock(std::uint32_t key, PsdCursor& block, PsdLayerEntry& entry, std::size_t& itemsLeft) {
  // Writers give a layer a handful of these; beyond the limits the records
  // would only cost memory.
  if (!IsItemBlock(key) || entry.items.size() >= kPsdMaxLayerItems || itemsLeft == 0) {
    return kPsdOk;
  }
  --itemsLeft;
  if (IsAdjustment(key)) {
    return ReadPsdAdjustment(key, block, entry);
  }
  if (IsFill(key)) {
    return ReadPsdFill(key, block, entry);
  }
  switch (key) {
    case PsdKey("tySh"): return ReadPsdTypeTool(block, entry);
    case PsdKey("lrFX"): return ReadPsdLegacyEffects(block, entry);
    case PsdKey("lfx2"): return ReadPsdEffectsDescriptor(block, entry);
    default: return kPsdOk;
  }
}

}  // namespace psd
