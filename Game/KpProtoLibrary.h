#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "Core/Base/NoCopy.h"
#include "Game/KpProto.h"

// Every prototype of the three sheets: the units first, then the towers, then
// the ammunition, each sheet's top-level rows in the order of their elements,
// each with its tiers.
class KpProtoLibrary : base::NoCopy {
 public:
  KpProtoLibrary() = default;

  // Adds the prototypes under the "units", "towers" and "ammo" children of
  // data; a missing sheet adds nothing.
  void load(const tinyxml2::XMLElement& data, const ProtoReading& reading);
  void clear();

  // The first top-level prototype of that id, or the first tier of it under
  // a top-level prototype that comes earlier; null when there is none.
  const KpProto* find(int id) const;

  const std::vector<std::unique_ptr<KpProto>>& protos() const { return protos_; }

 private:
  void index(const KpProto& proto);

  std::vector<std::unique_ptr<KpProto>> protos_;
  // Lookups of the towers and enemies run every frame.
  std::unordered_map<int, const KpProto*> byId_;
};
