// The game's generated sprite layouts, read as the game reads them: every
// sprite the game plays has the groups it draws from, and every layer has
// pixels in its atlas.

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "Core/Base/TextConversion.h"
#include "Core/File/FileManager.h"
#include "Core/File/ImageContainer.h"
#include "tests/Support/GameDataRoot.h"

namespace {

// An RGBA image read whole; empty when it cannot be read.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;

  explicit Picture(const std::filesystem::path& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return;
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return;
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    rgba = std::move(pixels);
  }

  bool AnyVisible(int x, int y, int w, int h) const {
    for (int row = y; row < y + h; ++row)
      for (int column = x; column < x + w; ++column)
        if (rgba[(static_cast<std::size_t>(row) * width + column) * 4 + 3] != 0) return true;
    return false;
  }
};

// A group and the number of layers directly inside it; -1: at least one.
struct Group {
  std::string path;
  int layers;
};

struct SpriteCase {
  std::string layout;
  std::string sprite;
  std::vector<Group> groups;
};

void PrintTo(const SpriteCase& c, std::ostream* out) { *out << c.layout << ": " << c.sprite; }

std::vector<Group> UnitGroups(const std::string& unit) {
  return {{unit, 1}, {unit + "/walk", 8}, {unit + "/death", 6}, {unit + "/special", 6}};
}

std::vector<Group> RotatingTowerGroups(const std::string& tower) {
  return {{tower, 128}, {tower + "/s_point", 32}, {tower + "/base_point", 1}};
}

std::vector<Group> StaticTowerGroups(const std::string& tower) {
  return {{tower + "/idle", 6}, {tower + "/blast", -1}, {tower + "/s_point", 1}, {tower + "/base_point", 1}};
}

std::vector<SpriteCase> SpriteCases() {
  std::vector<SpriteCase> cases;
  const std::map<std::string, std::vector<std::string>> units = {
      {"kp/units/t1units", {"u_gloamling", "u_skitter", "u_riftling", "u_broodling", "u_husk"}},
      {"kp/units/t2units", {"u_duskmoth", "u_shellback", "u_veilstalker", "u_mender", "u_broodmother", "u_mistcaller"}},
      {"kp/units/t3units", {"u_drake", "u_riftcaller", "u_gravecaller", "u_lampsnuffer"}}};
  for (const auto& [layout, names] : units)
    for (const std::string& unit : names) cases.push_back({layout, unit, UnitGroups(unit)});

  const std::map<std::string, std::vector<std::string>> rotating = {
      {"kp/towers/dart", {"t_wick_1", "t_wick_2", "t_wick_3", "t_sparkstorm"}},
      {"kp/towers/cannon", {"t_cannon_1", "t_cannon_2", "t_cannon_3", "t_brand"}}};
  for (const auto& [layout, names] : rotating)
    for (const std::string& tower : names) cases.push_back({layout, tower, RotatingTowerGroups(tower)});
  const std::map<std::string, std::vector<std::string>> still = {
      {"kp/towers/dart", {"t_homeward"}},
      {"kp/towers/cannon", {"t_bell"}},
      {"kp/towers/artillery", {"t_mortar_1", "t_mortar_2", "t_mortar_3", "t_tar", "t_blight"}},
      {"kp/towers/support", {"t_watch_1", "t_watch_2", "t_watch_3", "t_forge", "t_toll"}}};
  for (const auto& [layout, names] : still)
    for (const std::string& tower : names) cases.push_back({layout, tower, StaticTowerGroups(tower)});
  cases.push_back({"kp/towers/artillery", "tower3_1b",
                   {{"tower3_1b", -1}, {"tower3_1b/fire", -1}, {"tower3_1b/shot", -1}}});

  const std::string parts = "kp/data/ui_parts";
  cases.push_back({parts, "ui", {{"ui", -1}}});
  cases.push_back({parts, "spots", {{"spots", 3}}});
  for (const char* effect : {"enemy_spot", "spell_cast", "disabletower", "tower_debuff", "mob_dot", "mob_heal",
                             "sp_flare", "sp_ember", "sp_still", "sp_mist"})
    cases.push_back({parts, effect, {{effect, -1}}});
  return cases;
}

