// libFuzzer entry for pack files: the input is mounted as a pack, every file
// its directory names is read to its end, and the directory writes back to
// one that reads the same.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "Core/Base/MemoryStream.h"
#include "Core/Base/Stream.h"
#include "Core/File/Archiver.h"
#include "Core/File/FileManager.h"
#include "tests/Support/FuzzCheck.h"
#include "tests/Support/FuzzDataRoot.h"

namespace {

using fuzz_support::Check;

std::uint32_t ReadToEnd(base::Stream& stream) {
  std::vector<std::uint8_t> buffer(4096);
  std::uint32_t total = 0;
  while (const std::uint32_t read = stream.Read(buffer.data(), static_cast<std::uint32_t>(buffer.size()))) {
    total += read;
  }
  return total;
}

// Entries with one name count once, so the directory written back is never
// longer than the one read; padded to the pack's size, its files still fit.
void CheckRewrite(const file::PackDirectory& directory, std::uint32_t packSize) {
  base::MemoryStream written;
  Check(directory.Write(written) == QL_OK, "a directory that was read can be written");
  Check(written.GetSize() == directory.GetByteSize(), "the directory's size is what it writes");
  Check(written.GetSize() <= packSize, "a directory writes back no longer than it was read");
  const std::vector<std::uint8_t> padding(packSize - written.GetSize());
  written.Write(padding.data(), static_cast<std::uint32_t>(padding.size()));
  written.Seek(0, base::kSeekBegin);
  file::PackDirectory reread;
  Check(reread.Read(written) == QL_OK, "a written directory reads back");
  Check(reread.entries.size() == directory.entries.size(), "a written directory keeps every entry");
  for (const auto& [name, entry] : directory.entries) {
    const auto found = reread.entries.find(name);
    Check(found != reread.entries.end() && found->second.offset == entry.offset && found->second.size == entry.size &&
              found->second.flags == entry.flags && found->second.reserved == entry.reserved,
          "a written entry reads back the same");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz_support::WriteInput("data.dat", data, size);
  file::Archiver pack(u"kp/", u"data.dat", file::FileManager::Instance());

  std::vector<base::WString> names;
  pack.ListFiles(u"", true, names, true);
  Check(names.size() == pack.GetDirectory().entries.size(), "every entry is listed once");
  for (const base::WString& name : names) {
    Check(pack.FileExists(name, nullptr, 0, nullptr), "a listed file exists");
    const std::unique_ptr<base::Stream> stream(pack.OpenStream(name));
    Check(stream != nullptr, "a listed file opens");
    Check(ReadToEnd(*stream) == pack.GetDirectory().entries.at(name).size, "a file reads whole");
  }
  std::vector<base::WString> folders;
  pack.ListFolders(u"", folders, true);
  // Folder lookups read '\\' as '/', while the listing keeps names as the
  // pack writes them.
  for (const base::WString& folder : folders) {
    if (folder.find(u'\\') == base::WString::npos) Check(pack.FolderExists(folder), "a listed folder exists");
  }
  // An input without entries may be shorter than the smallest directory.
  if (!pack.GetDirectory().entries.empty()) CheckRewrite(pack.GetDirectory(), static_cast<std::uint32_t>(size));
  return 0;
}
