#include "Game/KpWaveHints.h"

#include "Game/KpFrameEntry.h"
#include "Game/OwnedPointers.h"

KpWaveHints::KpWaveHints() = default;

KpWaveHints::~KpWaveHints() { clear(); }

void KpWaveHints::clear() { DeleteAllPointers(hints_); }
