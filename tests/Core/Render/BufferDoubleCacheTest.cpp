#include <gtest/gtest.h>

#include "Core/Render/BufferDoubleCache.h"
#include "Core/Render/Vertices.h"
#include "tests/Core/Render/FakeDevice.h"

namespace {

using Cache = render::BufferDoubleCache<render::VertexBuffer<render::SVertex2D>>;

class BufferDoubleCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(render.InitScreen(), QL_OK);
    cache = render::VertexCacheOf<render::SVertex2D>(render);
    ASSERT_NE(cache, nullptr);
  }

  render_testing::FakeRender render;
  Cache* cache = nullptr;
  render::SVertex2D* vertices = nullptr;
  Cache::Range range;
};

TEST_F(BufferDoubleCacheTest, HandsOutConsecutiveRangesOfTheMainBuffer) {
  ASSERT_EQ(cache->BeginFrame(), QL_OK);

  ASSERT_EQ(cache->Allocate(4, &vertices, &range), QL_OK);
  EXPECT_EQ(range.first, 0u);
  EXPECT_EQ(range.buffer, cache->GetMainBuffer());
  EXPECT_FALSE(range.buffer->GetImpl()->IsNotLocked());
  ASSERT_EQ(cache->Allocate(4, &vertices, &range), QL_OK);
  EXPECT_EQ(range.first, 4u);

  ASSERT_EQ(cache->EndFrame(), QL_OK);
  EXPECT_TRUE(range.buffer->GetImpl()->IsNotLocked());
  ASSERT_EQ(cache->BeginFrame(), QL_OK);
  ASSERT_EQ(cache->Allocate(4, &vertices, &range), QL_OK);
  EXPECT_EQ(range.first, 0u);
}

TEST_F(BufferDoubleCacheTest, WorksOnlyWithinOneFrame) {
  EXPECT_EQ(cache->Allocate(4, &vertices, &range), QL_FAIL);
  EXPECT_EQ(cache->EndFrame(), QL_FAIL);
  ASSERT_EQ(cache->BeginFrame(), QL_OK);
  EXPECT_EQ(cache->BeginFrame(), QL_FAIL);
  ASSERT_EQ(cache->EndFrame(), QL_OK);
  EXPECT_EQ(cache->Allocate(4, &vertices, &range), QL_FAIL);
}

TEST_F(BufferDoubleCacheTest, WhatTheMainBufferCannotTakeGoesToOverflowBuffers) {
  ASSERT_EQ(cache->BeginFrame(), QL_OK);
  ASSERT_EQ(cache->Allocate(40960 - 2, &vertices, &range), QL_OK);

  struct Case {
    std::uint32_t count;
    std::uint32_t capacity;
  };
  // The batch size, then more than a batch: both drawn, neither dropped.
  for (const Case& c : {Case{10240, 10240}, Case{10241, 10241}}) {
    ASSERT_EQ(cache->Allocate(c.count, &vertices, &range), QL_OK) << c.count;
    EXPECT_NE(range.buffer, cache->GetMainBuffer());
    EXPECT_EQ(range.first, 0u);
    EXPECT_EQ(range.buffer->GetImpl()->GetCapacity(), c.capacity);
    vertices[c.count - 1].x = 1.0f;  // the whole range is writable
  }
  ASSERT_EQ(cache->Allocate(2, &vertices, &range), QL_OK);
  EXPECT_EQ(range.buffer, cache->GetMainBuffer());
  EXPECT_EQ(cache->GetOverflowCount(), 2u);
}

TEST_F(BufferDoubleCacheTest, LaterFramesFillTheOverflowBuffersOfEarlierOnesAgain) {
  constexpr std::uint32_t kQuads = 30000;  // about three main buffers
  std::size_t overflowAfterFirstFrame = 0;
  for (int frame = 0; frame < 3; ++frame) {
    ASSERT_EQ(cache->BeginFrame(), QL_OK);
    for (std::uint32_t i = 0; i < kQuads; ++i) ASSERT_EQ(cache->Allocate(4, &vertices, &range), QL_OK);
    ASSERT_EQ(cache->EndFrame(), QL_OK);
    if (frame == 0) overflowAfterFirstFrame = cache->GetOverflowCount();
    EXPECT_EQ(cache->GetOverflowCount(), overflowAfterFirstFrame) << frame;
  }
  // 40960 vertices in the main buffer, then batches of 10240.
  EXPECT_EQ(overflowAfterFirstFrame, 8u);
}

}  // namespace
