#include "Core/File/Archiver.h"

#include <algorithm>
#include <memory>

#include "Core/Base/BufferedReadStream.h"
#include "Core/Base/FileStream.h"
#include "Core/Base/FrameStream.h"
#include "Core/Base/LogMessage.h"
#include "Core/Base/StreamCreator.h"
#include "Core/File/Path.h"

namespace file {

namespace {

// A pack's directory comes in a few reads of this size; a packed file needs no
// larger buffer than itself.
constexpr std::uint32_t kPackBufferBytes = 64u << 10;

std::unique_ptr<base::Stream> OpenPack(const base::WString& path, std::uint32_t bufferBytes) {
  auto pack = std::make_unique<base::FileStream>();
  if (pack->Open(path, kReadAccess, kOpenExisting) != QL_OK) return nullptr;
  return std::make_unique<base::BufferedReadStream>(pack.release(), true, bufferBytes);
}

}  // namespace

Archiver::Archiver(base::WString prefix, base::WString packPath, Container* parent)
    : FileContainer(true), parent_(parent), prefix_(std::move(prefix)), packPath_(std::move(packPath)) {
  const std::unique_ptr<base::Stream> pack = OpenPack(packPath_, kPackBufferBytes);
  if (!pack || directory_.Read(*pack) != QL_OK)
    QL_LOG(u"Pack file '%s' mounted as '%s' could not be read whole\n").AddArg(packPath_).AddArg(prefix_);
}

const PackEntry* Archiver::Find(const base::WString& name) const {
  const auto found = directory_.entries.find(name);
  return found == directory_.entries.end() ? nullptr : &found->second;
}

base::Stream* Archiver::OpenStream(const base::WString& path) {
  const PackEntry* entry = Find(path);
  if (!entry) return nullptr;
  std::unique_ptr<base::Stream> pack = OpenPack(packPath_, std::min(entry->size, kPackBufferBytes));
  if (!pack) return nullptr;
  return new base::FrameStream(pack.release(), true, entry->offset, entry->size);
}

base::StreamCreator* Archiver::CreateStreamCreator(const base::WString& path) {
  const PackEntry* entry = Find(path);
  if (!entry) return nullptr;
  auto* pack = new base::BufferedStreamCreator(new base::FileStreamCreator(packPath_, kReadAccess, kOpenExisting),
                                               true, std::min(entry->size, kPackBufferBytes));
  return new base::FrameStreamCreator(pack, true, entry->offset, entry->size);
}

base::WString Archiver::GetRootPath() { return parent_->GetRootPath() + prefix_; }

QLResultEnum Archiver::ListFilesImpl(const base::WString& base, const base::WString& folder,
                                     const base::WString& relative, bool recursive, std::vector<base::WString>& out,
                                     bool relativeNames) {
  const base::WString prefix = folder + relative;
  for (auto it = directory_.entries.lower_bound(prefix); it != directory_.entries.end(); ++it) {
    if (!it->first.starts_with(prefix)) break;
    const base::WString rest = it->first.substr(prefix.size());
    if (!recursive && rest.find(u'/') != base::WString::npos) continue;
    out.push_back(relativeNames ? rest : base + rest);
  }
  return QL_OK;
}

QLResultEnum Archiver::ListFoldersImpl(const base::WString& base, const base::WString& folder,
                                       const base::WString& relative, std::vector<base::WString>& out,
                                       bool relativeNames) {
  const base::WString prefix = folder + relative;
  base::WString previous;
  for (auto it = directory_.entries.lower_bound(prefix); it != directory_.entries.end(); ++it) {
    if (!it->first.starts_with(prefix)) break;
    const auto slash = it->first.find(u'/', prefix.size());
    if (slash == base::WString::npos) continue;
    const base::WString name = it->first.substr(prefix.size(), slash - prefix.size());
    // The entries of one folder are neighbours in name order, so comparing with
    // the last folder listed lists each folder once.
    if (name == previous) continue;
    previous = name;
    out.push_back(relativeNames ? name : base + name);
  }
  return QL_OK;
}

bool Archiver::FileExistsImpl(const base::WString& path, const base::WString* extensions, int count, int* index) {
  if (!extensions || count <= 0) return Find(path) != nullptr;
  for (int i = 0; i < count; ++i) {
    if (!Find(path + extensions[i])) continue;
    if (index) *index = i;
    return true;
  }
  return false;
}

bool Archiver::FolderExistsImpl(const base::WString& path) {
  const base::WString folder = NormalizeFolder(path);
  // The pack's own root holds whatever the pack holds.
  if (folder.empty()) return !directory_.entries.empty();
  const auto it = directory_.entries.lower_bound(folder);
  return it != directory_.entries.end() && it->first.starts_with(folder);
}

}  // namespace file
