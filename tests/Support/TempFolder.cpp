#include "tests/Support/TempFolder.h"

#include <fstream>
#include <iterator>
#include <random>

#include "Core/Base/Utf.h"

namespace testing_support {

TempFolder::TempFolder() {
  std::random_device random;
  const auto base = std::filesystem::temp_directory_path();
  do {
    path_ = base / ("lanternfall-test-" + std::to_string(random()));
  } while (!std::filesystem::create_directory(path_));
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

base::WString TempFolder::Wide(std::string_view relative) const {
  return base::WideFromUtf8Lenient(path_.string() + "/" + std::string(relative));
}

void TempFolder::WriteFile(std::string_view relative, std::string_view bytes) const {
  const auto file = path_ / relative;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempFolder::ReadFile(std::string_view relative) const {
  std::ifstream in(path_ / relative, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace testing_support