// The game's data root is the current folder, as when the game runs.
class InGameDataRoot : public ::testing::Test {
 protected:
  static std::unique_ptr<file::ImageContainer> Open(const std::string& layout) {
    return std::unique_ptr<file::ImageContainer>(
        file::FileManager::Instance()->OpenImageContainer(base::ToWide(layout, base::kEncodingUtf8)));
  }

  static std::vector<std::string> LayersIn(file::ImageContainer& layout, const std::string& group) {
    std::vector<base::WString> names;
    EXPECT_EQ(layout.ListImages(base::ToWide(group, base::kEncodingUtf8), false, names, false), QL_OK);
    std::vector<std::string> narrow;
    for (const base::WString& name : names) narrow.push_back(base::ToNarrow(name, base::kEncodingUtf8));
    return narrow;
  }

  static Picture Read(const std::string& name) { return Picture(name); }

 private:
  testing_support::InGameData data_;
};

class GameLayoutsTest : public InGameDataRoot, public ::testing::WithParamInterface<SpriteCase> {};
using GameImagesTest = InGameDataRoot;

TEST_P(GameLayoutsTest, EverySpriteHasItsGroupsAndEveryLayerShowsPixels) {
  const SpriteCase& c = GetParam();
  const auto layout = Open(c.layout);
  ASSERT_NE(layout, nullptr) << c.layout;
  std::vector<base::WString> top;
  ASSERT_EQ(layout->ListFolders(u"", top, false), QL_OK);
  EXPECT_NE(std::find(top.begin(), top.end(), base::ToWide(c.sprite, base::kEncodingUtf8)), top.end())
      << c.sprite << " is a top-level group, so the game makes a sprite of it";

  // Atlases are shared by many sprites and big: each is read once.
  static std::map<std::string, Picture> atlases;
  for (const Group& group : c.groups) {
    const std::vector<std::string> layers = LayersIn(*layout, group.path);
    if (group.layers < 0) {
      EXPECT_FALSE(layers.empty()) << group.path;
    } else {
      EXPECT_EQ(static_cast<int>(layers.size()), group.layers) << group.path;
    }
    for (const std::string& name : layers) {
      const base::ImageInfo* layer = layout->FindImageInfo(base::ToWide(name, base::kEncodingUtf8));
      ASSERT_NE(layer, nullptr) << name;
      ASSERT_TRUE(layer->inAtlas) << name;
      const std::string atlasPath = base::ToNarrow(layer->atlasPath, base::kEncodingUtf8);
      const Picture& atlas = atlases.try_emplace(atlasPath, atlasPath).first->second;
      ASSERT_GT(atlas.width, 0) << atlasPath << " cannot be read";
      const int x = static_cast<int>(layer->atlasRect.x * atlas.width + 0.5f);
      const int y = static_cast<int>(layer->atlasRect.y * atlas.height + 0.5f);
      const int w = static_cast<int>(layer->atlasRect.width * atlas.width + 0.5f);
      const int h = static_cast<int>(layer->atlasRect.height * atlas.height + 0.5f);
      EXPECT_EQ(w, static_cast<int>(layer->rect.width)) << name << ": drawn at the size it covers";
      EXPECT_EQ(h, static_cast<int>(layer->rect.height)) << name;
      ASSERT_TRUE(x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= atlas.width && y + h <= atlas.height) << name;
      EXPECT_TRUE(atlas.AnyVisible(x, y, w, h)) << name << " is empty";
    }
  }

  // Towers fire and aim beams from their markers mirrored about the middle of
  // the sprite's extent: the base point must sit there.
  const std::vector<std::string> bases = LayersIn(*layout, c.sprite + "/base_point");
  if (bases.empty()) return;
  std::vector<base::WString> all;
  ASSERT_EQ(layout->ListImages(base::ToWide(c.sprite, base::kEncodingUtf8), true, all, false), QL_OK);
  float right = 0;
  for (const base::WString& name : all) {
    const base::ImageInfo* layer = layout->FindImageInfo(name);
    right = std::max(right, layer->rect.x + layer->rect.width);
  }
  EXPECT_EQ(2 * layout->FindImageInfo(base::ToWide(bases.front(), base::kEncodingUtf8))->rect.x, right)
      << "twice the base point's x against the sprite's width";
}

