#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <vector>

#include "Game/KpWallet.h"
#include "Game/LevelResult.h"
#include "tests/Support/CaseNames.h"

namespace {

class RecordingListener : public WalletListener {
 public:
  void onMoneyChanged(int displayedMoney) override { shownMoney.push_back(displayedMoney); }
  void onGemsChanged(int gems) override { storedGems.push_back(gems); }

  std::vector<int> shownMoney;
  std::vector<int> storedGems;
};

// Kills at the given times (seconds, each with the wallet's update run up
// to it in frames of 0.1 s), then a quiet stretch.
struct ComboCase {
  const char* name;
  std::vector<float> killTimes;
  int countBeforeQuiet;
  int bonus;
};

void PrintTo(const ComboCase& c, std::ostream* out) { *out << c.name; }

class WalletComboTest : public ::testing::TestWithParam<ComboCase> {};

TEST_P(WalletComboTest, AQuietSecondClosesTheComboAndPaysItsBonus) {
  const ComboCase& c = GetParam();
  KpWallet wallet;
  float now = 0.0f;
  for (float kill : c.killTimes) {
    while (now + 0.05f < kill) {
      wallet.update(0.1f);
      now += 0.1f;
    }
    wallet.onKill(5, 10.0f, 20.0f);
  }
  EXPECT_EQ(wallet.comboCount, c.countBeforeQuiet);
  for (int frame = 0; frame < 12; ++frame) wallet.update(0.1f);
  EXPECT_EQ(wallet.comboCount, 0);
  EXPECT_EQ(wallet.comboBonus, c.bonus);
  const int kills = static_cast<int>(c.killTimes.size());
  EXPECT_EQ(wallet.killMoney, 5 * kills);
  EXPECT_EQ(wallet.money, 5 * kills + c.bonus);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WalletComboTest,
    ::testing::Values(ComboCase{"OneKillPaysNoCombo", {0.0f}, 1, 0}, ComboCase{"TwoKillsPayThree", {0.0f, 0.2f}, 2, 3},
                      ComboCase{"ThreeKillsPayFour", {0.0f, 0.5f, 0.9f}, 3, 4},
                      ComboCase{"FiveKillsPaySeven", {0.0f, 0.1f, 0.2f, 0.3f, 0.4f}, 5, 7},
                      ComboCase{
                          "TenKillsPayThirteen", {0.0f, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f}, 10, 13}),
    testing_support::RowName());

TEST(WalletTest, TheDisplayedMoneyRunsTowardTheMoney) {
  RecordingListener listener;
  KpWallet wallet(&listener);
  wallet.money = 100;
  wallet.displayedMoney = 93;
  for (int frame = 0; frame < 5; ++frame) wallet.update(0.01f);
  EXPECT_EQ(listener.shownMoney, (std::vector<int>{97, 98, 99, 100}));

  wallet.spendMoney(110);
  EXPECT_EQ(wallet.money, -10) << "callers test the balance";
  EXPECT_EQ(wallet.moneySpent, 110);
  for (int frame = 0; frame < 40; ++frame) wallet.update(0.01f);
  EXPECT_EQ(wallet.displayedMoney, -10);
}

TEST(WalletTest, GemChangesReachTheListenerEvenWhenNothingIsSpent) {
  RecordingListener listener;
  KpWallet wallet(&listener);
  wallet.addGems(5);
  EXPECT_EQ(wallet.gems, 5);
  EXPECT_EQ(wallet.gemsEarned, 5);
  wallet.addGems(2);
  wallet.spendGems(10);
  EXPECT_EQ(wallet.gems, 7);
  wallet.spendGems(7);
  EXPECT_EQ(wallet.gems, 0);
  EXPECT_EQ(listener.storedGems, (std::vector<int>{5, 7, 7, 0}));
}

TEST(WalletTest, ResetClearsTheLevelButKeepsGemsAndTheComboClock) {
  KpWallet wallet;
  wallet.addGems(9);
  wallet.addMoney(50);
  wallet.onKill(4, 0.0f, 0.0f);
  wallet.onKill(4, 0.0f, 0.0f);
  wallet.spendMoney(20);
  wallet.update(0.3f);
  wallet.leakDamage = 3;
  wallet.leakedCount = 1;
  wallet.startMoney = 50;
  wallet.reset();
  EXPECT_EQ(wallet.money, 0);
  EXPECT_EQ(wallet.displayedMoney, 0);
  EXPECT_EQ(wallet.killMoney, 0);
  EXPECT_EQ(wallet.comboCount, 0);
  EXPECT_EQ(wallet.comboBonus, 0);
  EXPECT_EQ(wallet.moneySpent, 0);
  EXPECT_EQ(wallet.gemsEarned, 0);
  EXPECT_EQ(wallet.leakDamage, 0);
  EXPECT_EQ(wallet.leakedCount, 0);
  EXPECT_EQ(wallet.gems, 9);
  EXPECT_FLOAT_EQ(wallet.sinceKill, 0.3f);
}

TEST(WalletTest, TheResultCountsKillsCombosAndLifeLeft) {
  KpWallet wallet;
  wallet.onKill(30, 0.0f, 0.0f);
  wallet.onKill(12, 0.0f, 0.0f);
  wallet.update(1.5f);
  LevelResult result;
  result.stars = 3;
  result.gems = 4;
  result.high = 999;
  EXPECT_EQ(&wallet.getResult(12.5f, 2, result), &result);
  EXPECT_EQ(result.kills, 42);
  EXPECT_EQ(result.combo, 3);
  EXPECT_EQ(result.healthBonus, 1250);
  EXPECT_EQ(result.stars, 0);
  EXPECT_EQ(result.gems, 0);
  EXPECT_EQ(result.high, 999) << "the best score is the result window's";
  EXPECT_EQ(result.mode, 2);
  EXPECT_EQ(wallet.getResult(0.0f, 3, result).healthBonus, 0);
}

TEST(WalletTest, HugeAmountsStayInRange) {
  KpWallet wallet;
  wallet.addMoney(INT_MAX);
  wallet.onKill(INT_MAX, 0.0f, 0.0f);
  EXPECT_EQ(wallet.money, INT_MAX);
  wallet.spendMoney(INT_MIN);
  EXPECT_EQ(wallet.money, INT_MAX);
  wallet.addGems(INT_MAX);
  wallet.addGems(1);
  EXPECT_EQ(wallet.gems, INT_MAX);
}

}  // namespace
