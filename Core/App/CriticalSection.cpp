#include "Core/App/CriticalSection.h"

app::CriticalSection WindowCreationLock;
