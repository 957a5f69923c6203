#pragma once

#include <map>

#include "Core/Base/Singletone.h"
#include "Core/File/Win32/FileManagerWin32.h"

namespace file {

// Every file access of the program goes through here.
class FileManager : public base::Singletone<FileManager>, public FileManagerWin32 {
 public:
  base::WString GetRootPath() override { return {}; }

  // Folder prefix -> pack-file path; a mount applies while its pack exists.
  std::map<base::WString, base::WString> mounts;
  float layoutScale = 1.0f;
  float fontScale = 1.0f;
};

}  // namespace file
