#pragma once

#include <cstdint>

#include "Core/Base/Delegate.h"
#include "Core/Base/SharedRef.h"

namespace purchase {

struct Product;

enum PurchaseOutcome : std::int32_t {
  kPurchaseCompleted = 0,
  kPurchaseFailed = 1,
};

}  // namespace purchase

// What every subscriber hears when a purchase ends.
struct TPurchaseResult {
  purchase::Product* product;
  purchase::PurchaseOutcome result;
};

namespace purchase {

using PurchaseResultHandler = base::Delegate1<TPurchaseResult&, void>;

// The subscriber's slot, made empty on first use. A subscriber subscribes by
// resetting it and must empty it before the subscriber itself is destroyed.
base::SharedRef<PurchaseResultHandler>& PurchaseResultDelegate(const void* subscriber);

// Calls every subscriber, in the order of their addresses, each with its own
// copy of the result. A slot changed during the broadcast counts as it is when
// its turn comes; a subscriber that joins during the broadcast is not called.
void NotifyPurchaseResult(const TPurchaseResult& result);

}  // namespace purchase
