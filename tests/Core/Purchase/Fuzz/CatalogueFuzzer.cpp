// libFuzzer entry for the purchase catalogue: the input is "kp/inapp.xml";
// every product it adds is found by its name and bought from the offline
// store, which refuses.
#include <cstddef>
#include <cstdint>

#include "Core/Purchase/PurchaseSystem.h"
#include "tests/Support/FuzzCheck.h"
#include "tests/Support/FuzzDataRoot.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz_support::WriteInput("kp/inapp.xml", data, size);
  purchase::PurchaseSystem purchases;
  purchases.LoadCatalogue(u"kp/inapp.xml");
  for (const auto& product : purchases.Products()) {
    fuzz_support::Check(!product->name.empty(), "every product has a name");
    fuzz_support::Check(purchases.FindProduct(product->name) != nullptr, "a product is found by its name");
    purchases.Buy(product.get(), nullptr);
  }
  purchases.Update();
  return 0;
}
