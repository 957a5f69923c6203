#include "Game/LocalStrings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "Core/Base/Log.h"
#include "Core/Base/SingletonRegistry.h"
#include "Core/Base/TextConversion.h"
#include "tests/Support/CaseNames.h"
#include "tests/Support/DataRoot.h"
#include "tests/Support/RecordingLogOutput.h"
#include "tests/Support/TempFolder.h"

namespace {

constexpr const char* kStringsFile = "kp/strings_en.csv";

class LocalStringsTest : public ::testing::Test {
 protected:
  LocalStringsTest() { base::MainLog::Instance()->AddOutput(new testing_support::RecordingLogOutput(log_)); }
  ~LocalStringsTest() override { SingletonRegistry::Shutdown(); }

  int LoggedCount(const std::u16string& text) const {
    return static_cast<int>(std::count_if(log_.begin(), log_.end(), [&](const base::WString& line) {
      return line.find(text) != base::WString::npos;
    }));
  }

  testing_support::DataRoot root_;
  // Outlives the log, which writes its last line when the services go.
  std::vector<base::WString> log_;
};

struct LookupCase {
  const char* name;
  const char* file;
  const char16_t* key;
  const char16_t* text;
};

class LocalStringsLookupTest : public LocalStringsTest, public ::testing::WithParamInterface<LookupCase> {};

TEST_P(LocalStringsLookupTest, TheKeyGivesItsText) {
  const LookupCase& c = GetParam();
  root_.WriteFile(kStringsFile, c.file);
  LocalStrings strings;
  ASSERT_TRUE(strings.contains(c.key));
  EXPECT_EQ(strings.getString(c.key), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LocalStringsLookupTest,
    ::testing::Values(
        LookupCase{"BackslashNIsALineBreak", "k;a\\nb", u"k", u"a\nb"},
        LookupCase{"ATrailingLoneBackslashStays", "k;a\\nb\\", u"k", u"a\nb\\"},
        LookupCase{"AOneCharacterBackslashStays", "k;\\", u"k", u"\\"},
        LookupCase{"OtherBackslashesStay", "k;a\\tb\\\\c", u"k", u"a\\tb\\\\c"},
        LookupCase{"TheLaterOfTwoLinesWins", "k;first\nk;second\n", u"k", u"second"},
        LookupCase{"AThirdFieldIsIgnored", "k;a;b", u"k", u"a"},
        LookupCase{"ALineWithoutSeparatorIsAKeyWithNoText", "other;x\nk\n", u"k", u""},
        LookupCase{"TheEmptyKeyIsAKey", "episode;Chapter \n;Hardcore\n", u"", u"Hardcore"},
        LookupCase{"BlanksAroundLineAndFieldsGo", " \t k \t;\t two words \t\n", u"k", u"two words"},
        LookupCase{"CrLfLinesLoseTheirCarriageReturn", "a;x\r\nk;text\r\nb\r\n", u"k", u"text"},
        LookupCase{"AKeyOnlyLineOfCrLfHasNoCarriageReturn", "k\r\nb;y\r\n", u"k", u""},
        LookupCase{"EmptyLinesAreSkipped", "\n\n\r\n  \nk;v\n\n", u"k", u"v"},
        LookupCase{"AByteOrderMarkIsSkipped", "\xEF\xBB\xBFk;v", u"k", u"v"},
        LookupCase{"Utf8BecomesWide", "k;Gl\xC3\xBChen \xE2\x86\x92 \xF0\x9F\x94\xA5", u"k", u"Gl\u00FChen \u2192 \U0001F525"}),
    testing_support::RowName());

TEST_F(LocalStringsTest, AMissingFileGivesAnEmptyTableThatShowsKeys) {
  LocalStrings strings;
  EXPECT_EQ(strings.size(), 0u);
  EXPECT_EQ(strings.getString(u"game_wave"), u"game_wave");
  EXPECT_EQ(strings.getString(u"a\\nb"), u"a\nb") << "a key shown in place of its text reads as a text";
}

TEST_F(LocalStringsTest, LinesThatAreNotUtf8AreLoggedAndSkipped) {
  root_.WriteFile(kStringsFile,
                  "first;ok\n"
                  "stray;bad \xFF byte\n"
                  "cut;\xC3\n"
                  "overlong;\xC0\xAF\n"
                  "surrogate;\xED\xA0\x80\n"
                  "last;fine\n");
  LocalStrings strings;
  EXPECT_EQ(strings.getString(u"first"), u"ok");
  EXPECT_EQ(strings.getString(u"last"), u"fine");
  EXPECT_EQ(strings.size(), 2u);
  for (const char16_t* line : {u"Line 2 ", u"Line 3 ", u"Line 4 ", u"Line 5 "}) {
    EXPECT_EQ(LoggedCount(line), 1) << base::ToNarrow(line, base::kEncodingUtf8);
  }
  EXPECT_EQ(LoggedCount(u"not valid UTF-8"), 4);
}

TEST_F(LocalStringsTest, MissingKeysAreCollectedOncePerKeyInTheUserFileOnly) {
  const std::string shipped = "known;Known text";
  root_.WriteFile(kStringsFile, shipped);
  const testing_support::TempFolder user;
  user.WriteFile("missing_strings.csv", "from_last_run;???\n");
  LocalStrings strings;
  strings.setMissingStringsPath(user.Wide("missing_strings.csv"));

  EXPECT_EQ(strings.getString(u"absent"), u"absent");
  EXPECT_EQ(strings.getString(u"absent"), u"absent");
  EXPECT_EQ(strings.getString(u"known"), u"Known text");
  EXPECT_EQ(strings.getString(u"two\nlines;and\\more\r"), u"two\nlines;and\\more\r");
  EXPECT_EQ(strings.getString(u""), u"");
  EXPECT_EQ(strings.getString(u"absent"), u"absent");

  EXPECT_EQ(user.ReadFile("missing_strings.csv"),
            "from_last_run;???\n"
            "absent;???\n"
            "two\\nlines\\;and\\\\more\\r;???\n"
            ";???\n");
  EXPECT_EQ(root_.ReadFile(kStringsFile), shipped);
}

TEST_F(LocalStringsTest, WithoutAFileForMissingKeysNothingIsWritten) {
  root_.WriteFile(kStringsFile, "known;Known text");
  LocalStrings strings;
  EXPECT_EQ(strings.getString(u"absent"), u"absent");
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root_.Path()))
    if (entry.is_regular_file()) files.push_back(entry.path());
  EXPECT_EQ(files.size(), 1u) << "only the string file is there";
  EXPECT_EQ(root_.ReadFile(kStringsFile), "known;Known text");
}

