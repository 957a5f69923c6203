#include "Core/Purchase/PurchaseResult.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "Core/Base/DelegateBindings.h"

namespace {

class Subscriber {
 public:
  ~Subscriber() { Leave(); }

  void Subscribe() { Slot(this).Reset(HandlerOf(this)); }
  void Leave() { Slot(this) = {}; }

  static base::SharedRef<purchase::PurchaseResultHandler>& Slot(const Subscriber* subscriber) {
    return purchase::PurchaseResultDelegate(subscriber);
  }
  static purchase::PurchaseResultHandler* HandlerOf(Subscriber* subscriber) {
    return new base::MemberDelegate1<Subscriber, TPurchaseResult&, void>(subscriber, &Subscriber::OnResult);
  }

  std::vector<purchase::PurchaseOutcome> heard;
  std::function<void()> whenCalled;

 private:
  void OnResult(TPurchaseResult& result) {
    heard.push_back(result.result);
    if (whenCalled) whenCalled();
  }
};

using Heard = std::vector<purchase::PurchaseOutcome>;

void Broadcast(purchase::PurchaseOutcome outcome) { purchase::NotifyPurchaseResult({nullptr, outcome}); }

// Subscribers of one array are called in the order of their places in it.
TEST(PurchaseResultTest, EverySubscriberHearsEachResultUntilItLeaves) {
  Subscriber subscribers[3];
  for (Subscriber& subscriber : subscribers) subscriber.Subscribe();

  Broadcast(purchase::kPurchaseFailed);
  subscribers[1].Leave();
  Broadcast(purchase::kPurchaseCompleted);

  const Heard both = {purchase::kPurchaseFailed, purchase::kPurchaseCompleted};
  EXPECT_EQ(subscribers[0].heard, both);
  EXPECT_EQ(subscribers[1].heard, Heard{purchase::kPurchaseFailed});
  EXPECT_EQ(subscribers[2].heard, both);
}

TEST(PurchaseResultTest, SlotsChangedDuringTheBroadcastCountAsTheyAreWhenTheirTurnComes) {
  Subscriber subscribers[4];
  for (int i = 0; i < 3; ++i) subscribers[i].Subscribe();
  subscribers[0].whenCalled = [&subscribers] {
    Subscriber::Slot(&subscribers[1]).Reset(Subscriber::HandlerOf(&subscribers[3]));
    subscribers[2].Leave();
    subscribers[3].Subscribe();
  };

  Broadcast(purchase::kPurchaseFailed);

  EXPECT_EQ(subscribers[0].heard.size(), 1u);
  EXPECT_TRUE(subscribers[1].heard.empty()) << "its slot was given to another";
  EXPECT_TRUE(subscribers[2].heard.empty()) << "it left before its turn";
  EXPECT_EQ(subscribers[3].heard.size(), 1u) << "only through the replaced slot: it joined during the broadcast";
}

TEST(PurchaseResultTest, ASubscriberMayLeaveWhileItIsCalled) {
  Subscriber subscriber;
  subscriber.Subscribe();
  subscriber.whenCalled = [&subscriber] { subscriber.Leave(); };

  Broadcast(purchase::kPurchaseFailed);
  Broadcast(purchase::kPurchaseFailed);

  EXPECT_EQ(subscriber.heard.size(), 1u);
}

}  // namespace
