#pragma once

#include <cstdint>
#include <memory>

#include "Core/Base/WString.h"

namespace purchase {

class PurchaseListener;

// What a store back end keeps about one product; the product owns it.
class ProductData {
 public:
  virtual ~ProductData() = default;
};

enum ProductType : std::int32_t {
  kProductOther = 0,
  kProductConsumable = 1,
};

// One entry of the catalogue. Entries live as long as the purchase system,
// so shops may keep pointers to them.
struct Product {
  // Hears the outcome of the purchase under way, if its buyer asked to.
  PurchaseListener* listener = nullptr;
  ProductType type = kProductOther;
  base::WString name;
  base::WString text;
  // Filled in by a store that knows prices; empty otherwise.
  base::WString price;
  std::unique_ptr<ProductData> data;
  bool busy = false;
};

}  // namespace purchase
