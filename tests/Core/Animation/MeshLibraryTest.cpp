#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "Core/Animation/AnimData.h"
#include "Core/Animation/MeshLibrary.h"
#include "Core/App/Application.h"
#include "Core/Base/MemoryStream.h"
#include "Core/Render/Image.h"
#include "Core/Resource/ResourceManager.h"
#include "tests/Core/Animation/FileBytes.h"
#include "tests/Core/Render/RenderDX9Fixture.h"
#include "tests/Support/DataRoot.h"

namespace {

// The window of the drawing tests asks for the application object.
class TestApplication : public app::Application {};

using animation_testing::FileBytes;
using lightwave::MeshLibrary;
using lightwave::MeshRecord;

struct MeshEntry {
  std::string name;
  std::string texture;
  std::uint32_t vertexBase, vertexCount, indexStart, indexCount;
};

struct LibraryContent {
  std::vector<std::uint32_t> indices;
  std::vector<std::array<float, 5>> vertices;
  std::vector<MeshEntry> meshes;
  std::uint32_t year = 2012;

  std::string Bytes() const {
    FileBytes bytes;
    bytes.U32(static_cast<std::uint32_t>(indices.size()));
    for (const std::uint32_t index : indices) bytes.U32(index);
    bytes.U32(static_cast<std::uint32_t>(vertices.size()));
    for (const auto& vertex : vertices) {
      for (const float field : vertex) bytes.F32(field);
    }
    bytes.U32(static_cast<std::uint32_t>(meshes.size()));
    for (const MeshEntry& mesh : meshes) {
      bytes.Text(mesh.name).Text(mesh.texture).U32(mesh.vertexBase).U32(mesh.vertexCount);
      bytes.U32(mesh.indexStart).U32(mesh.indexCount);
    }
    return bytes.U32(year).String();
  }
};

// Twelve vertices at (i, -i, 0.5) with v = 0.25; mesh "a" owns the first ten,
// mesh "b" the last two. Both use one texture, written the Windows way.
LibraryContent TwoMeshes() {
  LibraryContent library;
  library.indices = {1, 2, 3, 11, 12, 11};
  for (int i = 0; i < 12; ++i) library.vertices.push_back({float(i), float(-i), 0.5f, 0.125f, 0.25f});
  library.meshes = {{"a", "sub\\tex.tga", 0, 10, 0, 3}, {"b", "sub\\tex.tga", 10, 2, 3, 3}};
  return library;
}

QLResultEnum ReadBody(const std::string& bytes) {
  base::MemoryStream stream(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
  MeshLibrary library;
  return library.ReadBody(stream);
}

struct LibraryCase {
  std::string name;
  std::function<void(LibraryContent&)> change;
  QLResultEnum expected;
};

class MeshLibraryReadTest : public ::testing::TestWithParam<LibraryCase> {};

TEST_P(MeshLibraryReadTest, Reads) {
  LibraryContent library = TwoMeshes();
  GetParam().change(library);
  EXPECT_EQ(ReadBody(library.Bytes()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MeshLibraryReadTest,
    ::testing::Values(LibraryCase{"Year2012", [](LibraryContent&) {}, QL_OK},
                      LibraryCase{"Year2011", [](LibraryContent& l) { l.year = 2011; }, QL_OK},
                      LibraryCase{"Year2010", [](LibraryContent& l) { l.year = 2010; }, QL_FAIL},
                      LibraryCase{"AllEmpty", [](LibraryContent& l) { l = {}; }, QL_OK},
                      LibraryCase{"IndexZero", [](LibraryContent& l) { l.indices[0] = 0; }, QL_FAIL},
                      LibraryCase{"IndexPastVertices", [](LibraryContent& l) { l.indices[5] = 13; }, QL_FAIL},
                      LibraryCase{"IndexOfAnotherMesh", [](LibraryContent& l) { l.indices[0] = 11; }, QL_FAIL},
                      LibraryCase{"VerticesPastArray", [](LibraryContent& l) { l.meshes[1].vertexCount = 3; }, QL_FAIL},
                      LibraryCase{"IndicesPastArray", [](LibraryContent& l) { l.meshes[1].indexCount = 4; }, QL_FAIL},
                      LibraryCase{"StartPastArray", [](LibraryContent& l) { l.meshes[1].indexStart = 0xFFFFFFFFu; },
                                  QL_FAIL},
                      // Rebased once, these indices would still look valid to a second
                      // mesh over the same range, and be rebased again.
                      LibraryCase{"SharedIndices",
                                  [](LibraryContent& l) {
                                    l.indices = {5, 6, 7, 11, 12, 11};
                                    l.meshes.push_back({"c", "t", 0, 10, 0, 3});
                                  },
                                  QL_FAIL}),
    [](const ::testing::TestParamInfo<LibraryCase>& info) { return info.param.name; });

TEST(MeshLibraryTruncationTest, EveryTruncationFails) {
  const std::string bytes = TwoMeshes().Bytes();
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    EXPECT_EQ(ReadBody(bytes.substr(0, size)), QL_FAIL) << "cut at " << size;
  }
}

TEST(MeshLibraryTruncationTest, CountsBeyondTheFileFail) {
  FileBytes indices;
  indices.U32(0xFFFFFFFFu).U32(1);
  FileBytes vertices;
  vertices.U32(0).U32(0x40000000u).U32(1);
  FileBytes meshes;
  meshes.U32(0).U32(0).U32(0x10000000u).U32(1);
  for (const FileBytes* bytes : {&indices, &vertices, &meshes}) EXPECT_EQ(ReadBody(bytes->String()), QL_FAIL);
}

// A 2 x 2 opaque 32-bit TGA.
std::string Tga() {
  FileBytes bytes;
  std::string header = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 32, 0x28};
  for (int i = 0; i < 4; ++i) bytes.U32(0xFF8040C0u);
  return header + bytes.String();
}

// Two tracks, one per mesh of the library "meshes" beside the animation.
std::string AnimationOf(const std::string& meshA, const std::string& meshB) {
  FileBytes bytes;
  bytes.Text("show").F32(0).F32(1).U32(2);
  animation_testing::RestingMotion(animation_testing::TrackHead(bytes, "meshes", meshA));
  animation_testing::RestingMotion(animation_testing::TrackHead(bytes, "meshes", meshB));
  return bytes.String();
}

class MeshLibraryLoadTest : public render_test::RenderDX9Fixture {
 protected:
  void SetUp() override {
    RenderDX9Fixture::SetUp();
    ASSERT_EQ(Start(), QL_OK);
    root_.WriteFile("anims/meshes.lib", TwoMeshes().Bytes());
    root_.WriteFile("anims/images/sub/tex.tga", Tga());
  }

  QLResultEnum Load(const char16_t* path, resource::ResourceHandle<animation::AnimData>& data) {
    data = resource::ResourceManager::Instance()->Get<animation::AnimData>(path);
    if (!data) return QL_FAIL;
    data->SetRender(render_.get());
    return data->Load();
  }

  const testing_support::DataRoot root_;
};

TEST_F(MeshLibraryLoadTest, RoundTrip) {
  root_.WriteFile("anims/show.anim", AnimationOf("a", "b"));
  root_.WriteFile("anims/hide.anim", AnimationOf("b", "b"));
  resource::ResourceHandle<animation::AnimData> show;
  resource::ResourceHandle<animation::AnimData> hide;
  ASSERT_EQ(Load(u"anims/show.anim", show), QL_OK);
  ASSERT_EQ(Load(u"anims/hide.anim", hide), QL_OK);

  // One handle per animation, one library for both.
  ASSERT_EQ(show->GetMeshLibraries().size(), 1u);
  const MeshLibrary* library = show->GetMeshLibraries().begin()->second.Get();
  EXPECT_EQ(hide->GetMeshLibraries().begin()->second.Get(), library);
  EXPECT_EQ(show->GetMeshLibraries().begin()->second.UseCount(), 2);

  const MeshRecord* a = show->GetTracks()[0]->mesh;
  const MeshRecord* b = show->GetTracks()[1]->mesh;
  ASSERT_TRUE(a && b);
  EXPECT_EQ(b, library->FindMesh("b"));
  EXPECT_EQ(library->FindMesh("B"), nullptr);
  ASSERT_EQ(b->indexCount, 3u);
  EXPECT_EQ(b->indices[0], 0u);
  EXPECT_EQ(b->indices[1], 1u);
  EXPECT_EQ(b->indices[2], 0u);
  ASSERT_EQ(b->vertexCount, 2u);
  EXPECT_EQ(b->vertices[0].x, 10.0f);
  EXPECT_EQ(b->vertices[0].u, 0.125f);
  EXPECT_EQ(b->vertices[0].v, 0.75f);
  EXPECT_EQ(b->bounds.min.x, 10.0f);
  EXPECT_EQ(b->bounds.min.y, -11.0f);
  EXPECT_EQ(b->bounds.max.x, 11.0f);
  EXPECT_EQ(b->bounds.max.z, 0.5f);
  EXPECT_EQ(a->bounds.max.x, 2.0f);
  EXPECT_EQ(library->GetTextures().size(), 1u);
  EXPECT_NE(a->image, nullptr);
  EXPECT_EQ(a->image, b->image);
  EXPECT_EQ(a->image->GetWidth(), 2);
}

TEST_F(MeshLibraryLoadTest, MissingMeshOrTextureFails) {
  root_.WriteFile("anims/show.anim", AnimationOf("a", "c"));
  resource::ResourceHandle<animation::AnimData> show;
  EXPECT_EQ(Load(u"anims/show.anim", show), QL_FAIL);
  EXPECT_FALSE(show->IsLoaded());

  std::filesystem::remove(root_.Path() / "anims/images/sub/tex.tga");
  root_.WriteFile("other/show.anim", AnimationOf("a", "b"));
  root_.WriteFile("other/meshes.lib", TwoMeshes().Bytes());
  resource::ResourceHandle<animation::AnimData> other;
  EXPECT_NE(Load(u"other/show.anim", other), QL_OK);
  EXPECT_FALSE(other->GetMeshLibraries().begin()->second->IsLoaded());
}

}  // namespace

app::Application* app::CreateApplication() { return new TestApplication; }
