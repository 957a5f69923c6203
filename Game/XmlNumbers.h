#pragma once

namespace tinyxml2 {
class XMLElement;
}

// Numbers of the game's data files read from attributes whatever the process
// locale; 0 when the attribute is missing or does not start with a number.
float FloatAttribute(const tinyxml2::XMLElement& element, const char* name);
int IntAttribute(const tinyxml2::XMLElement& element, const char* name);
