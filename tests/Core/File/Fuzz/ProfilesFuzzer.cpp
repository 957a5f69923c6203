// libFuzzer entry for the profiles document: the input is the per-user
// folder's "profiles.xml". Loading always leaves a current profile, and what
// a save writes loads back to the same profiles.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "Core/File/Profiles.h"
#include "Core/File/UserDataFileContainer.h"
#include "tests/Support/FuzzCheck.h"
#include "tests/Support/FuzzDataRoot.h"

namespace {

using fuzz_support::Check;

// Damaged inputs are moved aside, and each kept copy makes the next search
// for a free name longer: every input starts from an empty folder.
void EmptyTheFolder(const std::filesystem::path& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(folder)) std::filesystem::remove_all(entry.path());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  testing_support::DataRoot& root = fuzz_support::FuzzDataRoot();
  file::UserDataFileContainer::Instance()->SetRootPath(root.Wide());
  EmptyTheFolder(root.Path());
  fuzz_support::WriteInput("profiles.xml", data, size);

  file::Profiles profiles;
  profiles.SetAlreadyRunning(true);
  profiles.Load();
  const std::vector<base::WString> names = profiles.GetProfileNames();
  const base::WString current = profiles.GetCurrentProfileName();
  Check(profiles.GetCurrentProfile() != nullptr, "a loaded document has a current profile");
  Check(std::find(names.begin(), names.end(), current) != names.end(), "the current profile is one of the profiles");
  if (profiles.Save() != 0) return 0;

  file::Profiles saved;
  saved.SetAlreadyRunning(true);
  saved.Load();
  Check(saved.GetProfileNames() == names, "the saved profiles load back");
  Check(saved.GetCurrentProfileName() == current, "the saved current profile loads back");
  return 0;
}
