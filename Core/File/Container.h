#pragma once

#include "Core/Base/WString.h"

namespace base {
class Stream;
class StreamCreator;
}  // namespace base

namespace file {

class FileInfo;

// Something that holds files by path: the disk, a pack, the per-user folder.
class Container {
 public:
  virtual ~Container() = default;

  // Finds path, or path + extensions[i] for the first i that exists when a
  // list is given; index receives that i. The caller owns the result.
  virtual FileInfo* Open(const base::WString& path, const base::WString* extensions, int count, int* index) = 0;
  // The caller owns the stream; null when the file cannot be read.
  virtual base::Stream* OpenStream(const base::WString& path) = 0;
  virtual base::StreamCreator* CreateStreamCreator(const base::WString& path) = 0;
  virtual base::WString GetRootPath() = 0;
};

// A file found in a container, opened later.
class FileInfo {
 public:
  FileInfo(base::WString name, base::WString path, Container* container, bool fromArchive);
  virtual ~FileInfo() = default;

  base::Stream* OpenStream() const;

  const base::WString& GetName() const { return name_; }
  const base::WString& GetPath() const { return path_; }
  bool IsFromArchive() const { return fromArchive_; }

 private:
  base::WString name_;
  base::WString path_;
  Container* container_;
  bool fromArchive_;
};

}  // namespace file
