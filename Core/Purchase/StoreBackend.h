#pragma once

#include <memory>

#include "Core/Purchase/Product.h"

namespace tinyxml2 {
class XMLElement;
}

namespace purchase {

class PurchaseListener;

// The platform store as the purchase system uses it. Outcomes are reported
// on the main thread, never from inside Buy, so that a buyer can finish what
// it was doing before it hears the answer.
class StoreBackend {
 public:
  virtual ~StoreBackend() = default;
  virtual bool IsAvailable() = 0;
  virtual void Buy(Product* product, PurchaseListener* listener) = 0;
  virtual void RegisterProduct(Product* product) = 0;
  // What the store needs of the product's catalogue element; may be null.
  virtual std::unique_ptr<ProductData> CreateProductData(const tinyxml2::XMLElement& element) = 0;
  // The store's turn in the main loop: answers that are ready are given here.
  virtual void Update() = 0;
};

}  // namespace purchase
