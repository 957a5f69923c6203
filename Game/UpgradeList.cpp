#include "Game/UpgradeList.h"

#include <tinyxml2.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

#include "Core/Base/LogMessage.h"
#include "Core/Base/NumberText.h"
#include "Core/Base/TextConversion.h"
#include "Core/File/TextFile.h"
#include "Game/DataProblems.h"
#include "Game/KpProto.h"
#include "Game/KpProtoLibrary.h"
#include "Game/UpgradeSources.h"

namespace {

// Truncated towards 0 and held inside the int range: a hostile percentage
// must not make the conversion undefined.
int TruncatedInt(float value) {
  if (std::isnan(value)) return 0;
  constexpr float kLimit = 2147483520.0f;  // the largest float below 2^31
  return static_cast<int>(std::clamp(value, -kLimit, kLimit));
}

class UpgradeReader {
 public:
  explicit UpgradeReader(DataProblems& problems) : problems_(problems) {}

  std::unique_ptr<UpgradeDef> read(const tinyxml2::XMLElement& element) {
    auto upgrade = std::make_unique<UpgradeDef>();
    where_ = element.GetLineNum();
    upgrade->id = readInt(element, "id");
    upgrade->section = readInt(element, "section");
    if (const char* icon = element.Attribute("icon")) upgrade->icon = base::ToWide(icon, base::kEncodingUtf8);
    if (const tinyxml2::XMLElement* unlock = element.FirstChildElement("unlock")) {
      upgrade->unlockEpisode = readInt(*unlock, "episode");
      upgrade->unlockLevel = readInt(*unlock, "level");
    }
    if (const tinyxml2::XMLElement* targets = element.FirstChildElement("targets"))
      for (const tinyxml2::XMLElement* target = targets->FirstChildElement("target"); target;
           target = target->NextSiblingElement())
        readTarget(*target, upgrade->targets);
    if (const tinyxml2::XMLElement* steps = element.FirstChildElement("steps"))
      for (const tinyxml2::XMLElement* step = steps->FirstChildElement("step"); step;
           step = step->NextSiblingElement())
        upgrade->steps.push_back(readStep(*step));
    return upgrade;
  }

 private:
  int readInt(const tinyxml2::XMLElement& element, const char* name) {
    const char* text = element.Attribute(name);
    if (!text) return 0;
    const std::optional<int> number = base::LeadingInt(text);
    if (!number) problems_.note(std::string("attribute '") + name + "' is not a number; it reads as 0", where_);
    return number.value_or(0);
  }

  void readTarget(const tinyxml2::XMLElement& target, std::vector<int>& targets) {
    const char* text = target.Attribute("id");
    const std::optional<int> id = base::LeadingInt(text ? text : "");
    if (id) targets.push_back(*id);
    else problems_.note("a target has no prototype id; it is skipped", target.GetLineNum());
  }

  std::unique_ptr<UpgradeStep> readStep(const tinyxml2::XMLElement& element) {
    auto step = std::make_unique<UpgradeStep>();
    where_ = element.GetLineNum();
    step->costG = readPrice(element, "cost_g");
    step->costR = readPrice(element, "cost_r");
    if (const tinyxml2::XMLElement* attributes = element.FirstChildElement("attributes"))
      step->attributes = std::make_unique<KpPropertyBag>(*attributes);
    return step;
  }

  // A negative price would pay the player for buying.
  int readPrice(const tinyxml2::XMLElement& element, const char* name) {
    const int price = readInt(element, name);
    if (price >= 0) return price;
    problems_.note(std::string("a step's '") + name + "' is negative; it reads as 0", where_);
    return 0;
  }

  DataProblems& problems_;
  int where_ = 0;
};

}  // namespace

void UpgradeList::load(const base::WString& path) {
  loadText(file::ReadTextFile(path), base::ToNarrow(path, base::kEncodingUtf8));
}

void UpgradeList::loadText(const std::string& text, const std::string& source) {
  DataProblems problems(source);
  tinyxml2::XMLDocument document;
  if (document.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS) {
    problems.note(std::string("the file is not readable XML (") + document.ErrorStr() + "); no upgrades",
                  document.ErrorLineNum());
    return;
  }
  const tinyxml2::XMLElement* root = document.FirstChildElement("upgrades");
  if (!root) {
    problems.note("the file has no 'upgrades' element; no upgrades", 1);
    return;
  }
  UpgradeReader reader(problems);
  std::set<int> ids;
  for (const tinyxml2::XMLElement* element = root->FirstChildElement("upgrade"); element;
       element = element->NextSiblingElement()) {
    std::unique_ptr<UpgradeDef> upgrade = reader.read(*element);
    if (!ids.insert(upgrade->id).second)
      problems.note("an upgrade id is used twice; the first upgrade of it counts", element->GetLineNum());
    upgrades_.push_back(std::move(upgrade));
  }
}