struct UnwritableCase {
  const char* name;
  // Makes the folder, inside the given one, that the missing-keys file
  // cannot be written to; false when this user could write there anyway.
  bool (*make)(const std::filesystem::path& folder);
};

class MissingStringsUnwritableTest : public LocalStringsTest, public ::testing::WithParamInterface<UnwritableCase> {};

TEST_P(MissingStringsUnwritableTest, KeysAreStillShownAndTheFailureIsLoggedOnce) {
  const testing_support::TempFolder user;
  if (!GetParam().make(user.Path())) GTEST_SKIP() << "permissions do not bind this user";
  LocalStrings strings;
  strings.setMissingStringsPath(user.Wide("profile/missing_strings.csv"));
  EXPECT_EQ(strings.getString(u"one"), u"one");
  EXPECT_EQ(strings.getString(u"two"), u"two");
  EXPECT_EQ(strings.getString(u"one"), u"one");
  EXPECT_EQ(LoggedCount(u"cannot be written"), 1);
  std::filesystem::permissions(user.Path() / "profile", std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, MissingStringsUnwritableTest,
    ::testing::Values(UnwritableCase{"ReadOnlyFolder",
                                     [](const std::filesystem::path& folder) {
                                       std::filesystem::create_directory(folder / "profile");
                                       std::filesystem::permissions(folder / "profile",
                                                                    std::filesystem::perms::owner_read |
                                                                        std::filesystem::perms::owner_exec);
                                       return access((folder / "profile").c_str(), W_OK) != 0;
                                     }},
                      UnwritableCase{"FolderIsAFile",
                                     [](const std::filesystem::path& folder) {
                                       std::ofstream(folder / "profile") << "not a folder";
                                       return true;
                                     }}),
    testing_support::RowName());

// The keys of the shipped table as a reader of the file sees them.
std::set<std::string> KeysOf(const std::filesystem::path& file) {
  std::set<std::string> keys;
  std::ifstream in(file, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (keys.empty() && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) continue;
    std::string key = line.substr(0, line.find(';'));
    const std::size_t start = key.find_first_not_of(" \t");
    key = start == std::string::npos ? std::string() : key.substr(start, key.find_last_not_of(" \t\r") - start + 1);
    keys.insert(key);
  }
  return keys;
}

TEST_F(LocalStringsTest, TheShippedTableLoadsEveryKeyOfItsFile) {
  const std::filesystem::path data = LF_GAME_DATA_ROOT;
  const std::set<std::string> keys = KeysOf(data / kStringsFile);
  ASSERT_GT(keys.size(), 100u);
  std::filesystem::current_path(data);
  LocalStrings strings;
  EXPECT_EQ(strings.size(), keys.size());
  for (const std::string& key : keys)
    EXPECT_TRUE(strings.contains(base::ToWide(key, base::kEncodingUtf8))) << key;
  EXPECT_EQ(LoggedCount(u"not valid UTF-8"), 0);
  EXPECT_EQ(strings.getString(u"game_caption"), u"Lanternfall 2: The Dusk Road");
}

}  // namespace
