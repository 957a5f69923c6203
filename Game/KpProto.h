#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tinyxml2 {
class XMLElement;
}
class DataProblems;
class KpProto;
class SpriteDef;

// The upgrade tiers a prototype owns. A copy of a prototype owns none, so
// copying one never shares or duplicates its tiers.
class KpProtoChildren {
 public:
  KpProtoChildren();
  KpProtoChildren(const KpProtoChildren&);
  KpProtoChildren& operator=(const KpProtoChildren&);
  ~KpProtoChildren();

  std::vector<std::unique_ptr<KpProto>> list;
};

// What reading prototypes needs beside their elements.
struct ProtoReading {
  // The sprite of a row; no sprites when empty.
  std::function<SpriteDef*(const tinyxml2::XMLElement&)> spriteOf;
  // Where attributes that are not numbers are noted; may be null.
  DataProblems* problems = nullptr;
};

// The sprites of the game's shared registry.
ProtoReading GameProtoReading(DataProblems* problems);

// One unit, tower, ammunition or spell of the prototype sheets: a flat
// record of the row's attributes. Attribute names are given where they differ
// from the field's.
class KpProto {
 public:
  KpProto() = default;

  // Reads every attribute the element has; a missing or unreadable one keeps
  // the field's value. With children, each child element becomes a tier
  // (read without its own children).
  void loadFromXML(const tinyxml2::XMLElement& element, bool withChildren, const ProtoReading& reading);
  // Every field but the tiers: the copy has none.
  void copyFrom(const KpProto& other);
  // What a bonus prototype sums each frame.
  void clearBoostValues();

  int parent = 0;
  int type = 0;  // 1: a tower the build menu offers
  int id = 0;
  float strength = 0.0f;
  float cooldown = 0.0f;
  float health = 0.0f;
  float speed = 0.0f;
  float range = 0.0f;  // "r": a diameter
  std::string special;
  std::string psd;
  bool hasteBuff = false;  // "haste_buff"
  bool fireDmgOnly = false;  // "fire_dmg_only"
  float explodeStr = 0.0f;
  float explodeRadius = 0.0f;
  bool debuffTower = false;  // "debufftower", a number
  bool poisonImmun = false;
  bool regen = false;
  bool raiseDead = false;
  bool invisible = false;
  bool invisibleArea = false;
  bool blockTower = false;  // "blocktower"
  bool healer = false;
  bool commander = false;
  bool summon = false;
  bool carrier = false;
  bool straight = false;
  bool ice = false;
  bool stone = false;
  bool pierce = false;
  bool splash = false;
  bool fireSplash = false;  // "firesplash"
  bool dot = false;
  bool aoe = false;
  bool hold = false;
  bool stun = false;
  bool boostTower = false;
  bool showInvisible = false;
  bool air = false;  // only the integer 1 sets it
  bool aimed = false;
  bool rotating = false;
  int ammoId = 0;  // "ammoid"
  int tierUpdates = 0;
  float tierK = 0.0f;
  float cost = 0.0f;
  float tierCost = 0.0f;
  int require = 0;  // a tier is offered up to this current tier id
  int levelId = 0;  // "levelid": the tier id, 0 the base
  int level = 0;
  float fps = 0.0f;
  float timeout = 0.0f;
  bool teleportEnemy = false;
  int goldIncome = 0;
  int stars = 0;
  int dropChance = 0;
  std::uint32_t fillColor = 0xffffffffu;  // 0xAARRGGBB
  std::string onFire;
  std::string onAmmo;
  std::string onHit;
  std::string addonsText;  // "addons"
  std::vector<std::string> addons;
  KpProtoChildren children;
  SpriteDef* sprite = nullptr;  // owned by the sprite registry
};
