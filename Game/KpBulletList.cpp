#include "Game/KpBulletList.h"

#include "Game/KpBullet.h"
#include "Game/OwnedPointers.h"

KpBulletList::~KpBulletList() { clear(); }

void KpBulletList::clear() { DeleteAllPointers(bullets_); }
