#include "Core/Purchase/PurchaseSystem.h"

#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Core/Base/DelegateBindings.h"
#include "Core/Base/Log.h"
#include "Core/Base/SingletonRegistry.h"
#include "tests/Support/DataRoot.h"
#include "tests/Support/RecordingLogOutput.h"

namespace {

using purchase::Product;
using purchase::PurchaseOutcome;
using Heard = std::vector<std::pair<Product*, PurchaseOutcome>>;

constexpr char kCatalogue[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<xml>\n"
    "  <Product name=\"buy_50_cr\" text=\"50\" type=\"consumable\" sku=\"gems.50\"/>\n"
    "  <!-- retired offers follow -->\n"
    "  <Product name=\"a\" text=\"b\" type=\"other\" sku=\"gems.a\"/>\n"
    "</xml>\n";

class RecordingListener : public purchase::PurchaseListener {
 public:
  void OnPurchaseCompleted(Product* product) override { heard.emplace_back(product, purchase::kPurchaseCompleted); }
  void OnPurchaseFailed(Product* product) override { heard.emplace_back(product, purchase::kPurchaseFailed); }
  Heard heard;
};

struct Sku : purchase::ProductData {
  explicit Sku(const char* id) : id(id ? id : "") {}
  std::string id;
};

class FakeStore : public purchase::StoreBackend {
 public:
  bool IsAvailable() override { return available; }
  void Buy(Product* product, purchase::PurchaseListener* listener) override {
    bought.push_back(product);
    answerTo = listener;
  }
  void RegisterProduct(Product* product) override { registered.push_back(product); }
  std::unique_ptr<purchase::ProductData> CreateProductData(const tinyxml2::XMLElement& element) override {
    return std::make_unique<Sku>(element.Attribute("sku"));
  }
  void Update() override {}

  bool available = true;
  std::vector<Product*> bought;
  std::vector<Product*> registered;
  purchase::PurchaseListener* answerTo = nullptr;
};

// Runs inside its own data root, keeps what is logged and what is broadcast.
class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base::MainLog::Instance()->AddOutput(new testing_support::RecordingLogOutput(log_));
    purchase::PurchaseResultDelegate(this).Reset(
        new base::MemberDelegate1<CatalogueTest, TPurchaseResult&, void>(this, &CatalogueTest::OnResult));
  }
  void TearDown() override {
    purchase::PurchaseResultDelegate(this) = {};
    SingletonRegistry::Shutdown();
  }

  static std::vector<base::WString> Names(const purchase::PurchaseSystem& system) {
    std::vector<base::WString> names;
    for (const auto& product : system.Products()) names.push_back(product->name);
    return names;
  }

  bool Logged(std::u16string_view text) const {
    for (const base::WString& write : log_) {
      if (write.find(text) != base::WString::npos) return true;
    }
    return false;
  }

  testing_support::DataRoot root_;
  std::vector<base::WString> log_;
  Heard broadcast_;
  std::function<void()> onResult_;

 private:
  void OnResult(TPurchaseResult& result) {
    broadcast_.emplace_back(result.product, result.result);
    if (onResult_) onResult_();
  }
};

TEST_F(CatalogueTest, ProductsAreReadInOrderWithTheirTypesAndStoreData) {
  root_.WriteFile("kp/inapp.xml", kCatalogue);
  auto owned = std::make_unique<FakeStore>();
  FakeStore& store = *owned;
  purchase::PurchaseSystem system(std::move(owned));

  system.LoadCatalogue(u"kp/inapp.xml");

  ASSERT_EQ(Names(system), (std::vector<base::WString>{u"buy_50_cr", u"a"}));
  const Product& pack = *system.Products()[0];
  const Product& other = *system.Products()[1];
  EXPECT_EQ(pack.text, u"50");
  EXPECT_EQ(pack.type, purchase::kProductConsumable);
  EXPECT_EQ(other.text, u"b");
  EXPECT_EQ(other.type, purchase::kProductOther);
  EXPECT_FALSE(pack.busy);
  EXPECT_TRUE(pack.price.empty());
  EXPECT_EQ(store.registered, (std::vector<Product*>{system.Products()[0].get(), system.Products()[1].get()}));
  EXPECT_EQ(static_cast<const Sku&>(*other.data).id, "gems.a");

  EXPECT_EQ(system.FindProduct(u"buy_50_cr"), &pack);
  EXPECT_EQ(system.FindProduct(u"BUY_50_CR"), nullptr);
}

std::string NestedTooDeep() {
  std::string text = "<xml>";
  for (int i = 0; i < 100000; ++i) text += "<a>";
  return text;
}

