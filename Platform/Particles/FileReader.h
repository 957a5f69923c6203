#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "Platform/Particles/ParticleFile.h"

namespace tinyxml2 {
class XMLElement;
}

namespace particles {

// Fills a File from the XML text of a particle file, checking every value
// against the limits of the format, so that no file can make the engine
// allocate or loop without bound.
class FileReader {
 public:
  FileReader(File& file, std::string& error) : file_(file), error_(error) {}

  bool Read(const char* data, std::size_t size);

 private:
  struct Frame {
    std::uint32_t atlas = 0;
    float u0 = 0.0f, v0 = 0.0f, u1 = 0.0f, v1 = 0.0f;
  };

  bool ReadAtlas(const tinyxml2::XMLElement& element);
  bool ReadFolder(const tinyxml2::XMLElement& element, std::size_t folder, int depth);
  bool ReadEmitter(const tinyxml2::XMLElement& element, std::size_t folder);
  bool ReadType(const tinyxml2::XMLElement& element, ParticleTypeDef& type);
  bool ReadCurve(const tinyxml2::XMLElement& element, const char* keyName, bool colour, Curve& curve);

  // Each leaves the value alone when the attribute is absent and fails on a
  // value outside [low, high] or one that is no number.
  bool Number(const tinyxml2::XMLElement& element, const char* name, float low, float high, float& value);
  bool Count(const tinyxml2::XMLElement& element, const char* name, std::uint32_t high, std::uint32_t& value);
  bool Flag(const tinyxml2::XMLElement& element, const char* name, bool& value);
  bool Name(const tinyxml2::XMLElement& element, std::string& value);
  bool Fail(const tinyxml2::XMLElement& element, const std::string& what);

  File& file_;
  std::string& error_;
  std::uint32_t seed_ = 0;
  std::map<std::string, Frame> frames_;
  std::size_t items_ = 0;
};

}  // namespace particles
