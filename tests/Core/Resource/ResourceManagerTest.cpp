#include "Core/Resource/ResourceManager.h"

#include <gtest/gtest.h>

#include <vector>

#include "Core/Base/Log.h"
#include "Core/Base/SingletonRegistry.h"
#include "tests/Support/RecordingLogOutput.h"

namespace {

using Events = std::vector<base::WString>;

// A resource whose steps fail when a test asks, recording what happens to it.
class Probe : public resource::Resource {
 public:
  static inline int alive = 0;
  static inline Events events;
  static inline QLResultEnum initResult = QL_OK;

  Probe() { ++alive; }
  ~Probe() override {
    --alive;
    events.push_back(u"delete " + GetName());
  }

  QLResultEnum Release() override { return resource::ResourceManager::Instance()->Release(this); }

  QLResultEnum loadResult = QL_OK;
  QLResultEnum unloadResult = QL_OK;
  // What this resource keeps of others, as an atlas image keeps its atlas.
  resource::ResourceHandle<Probe> held;

 protected:
  QLResultEnum OnInit() override { return initResult; }
  QLResultEnum DoLoad() override {
    events.push_back(u"load " + GetName());
    return loadResult;
  }
  QLResultEnum DoUnload() override {
    events.push_back(u"unload " + GetName());
    return unloadResult;
  }
};

// A type of its own, with a cache of its own.
class OtherProbe : public Probe {
 public:
  QLResultEnum Release() override { return resource::ResourceManager::Instance()->Release(this); }
};

class ResourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Probe::alive = 0;
    Probe::events.clear();
    Probe::initResult = QL_OK;
    base::MainLog::Instance()->AddHtmlOutput(new testing_support::RecordingLogOutput(logged_));
  }
  // Whatever a test left cached goes with the manager; nothing may survive it.
  void TearDown() override {
    SingletonRegistry::Shutdown();
    EXPECT_EQ(Probe::alive, 0);
  }

  template <class T = Probe>
  static resource::ResourceHandle<T> Get(const base::WString& name) {
    return resource::ResourceManager::Instance()->Get<T>(name);
  }
  static resource::ResourceCache<Probe>& Cache() { return resource::ResourceManager::Instance()->GetMap<Probe>(); }

  Events logged_;
};

using ResourceHandleTest = ResourceTest;
using ResourceManagerTest = ResourceTest;

TEST_F(ResourceTest, LoadingOrUnloadingTwiceOnlyLogs) {
  auto font = Get(u"a.png");
  EXPECT_EQ(font->UnLoad(), QL_OK);
  EXPECT_EQ(logged_.back(), u"<div class=\"block\">Trying to UnLoad already unloaded resource 'a.png'.\n</div>");
  font->Load();
  EXPECT_EQ(font->Load(), QL_OK);
  EXPECT_EQ(logged_.back(), u"<div class=\"block\">Trying to Load already loaded resource 'a.png'.\n</div>");
  EXPECT_EQ(Probe::events, Events{u"load a.png"});
}

TEST_F(ResourceTest, AFailedLoadIsReturnedUnchangedAndTriedAgainLater) {
  auto font = Get(u"a");
  font->loadResult = QLResultEnum{7};
  EXPECT_EQ(font->Load(), 7);
  EXPECT_FALSE(font->IsLoaded());
  font->loadResult = QL_OK;
  EXPECT_EQ(font->Load(), QL_OK);
  EXPECT_TRUE(font->IsLoaded());
}

TEST_F(ResourceHandleTest, CopiesAndMovesCountEachUseOnce) {
  auto font = Get(u"a");
  {
    auto copy = font;
    EXPECT_EQ(font.UseCount(), 2);
    auto moved = std::move(copy);
    EXPECT_EQ(copy.Get(), nullptr);
    resource::ResourceHandle<Probe> assigned;
    assigned = std::move(moved);
    EXPECT_EQ(assigned.Get(), font.Get());
    EXPECT_EQ(font.UseCount(), 2);
  }
  EXPECT_EQ(font.UseCount(), 1);
  EXPECT_TRUE(Probe::events.empty());
}

TEST_F(ResourceHandleTest, AssigningAHandleToItselfKeepsTheResource) {
  auto font = Get(u"a");
  font->Load();
  auto& same = font;
  font = same;
  EXPECT_EQ(font.UseCount(), 1);
  font = std::move(same);
  EXPECT_EQ(font.UseCount(), 1);
  EXPECT_TRUE(font->IsLoaded());
  EXPECT_EQ(Probe::events, Events{u"load a"});
}

TEST_F(ResourceHandleTest, AssignmentReleasesWhatTheHandleHeld) {
  auto first = Get(u"a");
  auto second = Get(u"b");
  first = second;
  EXPECT_EQ(Probe::events, Events{u"delete a"});
  EXPECT_EQ(second.UseCount(), 2);
  first = {};
  second = {};
  EXPECT_EQ(Probe::events, (Events{u"delete a", u"delete b"}));
  EXPECT_TRUE(Cache().empty());
}

