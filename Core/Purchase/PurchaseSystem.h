#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "Core/Base/Singletone.h"
#include "Core/Purchase/Product.h"
#include "Core/Purchase/PurchaseListener.h"
#include "Core/Purchase/PurchaseResult.h"
#include "Core/Purchase/StoreBackend.h"

namespace purchase {

// The engine's front of the platform store: the product catalogue, the
// purchases under way, and the broadcast of their outcomes.
class PurchaseSystem : public PurchaseListener, public base::Singletone<PurchaseSystem> {
 public:
  // With the offline store, as this platform has no store of its own.
  PurchaseSystem();
  // backend must not be null.
  explicit PurchaseSystem(std::unique_ptr<StoreBackend> backend);

  // Appends the products of a catalogue file. A missing or damaged file, or a
  // damaged entry, is logged and adds nothing.
  void LoadCatalogue(const base::WString& path);

  // The product of exactly this name (letter case included), or null.
  Product* FindProduct(std::u16string_view name) const;
  const std::vector<std::unique_ptr<Product>>& Products() const { return products_; }

  // Starts buying a catalogue product that is not already being bought;
  // otherwise does nothing. The listener (may be null) hears the outcome
  // before the subscribers of the broadcast.
  void Buy(Product* product, PurchaseListener* listener);

  // The store's turn: purchase outcomes are delivered from here. The frame
  // code calls it once per pass of the main loop.
  void Update();

  void OnPurchaseCompleted(Product* product) override;
  void OnPurchaseFailed(Product* product) override;

 private:
  void AddProduct(const tinyxml2::XMLElement& element, const base::WString& path);
  bool Contains(const Product* product) const;
  void Finish(Product* product, PurchaseOutcome outcome);

  // Declared first so that it goes last: the store may still look at the
  // products it registered while it is destroyed.
  std::vector<std::unique_ptr<Product>> products_;
  std::unique_ptr<StoreBackend> backend_;
};

}  // namespace purchase
