#include "Game/KpRouteBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <map>
#include <string>
#include <vector>

#include "Game/RouteMap.h"
#include "tests/Game/RouteTestMaps.h"
#include "tests/Support/DataRoot.h"

namespace {

using route_test::Goal;
using route_test::Link;
using route_test::Point;
using route_test::Spawn;

const base::WString kCachePath = u"kp/levels_normal/level_01_01.cache";

class FixedWaveLanes : public WaveLanes {
 public:
  explicit FixedWaveLanes(std::map<int, std::vector<int>> lanes) : lanes_(std::move(lanes)) {}
  std::vector<int> laneKeysFrom(int spawnPointId) const override {
    const auto found = lanes_.find(spawnPointId);
    return found == lanes_.end() ? std::vector<int>{} : found->second;
  }

 private:
  std::map<int, std::vector<int>> lanes_;
};

std::string Bytes(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

class RouteBuilderTest : public route_test::LoggingTest {
 protected:
  // Spawn 1 walks links 0 and 1 to the goal 4; spawn 5 joins through link 2,
  // which is written from point 2 to point 5, against the way it is walked.
  RouteBuilderTest() {
    route_test::LoadMap(map_,
                        Point(1, 0, 0, Spawn()) + Point(2, 100, 0) + Point(4, 200, 0, Goal()) +
                            Point(5, 100, 100, Spawn()) + Point(6, 300, 300),
                        Link(1, 2, 50, 0) + Link(2, 4, 150, 0) + Link(2, 5, 100, 50) + Link(4, 6, 250, 250));
  }

  const KpLink* link(std::size_t index) const { return map_.links()[index]; }

  std::string storeBytes(const KpRouteBuilder& builder) const {
    return Bytes(RouteCacheBytes(builder.cacheRecords(map_)));
  }

  testing_support::DataRoot root_;
  RouteMap map_;
  FixedWaveLanes waves_{{{1, {-20, 0, 0, 20}}, {5, {0}}}};
};

TEST_F(RouteBuilderTest, SamplesEveryWalkedLinkOnceForEachLane) {
  KpRouteBuilder builder;
  builder.build(map_, waves_, kCachePath);

  const auto& entries = builder.entries();
  ASSERT_EQ(entries.size(), 3u) << "link 3 leads away from the goal";
  const std::vector<std::pair<const KpLink*, std::vector<int>>> expected = {
      {link(0), {-20, 0, 20}}, {link(1), {-20, 0, 20}}, {link(2), {0}}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(entries[i]->link, expected[i].first);
    std::vector<int> keys;
    for (const auto& [key, route] : entries[i]->lanes) {
      keys.push_back(key);
      EXPECT_EQ(route.size(), static_cast<std::size_t>(KpRouteBuilder::kSamplesPerLink));
    }
    EXPECT_EQ(keys, expected[i].second);
  }

  LaneRoute route;
  builder.getRoute(link(0), 20, route);
  ASSERT_FALSE(route.empty());
  EXPECT_FLOAT_EQ(route.front()->y, 20.0f) << "the lane lies beside the link";
  builder.getRoute(link(2), 0, route);
  EXPECT_FLOAT_EQ(route.front()->x, 100.0f);
  EXPECT_FLOAT_EQ(route.front()->y, 0.0f) << "a lane runs from the link's start point";

  const LaneRoute before = route;
  builder.getRoute(link(2), 20, route);
  builder.getRoute(link(3), 0, route);
  EXPECT_EQ(route, before) << "a lane the store lacks leaves the list alone";
  EXPECT_FALSE(Logged(u"Route cache")) << "a level without a cache is no error";
}

TEST_F(RouteBuilderTest, ALevelWithoutGoalBuildsNothing) {
  RouteMap map;
  route_test::LoadMap(map, Point(1, 0, 0, Spawn()) + Point(2, 100, 0), Link(1, 2, 50, 0));
  KpRouteBuilder builder;
  builder.build(map, waves_, kCachePath);
  EXPECT_TRUE(builder.entries().empty());
  EXPECT_TRUE(Logged(u"no goal point"));
}

TEST_F(RouteBuilderTest, TheCacheGivesBackTheStoreFieldByField) {
  KpRouteBuilder computed;
  computed.build(map_, waves_, kCachePath);
  std::vector<RouteCacheRecord> records = computed.cacheRecords(map_);
  records[1].laneValues = {{-20, 0.5f}, {20, -1.0f}};
  records[2].lanes[0].points[3].spare = 0xA1B2C3D4u;
  const std::vector<std::uint8_t> bytes = RouteCacheBytes(records);
  root_.WriteFile("kp/levels_normal/level_01_01.cache", Bytes(bytes) + "trailing bytes are not read");

  KpRouteBuilder cached;
  cached.build(map_, FixedWaveLanes({}), kCachePath);
  EXPECT_EQ(storeBytes(cached), Bytes(bytes));
  EXPECT_FLOAT_EQ(cached.entries()[1]->laneValues.at(20), -1.0f);
  EXPECT_FALSE(Logged(u"damaged"));
}

TEST_F(RouteBuilderTest, TheFirstCacheRecordOfALinkCounts) {
  RouteCacheRecord first;
  first.lanes.push_back({0, {RoutePoint{0, 1, 11, 0, 0}}});
  RouteCacheRecord second = first;
  second.lanes[0].points[0].x = 22;
  root_.WriteFile("kp/levels_normal/level_01_01.cache", Bytes(RouteCacheBytes({first, second})));

  KpRouteBuilder builder;
  builder.build(map_, waves_, kCachePath);
  // Both records of the link are kept; the lanes the waves walk and the
  // cache lacks are computed beside them.
  ASSERT_EQ(std::count_if(builder.entries().begin(), builder.entries().end(),
                          [this](const auto& entry) { return entry->link == link(0); }),
            2);
  LaneRoute route;
  builder.getRoute(link(0), 0, route);
  ASSERT_EQ(route.size(), 1u);
  EXPECT_FLOAT_EQ(route[0]->x, 11.0f);
  LaneRoute missing;
  builder.getRoute(link(1), -20, missing);
  EXPECT_FALSE(missing.empty()) << "a lane the cache lacks is computed";
}

// Entries of a level file may name any lane: each is a sampled copy of every
// link on the way, so their number is bounded, and repeats cost nothing.
TEST_F(RouteBuilderTest, LanesAreSampledOnceEachAndBounded) {
  std::vector<int> lanes;
  for (int lane = 0; lane < 1000; ++lane) lanes.push_back(lane % 100);
  KpRouteBuilder builder;
  builder.build(map_, FixedWaveLanes({{1, lanes}}), kCachePath);
  for (const auto& entry : builder.entries()) EXPECT_EQ(entry->lanes.size(), 64u);
  EXPECT_TRUE(Logged(u"more than 64 lanes"));
}

// A cache cut anywhere, or one whose counts or link index lie, is logged and
// the routes are computed as if there were none.
TEST_F(RouteBuilderTest, ADamagedCacheIsRebuilt) {
  RouteMap map;
  route_test::LoadMap(map, Point(1, 0, 0, Spawn()) + Point(2, 100, 0, Goal()), Link(1, 2, 50, 0));
  const FixedWaveLanes waves(std::map<int, std::vector<int>>{{1, {0}}});
  KpRouteBuilder computed;
  computed.build(map, waves, kCachePath);
  const std::string expected = Bytes(RouteCacheBytes(computed.cacheRecords(map)));

  RouteCacheRecord record;
  record.laneValues = {{0, 1.0f}};
  record.lanes.push_back({0, {RoutePoint{0, 1, 5, 6, 7}, RoutePoint{0, 1, 8, 9, 10}}});
  const std::vector<std::uint8_t> whole = RouteCacheBytes({record});
  std::vector<std::string> damaged;
  for (std::size_t cut = 0; cut < whole.size(); ++cut) damaged.push_back(Bytes(whole).substr(0, cut));
  std::vector<std::uint8_t> badIndex = whole;
  badIndex[4] = 1;
  damaged.push_back(Bytes(badIndex));
  std::vector<std::uint8_t> hugeCount = whole;
  for (std::size_t i = 28; i < 32; ++i) hugeCount[i] = 0xFF;
  damaged.push_back(Bytes(hugeCount));
  damaged.push_back(Bytes(RouteCacheBytes({record, record})));  // more records than the level has links

  for (std::size_t i = 0; i < damaged.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "damaged cache " << i << " of " << damaged.size());
    root_.WriteFile("kp/levels_normal/level_01_01.cache", damaged[i]);
    log_.clear();
    KpRouteBuilder builder;
    builder.build(map, waves, kCachePath);
    EXPECT_TRUE(Logged(u"is damaged"));
    ASSERT_EQ(Bytes(RouteCacheBytes(builder.cacheRecords(map))), expected);
  }
}

}  // namespace
