#include "Core/App/Application.h"

// Test executables that make no application of their own still link libraries
// that name its maker; this one answers that there is none.
app::Application* app::CreateApplication() { return nullptr; }
