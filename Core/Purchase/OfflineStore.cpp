#include "Core/Purchase/OfflineStore.h"

#include "Core/Base/LogMessage.h"
#include "Core/Purchase/PurchaseListener.h"

namespace purchase {

void OfflineStore::Buy(Product* product, PurchaseListener* listener) {
  QL_LOG(u"No store on this platform: the purchase of '%s' fails\n").AddArg(product->name);
  pending_.emplace_back(product, listener);
}

void OfflineStore::Update() {
  // A purchase started by a listener while it hears its answer is answered on
  // the next turn, so a buyer that always tries again cannot hold this loop.
  const auto answered = std::exchange(pending_, {});
  for (const auto& [product, listener] : answered) listener->OnPurchaseFailed(product);
}

}  // namespace purchase
