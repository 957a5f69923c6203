#include "Core/App/Application.h"

// These tests run without an application; the libraries below still name
// the maker of one.
app::Application* app::CreateApplication() { return nullptr; }
