#include "Core/File/Profiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Core/Base/LogMessage.h"
#include "Core/Base/SingletonRegistry.h"
#include "Core/Base/TextConversion.h"
#include "Core/File/UserDataFileContainer.h"
#include "tests/Core/File/ProfilesFixture.h"
#include "tests/Support/TempFolder.h"

namespace {

using profiles_test::kThreeProfiles;
using profiles_test::Names;
using profiles_test::ProfilesTest;

struct LoadCase {
  const char* name;
  std::optional<std::string> file;  // nullopt: there is none
  Names names;
  base::WString current;
  bool corrupt;
};

void PrintTo(const LoadCase& row, std::ostream* out) { *out << row.name; }

class ProfilesLoadTest : public ProfilesTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(ProfilesLoadTest, LoadAlwaysEndsWithACurrentProfileAndNeverLosesTheFile) {
  const LoadCase& c = GetParam();
  if (c.file) folder_.WriteFile("profiles.xml", *c.file);

  file::Profiles profiles;
  profiles.Load();
  ExpectProfiles(profiles, c.names, c.current);
  EXPECT_EQ(ProfilesCorruptFlag, c.corrupt);
  if (c.corrupt) {
    EXPECT_FALSE(Exists("profiles.xml"));
    EXPECT_EQ(folder_.ReadFile("profiles.xml.corrupt"), *c.file);
  } else {
    EXPECT_FALSE(Exists("profiles.xml.corrupt"));
    EXPECT_EQ(folder_.ReadFile("profiles.xml"), c.file.value_or("")) << "loading writes nothing";
  }

