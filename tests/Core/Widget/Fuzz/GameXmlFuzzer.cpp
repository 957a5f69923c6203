// libFuzzer entry for "data/game.xml": the input is read as the application
// reads it at start, and its dialog effects are loaded. Run from the game's
// data root, the animations it preloads are the game's own.
#include <tinyxml2.h>

#include <cstddef>
#include <cstdint>

#include "Core/Widget/DialogEffectsManager.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tinyxml2::XMLDocument document;
  if (document.Parse(reinterpret_cast<const char*>(data), size) != tinyxml2::XML_SUCCESS) return 0;
  const tinyxml2::XMLElement* game = document.FirstChildElement("Game");
  const tinyxml2::XMLElement* effects = game ? game->FirstChildElement("DialogEffects") : nullptr;
  if (!effects) return 0;
  widget::DialogEffectsManager manager;
  manager.Load(*effects);
  return 0;
}
