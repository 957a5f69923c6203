#pragma once

namespace purchase {

struct Product;

// Told how a purchase ended. Listeners are never deleted through this
// interface.
class PurchaseListener {
 public:
  virtual void OnPurchaseCompleted(Product* product) = 0;
  virtual void OnPurchaseFailed(Product* product) = 0;

 protected:
  ~PurchaseListener() = default;
};

}  // namespace purchase
