#include "Core/File/BuildPack.h"

#include <memory>
#include <vector>

#include "Core/Base/FileStream.h"
#include "Core/Base/LogMessage.h"
#include "Core/File/AtomicWrite.h"
#include "Core/File/FileManager.h"
#include "Core/File/PackDirectory.h"
#include "Core/File/Path.h"

namespace {

QLResultEnum Failed(const char16_t* what, const base::WString& path) {
  QL_LOG(u"Building pack: %s '%s'\n").AddArg(base::WString(what)).AddArg(path);
  return QL_FAIL;
}

// Files are read straight from the disk: the folder may be mounted to the
// very pack being rebuilt.
std::unique_ptr<base::Stream> OpenSource(file::FileManager& files, const base::WString& path) {
  return std::unique_ptr<base::Stream>(files.OpenStream(path));
}

QLResultEnum CollectEntries(file::FileManager& files, const base::WString& folder, file::PackDirectory& directory) {
  std::vector<base::WString> names;
  files.ListFilesImpl(folder, folder, {}, true, names, true);
  for (const base::WString& name : names) {
    const auto source = OpenSource(files, folder + name);
    if (!source) return Failed(u"cannot read", folder + name);
    directory.entries[name].size = source->GetSize();
  }

  std::uint64_t offset = directory.GetByteSize();
  for (auto& [name, entry] : directory.entries) {
    if (offset + entry.size > 0xFFFFFFFFu) return Failed(u"more than 4 GiB in", folder);
    entry.offset = static_cast<std::uint32_t>(offset);
    offset += entry.size;
  }
  return QL_OK;
}

QLResultEnum WritePack(file::FileManager& files, const base::WString& folder, const file::PackDirectory& directory,
                       base::Stream& pack) {
  if (directory.Write(pack) != QL_OK) return Failed(u"cannot write the directory of the pack of", folder);
  for (const auto& [name, entry] : directory.entries) {
    const auto source = OpenSource(files, folder + name);
    // A file that changed size since it was measured would shift every offset.
    if (!source || source->GetSize() != entry.size || pack.WriteFromStream(*source, base::Stream::kWholeStream) != entry.size)
      return Failed(u"cannot copy", folder + name);
  }
  return QL_OK;
}

}  // namespace

QLResultEnum BuildPack(const base::WString& folder, const base::WString& packPath) {
  file::FileManager& files = *file::FileManager::Instance();
  const base::WString source = file::NormalizeFolder(folder);
  if (!files.FolderExistsImpl(source)) return Failed(u"no folder", folder);

  file::PackDirectory directory;
  if (const QLResultEnum result = CollectEntries(files, source, directory)) return result;

  const auto write = [&](base::FileStream& pack) { return WritePack(files, source, directory, pack); };
  if (file::WriteFileAtomically(packPath, write) != QL_OK) return Failed(u"cannot write", packPath);
  return QL_OK;
}
