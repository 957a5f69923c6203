#include "Game/KpPopupList.h"

#include "Game/OwnedPointers.h"

KpPopupList::KpPopupList() = default;

KpPopupList::~KpPopupList() { clear(); }

void KpPopupList::clear() { DeleteAllPointers(popups_); }
