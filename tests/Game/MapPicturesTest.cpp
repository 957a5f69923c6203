// The campaign's map pictures, opened and drawn as a level shows them: every
// level names a layout that the game's file system opens (a layer folder or a
// PSD document) with a background over the whole window, scenery in front of
// units that keeps clear of the roads and the build spots, and the points of
// the episode's ambient effect.

#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "Core/Base/NumberText.h"
#include "Core/Base/TextConversion.h"
#include "Core/File/FileManager.h"
#include "Core/File/ImageContainer.h"
#include "Core/Render/Image.h"
#include "Framework/GameApplication.h"
#include "tests/Game/GameDrawFixture.h"
#include "tests/Support/GameDataRoot.h"
#include "tests/Support/SavePng.h"

namespace {

using framework_test::Picture;
using framework_test::TestGame;

constexpr int kWindowWidth = 1366;
constexpr int kWindowHeight = 768;
constexpr float kMapLeft = -171.0f;
// Units walk the middle of a road about this wide.
constexpr double kRoadHalfWidth = 32;

struct Point {
  double x = 0, y = 0;
};

struct Spot {
  Point at;
  int type = 0;
};

// What the pictures are checked against: the level file as the game reads it.
struct Level {
  std::string layout;
  std::vector<Point> road;  // the links' curves, every few units
  std::vector<Spot> spots;
};

double Number(const tinyxml2::XMLElement& element, const char* name) {
  const char* text = element.Attribute(name);
  return text ? base::LeadingFloat(text).value_or(0.0f) : 0.0;
}

int SpotType(const tinyxml2::XMLElement& spot) {
  for (const tinyxml2::XMLElement* p = spot.FirstChildElement("p"); p; p = p->NextSiblingElement("p"))
    if (p->Attribute("name", "type")) return static_cast<int>(Number(*p, "value"));
  return 0;
}

Level ReadLevel(const std::filesystem::path& file) {
  Level level;
  tinyxml2::XMLDocument document;
  EXPECT_EQ(document.LoadFile(file.c_str()), tinyxml2::XML_SUCCESS) << file;
  const tinyxml2::XMLElement* map = document.FirstChildElement("map");
  if (!map) return level;
  const tinyxml2::XMLElement* li = map->FirstChildElement("li");
  const std::string image = li && li->GetText() ? li->GetText() : "";
  level.layout = image.substr(0, image.rfind('/'));
  std::vector<std::pair<int, Point>> points;
  for (const tinyxml2::XMLElement* p = map->FirstChildElement("points")->FirstChildElement(); p;
       p = p->NextSiblingElement())
    points.emplace_back(static_cast<int>(Number(*p, "id")), Point{Number(*p, "x"), Number(*p, "y")});
  auto find = [&](int id) {
    for (const auto& [key, at] : points)
      if (key == id) return at;
    ADD_FAILURE() << "no point " << id;
    return Point{};
  };
  for (const tinyxml2::XMLElement* l = map->FirstChildElement("links")->FirstChildElement(); l;
       l = l->NextSiblingElement()) {
    const Point s = find(static_cast<int>(Number(*l, "sid"))), e = find(static_cast<int>(Number(*l, "eid")));
    const Point a{Number(*l, "anchor_x"), Number(*l, "anchor_y")};
    for (int i = 0; i <= 200; ++i) {
      const double t = i / 200.0, u = 1 - t;
      level.road.push_back({u * u * s.x + 2 * t * u * a.x + t * t * e.x, u * u * s.y + 2 * t * u * a.y + t * t * e.y});
    }
  }
  for (const tinyxml2::XMLElement* s = map->FirstChildElement("spots")->FirstChildElement(); s;
       s = s->NextSiblingElement())
    level.spots.push_back({{Number(*s, "x"), Number(*s, "y")}, SpotType(*s)});
  return level;
}

double Nearest(const std::vector<Point>& points, double x, double y) {
  double best = std::numeric_limits<double>::max();
  for (const Point& p : points) best = std::min(best, std::hypot(p.x - x, p.y - y));
  return best;
}

std::vector<Point> SpotCentres(const Level& level) {
  std::vector<Point> centres;
  for (const Spot& spot : level.spots) centres.push_back(spot.at);
  return centres;
}

std::string Narrow(const base::WString& text) { return base::ToNarrow(text, base::kEncodingUtf8); }
base::WString Wide(const std::string& text) { return base::ToWide(text, base::kEncodingUtf8); }

std::unique_ptr<file::ImageContainer> OpenLayout(const std::string& path) {
  return std::unique_ptr<file::ImageContainer>(file::FileManager::Instance()->OpenImageContainer(Wide(path)));
}

std::vector<std::string> LayersIn(file::ImageContainer& layout, const std::string& group) {
  std::vector<base::WString> names;
  EXPECT_EQ(layout.ListImages(Wide(group), false, names, false), QL_OK);
  std::vector<std::string> narrow;
  for (const base::WString& name : names) narrow.push_back(Narrow(name));
  return narrow;
}

// Every level file of both modes, by its folder and name.
std::vector<std::string> LevelFiles() {
  std::vector<std::string> files;
  for (const char* folder : {"levels_normal", "levels_hardcore"})
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(LF_GAME_DATA_ROOT) / "kp" / folder))
      files.push_back(std::string(folder) + "/" + entry.path().filename().string());
  std::sort(files.begin(), files.end());
  return files;
}


