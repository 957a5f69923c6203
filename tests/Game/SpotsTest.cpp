#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "Core/Base/Log.h"
#include "Core/Base/SingletonRegistry.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/Image.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMapImages.h"
#include "Game/KpSpot.h"
#include "tests/Support/CaseNames.h"
#include "tests/Support/RecordingLogOutput.h"

namespace {

class SpotsTest : public ::testing::Test {
 protected:
  SpotsTest() {
    base::MainLog::Instance()->AddOutput(new testing_support::RecordingLogOutput(log_));
    pictures_ = {&plain_, &gold_, &premium_, &radius_, &power_, &income_};
  }
  ~SpotsTest() override { SingletonRegistry::Shutdown(); }

  int Read(const std::string& xml) {
    document_.Clear();
    EXPECT_EQ(document_.Parse(xml.c_str()), tinyxml2::XML_SUCCESS);
    return ReadSpots(document_.RootElement(), spots_);
  }

  int LogLinesWith(std::u16string_view text) const {
    return static_cast<int>(std::count_if(log_.begin(), log_.end(), [text](const base::WString& line) {
      return line.find(text) != base::WString::npos;
    }));
  }

  std::vector<base::WString> log_;
  tinyxml2::XMLDocument document_;
  KpSpotList spots_;
  render::Image plain_, gold_, premium_, radius_, power_, income_;
  SpotPictures pictures_;
};

TEST_F(SpotsTest, ASpotTakesItsPlaceFromAttributesAndItsPricesFromProperties) {
  ASSERT_EQ(Read(R"(<spots><spot x="190.5" y="330">
      <p name="type" value="1"/><p name="cost_gold" value="40.9"/><p name="cost_real" value="0"/>
      <p name="radius_mult" value="1.5"/></spot>
      <spot x="10" y="20"/></spots>)"),
            2);
  const KpSpot& gold = *spots_[0];
  EXPECT_EQ(gold.x, 190.5f);
  EXPECT_EQ(gold.y, 330.0f);
  EXPECT_EQ(gold.type, KpSpot::kGold);
  EXPECT_EQ(gold.costGold, 40) << "prices are truncated";
  EXPECT_EQ(gold.costReal, 0);
  EXPECT_FALSE(gold.open);
  EXPECT_EQ(gold.properties->getFloat("radius_mult"), 1.5f);
  const KpSpot& free = *spots_[1];
  EXPECT_TRUE(free.open) << "a spot without a price is open";
  EXPECT_EQ(free.type, KpSpot::kPlain);
}

TEST_F(SpotsTest, SpotsStartAtTheFirstSpotElementAndLaterSiblingsCount) {
  ASSERT_EQ(Read(R"(<spots><note x="1" y="1"/><spot x="2" y="2"/><other x="3" y="3"/></spots>)"), 2);
  EXPECT_EQ(spots_[0]->x, 2.0f);
  EXPECT_EQ(spots_[1]->x, 3.0f);
  EXPECT_EQ(ReadSpots(nullptr, spots_), 0);
  EXPECT_EQ(spots_.size(), 2u);
}

TEST_F(SpotsTest, BrokenSpotsAreLoggedAndReadAsFarAsTheyGo) {
  ASSERT_EQ(
      Read(R"(<spots><spot x="left"><p name="type" value="7"/><p name="cost_real" value="1e30"/></spot></spots>)"), 1);
  const KpSpot& spot = *spots_[0];
  EXPECT_EQ(spot.x, 0.0f);
  EXPECT_EQ(spot.y, 0.0f);
  EXPECT_EQ(spot.costReal, 2147483647) << "a price beyond the int range is clamped";
  EXPECT_EQ(LogLinesWith(u"'x' = 'left' is not a number"), 1);
  EXPECT_EQ(LogLinesWith(u"has no attribute 'y'"), 1);
  EXPECT_EQ(LogLinesWith(u"unknown type 7"), 1);
}

TEST_F(SpotsTest, SpotsBeyondTheBoundAreLeftOut) {
  std::string xml = "<spots>";
  for (int i = 0; i <= kMaxSpots; ++i) xml += "<spot x='1' y='1'/>";
  xml += "</spots>";
  EXPECT_EQ(Read(xml), kMaxSpots);
  EXPECT_EQ(static_cast<int>(spots_.size()), kMaxSpots);
  EXPECT_EQ(LogLinesWith(u"more than 10000 build spots"), 1);
}

// The spot's picture by its type, its price and whether the player bought
// it before.
struct PictureCase {
  const char* name;
  int type;
  int costGold;
  bool ownedBefore;
  int picture;  // 0 plain, 1 gold, 2 premium
  bool open;
};

void PrintTo(const PictureCase& c, std::ostream* out) { *out << c.name; }

class SpotPictureTest : public SpotsTest, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(SpotPictureTest, ShowsThePictureOfItsTypeUntilBought) {
  const PictureCase& c = GetParam();
  ASSERT_EQ(Read("<spots><spot x='100' y='50'><p name='type' value='" + std::to_string(c.type) +
                 "'/><p name='cost_gold' value='" + std::to_string(c.costGold) +
                 "'/><p name='radius_mult' value='1'/><p name='damage_mult' value='1'/>"
                 "<p name='income_mult' value='1'/></spot></spots>"),
            1);
  KpMapImages images(pictures_);
  std::vector<base::WString> asked;
  images.addSpots(spots_, [&](const base::WString& name) {
    asked.push_back(name);
    return c.ownedBefore;
  });
  ASSERT_EQ(images.spotFrames().size(), 1u);
  const KpFrameEntry& entry = *images.spotFrames()[0];
  const render::Image* pictures[] = {&plain_, &gold_, &premium_};
  EXPECT_EQ(entry.image, pictures[c.picture]);
  EXPECT_EQ(spots_[0]->open, c.open);
  EXPECT_EQ(asked, (std::vector<base::WString>{u"#0"}));
}

INSTANTIATE_TEST_SUITE_P(Cases, SpotPictureTest,
                         ::testing::Values(PictureCase{"Plain", 0, 0, false, 0, true},
                                           PictureCase{"GoldNotBought", 1, 40, false, 1, false},
                                           PictureCase{"PremiumNotBought", 2, 40, false, 2, false},
                                           PictureCase{"PremiumBoughtBefore", 2, 40, true, 0, true},
                                           PictureCase{"GoldBoughtBefore", 1, 40, true, 0, true},
                                           PictureCase{"FreeGoldTypeKeepsItsPicture", 1, 0, false, 1, true},
                                           PictureCase{"UnknownTypeIsPlain", 5, 0, false, 0, true}),
                         testing_support::RowName());

// Which properties show markers, and where the markers stand under a spot
// centred at x 100 (its picture has no size here, so its centre is its
// corner).
struct MarkerCase {
  const char* name;
  const char* properties;
  std::vector<int> markerX;
  std::vector<int> pictures;  // 0 radius, 1 power, 2 income
};

void PrintTo(const MarkerCase& c, std::ostream* out) { *out << c.name; }

class SpotMarkerTest : public SpotsTest, public ::testing::WithParamInterface<MarkerCase> {};

TEST_P(SpotMarkerTest, MarkersStandInACentredRowUnderTheSpot) {
  const MarkerCase& c = GetParam();
  ASSERT_EQ(Read(std::string("<spots><spot x='100' y='50'>") + c.properties + "</spot></spots>"), 1);
  KpMapImages images(pictures_);
  images.addSpots(spots_, [](const base::WString&) { return false; });
  const std::vector<KpFrameEntry*>& markers = spots_[0]->markers;
  ASSERT_EQ(markers.size(), c.markerX.size());
  const render::Image* pictures[] = {&radius_, &power_, &income_};
  for (std::size_t i = 0; i < markers.size(); ++i) {
    EXPECT_EQ(markers[i]->x, static_cast<float>(c.markerX[i])) << i;
    EXPECT_EQ(markers[i]->y, 75.0f) << "25 under the spot's centre";
    EXPECT_EQ(markers[i]->bottom, 105.0f);
    EXPECT_EQ(markers[i]->image, pictures[c.pictures[i]]) << i;
    EXPECT_EQ(markers[i]->name, u"##");
    EXPECT_FALSE(markers[i]->ownsImage);
  }
  EXPECT_EQ(images.frames().size(), 1 + markers.size()) << "the spot and its markers are drawn";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpotMarkerTest,
    ::testing::Values(
        MarkerCase{
            "AllOneShowsNone",
            "<p name='radius_mult' value='1'/><p name='damage_mult' value='1'/><p name='income_mult' value='1'/>",
            {},
            {}},
        MarkerCase{"NoPropertiesShowAllThree", "", {67, 100, 133}, {0, 1, 2}},
        MarkerCase{"TwoMarkersAre33Apart",
                   "<p name='radius_mult' value='1.5'/><p name='damage_mult' value='1'/>"
                   "<p name='income_mult' value='2'/>",
                   {83, 116},
                   {0, 2}},
        MarkerCase{"MissingDamageShowsPower",
                   "<p name='radius_mult' value='1'/><p name='income_mult' value='1'/>",
                   {100},
                   {1}},
        MarkerCase{"AlmostOneStillShows",
                   "<p name='radius_mult' value='1.0001'/><p name='damage_mult' value='1'/>"
                   "<p name='income_mult' value='1'/>",
                   {100},
                   {0}}),
    testing_support::RowName());

TEST_F(SpotsTest, SpotEntriesAreNamedByIndexAndComeBeforeTheLayers) {
  ASSERT_EQ(Read("<spots><spot x='10' y='10'/><spot x='300' y='300'/></spots>"), 2);
  KpMapImages images(pictures_);
  images.addSpots(spots_, [](const base::WString&) { return false; });
  images.sortFrames();
  ASSERT_EQ(images.spotFrames().size(), 2u);
  EXPECT_EQ(images.spotFrames()[0]->name, u"#0");
  EXPECT_EQ(images.spotFrames()[1]->name, u"#1");
  EXPECT_EQ(images.spotFrames()[1]->spot, spots_[1].get());
  EXPECT_EQ(images.spotFrames()[1]->z, -1);
  EXPECT_FALSE(images.spotFrames()[1]->ownsImage);
}

// A point within 40 of a visible spot's centre hits it; a spot under a tower
// is never hit.
TEST_F(SpotsTest, SpotAtFindsTheFirstVisibleSpotWithin40) {
  ASSERT_EQ(Read("<spots><spot x='100' y='100'/><spot x='110' y='100'/><spot x='400' y='400'/></spots>"), 3);
  KpMapImages images(pictures_);
  images.addSpots(spots_, [](const base::WString&) { return false; });
  const std::vector<KpFrameEntry*>& spots = images.spotFrames();
  EXPECT_EQ(images.spotAt(100, 140), spots[0]) << "exactly 40 away";
  EXPECT_EQ(images.spotAt(100, 141), nullptr);
  EXPECT_EQ(images.spotAt(124, 132), spots[0]) << "24, 32 away: 40";
  EXPECT_EQ(images.spotAt(400, 400), spots[2]);
  spots[0]->visible = false;
  EXPECT_EQ(images.spotAt(100, 100), spots[1]);
  images.showAll();
  EXPECT_EQ(images.spotAt(100, 100), spots[0]);
}

}  // namespace
