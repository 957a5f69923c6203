#pragma once

#include <array>
#include <string_view>

namespace purchase {

// The shops address their offers by item number, from 0.

inline constexpr std::array<std::u16string_view, 3> kBoostProductNames = {u"extra_energy", u"energy_speed",
                                                                          u"energy_refill"};

// Keys of the same boosts in the premium price table, matched byte for byte.
// The second begins with the Cyrillic letter ha, not a Latin x.
inline constexpr std::array<std::string_view, 3> kBoostPriceKeys = {"+5Lives", "\xD1\x85" "2Refill", "Refill"};

inline constexpr std::array<std::u16string_view, 5> kGemPackProductNames = {u"buy_50_cr", u"buy_150_cr", u"buy_300_cr",
                                                                            u"buy_500_cr", u"buy_1000_cr"};

}  // namespace purchase
