#pragma once

#include <string_view>

namespace tinyxml2 {
class XMLElement;
}

// The values of the profiles document. Whatever a file holds, an attribute
// that is missing or does not start with its kind of value reads as the
// fallback; numbers are read and written the same way in every locale.
namespace profile_attributes {

int ReadInt(const tinyxml2::XMLElement& element, const char* name, int fallback = 0);
// "1", "0" and other integers (non-zero is true), or "true" and "false".
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

}  // namespace profile_attributes