INSTANTIATE_TEST_SUITE_P(Sprites, GameLayoutsTest, ::testing::ValuesIn(SpriteCases()),
                         [](const ::testing::TestParamInfo<SpriteCase>& info) { return info.param.sprite; });

TEST_F(GameImagesTest, TheInterfacePartsHaveEveryFrameTheGameLooksUp) {
  const auto parts = Open("kp/data/ui_parts");
  ASSERT_NE(parts, nullptr);
  std::vector<std::string> frames = {"brush", "power_buff", "lvl2", "lvl3", "sell", "buy", "context_money",
                                     "context_gem", "acid_01", "beam_01", "aoe_01", "burn_01", "dazed_01",
                                     "hammer_01", "money_01", "portal_01", "wing_01", "might_01", "might_02",
                                     "bar", "radius", "l1", "l2", "l3", "radius_boost", "power_boost", "immune",
                                     "money", "wave_hint"};
  for (int i = 1; i <= 12; ++i) frames.push_back((i < 10 ? "tower_0" : "tower_") + std::to_string(i));
  for (const std::string& frame : frames) {
    const base::ImageInfo* layer = parts->FindImageInfo(base::ToWide("ui/" + frame, base::kEncodingUtf8));
    EXPECT_NE(layer, nullptr) << "ui/" << frame;
  }
  const base::ImageInfo* radius = parts->FindImageInfo(u"ui/radius");
  ASSERT_NE(radius, nullptr);
  EXPECT_EQ(radius->rect.width, 336.0f) << "the range ring is scaled by r / 336";
  EXPECT_EQ(radius->rect.height, 336.0f);
  const base::ImageInfo* hint = parts->FindImageInfo(u"ui/wave_hint");
  ASSERT_NE(hint, nullptr);
  EXPECT_EQ(hint->rect.width, 48.0f);
  EXPECT_EQ(hint->rect.height, 48.0f);
  for (const char* spot : {"spots/s", "spots/g", "spots/p"})
    EXPECT_NE(parts->FindImageInfo(base::ToWide(spot, base::kEncodingUtf8)), nullptr) << spot;
}

TEST_F(GameImagesTest, PlainImagesExistWithPixelsAndSpellIconsPairWithTheirDimmedFaces) {
  for (const char* name : {"kp/data/loading.png", "kp/data/context/small_icons/income.png",
                           "kp/data/ui_parts/shadows/wywern_shadow.png", "kp/data/ui_parts/shadows/dragon_shadow.png",
                           "kp/data/ammo/ember_dart.png", "kp/data/ammo/cinder_ball.png"}) {
    const Picture picture = Read(name);
    ASSERT_GT(picture.width, 0) << name;
    EXPECT_TRUE(picture.AnyVisible(0, 0, picture.width, picture.height)) << name;
  }
  for (const char* spell : {"flare", "ember", "still", "mist", "hearth"}) {
    const std::string base = std::string("kp/data/spells/") + spell;
    const Picture icon = Read(base + "_icon.png");
    const Picture dim = Read(base + "_dim.png");
    ASSERT_GT(icon.width, 0) << spell;
    EXPECT_EQ(icon.width, dim.width) << spell;
    EXPECT_EQ(icon.height, dim.height) << spell;
    EXPECT_TRUE(dim.AnyVisible(0, 0, dim.width, dim.height)) << spell;
    EXPECT_NE(icon.rgba, dim.rgba) << spell << ": the recharging face differs";
  }
}

}  // namespace
