#pragma once

#include "Core/App/Application.h"

// The game's application object.
class Game : public app::Application {};
