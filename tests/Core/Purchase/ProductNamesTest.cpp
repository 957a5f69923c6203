#include "Core/Purchase/ProductNames.h"

#include <gtest/gtest.h>

#include "Core/Base/TextConversion.h"

namespace {

// The price table spells this key with a Cyrillic letter that looks Latin.
TEST(ProductNamesTest, TheDoubleRefillPriceKeyBeginsWithTheCyrillicHa) {
  EXPECT_EQ(base::ToWide(purchase::kBoostPriceKeys[1], base::kEncodingUtf8), u"\u04452Refill");
}

}  // namespace
