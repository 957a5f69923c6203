#include "Core/Base/Singletone.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Core/Base/SingletonRegistry.h"

namespace {

std::string destroyed;

template <char Name>
class Service : public base::Singletone<Service<Name>> {
 public:
  static inline std::vector<base::SingletoneBase*> dependencies;
  static inline std::function<void()> onDestroy;

  ~Service() override {
    destroyed += Name;
    if (onDestroy) onDestroy();
  }
  std::vector<base::SingletoneBase*> GetDependencies() override { return dependencies; }
};

using P = Service<'P'>;
using Q = Service<'Q'>;
using R = Service<'R'>;
using S = Service<'S'>;

class SingletoneTest : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override {
    SingletonRegistry::Shutdown();
    Reset();
  }
  static void Reset() {
    destroyed.clear();
    P::dependencies.clear();
    Q::dependencies.clear();
    R::dependencies.clear();
    P::onDestroy = nullptr;
    Q::onDestroy = nullptr;
  }
  static std::string ShutDown() {
    SingletonRegistry::Shutdown();
    return destroyed;
  }
};

TEST_F(SingletoneTest, WithoutDependenciesTheFirstConstructedGoesFirst) {
  P::Instance();
  Q::Instance();
  R::Instance();
  EXPECT_EQ(ShutDown(), "PQR");
}

TEST_F(SingletoneTest, ADependentGoesBeforeItsDependency) {
  P::Instance();
  Q::Instance();
  R::dependencies = {P::Instance()};
  R::Instance();
  EXPECT_EQ(ShutDown(), "RQP");
}

TEST_F(SingletoneTest, RecordedPairs) {
  P::Instance();
  Q::Instance();
  base::SingletoneBase::AddDependency(P::Instance(), Q::Instance());  // already in order
  EXPECT_EQ(ShutDown(), "PQ");

  P::Instance();
  Q::Instance();
  base::SingletoneBase::AddDependency(Q::Instance(), P::Instance());
  EXPECT_EQ(ShutDown(), "PQQP");
}

TEST_F(SingletoneTest, ADependencyNeverConstructedChangesNothing) {
  P::Instance();
  Q::Instance();
  Q::dependencies = {S::Existing()};
  EXPECT_EQ(ShutDown(), "PQ");
}

TEST_F(SingletoneTest, AServiceMadeByADestructorIsDestroyedLast) {
  P::Instance();
  Q::Instance();
  P::onDestroy = [] { R::Instance(); };
  EXPECT_EQ(ShutDown(), "PQR");
}

TEST_F(SingletoneTest, ADestroyedServiceIsMadeAnewOnItsNextUse) {
  P* first = P::Instance();
  EXPECT_EQ(P::Existing(), first);
  ShutDown();
  EXPECT_EQ(P::Existing(), nullptr);
  EXPECT_NE(P::Instance(), nullptr);
}

TEST_F(SingletoneTest, AServiceDeletedByItsOwnerIsNotDestroyedAgain) {
  delete P::Instance();
  Q::Instance();
  EXPECT_EQ(P::Existing(), nullptr);
  EXPECT_EQ(ShutDown(), "PQ");
}

}  // namespace