TEST_F(CatalogueTest, DamageIsLoggedAndOnlySoundProductsAreAdded) {
  struct Case {
    const char* label;
    std::string content;
    bool missing;
    std::vector<base::WString> names;
  };
  const Case cases[] = {
      {"missing", "", true, {u"kept"}},
      {"empty", "", false, {u"kept"}},
      {"cut short", "<xml><Product name=\"x\"", false, {u"kept"}},
      {"no xml element", "<catalogue><Product name=\"x\"/></catalogue>", false, {u"kept"}},
      {"nested too deep", NestedTooDeep(), false, {u"kept"}},
      {"nameless products", "<xml><Product text=\"t\"/><Product name=\"\"/><Product name=\"x\"/></xml>", false,
       {u"kept", u"x"}},
  };
  root_.WriteFile("kp/kept.xml", "<xml><Product name=\"kept\"/></xml>");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::filesystem::remove(root_.Path() / "kp/inapp.xml");
    if (!c.missing) root_.WriteFile("kp/inapp.xml", c.content);
    purchase::PurchaseSystem system;
    system.LoadCatalogue(u"kp/kept.xml");
    log_.clear();

    system.LoadCatalogue(u"kp/inapp.xml");

    EXPECT_EQ(Names(system), c.names);
    EXPECT_TRUE(Logged(u"kp/inapp.xml"));
  }
}

// The example catalogue, sold through a store that the test answers for.
class BuyTest : public CatalogueTest {
 protected:
  void SetUp() override {
    CatalogueTest::SetUp();
    root_.WriteFile("kp/inapp.xml", kCatalogue);
    auto store = std::make_unique<FakeStore>();
    store_ = store.get();
    system_ = std::make_unique<purchase::PurchaseSystem>(std::move(store));
    system_->LoadCatalogue(u"kp/inapp.xml");
    pack_ = system_->FindProduct(u"buy_50_cr");
  }
  // The shut-down would delete a service still alive.
  void TearDown() override {
    system_.reset();
    CatalogueTest::TearDown();
  }

  std::unique_ptr<purchase::PurchaseSystem> system_;
  FakeStore* store_ = nullptr;
  Product* pack_ = nullptr;
  RecordingListener listener_;
};

TEST_F(BuyTest, AProductBeingBoughtIsNotBoughtAgainUntilItsOutcome) {
  system_->Buy(pack_, &listener_);
  system_->Buy(pack_, nullptr);
  EXPECT_TRUE(pack_->busy);
  EXPECT_EQ(store_->bought, std::vector<Product*>{pack_});
  EXPECT_EQ(store_->answerTo, system_.get());

  system_->OnPurchaseFailed(pack_);
  EXPECT_FALSE(pack_->busy);
  EXPECT_EQ(listener_.heard, (Heard{{pack_, purchase::kPurchaseFailed}}));
  EXPECT_EQ(broadcast_, (Heard{{pack_, purchase::kPurchaseFailed}}));

  system_->Buy(pack_, nullptr);
  system_->OnPurchaseCompleted(pack_);
  EXPECT_EQ(store_->bought.size(), 2u);
  EXPECT_EQ(listener_.heard.size(), 1u) << "the listener of the first purchase hears only its own outcome";
  EXPECT_EQ(broadcast_, (Heard{{pack_, purchase::kPurchaseFailed}, {pack_, purchase::kPurchaseCompleted}}));
}

TEST_F(BuyTest, NothingIsBoughtFromAnUnavailableStoreOrOutsideTheCatalogue) {
  Product foreign;
  store_->available = false;
  system_->Buy(pack_, &listener_);
  store_->available = true;
  system_->Buy(&foreign, &listener_);
  system_->Buy(nullptr, &listener_);
  EXPECT_FALSE(pack_->busy);
  EXPECT_FALSE(foreign.busy);
  EXPECT_TRUE(store_->bought.empty());

  system_->OnPurchaseCompleted(&foreign);
  system_->OnPurchaseFailed(nullptr);
  EXPECT_TRUE(broadcast_.empty());
}

// The store of this platform, as the game gets it.
class OfflineStoreTest : public CatalogueTest {
 protected:
  void SetUp() override {
    CatalogueTest::SetUp();
    root_.WriteFile("kp/inapp.xml", kCatalogue);
    system_->LoadCatalogue(u"kp/inapp.xml");
    pack_ = system_->FindProduct(u"buy_50_cr");
  }

  purchase::PurchaseSystem* system_ = purchase::PurchaseSystem::Instance();
  Product* pack_ = nullptr;
  RecordingListener listener_;
};

TEST_F(OfflineStoreTest, ABuyFailsOnceAtTheNextUpdate) {
  system_->Buy(pack_, &listener_);
  system_->Buy(pack_, &listener_);
  EXPECT_TRUE(broadcast_.empty()) << "not from inside Buy";
  EXPECT_TRUE(pack_->busy);

  system_->Update();
  system_->Update();
  EXPECT_EQ(broadcast_, (Heard{{pack_, purchase::kPurchaseFailed}}));
  EXPECT_EQ(listener_.heard, (Heard{{pack_, purchase::kPurchaseFailed}}));
  EXPECT_FALSE(pack_->busy);
}

TEST_F(OfflineStoreTest, ABuyerThatTriesAgainOnFailureIsAnsweredOnceAnUpdate) {
  onResult_ = [this] { system_->Buy(pack_, nullptr); };
  system_->Buy(pack_, nullptr);

  system_->Update();
  EXPECT_EQ(broadcast_.size(), 1u);
  system_->Update();
  EXPECT_EQ(broadcast_.size(), 2u);
}

TEST_F(OfflineStoreTest, AProductOutsideTheCatalogueIsNeverAnswered) {
  Product foreign;
  system_->Buy(&foreign, nullptr);
  system_->Update();
  EXPECT_TRUE(broadcast_.empty());
}

}  // namespace
