#include "Core/Sound/SoundSystem.h"
#include "Core/Sound/SoundTags.h"
#include "Game/KpMap.h"

// The world stops and the music with it; the victory sound plays.
void KpMap::levelWon() {
  gameSpeed = 0.0f;
  levelResultCode = kLevelResultWon;
  screenState = kScreenLevelWon;
  SoundSystem::Instance()->PlayMusic(std::string());
  w4::SoundTags::Instance()->Play(u"winSound");
}
