#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Core/Base/SingletonRegistry.h"
#include "Core/File/Profiles.h"
#include "Core/File/UserDataFileContainer.h"
#include "tests/Support/TempFolder.h"

namespace profiles_test {

using Names = std::vector<base::WString>;

inline const std::string kThreeProfiles =
    "<Profiles currentProfile=\"B\"><Profile name=\"A\"/><Profile name=\"B\"/><Profile name=\"C\"/></Profiles>";

// Each test gets an empty per-user folder and fresh services.
class ProfilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProfilesCorruptFlag = false;
    file::UserDataFileContainer::Instance()->SetRootPath(folder_.Wide());
  }
  void TearDown() override { SingletonRegistry::Shutdown(); }

  bool Exists(const char* name) const { return std::filesystem::exists(folder_.Path() / name); }

  static void ExpectProfiles(file::Profiles& profiles, const Names& names, const base::WString& current) {
    EXPECT_EQ(profiles.GetProfileNames(), names);
    EXPECT_EQ(profiles.GetCurrentProfileName(), current);
  }

  // What the next run finds in the saved file.
  static void ExpectSaved(const Names& names, const base::WString& current) {
    file::Profiles reloaded;
    reloaded.SetAlreadyRunning(true);
    reloaded.Load();
    ExpectProfiles(reloaded, names, current);
  }

  testing_support::TempFolder folder_;
};

}  // namespace profiles_test
