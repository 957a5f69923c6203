#pragma once

#include <utility>
#include <vector>

#include "Core/Purchase/StoreBackend.h"

namespace purchase {

// The store of a platform that sells nothing. Every purchase fails, and the
// answer comes on the store's next turn as a real store's would, so a screen
// waiting for it is never left waiting.
class OfflineStore : public StoreBackend {
 public:
  bool IsAvailable() override { return true; }
  void Buy(Product* product, PurchaseListener* listener) override;
  void RegisterProduct(Product*) override {}
  std::unique_ptr<ProductData> CreateProductData(const tinyxml2::XMLElement&) override { return nullptr; }
  void Update() override;

 private:
  std::vector<std::pair<Product*, PurchaseListener*>> pending_;
};

}  // namespace purchase
