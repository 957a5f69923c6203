#pragma once

#include <string>
#include <vector>

namespace platform {

enum class EntryKind { kMissing, kFile, kFolder, kOther };

struct FolderEntry {
  std::string name;
  EntryKind kind;
  // A folder reached through a symbolic link: listed, but a recursive walk
  // does not enter it, so links can never lead a walk in circles.
  bool isLink;
};

// Paths are UTF-8 with '/' separators. Links are followed to see what they
// point at.
EntryKind GetEntryKind(const std::string& path);

// The regular files and folders of a folder, without "." and "..", in the
// order the system gives them; empty when the folder cannot be read.
std::vector<FolderEntry> ListFolder(const std::string& path);

bool MakeFolder(const std::string& path);
bool RemoveFile(const std::string& path);
bool SetCurrentFolder(const std::string& path);
// Replaces the target in one step: readers see the old file or the new one.
bool RenameFile(const std::string& from, const std::string& to);
// Puts the folder's entries on the disk, so that a rename into it survives a
// power cut. A file system that cannot sync folders counts as done.
bool SyncFolder(const std::string& path);

}  // namespace platform
