#include "Core/App/Win32/WinMain.h"
#include "Game/Game.h"

app::Application* app::CreateApplication() { return new Game; }

int main(int argc, char** argv) { return app::WinMain(argc, argv); }
