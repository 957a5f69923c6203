#include "Core/File/Container.h"

namespace file {

FileInfo::FileInfo(base::WString name, base::WString path, Container* container, bool fromArchive)
    : name_(std::move(name)), path_(std::move(path)), container_(container), fromArchive_(fromArchive) {}

base::Stream* FileInfo::OpenStream() const { return container_->OpenStream(path_); }

}  // namespace file
