#include "Game/KpProto.h"

#include <tinyxml2.h>

#include <string_view>

#include "Core/Base/NumberText.h"
#include "Core/Base/TextTokenizer.h"
#include "Game/DataProblems.h"
#include "Game/KpResources.h"
#include "Game/XmlAttributes.h"

KpProtoChildren::KpProtoChildren() = default;
KpProtoChildren::KpProtoChildren(const KpProtoChildren&) {}
KpProtoChildren& KpProtoChildren::operator=(const KpProtoChildren& other) {
  if (this != &other) list.clear();
  return *this;
}
KpProtoChildren::~KpProtoChildren() = default;

ProtoReading GameProtoReading(DataProblems* problems) {
  return {[](const tinyxml2::XMLElement& element) { return KpResources::Instance()->spriteFromXml(element); },
          problems};
}

namespace {

// Reads the attributes of one element into fields, noting numbers that do
// not read; an empty text is no number but no mistake either.
class AttributeReader {
 public:
  AttributeReader(const tinyxml2::XMLElement& element, DataProblems* problems, int id)
      : element_(element), problems_(problems), id_(id) {}

  void readInt(const char* name, int& value) const {
    if (const char* text = element_.Attribute(name)) assign(name, text, base::LeadingInt(text), value);
  }
  void readFloat(const char* name, float& value) const {
    if (const char* text = element_.Attribute(name)) assign(name, text, base::LeadingFloat(text), value);
  }
  void readBool(const char* name, bool& value) const {
    const char* text = element_.Attribute(name);
    if (!text) return;
    if (const std::optional<bool> flag = xml_attributes::BoolText(text)) value = *flag;
    else noteBad(name, text);
  }
  void readText(const char* name, std::string& value) const {
    if (const char* text = element_.Attribute(name)) value = text;
  }
  // Hexadecimal digits; any other character counts as the digit 0.
  void readColour(const char* name, std::uint32_t& value) const {
    const char* text = element_.Attribute(name);
    if (!text) return;
    value = 0;
    for (const char* c = text; *c; ++c) value = value * 16u + HexDigit(*c);
  }

 private:
  static std::uint32_t HexDigit(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<std::uint32_t>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<std::uint32_t>(c - 'A' + 10);
    return 0;
  }

  template <class T>
  void assign(const char* name, const char* text, std::optional<T> number, T& value) const {
    if (number) value = *number;
    else noteBad(name, text);
  }

  void noteBad(const char* name, const char* text) const {
    if (problems_ && *text)
      problems_->note(std::string("attribute '") + name + "' is not a number; it keeps its default (prototype id)",
                      id_);
  }

  const tinyxml2::XMLElement& element_;
  DataProblems* problems_;
  int id_;
};

std::vector<std::string> SplitAddons(std::string_view text) {
  std::vector<std::string> addons;
  TextTokenizer parts(std::string(text), '/', true);
  for (std::string part; parts.NextToken(&part);) addons.push_back(part);
  return addons;
}

}  // namespace

void KpProto::copyFrom(const KpProto& other) {
  // Through a copy, so that other may be one of the tiers this assignment
  // lets go.
  const KpProto copy(other);
  *this = copy;
}

void KpProto::clearBoostValues() {
  strength = 0.0f;
  cooldown = 0.0f;
  range = 0.0f;
}

void KpProto::loadFromXML(const tinyxml2::XMLElement& element, bool withChildren, const ProtoReading& reading) {
  const char* idText = element.Attribute("id");
  const AttributeReader in(element, reading.problems, base::LeadingInt(idText ? idText : "").value_or(0));
  in.readInt("parent", parent);
  in.readInt("type", type);
  in.readInt("id", id);
  in.readFloat("strength", strength);
  in.readFloat("cooldown", cooldown);
  in.readFloat("health", health);
  in.readFloat("speed", speed);
  in.readFloat("r", range);
  in.readText("special", special);
  in.readText("psd", psd);
  in.readBool("haste_buff", hasteBuff);
  in.readBool("fire_dmg_only", fireDmgOnly);
  in.readFloat("explodeStr", explodeStr);
  in.readFloat("explodeRadius", explodeRadius);
  float debuff = debuffTower ? 1.0f : 0.0f;
  in.readFloat("debufftower", debuff);
  debuffTower = debuff != 0.0f;
  in.readBool("poisonImmun", poisonImmun);
  in.readBool("regen", regen);
  in.readBool("raiseDead", raiseDead);
  in.readBool("invisible", invisible);
  in.readBool("invisibleArea", invisibleArea);
  in.readBool("blocktower", blockTower);
  in.readBool("healer", healer);
  in.readBool("commander", commander);
  in.readBool("summon", summon);
  in.readBool("carrier", carrier);
  in.readBool("straight", straight);
  in.readBool("ice", ice);
  in.readBool("stone", stone);
  in.readBool("pierce", pierce);
  in.readBool("splash", splash);
  in.readBool("firesplash", fireSplash);
  in.readBool("dot", dot);
  in.readBool("aoe", aoe);
  in.readBool("hold", hold);
  in.readBool("stun", stun);
  in.readBool("boostTower", boostTower);
  in.readBool("showInvisible", showInvisible);
  int airFlag = air ? 1 : 0;
  in.readInt("air", airFlag);
  air = airFlag == 1;
  in.readBool("aimed", aimed);
  in.readBool("rotating", rotating);
  in.readInt("ammoid", ammoId);
  in.readInt("tierUpdates", tierUpdates);
  in.readFloat("tierK", tierK);
  in.readFloat("cost", cost);
  in.readFloat("tierCost", tierCost);
  in.readInt("require", require);
  in.readInt("levelid", levelId);
  in.readInt("level", level);
  in.readFloat("fps", fps);
  in.readFloat("timeout", timeout);
  in.readBool("teleportEnemy", teleportEnemy);
  in.readInt("goldIncome", goldIncome);
  in.readInt("stars", stars);
  in.readInt("dropChance", dropChance);
  in.readColour("fillColor", fillColor);
  in.readText("onFire", onFire);
  in.readText("onAmmo", onAmmo);
  in.readText("onHit", onHit);
  in.readText("addons", addonsText);
  addons = SplitAddons(addonsText);
  if (reading.spriteOf) sprite = reading.spriteOf(element);

  if (!withChildren) return;
  for (const tinyxml2::XMLElement* child = element.FirstChildElement(); child; child = child->NextSiblingElement()) {
    children.list.push_back(std::make_unique<KpProto>());
    children.list.back()->loadFromXML(*child, false, reading);
  }
}
