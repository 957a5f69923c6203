#include "Game/KpProtoLibrary.h"

#include <tinyxml2.h>

void KpProtoLibrary::load(const tinyxml2::XMLElement& data, const ProtoReading& reading) {
  for (const char* sheet : {"units", "towers", "ammo"}) {
    const tinyxml2::XMLElement* rows = data.FirstChildElement(sheet);
    if (!rows) continue;
    for (const tinyxml2::XMLElement* row = rows->FirstChildElement(); row; row = row->NextSiblingElement()) {
      protos_.push_back(std::make_unique<KpProto>());
      protos_.back()->loadFromXML(*row, true, reading);
      index(*protos_.back());
    }
  }
}

void KpProtoLibrary::index(const KpProto& proto) {
  // The first entry for an id stays: it is what a walk over the list in
  // order, each prototype before its tiers, finds first.
  byId_.emplace(proto.id, &proto);
  for (const std::unique_ptr<KpProto>& tier : proto.children.list) byId_.emplace(tier->id, tier.get());
}

void KpProtoLibrary::clear() {
  byId_.clear();
  protos_.clear();
}

const KpProto* KpProtoLibrary::find(int id) const {
  const auto found = byId_.find(id);
  return found == byId_.end() ? nullptr : found->second;
}