  ASSERT_EQ(profiles.Save(), 0);
  ProfilesCorruptFlag = false;
  ExpectSaved(c.names, c.current);
  EXPECT_FALSE(ProfilesCorruptFlag);
  if (c.corrupt) {
    EXPECT_EQ(folder_.ReadFile("profiles.xml.corrupt"), *c.file) << "the next save leaves the copy alone";
  }
}

const base::WString kDefault = kDefaultProfileName;

INSTANTIATE_TEST_SUITE_P(
    Files, ProfilesLoadTest,
    ::testing::Values(
        LoadCase{"NoFile", std::nullopt, {kDefault}, kDefault, false},
        LoadCase{"Garbage", "<Profiles currentProfile=\"A\"><Profile", {kDefault}, kDefault, true},
        LoadCase{"Empty", "", {kDefault}, kDefault, true},
        LoadCase{"NoProfilesRoot", "<Other currentProfile=\"A\"/>", {kDefault}, kDefault, true},
        LoadCase{"EmptyRoot", "<Profiles/>", {kDefault}, kDefault, false},
        LoadCase{"Complete", "\xEF\xBB\xBF<?xml version=\"1.0\"?>" + kThreeProfiles, {u"A", u"B", u"C"}, u"B", false},
        LoadCase{"NoCurrentAttribute", "<Profiles><Profile name=\"A\"/><Profile name=\"B\"/></Profiles>",
                 {u"A", u"B"}, u"A", false},
        LoadCase{"CurrentProfileMissing", "<Profiles currentProfile=\"C\"><Profile name=\"A\"/></Profiles>",
                 {u"A", u"C"}, u"C", false},
        LoadCase{"ProfileWithoutName", "<Profiles currentProfile=\"B\"><Profile/><Profile name=\"B\"/></Profiles>",
                 {u"", u"B"}, u"B", false}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

struct EditCase {
  const char* what;
  std::function<void(file::Profiles&)> edit;
  Names names;
  base::WString current;
};

TEST_F(ProfilesTest, EditsAreKeptByTheNextSave) {
  const EditCase cases[] = {
      {"deleting the current profile selects the first left", [](auto& p) { p.DeleteProfile(u"B"); },
       {u"A", u"C"}, u"A"},
      {"deleting another keeps the current one", [](auto& p) { p.DeleteProfile(u"A"); }, {u"B", u"C"}, u"B"},
      {"deleting an unknown name changes nothing", [](auto& p) { p.DeleteProfile(u"b"); }, {u"A", u"B", u"C"}, u"B"},
      {"deleting every profile selects a new default one",
       [](auto& p) {
         for (const char16_t* name : {u"A", u"B", u"C"}) p.DeleteProfile(name);
       },
       {kDefault}, kDefault},
      {"renaming the current profile", [](auto& p) { p.RenameCurrentProfile(u"X"); }, {u"A", u"X", u"C"}, u"X"},
      {"selecting an existing profile creates nothing", [](auto& p) { p.SetCurrentProfile(u"C"); },
       {u"A", u"B", u"C"}, u"C"},
      {"selecting a new name appends a profile", [](auto& p) { p.SetCurrentProfile(u"D"); },
       {u"A", u"B", u"C", u"D"}, u"D"},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.what);
    folder_.WriteFile("profiles.xml", kThreeProfiles);
    file::Profiles profiles;
    profiles.SetAlreadyRunning(true);
    profiles.Load();
    c.edit(profiles);
    ExpectProfiles(profiles, c.names, c.current);
    ASSERT_EQ(profiles.Save(), 0);
    ExpectSaved(c.names, c.current);
  }
}

TEST_F(ProfilesTest, BeforeALoadNothingIsFoundAndSelectingLoadsFirst) {
  folder_.WriteFile("profiles.xml", kThreeProfiles);
  file::Profiles profiles;
  profiles.RenameCurrentProfile(u"X");
  EXPECT_EQ(profiles.FindProfile(u"A"), nullptr);
  ExpectProfiles(profiles, {}, u"");
  EXPECT_NE(profiles.Save(), 0);
  EXPECT_EQ(folder_.ReadFile("profiles.xml"), kThreeProfiles);

  profiles.SetCurrentProfile(u"C");
  ExpectProfiles(profiles, {u"A", u"B", u"C"}, u"C");
  EXPECT_EQ(profiles.GetCurrentProfile(), profiles.FindProfile(u"C"));
}

TEST_F(ProfilesTest, NamesAndFoldersOutsideAsciiSurviveASave) {
  const base::WString root = folder_.Wide("Orvane \u00E9/Lanternfall2 \u65E5\u672C/");
  file::UserDataFileContainer::Instance()->SetRootPath(root);
  const Names names = {kDefault, u"\u0418\u0433\u0440\u043E\u043A", u"\U0001F600 caf\u00E9"};

  file::Profiles profiles;
  profiles.SetAlreadyRunning(true);
  profiles.Load();
  profiles.SetCurrentProfile(names[1]);
  profiles.SetCurrentProfile(names[2]);
  ASSERT_EQ(profiles.Save(), 0);

  const std::string saved = folder_.ReadFile("Orvane \xC3\xA9/Lanternfall2 \xE6\x97\xA5\xE6\x9C\xAC/profiles.xml");
  EXPECT_NE(saved.find(base::ToNarrow(names[1], base::kEncodingUtf8)), std::string::npos) << "stored as UTF-8";
  ExpectSaved(names, names[2]);
}

// Keeps every statement written to the log; the log owns it until the shut-down.
struct RecordingOutput : base::LogOutput {
  void Write(const base::WString& text) override { writes.push_back(text); }
  std::vector<base::WString> writes;
};

TEST_F(ProfilesTest, AFailedSaveIsLoggedAndLeavesTheOldFile) {
  auto* log = new RecordingOutput;
  base::MainLog::Instance()->AddOutput(log);
  folder_.WriteFile("profiles.xml", kThreeProfiles);
  // Holds for root too, where permission bits would not stop the write.
  std::filesystem::create_directory(folder_.Path() / "profiles.xml.tmp");

  file::Profiles profiles;
  profiles.SetAlreadyRunning(true);
  profiles.Load();
  profiles.SetCurrentProfile(u"D");
  EXPECT_NE(profiles.Save(), 0);
  EXPECT_EQ(folder_.ReadFile("profiles.xml"), kThreeProfiles);

  const base::WString path = folder_.Wide("profiles.xml");
  EXPECT_TRUE(std::any_of(log->writes.begin(), log->writes.end(),
                          [&](const auto& line) { return line.find(path) != line.npos; }));
}

TEST_F(ProfilesTest, AFailedReplaceRemovesItsTemporaryFile) {
  std::filesystem::create_directory(folder_.Path() / "profiles.xml");
  file::Profiles profiles;
  profiles.SetAlreadyRunning(true);
  profiles.Load();
  EXPECT_NE(profiles.Save(), 0);
  EXPECT_FALSE(Exists("profiles.xml.tmp"));
}

struct ExitCase {
  const char* what;
  bool load;
  bool alreadyRunning;
  std::string file;
};

TEST_F(ProfilesTest, TheShutDownSavesUnlessThisIsASecondInstance) {
  const std::string stored = "<Profiles currentProfile=\"A\">\n    <Profile name=\"A\"/>\n</Profiles>\n";
  const ExitCase cases[] = {
      {"a loaded document is saved", true, false,
       "<Profiles currentProfile=\"B\">\n    <Profile name=\"A\"/>\n    <Profile name=\"B\"/>\n</Profiles>\n"},
      {"a second instance saves nothing", true, true, stored},
      {"nothing loaded, nothing saved", false, false, stored},
  };
  for (const ExitCase& c : cases) {
    SCOPED_TRACE(c.what);
    testing_support::TempFolder folder;
    folder.WriteFile("profiles.xml", stored);
    // Made before the profiles, so only the declared dependency keeps the
    // folder alive for the last save.
    file::UserDataFileContainer::Instance()->SetRootPath(folder.Wide());
    file::Profiles* profiles = file::Profiles::Instance();
    if (c.load) {
      profiles->Load();
      profiles->SetCurrentProfile(u"B");
    }
    profiles->SetAlreadyRunning(c.alreadyRunning);
    SingletonRegistry::Shutdown();
    EXPECT_EQ(folder.ReadFile("profiles.xml"), c.file);
  }
}

}  // namespace
