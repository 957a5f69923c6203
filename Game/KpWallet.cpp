#include "Game/KpWallet.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "Game/LevelNumbers.h"
#include "Game/LevelResult.h"

namespace {

// A combo of n kills pays n x 1.3, rounded: 5 kills pay 7, which needs the
// double's precision.
int ComboBonus(int count) { return static_cast<int>(std::min(count * 1.3 + 0.5, 2147483647.0)); }

}  // namespace

void KpWallet::onKill(int reward, float x, float y) {
  if (sinceKill <= comboWindow) {
    ++comboCount;
    lastComboKillX = x;
    lastComboKillY = y;
  } else {
    closeCombo();
  }
  killMoney = AddClamped(killMoney, reward);
  money = AddClamped(money, reward);
  sinceKill = 0.0f;
  moneyChanged();
}

void KpWallet::addMoney(int n) {
  money = AddClamped(money, n);
  moneyChanged();
}

void KpWallet::addGems(int n) {
  gems = AddClamped(gems, n);
  gemsEarned = AddClamped(gemsEarned, n);
  gemsChanged();
}

void KpWallet::spendMoney(int n) {
  moneySpent = AddClamped(moneySpent, n);
  money = AddClamped(money, -static_cast<std::int64_t>(n));
  moneyChanged();
}

void KpWallet::spendGems(int n) {
  if (gems >= n) gems = AddClamped(gems, -static_cast<std::int64_t>(n));
  gemsChanged();
}

void KpWallet::reset() {
  money = killMoney = comboCount = gemsEarned = comboBonus = leakedCount = moneySpent = displayedMoney = leakDamage = 0;
}

void KpWallet::update(float dt) {
  if (displayedMoney != money) {
    const long long gap = static_cast<long long>(money) - displayedMoney;
    const int step = std::llabs(gap) >= 4 ? 4 : 1;
    displayedMoney = AddClamped(displayedMoney, gap > 0 ? step : -step);
    moneyChanged();
  }
  sinceKill += dt;
  if (sinceKill > comboWindow) {
    sinceKill = 0.0f;
    closeCombo();
  }
}

LevelResult& KpWallet::getResult(float life, int mode, LevelResult& out) const {
  out.kills = killMoney;
  out.combo = comboBonus;
  out.healthBonus = TruncateToInt(life * 100.0f);
  out.stars = 0;
  out.gems = 0;
  out.mode = mode;
  return out;
}

void KpWallet::closeCombo() {
  if (comboCount > 1) {
    const int bonus = ComboBonus(comboCount);
    comboBonus = AddClamped(comboBonus, bonus);
    money = AddClamped(money, bonus);
  }
  comboCount = 0;
}

void KpWallet::moneyChanged() {
  if (listener_) listener_->onMoneyChanged(displayedMoney);
}

void KpWallet::gemsChanged() {
  if (listener_) listener_->onGemsChanged(gems);
}
