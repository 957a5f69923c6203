#pragma once

struct LevelResult;

// Who shows and keeps the wallet's balances: the HUD's coin and gem texts
// and the player's profile, which stores every change of the gems at once.
class WalletListener {
 public:
  virtual ~WalletListener() = default;
  virtual void onMoneyChanged(int displayedMoney) = 0;
  virtual void onGemsChanged(int gems) = 0;
};

// The player's money and gems during a level, and the counts the level
// result is made of.
class KpWallet {
 public:
  // Seconds without a kill that end a combo.
  static constexpr float kComboWindow = 1.0f;

  // The listener is not owned; null when nothing shows the wallet.
  explicit KpWallet(WalletListener* listener = nullptr) : listener_(listener) {}

  void onKill(int reward, float x, float y);
  void addMoney(int n);
  void addGems(int n);
  // Callers test the balance first.
  void spendMoney(int n);
  // Nothing is spent when the gems are short; the listener hears of it
  // either way.
  void spendGems(int n);
  // The level's counts start again; the gems and the combo clock stay.
  void reset();
  // Rolls the displayed money toward the money and closes a combo after a
  // quiet second. dt is real time, whatever the game speed.
  void update(float dt);
  // The level's scores given the life left and the difficulty mode; the
  // result window adds the stars and the gems.
  LevelResult& getResult(float life, int mode, LevelResult& out) const;

  int displayedMoney = 0;
  int killMoney = 0;
  int comboBonus = 0;
  int moneySpent = 0;
  int gemsEarned = 0;
  int leakDamage = 0;
  int leakedCount = 0;
  // The level's starting money, set by the level reader.
  int startMoney = 0;
  int money = 0;
  int gems = 0;
  float comboWindow = kComboWindow;
  int comboCount = 0;
  float sinceKill = 0.0f;
  float lastComboKillX = 0.0f;
  float lastComboKillY = 0.0f;

 private:
  void closeCombo();
  void moneyChanged();
  void gemsChanged();

  WalletListener* listener_;
};
