#pragma once

#include "Game/KpProto.h"

class KpProtoLibrary;

// Reads "kp/towers_sheet.csv", "kp/units_sheet.csv" and "kp/ammo_sheet.csv"
// into one document ("data" holding "towers", "units" and "ammo") and loads
// the library from it again, emptied first. The document lives only for the
// call; problems of the rows are logged by sheet.
void LoadPrototypeSheets(KpProtoLibrary& library, const ProtoReading& reading);
