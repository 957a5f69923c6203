#include "Core/App/Application.h"

// Test executables that make no application of their own still link libraries
// that name its maker. Being alone in its file of a static library, this one
// is taken only where no test defines it.
app::Application* app::CreateApplication() { return nullptr; }
