#pragma once

#include <optional>
#include <string_view>

namespace tinyxml2 {
class XMLElement;
}

// The values of the game's XML documents (the profiles, the levels, the
// settings). Whatever a file holds, an attribute that is missing or does not
// start with its kind of value reads as the fallback; numbers are read and
// written the same way in every locale.
namespace xml_attributes {

// An integer (non-zero is true) or one of the words "true"/"True"/"TRUE" and
// "false"/"False"/"FALSE"; nothing for any other text.
std::optional<bool> BoolText(const char* text);

int ReadInt(const tinyxml2::XMLElement& element, const char* name, int fallback = 0);
// As BoolText reads it.
bool ReadBool(const tinyxml2::XMLElement& element, const char* name, bool fallback = false);
float ReadFloat(const tinyxml2::XMLElement& element, const char* name, float fallback = 0.0f);

// Written "1" or "0".
void WriteBool(tinyxml2::XMLElement& element, const char* name, bool value);
// Written with six decimals.
void WriteFloat(tinyxml2::XMLElement& element, const char* name, float value);

// Byte for byte; a missing attribute equals nothing.
bool TextEquals(const tinyxml2::XMLElement& element, const char* name, std::string_view text);

// A new element inserted as the first child, where profiles keep new entries.
tinyxml2::XMLElement& NewFirstChild(tinyxml2::XMLElement& parent, const char* name);
// The first child of that name, inserted as the first child when there is
// none; created tells which.
tinyxml2::XMLElement& ChildOrNew(tinyxml2::XMLElement& parent, const char* name, bool* created = nullptr);

}  // namespace xml_attributes