class MapLayoutTest : public ::testing::TestWithParam<std::string>, protected testing_support::InGameData {};

TEST_P(MapLayoutTest, TheLevelsMapOpensWithItsBackgroundSceneryAndEffectPoints) {
  const Level level = ReadLevel(std::filesystem::path("kp") / GetParam());
  ASSERT_FALSE(level.layout.empty());
  const auto layout = OpenLayout(level.layout);
  ASSERT_NE(layout, nullptr) << level.layout;

  const base::ImageInfo* background = layout->FindImageInfo(u"background");
  ASSERT_NE(background, nullptr) << level.layout;
  EXPECT_EQ(background->rect.x, kMapLeft) << "the picture covers the window on both sides of the design area";
  EXPECT_EQ(background->rect.y, 0.0f);
  EXPECT_EQ(background->rect.width, static_cast<float>(kWindowWidth));
  EXPECT_EQ(background->rect.height, static_cast<float>(kWindowHeight));

  // Scenery is drawn over every unit and tower: none may stand on a road or a
  // spot, nor in the room above them where their bodies are drawn.
  constexpr double kBodyHeight = 90;
  const std::vector<Point> spots = SpotCentres(level);
  int scenery = 0;
  for (const std::string& name : LayersIn(*layout, "")) {
    if (name.front() != '^') continue;
    ++scenery;
    const math::Rect& r = layout->FindImageInfo(Wide(name))->rect;
    for (int i = 0; i <= 4; ++i) {
      for (int j = 0; j <= 4; ++j) {
        const double x = r.x + r.width * i / 4, y = r.y + (r.height + kBodyHeight) * j / 4;
        ASSERT_GE(Nearest(level.road, x, y), kRoadHalfWidth) << name << " covers a road at " << x << ", " << y;
        ASSERT_GE(Nearest(spots, x, y), 40.0) << name << " covers a spot at " << x << ", " << y;
      }
    }
  }
  EXPECT_GE(scenery, 5) << "reeds, rocks and lanterns stand about the map";

  const std::vector<std::string> effects = LayersIn(*layout, "fx");
  EXPECT_GE(effects.size(), 3u);
  EXPECT_LE(effects.size(), 5u);
  for (const std::string& name : effects) {
    const math::Rect& r = layout->FindImageInfo(Wide(name))->rect;
    EXPECT_TRUE(r.x >= kMapLeft && r.x < kMapLeft + kWindowWidth && r.y >= 0 && r.y < kWindowHeight) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Levels, MapLayoutTest, ::testing::ValuesIn(LevelFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param.substr(0, info.param.rfind('.'));
                           std::replace(name.begin(), name.end(), '/', '_');
                           return name;
                         });

// Two maps, one of each episode and one of each kind of layout, drawn as the
// level shows them and kept as PNG pictures beside the tests.
struct DrawnMap {
  const char* level;
  const char* picture;
};

void PrintTo(const DrawnMap& map, std::ostream* out) { *out << map.level; }

class MapDrawTest : public framework_test::GameDrawFixture, public ::testing::WithParamInterface<DrawnMap> {};

TEST_P(MapDrawTest, TheMapIsDrawnOverTheWholeWindowWithItsSpots) {
  const std::filesystem::path root = LF_GAME_DATA_ROOT;
  const Level level = ReadLevel(root / "kp" / GetParam().level);
  TestGame& game = Start(Wide(root.string()));
  const auto layout = OpenLayout(level.layout);
  const auto parts = OpenLayout("kp/data/ui_parts");
  ASSERT_TRUE(layout && parts);

  // The level's own layers, the ordinary ones under the spots, the '^' ones
  // over them, as the map orders them; the spots by their type.
  struct Placed {
    std::unique_ptr<render::Image> image;
    math::Rect rect;
  };
  std::vector<Placed> ground, front, spots;
  for (const std::string& name : LayersIn(*layout, "")) {
    Placed placed{framework::GameApplication::Instance()->CreateImage(Wide(name), layout.get()),
                  layout->FindImageInfo(Wide(name))->rect};
    ASSERT_NE(placed.image, nullptr) << name;
    EXPECT_EQ(placed.image->GetWidth(), static_cast<int>(placed.rect.width)) << name;
    (name.front() == '^' ? front : ground).push_back(std::move(placed));
  }
  std::reverse(ground.begin(), ground.end());
  for (const Spot& spot : level.spots) {
    const char16_t* kinds[] = {u"spots/s", u"spots/g", u"spots/p"};
    auto image = framework::GameApplication::Instance()->CreateImage(kinds[std::clamp(spot.type, 0, 2)], parts.get());
    ASSERT_NE(image, nullptr);
    const float w = static_cast<float>(image->GetWidth()), h = static_cast<float>(image->GetHeight());
    spots.push_back({std::move(image), {std::trunc(static_cast<float>(spot.at.x) - w / 2),
                                        std::trunc(static_cast<float>(spot.at.y) - h / 2), w, h}});
  }
  auto paint = [](render::Graphics* graphics, const std::vector<Placed>& layers) {
    for (const Placed& layer : layers) graphics->DrawImageTo(layer.image.get(), layer.rect);
  };
  const platform::PixelRect window{0, 0, kWindowWidth, kWindowHeight};
  const Picture bare = Draw(game, [&](render::Graphics* graphics) { paint(graphics, ground); }, window);
  const Picture full = Draw(game, [&](render::Graphics* graphics) {
    paint(graphics, ground);
    paint(graphics, spots);
    paint(graphics, front);
  }, window);
  ASSERT_EQ(full.size(), static_cast<std::size_t>(kWindowWidth) * kWindowHeight);
  EXPECT_TRUE(testing_support::SavePng(testFolder_ / GetParam().picture, full, kWindowWidth, kWindowHeight));

  // Nothing of the window is left undrawn, and the ground is not one flat
  // colour.
  std::set<std::uint32_t> colours(bare.begin(), bare.end());
  EXPECT_EQ(colours.count(framework_test::kBackground), 0u) << "the background reaches every pixel";
  EXPECT_GT(colours.size(), 1000u);
  // Each spot's plinth stands where the level puts the spot.
  for (const Spot& spot : level.spots) {
    const auto at = static_cast<std::size_t>(spot.at.y + 4) * kWindowWidth + static_cast<std::size_t>(spot.at.x - kMapLeft);
    EXPECT_NE(full[at], bare[at]) << "spot at " << spot.at.x << ", " << spot.at.y;
  }
}

INSTANTIATE_TEST_SUITE_P(Maps, MapDrawTest,
                         ::testing::Values(DrawnMap{"levels_normal/level_01_01.xml", "map_e1_l1.png"},
                                           DrawnMap{"levels_normal/level_02_05.xml", "map_e2_l5.png"}),
                         [](const ::testing::TestParamInfo<DrawnMap>& info) {
                           return std::string(info.param.picture).substr(4, 5);
                         });

}  // namespace
