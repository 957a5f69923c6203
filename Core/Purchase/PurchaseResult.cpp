#include "Core/Purchase/PurchaseResult.h"

#include <map>
#include <vector>

namespace purchase {

namespace {

using Subscribers = std::map<const void*, base::SharedRef<PurchaseResultHandler>>;

// Made on first use and never freed: a subscriber may empty its slot while the
// services are shut down at exit, after static objects are gone.
Subscribers& AllSubscribers() {
  static Subscribers* subscribers = new Subscribers;
  return *subscribers;
}

}  // namespace

base::SharedRef<PurchaseResultHandler>& PurchaseResultDelegate(const void* subscriber) {
  return AllSubscribers()[subscriber];
}

void NotifyPurchaseResult(const TPurchaseResult& result) {
  std::vector<const void*> keys;
  for (const auto& [key, slot] : AllSubscribers()) keys.push_back(key);

  for (const void* key : keys) {
    // Held here so that a subscriber emptying its slot while it is called does
    // not delete the delegate that is running.
    const base::SharedRef<PurchaseResultHandler> delegate = PurchaseResultDelegate(key);
    if (!delegate) continue;
    TPurchaseResult told = result;
    delegate->Invoke(told);
  }
}

}  // namespace purchase
