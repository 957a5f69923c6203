// What lies on the disk under the profiles' name: files that do not print back
// as they read, damaged files, unreadable files, folders and links.
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "Core/Base/LogMessage.h"
#include "Core/File/Profiles.h"
#include "tests/Core/File/ProfilesFixture.h"
#include "tests/Support/RecordingLogOutput.h"

namespace {

namespace fs = std::filesystem;
using profiles_test::kThreeProfiles;
using profiles_test::Names;
using profiles_test::ProfilesTest;

std::string Fixture(const char* name) {
  std::ifstream in(fs::path(__FILE__).parent_path() / "Fixtures" / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Printed(const tinyxml2::XMLDocument& document) {
  tinyxml2::XMLPrinter printer;
  document.Print(&printer);
  return printer.CStr();
}

// Root passes over permission bits, so a run as root could not meet a file it
// may not read. Capabilities belong to a thread: this one gives up the
// override, the rest of the process keeps it.
bool GiveUpPermissionOverride() {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
  if (syscall(SYS_capget, &header, data) != 0) return false;
  data[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
  return syscall(SYS_capset, &header, data) == 0;
}

void RunWithPermissionsEnforced(const std::function<void()>& body) {
  std::thread([&] {
    ASSERT_TRUE(GiveUpPermissionOverride());
    body();
  }).join();
}

class ProfilesDiskTest : public ProfilesTest {
 protected:
  void SetUp() override {
    ProfilesTest::SetUp();
    base::MainLog::Instance()->AddOutput(new testing_support::RecordingLogOutput(log_));
  }

  bool Logged(const std::string& name) const {
    const base::WString path = folder_.Wide(name);
    return std::any_of(log_.begin(), log_.end(), [&](const auto& line) { return line.find(path) != line.npos; });
  }

  std::vector<base::WString> log_;
};

struct ReadBackCase {
  const char* name;
  const char* fixture;
};

void PrintTo(const ReadBackCase& row, std::ostream* out) { *out << row.name; }

class ProfilesReadBackTest : public ProfilesDiskTest, public ::testing::WithParamInterface<ReadBackCase> {};

TEST_P(ProfilesReadBackTest, WhatLoadsIsSavedSoThatItLoadsBackTheSame) {
  folder_.WriteFile("profiles.xml", Fixture(GetParam().fixture));
  file::Profiles profiles;
  profiles.SetAlreadyRunning(true);
  profiles.Load();
  EXPECT_FALSE(ProfilesCorruptFlag);
  const std::string loaded = Printed(*profiles.GetCurrentProfile()->GetDocument());
  ASSERT_EQ(profiles.Save(), 0);

  file::Profiles next;
  next.SetAlreadyRunning(true);
  next.Load();
  EXPECT_FALSE(ProfilesCorruptFlag) << "the saved file is not taken for damaged";
  EXPECT_FALSE(Exists("profiles.xml.corrupt"));
  ExpectProfiles(next, {u"Ada", u"Mira"}, u"Mira");
  EXPECT_EQ(Printed(*next.GetCurrentProfile()->GetDocument()), loaded);
  EXPECT_NE(loaded.find("<Level id=\"2\" stars=\"1\"/>"), std::string::npos) << "the progress is kept";
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ProfilesReadBackTest,
                         ::testing::Values(ReadBackCase{"TextAfterTheRoot", "text-after-root.xml"},
                                           ReadBackCase{"StrayEndTagAfterTheRoot", "stray-end-tag.xml"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfilesDiskTest, ASaveThatWouldNotLoadBackIsRefusedAndTheOldFileKept) {
  folder_.WriteFile("profiles.xml", kThreeProfiles);
  file::Profiles profiles;
  profiles.SetAlreadyRunning(true);
  profiles.Load();
  // Printed after the root, this text would end the file unterminated.
  tinyxml2::XMLDocument* document = profiles.GetCurrentProfile()->GetDocument();
  document->InsertEndChild(document->NewText("text"));

  EXPECT_NE(profiles.Save(), 0);
  EXPECT_EQ(folder_.ReadFile("profiles.xml"), kThreeProfiles);
  EXPECT_FALSE(Exists("profiles.xml.tmp"));
  EXPECT_TRUE(Logged("profiles.xml"));
}

TEST_F(ProfilesDiskTest, EveryDamagedFileIsKeptAside) {
  const std::string damaged = Fixture("damaged.xml");
  const char* const kept[] = {"profiles.xml.corrupt", "profiles.xml.corrupt.2", "profiles.xml.corrupt.3"};
  for (int start = 0; start < 3; ++start) {
    folder_.WriteFile("profiles.xml", damaged + std::to_string(start));
    ProfilesCorruptFlag = false;
    file::Profiles profiles;
    profiles.Load();
    EXPECT_TRUE(ProfilesCorruptFlag);
    EXPECT_TRUE(Logged(kept[start]));
  }
  for (int start = 0; start < 3; ++start) EXPECT_EQ(folder_.ReadFile(kept[start]), damaged + std::to_string(start));
  ExpectSaved({kDefaultProfileName}, kDefaultProfileName);
}

TEST_F(ProfilesDiskTest, AFileThatCannotBeReadIsNotDamageAndIsNeverSavedOver) {
  folder_.WriteFile("profiles.xml", kThreeProfiles);
  const fs::path path = folder_.Path() / "profiles.xml";
  fs::permissions(path, fs::perms::none);
  bool readable = false;
  RunWithPermissionsEnforced([&] {
    readable = std::ifstream(path).is_open();
    if (readable) return;
    // Left to the shut-down, which saves a loaded document.
    file::Profiles profiles;
    profiles.Load();
    ExpectProfiles(profiles, {kDefaultProfileName}, kDefaultProfileName);
    EXPECT_FALSE(ProfilesCorruptFlag);
    profiles.SetCurrentProfile(u"D");
    EXPECT_NE(profiles.Save(), 0);
  });
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  if (readable) GTEST_SKIP() << "this process reads files without read permission and cannot give that up";

  EXPECT_EQ(folder_.ReadFile("profiles.xml"), kThreeProfiles);
  EXPECT_FALSE(Exists("profiles.xml.corrupt"));
  EXPECT_TRUE(Logged("profiles.xml"));
}

TEST_F(ProfilesDiskTest, ADamagedFileThatCannotBeMovedAsideIsNeverSavedOver) {
  folder_.WriteFile("profiles.xml", "<Profiles");
  const fs::perms writable = fs::status(folder_.Path()).permissions();
  fs::permissions(folder_.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  bool movable = false;
  file::Profiles profiles;
  RunWithPermissionsEnforced([&] {
    movable = std::ofstream(folder_.Path() / "probe").is_open();
    if (!movable) profiles.Load();
  });
  fs::permissions(folder_.Path(), writable);
  if (movable) GTEST_SKIP() << "this process writes into read-only folders and cannot give that up";

  EXPECT_TRUE(ProfilesCorruptFlag);
  ExpectProfiles(profiles, {kDefaultProfileName}, kDefaultProfileName);
  EXPECT_NE(profiles.Save(), 0) << "the folder is writable again, yet the file is still the only copy";
  EXPECT_EQ(folder_.ReadFile("profiles.xml"), "<Profiles");
}

// Something other than a file under the profiles' name, or under the name of
// the save's temporary file. The bystander holds three profiles and must come
// through unchanged.
struct PlantedCase {
  const char* name;
  const char* bystander;
  std::function<void(const fs::path& folder)> plant;
  bool saves;
  Names loaded;
};

void PrintTo(const PlantedCase& row, std::ostream* out) { *out << row.name; }

class ProfilesPlantedTest : public ProfilesDiskTest, public ::testing::WithParamInterface<PlantedCase> {};

TEST_P(ProfilesPlantedTest, NothingIsLostNorWrittenThroughALink) {
  const PlantedCase& c = GetParam();
  folder_.WriteFile(c.bystander, kThreeProfiles);
  c.plant(folder_.Path());

  {
    file::Profiles profiles;
    profiles.SetAlreadyRunning(true);
    profiles.Load();
    EXPECT_EQ(profiles.GetProfileNames(), c.loaded);
    profiles.SetCurrentProfile(u"D");
    EXPECT_EQ(profiles.Save() == 0, c.saves);
  }

  EXPECT_EQ(folder_.ReadFile(c.bystander), kThreeProfiles);
  EXPECT_FALSE(fs::is_symlink(fs::symlink_status(folder_.Path() / "profiles.xml.tmp")));
  EXPECT_FALSE(Exists("missing.xml")) << "a dangling link is not followed to create its target";
  if (!c.saves) return;
  EXPECT_FALSE(fs::is_symlink(fs::symlink_status(folder_.Path() / "profiles.xml")));
  Names saved = c.loaded;
  saved.push_back(u"D");
  ExpectSaved(saved, u"D");
}

const Names kDefaultOnly = {kDefaultProfileName};
const Names kABC = {u"A", u"B", u"C"};

INSTANTIATE_TEST_SUITE_P(
    Planted, ProfilesPlantedTest,
    ::testing::Values(
        PlantedCase{"ProfilesAreAFolder", "profiles.xml/kept.xml", [](const fs::path&) {}, false, kDefaultOnly},
        PlantedCase{"ProfilesAreALinkToAFile", "elsewhere/kept.xml",
                    [](const fs::path& f) { fs::create_symlink(f / "elsewhere/kept.xml", f / "profiles.xml"); },
                    true, kABC},
        PlantedCase{"ProfilesAreALinkToAFolder", "elsewhere/kept.xml",
                    [](const fs::path& f) { fs::create_directory_symlink(f / "elsewhere", f / "profiles.xml"); },
                    true, kDefaultOnly},
        PlantedCase{"TemporaryFileIsALinkToAFile", "elsewhere/kept.xml",
                    [](const fs::path& f) { fs::create_symlink(f / "elsewhere/kept.xml", f / "profiles.xml.tmp"); },
                    true, kDefaultOnly},
        PlantedCase{"TemporaryFileIsALinkToNothing", "elsewhere/kept.xml",
                    [](const fs::path& f) { fs::create_symlink(f / "missing.xml", f / "profiles.xml.tmp"); }, true,
                    kDefaultOnly}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
