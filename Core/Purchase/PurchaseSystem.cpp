#include "Core/Purchase/PurchaseSystem.h"

#include <tinyxml2.h>

#include <algorithm>
#include <utility>

#include "Core/Base/LogMessage.h"
#include "Core/Base/TextConversion.h"
#include "Core/File/FileManager.h"
#include "Core/File/TextFile.h"
#include "Core/Purchase/OfflineStore.h"

namespace purchase {

namespace {

base::WString Utf8Attribute(const tinyxml2::XMLElement& element, const char* name) {
  const char* value = element.Attribute(name);
  return base::ToWide(value ? value : "", base::kEncodingUtf8);
}

void LogCatalogueProblem(const base::WString& path, const base::WString& problem) {
  QL_LOG(u"Purchase catalogue '%s': %s\n").AddArg(path).AddArg(problem);
}

}  // namespace

PurchaseSystem::PurchaseSystem() : PurchaseSystem(std::make_unique<OfflineStore>()) {}

PurchaseSystem::PurchaseSystem(std::unique_ptr<StoreBackend> backend) : backend_(std::move(backend)) {}

void PurchaseSystem::LoadCatalogue(const base::WString& path) {
  if (!file::FileManager::Instance()->FileExists(path, nullptr, 0, nullptr)) {
    LogCatalogueProblem(path, u"the file is missing; nothing is for sale");
    return;
  }
  const std::string text = file::ReadTextFile(path);
  tinyxml2::XMLDocument document;
  if (document.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS) {
    LogCatalogueProblem(path, base::ToWide(document.ErrorStr(), base::kEncodingUtf8));
    return;
  }
  const tinyxml2::XMLElement* root = document.FirstChildElement("xml");
  if (!root) {
    LogCatalogueProblem(path, u"there is no \"xml\" element");
    return;
  }
  for (const tinyxml2::XMLElement* element = root->FirstChildElement("Product"); element;
       element = element->NextSiblingElement("Product")) {
    AddProduct(*element, path);
  }
}

void PurchaseSystem::AddProduct(const tinyxml2::XMLElement& element, const base::WString& path) {
  base::WString name = Utf8Attribute(element, "name");
  // The shops find products by name, so a nameless one could never be sold.
  if (name.empty()) {
    LogCatalogueProblem(path, u"a product without a name is passed over");
    return;
  }
  auto product = std::make_unique<Product>();
  product->name = std::move(name);
  product->text = Utf8Attribute(element, "text");
  product->type = element.Attribute("type", "consumable") ? kProductConsumable : kProductOther;
  product->data = backend_->CreateProductData(element);
  products_.push_back(std::move(product));
  backend_->RegisterProduct(products_.back().get());
}

Product* PurchaseSystem::FindProduct(std::u16string_view name) const {
  const auto found =
      std::find_if(products_.begin(), products_.end(), [name](const auto& product) { return product->name == name; });
  return found == products_.end() ? nullptr : found->get();
}

bool PurchaseSystem::Contains(const Product* product) const {
  return std::any_of(products_.begin(), products_.end(), [product](const auto& own) { return own.get() == product; });
}

void PurchaseSystem::Buy(Product* product, PurchaseListener* listener) {
  if (!Contains(product) || product->busy || !backend_->IsAvailable()) return;
  product->busy = true;
  product->listener = listener;
  backend_->Buy(product, this);
}

void PurchaseSystem::Update() { backend_->Update(); }

void PurchaseSystem::OnPurchaseCompleted(Product* product) { Finish(product, kPurchaseCompleted); }

void PurchaseSystem::OnPurchaseFailed(Product* product) { Finish(product, kPurchaseFailed); }

void PurchaseSystem::Finish(Product* product, PurchaseOutcome outcome) {
  if (!Contains(product)) return;
  product->busy = false;
  // The listener belongs to this purchase only; a later one brings its own.
  if (PurchaseListener* listener = std::exchange(product->listener, nullptr)) {
    if (outcome == kPurchaseCompleted) {
      listener->OnPurchaseCompleted(product);
    } else {
      listener->OnPurchaseFailed(product);
    }
  }
  NotifyPurchaseResult({product, outcome});
}

}  // namespace purchase
