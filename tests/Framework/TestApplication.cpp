#include "Core/App/Application.h"

namespace {

// The application object the services of these tests may ask for.
class TestApplication : public app::Application {};

}  // namespace

app::Application* app::CreateApplication() { return new TestApplication; }