TEST_F(ResourceHandleTest, AHandleWithoutACountLeavesItsResourceAlone) {
  Probe builtIn;
  {
    resource::ResourceHandle<Probe> handle(&builtIn);
    auto copy = handle;
    EXPECT_EQ(copy.Get(), &builtIn);
    EXPECT_EQ(copy.UseCount(), 0);
    handle.Release();
  }
  EXPECT_TRUE(Probe::events.empty());
}

TEST_F(ResourceManagerTest, GetsOfOneNameShareOneObjectUntilTheLastRelease) {
  auto first = Get(u"font");
  auto second = Get(u"font");
  ASSERT_EQ(first.Get(), second.Get());
  EXPECT_EQ(second.UseCount(), 2);
  first->Load();
  first.Release();
  EXPECT_TRUE(second->IsLoaded());
  EXPECT_EQ(Cache().count(u"font"), 1u);
  second.Release();
  EXPECT_EQ(Probe::events, (Events{u"load font", u"unload font", u"delete font"}));
  EXPECT_TRUE(Cache().empty());
}

TEST_F(ResourceManagerTest, ReleasingOneOfManyLeavesTheOthersCached) {
  auto a = Get(u"a");
  auto b = Get(u"b");
  auto c = Get(u"c");
  Probe* kept = c.Get();
  b.Release();
  EXPECT_EQ(Probe::events, Events{u"delete b"});
  EXPECT_EQ(Cache().size(), 2u);
  EXPECT_EQ(Get(u"c").Get(), kept);
}

TEST_F(ResourceManagerTest, NamesAndTypesKeepResourcesApart) {
  auto lower = Get(u"a.png");
  auto upper = Get(u"A.png");
  auto other = Get<OtherProbe>(u"a.png");
  EXPECT_NE(lower.Get(), upper.Get());
  EXPECT_NE(lower.Get(), other.Get());
  EXPECT_EQ(Cache().size(), 2u);
}

TEST_F(ResourceManagerTest, AFailedInitOrLoadLeavesNothingBehind) {
  const struct {
    const char* what;
    QLResultEnum initResult;
    QLResultEnum loadResult;
    Events events;
  } cases[] = {
      {"init fails", QL_FAIL, QL_OK, {u"delete a"}},
      {"load fails", QL_OK, QL_FAIL, {u"load a", u"delete a"}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.what);
    Probe::events.clear();
    Probe::initResult = test.initResult;
    if (auto font = Get(u"a")) {
      font->loadResult = test.loadResult;
      font->Load();
    }
    EXPECT_EQ(Probe::events, test.events);
    EXPECT_EQ(Probe::alive, 0);
    EXPECT_TRUE(Cache().empty());
  }
}

TEST_F(ResourceManagerTest, AResourceWhoseUnloadFailsStaysCachedUntilTheManagerGoes) {
  Probe* kept = nullptr;
  {
    auto font = Get(u"a");
    font->Load();
    font->unloadResult = QL_FAIL;
    kept = font.Get();
  }
  EXPECT_EQ(Cache().at(u"a").resource, kept);
  auto again = Get(u"a");
  EXPECT_EQ(again.Get(), kept);
  EXPECT_EQ(again.UseCount(), 1);
  EXPECT_TRUE(again->IsLoaded());
  again.Release();

  SingletonRegistry::Shutdown();
  EXPECT_EQ(Probe::alive, 0);
}

TEST_F(ResourceManagerTest, AHandleOutlivingTheManagerFreesItsResource) {
  auto font = Get(u"a");
  font->Load();
  auto copy = font;
  SingletonRegistry::Shutdown();
  copy.Release();
  EXPECT_EQ(Probe::alive, 1);

  // A later manager starts with empty caches that the old resource never reaches.
  auto fresh = Get(u"a");
  EXPECT_NE(fresh.Get(), font.Get());
  font.Release();
  EXPECT_EQ(Probe::events, (Events{u"load a", u"unload a", u"delete a"}));
  EXPECT_EQ(fresh.UseCount(), 1);
  EXPECT_EQ(Cache().count(u"a"), 1u);
}

TEST_F(ResourceManagerTest, FreeingAResourceReleasesTheResourcesItHolds) {
  // The holder comes first in name order, so the manager meets it before what it holds.
  {
    auto image = Get(u"image");
    image->held = Get(u"texture");
  }
  EXPECT_EQ(Probe::events, (Events{u"delete image", u"delete texture"}));
  EXPECT_TRUE(Cache().empty());

  // The same when the manager frees an image it could not unload.
  Probe::events.clear();
  {
    auto image = Get(u"image");
    image->held = Get(u"texture");
    image->Load();
    image->unloadResult = QL_FAIL;
  }
  SingletonRegistry::Shutdown();
  EXPECT_EQ(Probe::events,
            (Events{u"load image", u"unload image", u"unload image", u"delete image", u"delete texture"}));
}

}  // namespace