const UpgradeDef* UpgradeList::find(int id) const {
  for (const std::unique_ptr<UpgradeDef>& upgrade : upgrades_)
    if (upgrade->id == id) return upgrade.get();
  return nullptr;
}

void UpgradeList::collectSection(int section, std::vector<const UpgradeDef*>& out) const {
  for (const std::unique_ptr<UpgradeDef>& upgrade : upgrades_)
    if (upgrade->section == section) out.push_back(upgrade.get());
}

MapUpgradeBonus UpgradeList::applyToMap(UpgradeLevelSource& levels) const {
  MapUpgradeBonus bonus;
  for (const std::unique_ptr<UpgradeDef>& upgrade : upgrades_) {
    if (!upgrade->isMapWide()) continue;
    const UpgradeStep* step = upgrade->boughtStep(levels);
    if (!step) continue;
    if (const float maxHp = step->percent("maxHP"); maxHp > 0.0f) bonus.lifeBonus = TruncatedInt(maxHp);
    if (const float enemyCost = step->percent("enemyCost"); enemyCost > 0.0f)
      bonus.enemyCostFraction = enemyCost / 100.0f;
    if (const float startBudget = step->percent("startBudget"); startBudget > 0.0f)
      bonus.startBudgetFraction = startBudget / 100.0f;
  }
  return bonus;
}

std::vector<const UpgradeStep*> UpgradeList::stepsFor(int protoId, UpgradeLevelSource& levels,
                                                      TowerUnlocks& unlocks) const {
  std::vector<const UpgradeStep*> taken;
  for (const std::unique_ptr<UpgradeDef>& upgrade : upgrades_) {
    // One open target opens the upgrade for all of its targets.
    const bool open = std::any_of(upgrade->targets.begin(), upgrade->targets.end(), [&](int target) {
      return target == UpgradeDef::kMapWide || unlocks.isTowerUnlocked(target);
    });
    if (!open || !upgrade->targetsProto(protoId)) continue;
    if (const UpgradeStep* step = upgrade->boughtStep(levels)) taken.push_back(step);
  }
  return taken;
}

void UpgradeList::applyToProto(KpProto& proto, UpgradeLevelSource& levels, TowerUnlocks& unlocks) const {
  for (const UpgradeStep* step : stepsFor(proto.id, levels, unlocks)) {
    proto.range += proto.range * step->percent("radius") / 100.0f;
    proto.strength += std::ceil(proto.strength * step->percent("strength") / 100.0f);
    proto.cost += std::floor(proto.cost * step->percent("cost") / 100.0f);
    proto.cooldown -= proto.cooldown * step->percent("cooldown") / 100.0f;
    const int income = TruncatedInt(static_cast<float>(proto.goldIncome) * step->percent("goldIncome") / 100.0f);
    proto.goldIncome = TruncatedInt(static_cast<float>(proto.goldIncome) + static_cast<float>(income));
    proto.speed += std::floor(proto.speed * step->percent("speed") / 100.0f);
  }
}

void UpgradeList::applyToTower(const KpProto& tier, KpProto& bonus, UpgradeLevelSource& levels,
                               TowerUnlocks& unlocks) const {
  for (const UpgradeStep* step : stepsFor(tier.id, levels, unlocks)) {
    bonus.range += tier.range * step->percent("radius") / 100.0f;
    bonus.strength += std::ceil(tier.strength * step->percent("strength") / 100.0f);
    bonus.cooldown -= tier.cooldown * step->percent("cooldown") / 100.0f;
  }
}

void UpgradeList::reportUnknownTargets(const KpProtoLibrary& library) const {
  std::set<int> unknown;
  for (const std::unique_ptr<UpgradeDef>& upgrade : upgrades_)
    for (const int target : upgrade->targets)
      if (target != UpgradeDef::kMapWide && !library.find(target)) unknown.insert(target);
  if (unknown.empty()) return;
  QL_LOG(u"Upgrades name %d prototype ids that no sheet has (the lowest is %d); they act on nothing\n")
      .AddArg(static_cast<int>(unknown.size()))
      .AddArg(*unknown.begin());
}
