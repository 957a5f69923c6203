#pragma once

class KpMap;

// The running game's map; null while there is no game or no map, and then
// the towers do nothing.
KpMap* RunningGameMap();
