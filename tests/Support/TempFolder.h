#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "Core/Base/WString.h"

namespace testing_support {

// A fresh folder under the system's temporary folder, removed with its
// contents when the test ends.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The folder with a trailing '/' as an engine path, plus a relative name.
  base::WString Wide(std::string_view relative = {}) const;

  void WriteFile(std::string_view relative, std::string_view bytes) const;
  std::string ReadFile(std::string_view relative) const;

 private:
  std::filesystem::path path_;
};

}  // namespace testing_support
