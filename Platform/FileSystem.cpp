#include "Platform/FileSystem.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace platform {

namespace {

EntryKind KindOf(const struct stat& info) {
  if (S_ISREG(info.st_mode)) return EntryKind::kFile;
  if (S_ISDIR(info.st_mode)) return EntryKind::kFolder;
  return EntryKind::kOther;
}

}  // namespace

EntryKind GetEntryKind(const std::string& path) {
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return EntryKind::kMissing;
  return KindOf(info);
}

std::vector<FolderEntry> ListFolder(const std::string& path) {
  std::vector<FolderEntry> entries;
  std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(path.empty() ? "." : path.c_str()), &::closedir);
  if (!folder) return entries;
  const std::string prefix = path.empty() || path.back() == '/' ? path : path + '/';
  while (const dirent* entry = ::readdir(folder.get())) {
    const std::string name = entry->d_name;
    if (name.empty() || name == "." || name == "..") continue;
    struct stat target {};
    struct stat self {};
    const std::string full = prefix + name;
    if (::stat(full.c_str(), &target) != 0 || ::lstat(full.c_str(), &self) != 0) continue;
    const EntryKind kind = KindOf(target);
    if (kind == EntryKind::kOther) continue;
    entries.push_back({name, kind, S_ISLNK(self.st_mode)});
  }
  return entries;
}

bool MakeFolder(const std::string& path) { return ::mkdir(path.c_str(), 0755) == 0; }

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool SetCurrentFolder(const std::string& path) { return ::chdir(path.c_str()) == 0; }

bool RenameFile(const std::string& from, const std::string& to) { return ::rename(from.c_str(), to.c_str()) == 0; }

bool SyncFolder(const std::string& path) {
  const int fd = ::open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
  ::close(fd);
  return synced;
}

}  // namespace platform
