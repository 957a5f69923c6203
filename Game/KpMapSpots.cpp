#include "Core/Sound/SoundTags.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpMapImages.h"
#include "Game/PlayerProfile.h"

bool KpMap::buySpot(KpFrameEntry* spotImage) {
  KpSpot* spot = spotImage ? spotImage->spot : nullptr;
  if (!spot || spot->open) return false;
  if (wallet->money < spot->costGold || wallet->gems < spot->costReal) return false;
  wallet->spendMoney(spot->costGold);
  wallet->spendGems(spot->costReal);
  if (mapImages) spotImage->image = mapImages->pictures().plain;
  spot->open = true;
  if (profile) profile->addOwnedSpot(spotImage->name, episodeIndex, levelIndex);
  w4::SoundTags::Instance()->Play(u"buySpot");
  return true;
}
