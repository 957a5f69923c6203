#include "Game/LowLifeOffer.h"

#include "Core/Base/Format.h"
#include "Core/Purchase/PurchaseSystem.h"
#include "Game/LocalStrings.h"

base::WString HealthOfferMessage() {
  const purchase::PurchaseSystem* store = purchase::PurchaseSystem::Existing();
  const purchase::Product* product = store ? store->FindProduct(u"buy_health") : nullptr;
  WideFormat message(LocalStrings::Instance()->getString(u"buyHealthDialogText"));
  message.AddString(product ? std::u16string_view(product->price) : std::u16string_view()).Finish();
  return message.Text();
}
