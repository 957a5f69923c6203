#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Platform/Particles/ParticleFile.h"

namespace {

constexpr const char* kTree = R"(<particles>
  <atlas image="a" width="64" height="64"><frame name="f" x="0" y="0" w="32" h="32"/></atlas>
  <emitter name="first"><particle frame="f"/></emitter>
  <folder name="sub">
    <emitter name="inner"><particle frame="f"/></emitter>
    <folder name="deeper"><emitter name="deepest"><particle frame="f"/></emitter></folder>
    <emitter name="inner_after"><particle frame="f"/></emitter>
  </folder>
  <emitter name="after"><particle frame="f"/></emitter>
</particles>)";

std::unique_ptr<particles::File> Open(const std::string& text, std::string* error = nullptr) {
  std::string reason;
  auto file = particles::File::Open(text.data(), text.size(), reason);
  if (error) *error = reason;
  return file;
}

// The walk the particle system makes: depth first, each folder in its order.
void Walk(particles::File& file, const std::string& folder, std::vector<std::string>& names) {
  ASSERT_TRUE(file.SetCurrentFolder(folder));
  particles::FindRecord record;
  for (const char* name = file.FindFirst(record); name; name = file.FindNext(record)) {
    if (record.isEmitter) {
      EXPECT_NE(file.LoadEmitter(name), nullptr) << name;
      names.push_back(name);
    } else {
      Walk(file, name, names);
    }
  }
  file.SetCurrentFolder("..");
}

TEST(ParticleFileTest, TheWalkFindsEveryEmitterAfterEachSubFolder) {
  auto file = Open(kTree);
  ASSERT_TRUE(file);
  std::vector<std::string> names;
  Walk(*file, "", names);
  EXPECT_EQ(names, (std::vector<std::string>{"first", "inner", "deepest", "inner_after", "after"}));
}

TEST(ParticleFileTest, EmittersLoadOnlyFromTheirOwnFolder) {
  auto file = Open(kTree);
  ASSERT_TRUE(file);
  ASSERT_TRUE(file->SetCurrentFolder(""));
  EXPECT_EQ(file->LoadEmitter("inner"), nullptr);
  ASSERT_TRUE(file->SetCurrentFolder("sub"));
  EXPECT_NE(file->LoadEmitter("inner"), nullptr);
  EXPECT_FALSE(file->SetCurrentFolder("missing"));
}

TEST(ParticleFileTest, AtlasesKeepTheirImageAndSize) {
  auto file = Open(kTree);
  ASSERT_TRUE(file);
  ASSERT_EQ(file->GetStaticAtlasCount(), 1u);
  EXPECT_EQ(file->GetStaticAtlas(0)->image, "a");
  EXPECT_EQ(file->GetStaticAtlas(0)->width, 64u);
  EXPECT_EQ(file->GetStaticAtlas(1), nullptr);
}

TEST(ParticleFileTest, BrokenFilesAreRefusedWithAReason) {
  const std::string atlas =
      R"(<atlas image="a" width="64" height="64"><frame name="f" x="0" y="0" w="32" h="32"/></atlas>)";
  std::string tooDeep = atlas;
  for (int i = 0; i < 20; ++i) tooDeep += "<folder name=\"f\">";
  for (int i = 0; i < 20; ++i) tooDeep += "</folder>";
  const std::vector<std::string> broken = {
      "",
      "not xml at all <",
      "<other/>",
      "<particles>" + atlas + "<emitter name=\"e\"><particle frame=\"nope\"/></emitter></particles>",
      "<particles>" + atlas + "<emitter name=\"e\"><particle frame=\"f\" life=\"-1\"/></emitter></particles>",
      "<particles>" + atlas + "<emitter name=\"e\"><particle frame=\"f\" limit=\"99999999\"/></emitter></particles>",
      "<particles>" + atlas + "<emitter name=\"e\" duration=\"nan\"><particle frame=\"f\"/></emitter></particles>",
      "<particles>" + atlas + "<emitter><particle frame=\"f\"/></emitter></particles>",
      "<particles>" + atlas + "<emitter name=\"e\" shape=\"blob\"/></particles>",
      "<particles>" + atlas +
          "<emitter name=\"e\"><particle frame=\"f\"><color at=\"0\" rgb=\"12345g\"/></particle></emitter></particles>",
      "<particles>" + atlas +
          "<emitter name=\"e\"><particle frame=\"f\"><alpha at=\"0.5\"/><alpha at=\"0.2\"/></particle></emitter>"
          "</particles>",
      R"(<particles><atlas image="a" width="64" height="64"><frame name="f" x="40" y="0" w="32" h="32"/></atlas></particles>)",
      R"(<particles><atlas image="a" width="0" height="64"/></particles>)",
      "<particles>" + tooDeep + "</particles>",
  };
  for (const std::string& text : broken) {
    std::string error;
    EXPECT_EQ(Open(text, &error), nullptr) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
}

TEST(ParticleFileTest, EveryCutOfAFileIsReadOrRefusedSafely) {
  const std::string whole = kTree;
  for (std::size_t size = 0; size < whole.size(); ++size) {
    std::string error;
    const std::string cut = whole.substr(0, size);
    if (!particles::File::Open(cut.data(), cut.size(), error)) {
      EXPECT_FALSE(error.empty());
    }
  }
}

}  // namespace
