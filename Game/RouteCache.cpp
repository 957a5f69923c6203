#include "Game/RouteCache.h"

#include <bit>

#include "Core/Base/LittleEndian.h"
#include "Core/Base/MemoryStream.h"

namespace {

constexpr std::uint32_t kLaneValueBytes = 8;
constexpr std::uint32_t kLaneHeaderBytes = 8;
constexpr std::uint32_t kPointBytes = 20;

// Reads the fields of one cache in order and remembers the first failure.
class CacheReader {
 public:
  explicit CacheReader(const std::vector<std::uint8_t>& bytes)
      : stream_(bytes.data(), static_cast<std::uint32_t>(bytes.size())) {}

  bool u32(std::uint32_t& value, const char* what) {
    if (base::ReadU32(stream_, value)) return true;
    return fail(std::string("it ends inside ") + what);
  }
  bool i32(std::int32_t& value, const char* what) {
    std::uint32_t raw = 0;
    if (!u32(raw, what)) return false;
    value = std::bit_cast<std::int32_t>(raw);
    return true;
  }
  bool f32(float& value, const char* what) {
    std::uint32_t raw = 0;
    if (!u32(raw, what)) return false;
    value = std::bit_cast<float>(raw);
    return true;
  }
  // A count is believed only when the bytes it needs are there, so a damaged
  // count never makes a huge allocation.
  bool count(std::uint32_t& value, std::uint32_t bytesEach, const char* what) {
    if (!u32(value, what)) return false;
    const std::uint64_t needed = static_cast<std::uint64_t>(value) * bytesEach;
    if (needed <= remaining()) return true;
    return fail(std::string("it is shorter than its count of ") + what);
  }
  bool fail(std::string why) {
    problem = std::move(why);
    return false;
  }

  std::string problem;

 private:
  std::uint64_t remaining() { return stream_.GetSize() - stream_.GetPosition(); }

  base::MemoryStream stream_;
};

bool ReadLane(CacheReader& reader, RouteCacheLane& lane) {
  std::uint32_t pointCount = 0;
  if (!reader.i32(lane.key, "a lane key") || !reader.count(pointCount, kPointBytes, "points")) return false;
  lane.points.resize(pointCount);
  for (RoutePoint& point : lane.points) {
    if (!reader.u32(point.spare, "a point") || !reader.f32(point.normalX, "a point") ||
        !reader.f32(point.normalY, "a point") || !reader.f32(point.x, "a point") || !reader.f32(point.y, "a point"))
      return false;
  }
  return true;
}

bool ReadRecord(CacheReader& reader, std::size_t linkCount, RouteCacheRecord& record) {
  if (!reader.u32(record.linkIndex, "a link index")) return false;
  if (record.linkIndex >= linkCount)
    return reader.fail("it names link " + std::to_string(record.linkIndex) + " of " + std::to_string(linkCount));
  std::uint32_t valueCount = 0;
  if (!reader.count(valueCount, kLaneValueBytes, "lane values")) return false;
  record.laneValues.resize(valueCount);
  for (auto& [key, value] : record.laneValues)
    if (!reader.i32(key, "a lane value") || !reader.f32(value, "a lane value")) return false;
  std::uint32_t laneCount = 0;
  if (!reader.count(laneCount, kLaneHeaderBytes, "lanes")) return false;
  record.lanes.resize(laneCount);
  for (RouteCacheLane& lane : record.lanes)
    if (!ReadLane(reader, lane)) return false;
  return true;
}

void AppendI32(std::vector<std::uint8_t>& bytes, std::int32_t value) {
  base::AppendU32(bytes, std::bit_cast<std::uint32_t>(value));
}

void AppendF32(std::vector<std::uint8_t>& bytes, float value) {
  base::AppendU32(bytes, std::bit_cast<std::uint32_t>(value));
}

}  // namespace

bool ParseRouteCache(const std::vector<std::uint8_t>& bytes, std::size_t linkCount,
                     std::vector<RouteCacheRecord>& records, std::string& problem) {
  records.clear();
  CacheReader reader(bytes);
  // The smallest record is a link index and two empty counts.
  constexpr std::uint32_t kSmallestRecordBytes = 12;
  std::uint32_t recordCount = 0;
  bool read = reader.count(recordCount, kSmallestRecordBytes, "link records");
  // The game writes one record per link; many more only cost memory.
  if (read && recordCount > linkCount)
    read = reader.fail(std::to_string(recordCount) + " records for " + std::to_string(linkCount) + " links");
  if (read) records.resize(recordCount);
  for (std::size_t i = 0; read && i < records.size(); ++i) read = ReadRecord(reader, linkCount, records[i]);
  if (read) return true;
  records.clear();
  problem = reader.problem;
  return false;
}

std::vector<std::uint8_t> RouteCacheBytes(const std::vector<RouteCacheRecord>& records) {
  std::vector<std::uint8_t> bytes;
  base::AppendU32(bytes, static_cast<std::uint32_t>(records.size()));
  for (const RouteCacheRecord& record : records) {
    base::AppendU32(bytes, record.linkIndex);
    base::AppendU32(bytes, static_cast<std::uint32_t>(record.laneValues.size()));
    for (const auto& [key, value] : record.laneValues) {
      AppendI32(bytes, key);
      AppendF32(bytes, value);
    }
    base::AppendU32(bytes, static_cast<std::uint32_t>(record.lanes.size()));
    for (const RouteCacheLane& lane : record.lanes) {
      AppendI32(bytes, lane.key);
      base::AppendU32(bytes, static_cast<std::uint32_t>(lane.points.size()));
      for (const RoutePoint& point : lane.points) {
        base::AppendU32(bytes, point.spare);
        AppendF32(bytes, point.normalX);
        AppendF32(bytes, point.normalY);
        AppendF32(bytes, point.x);
        AppendF32(bytes, point.y);
      }
    }
  }
  return bytes;
}
