#pragma once

#include "Core/Base/WString.h"

// The offer to buy health when life runs out: its message, with the price of
// the catalogue product "buy_health" as the store gave it; no price when the
// catalogue has no such product or no store priced it.
base::WString HealthOfferMessage();
