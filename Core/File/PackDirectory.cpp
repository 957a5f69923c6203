#include "Core/File/PackDirectory.h"

#include <vector>

#include "Core/Base/LittleEndian.h"
#include "Core/Base/LogMessage.h"
#include "Core/Base/Stream.h"

namespace file {

namespace {

// Name length, size, offset, flags and reserved.
constexpr std::uint64_t kFixedEntryBytes = 4 + 4 + 4 + 1 + 4;

QLResultEnum Corrupt(const char16_t* what) {
  QL_LOG(u"Pack file is damaged: %s\n").AddArg(base::WString(what));
  return QL_FAIL;
}

bool ReadTag(base::Stream& stream) {
  std::uint32_t length = 0;
  if (!base::ReadU32(stream, length) || length != kPackTag.size()) return false;
  char tag[kPackTag.size()];
  return stream.Read(tag, length) == length && std::string_view(tag, length) == kPackTag;
}

}  // namespace

QLResultEnum PackDirectory::Read(base::Stream& stream) {
  const std::uint64_t packSize = stream.GetSize();
  if (!ReadTag(stream)) return Corrupt(u"not a pack");

  std::uint32_t count = 0;
  if (!base::ReadU32(stream, count)) return Corrupt(u"no entry count");
  std::vector<std::uint8_t> units;
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint32_t length = 0;
    if (!base::ReadU32(stream, length)) return Corrupt(u"truncated directory");
    const std::uint64_t position = stream.Seek(0, base::kSeekCurrent);
    if (position > packSize || 2ull * length + kFixedEntryBytes - 4 > packSize - position)
      return Corrupt(u"name longer than the pack");

    // The name is read at once and put together unit by unit, whatever the
    // machine's own byte order.
    units.resize(2 * std::size_t{length});
    if (stream.Read(units.data(), 2 * length) != 2 * length) return Corrupt(u"truncated name");
    base::WString name(length, u'\0');
    for (std::uint32_t unit = 0; unit < length; ++unit)
      name[unit] = static_cast<char16_t>(units[2 * unit] | units[2 * unit + 1] << 8);
    PackEntry entry;
    if (!base::ReadU32(stream, entry.size) || !base::ReadU32(stream, entry.offset) ||
        !base::ReadU8(stream, entry.flags) || !base::ReadU32(stream, entry.reserved))
      return Corrupt(u"truncated entry");
    if (std::uint64_t{entry.offset} + entry.size > packSize) return Corrupt(u"file beyond the end of the pack");
    entries.emplace(std::move(name), entry);
  }
  return QL_OK;
}

QLResultEnum PackDirectory::Write(base::Stream& stream) const {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(GetByteSize());
  base::AppendU32(bytes, static_cast<std::uint32_t>(kPackTag.size()));
  bytes.insert(bytes.end(), kPackTag.begin(), kPackTag.end());
  base::AppendU32(bytes, static_cast<std::uint32_t>(entries.size()));
  for (const auto& [name, entry] : entries) {
    base::AppendU32(bytes, static_cast<std::uint32_t>(name.size()));
    for (const char16_t unit : name) base::AppendU16(bytes, unit);
    base::AppendU32(bytes, entry.size);
    base::AppendU32(bytes, entry.offset);
    base::AppendU8(bytes, entry.flags);
    base::AppendU32(bytes, entry.reserved);
  }
  if (bytes.size() > 0xFFFFFFFFu) return QL_FAIL;
  const auto size = static_cast<std::uint32_t>(bytes.size());
  return stream.Write(bytes.data(), size) == size ? QL_OK : QL_FAIL;
}

std::uint64_t PackDirectory::GetByteSize() const {
  std::uint64_t size = 4 + kPackTag.size() + 4;
  for (const auto& [name, entry] : entries) size += 2 * name.size() + kFixedEntryBytes;
  return size;
}

}  // namespace file
