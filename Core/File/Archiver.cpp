#include "Core/File/Archiver.h"

namespace file {

Archiver::Archiver(base::WString prefix, base::WString packPath, FileContainer* parent)
    : FileContainer(true), prefix_(std::move(prefix)), packPath_(std::move(packPath)), parent_(parent) {}

base::Stream* Archiver::OpenStream(const base::WString&) { return nullptr; }

base::StreamCreator* Archiver::CreateStreamCreator(const base::WString&) { return nullptr; }

base::WString Archiver::GetRootPath() { return prefix_; }

QLResultEnum Archiver::ListFilesImpl(const base::WString&, const base::WString&, const base::WString&, bool,
                                     std::vector<base::WString>&, bool) {
  return QL_OK;
}

QLResultEnum Archiver::ListFoldersImpl(const base::WString&, const base::WString&, const base::WString&,
                                       std::vector<base::WString>&, bool) {
  return QL_OK;
}

bool Archiver::FileExistsImpl(const base::WString&, const base::WString*, int, int*) { return false; }

bool Archiver::FolderExistsImpl(const base::WString&) { return false; }

}  // namespace file
