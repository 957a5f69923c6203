#include "Core/Base/Delegate.h"

#include <gtest/gtest.h>

#include "Core/Base/DelegateBindings.h"
#include "Core/Base/SharedRef.h"

namespace {

class Shape {
 public:
  virtual ~Shape() = default;
  virtual int Sides() { return 0; }
  int Corners() { return Sides(); }
};

class Square : public Shape {
 public:
  int Sides() override { return 4; }
};

struct Tally {
  void Bump() { ++count; }
  void Double(int& value) { value *= 2; }
  int Add(int a, int b) { return count + a + b; }
  int count = 0;
};

int Subtract(int a, int b) { return a - b; }
int Multiply(int a, int b) { return a * b; }

TEST(DelegateTest, MemberBindingsCallTheirObjectWithTheArguments) {
  Tally tally;
  base::MemberDelegate0<Tally, void> bump(&tally, &Tally::Bump);
  base::MemberDelegate1<Tally, int&, void> twice(&tally, &Tally::Double);
  base::MemberDelegate2<Tally, int, int, int> add(&tally, &Tally::Add);

  bump.Invoke();
  int value = 21;
  twice.Invoke(value);
  EXPECT_EQ(value, 42) << "a reference argument reaches the operation as the caller's object";
  EXPECT_EQ(add.Invoke(10, 20), 31);
}

TEST(DelegateTest, AVirtualOperationRunsTheOverrideOfTheObjectsClass) {
  Square square;
  base::MemberDelegate0<Shape, int> sides(&square, &Shape::Sides);
  EXPECT_EQ(sides.Invoke(), 4);
}

TEST(DelegateTest, StaticBindingsCallTheFunction) {
  base::StaticDelegate2<int, int, int> subtract(&Subtract);
  EXPECT_EQ(subtract.Invoke(7, 2), 5);
}

TEST(DelegateTest, KeysIdentifyWhatIsBound) {
  Square a;
  Square b;
  const base::MemberDelegate0<Shape, int> aSides(&a, &Shape::Sides);
  const base::MemberDelegate0<Shape, int> aSidesAgain(&a, &Shape::Sides);
  const base::MemberDelegate0<Shape, int> bSides(&b, &Shape::Sides);
  const base::MemberDelegate0<Shape, int> aCorners(&a, &Shape::Corners);

  EXPECT_EQ(aSides.GetObjectKey(), reinterpret_cast<base::DelegateKey>(&a));
  EXPECT_EQ(aSides.GetMethodKey(), aSidesAgain.GetMethodKey());
  EXPECT_NE(aSides.GetObjectKey(), bSides.GetObjectKey());
  EXPECT_EQ(aSides.GetMethodKey(), bSides.GetMethodKey());
  EXPECT_NE(aSides.GetMethodKey(), aCorners.GetMethodKey());

  const base::StaticDelegate2<int, int, int> subtract(&Subtract);
  const base::StaticDelegate2<int, int, int> multiply(&Multiply);
  EXPECT_EQ(subtract.GetObjectKey(), reinterpret_cast<base::DelegateKey>(&Subtract));
  EXPECT_NE(subtract.GetObjectKey(), multiply.GetObjectKey());
  EXPECT_EQ(subtract.GetMethodKey(), 0u);
}

// A delegate that counts its deletions.
class Counted : public base::Delegate0<int> {
 public:
  explicit Counted(int& deleted) : deleted_(deleted) {}
  ~Counted() override { ++deleted_; }
  base::DelegateKey GetObjectKey() const override { return 0; }
  base::DelegateKey GetMethodKey() const override { return 0; }
  int Invoke() override { return 7; }

 private:
  int& deleted_;
};

using Ref = base::SharedRef<base::Delegate0<int>>;

class DelegateRefTest : public ::testing::Test {
 protected:
  Ref Made() {
    Ref ref;
    ref.Reset(new Counted(deleted_));
    return ref;
  }

  int deleted_ = 0;
};

TEST_F(DelegateRefTest, TheLastOfTheSharingReferencesDeletesTheDelegateOnce) {
  Ref first = Made();
  Ref second(first);
  Ref third;
  third = second;

  first.Release();
  second.Release();
  EXPECT_EQ(deleted_, 0);
  EXPECT_EQ(third->Invoke(), 7);
  third.Release();
  EXPECT_EQ(deleted_, 1);
  third.Release();
  EXPECT_FALSE(third);
  EXPECT_EQ(deleted_, 1);
}

TEST_F(DelegateRefTest, AnEmptyReferenceHoldsNothingToRelease) {
  Ref ref;
  ref.Reset(nullptr);
  Ref copy(ref);
  EXPECT_FALSE(ref);
  EXPECT_FALSE(copy);
  ref.Release();

  ref = Made();
  ref.Reset(nullptr);
  EXPECT_FALSE(ref);
  EXPECT_EQ(deleted_, 1);
}

TEST_F(DelegateRefTest, AssignmentReleasesTheOldDelegateOnlyWhenItWasTheLastReference) {
  Ref held = Made();
  Ref other = held;
  held = Made();
  EXPECT_EQ(deleted_, 0) << "other still shares the first";
  other = held;
  EXPECT_EQ(deleted_, 1);
  other = Ref();
  held = Ref();
  EXPECT_EQ(deleted_, 2);
}

TEST_F(DelegateRefTest, ReassigningWhatIsAlreadyHeldKeepsTheDelegate) {
  Ref ref = Made();
  Ref& alias = ref;
  ref = alias;
  ref.Reset(ref.Get());
  EXPECT_EQ(deleted_, 0);
  EXPECT_EQ(ref->Invoke(), 7);

  Ref sharer = ref;
  sharer = ref;
  ref.Release();
  EXPECT_EQ(deleted_, 0);
  sharer.Release();
  EXPECT_EQ(deleted_, 1);
}

TEST_F(DelegateRefTest, AReferenceHoldsABindingThroughItsInterface) {
  Square square;
  base::SharedRef<base::Delegate0<int>> sides;
  sides.Reset(new base::MemberDelegate0<Shape, int>(&square, &Shape::Sides));
  EXPECT_EQ(sides->Invoke(), 4);
}

}  // namespace
