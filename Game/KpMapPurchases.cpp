#include <array>

#include "Core/Base/DelegateBindings.h"
#include "Core/Purchase/Product.h"
#include "Core/Purchase/ProductNames.h"
#include "Core/Purchase/PurchaseResult.h"
#include "Game/KpMap.h"

namespace {

// The gems of each pack of purchase::kGemPackProductNames, in its order.
constexpr std::array<int, 5> kGemPackGems = {100, 335, 575, 1200, 3125};

int GemsOfPack(const base::WString& productName) {
  for (std::size_t n = 0; n < kGemPackGems.size(); ++n)
    if (purchase::kGemPackProductNames[n] == productName) return kGemPackGems[n];
  return 0;
}

}  // namespace

void KpMap::subscribeToPurchases() {
  purchase::PurchaseResultDelegate(this).Reset(
      new base::MemberDelegate1<KpMap, TPurchaseResult&, void>(this, &KpMap::onPurchaseResult));
}

void KpMap::unsubscribeFromPurchases() { purchase::PurchaseResultDelegate(this) = {}; }

void KpMap::onPurchaseResult(TPurchaseResult& result) {
  if (!result.product) return;
  const base::WString& name = result.product->name;
  const bool completed = result.result == purchase::kPurchaseCompleted;
  if (completed && wallet)
    if (const int gems = GemsOfPack(name)) wallet->addGems(gems);
  if (name != u"buy_health") return;
  if (!completed) {
    // The offer stands until the player buys or gives up.
    offerHealth();
    return;
  }
  life = maxLife;
  screenState = kScreenPlay;
}
