#include "Platform/Particles/FileReader.h"

#include <tinyxml2.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "Platform/Particles/Random.h"

namespace particles {

namespace {

using tinyxml2::XMLElement;

constexpr int kMaxFolderDepth = 16;
constexpr std::size_t kMaxItems = 4096;  // emitters and folders of a file
constexpr std::size_t kMaxAtlases = 16;
constexpr std::size_t kMaxFrames = 1024;
constexpr std::size_t kMaxTypes = 8;       // per emitter
constexpr std::size_t kMaxKeys = 16;       // per curve
constexpr std::uint32_t kMaxLimit = 4000;  // live particles of one type
constexpr std::uint32_t kMaxAtlasSide = 8192;
constexpr float kMaxSeconds = 60.0f;
constexpr float kMaxDistance = 100000.0f;

std::uint32_t NameSeed(const std::string& name) {
  std::uint32_t hash = 2166136261U;
  for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619U;
  return hash;
}

bool ReadShape(const char* text, EmissionShape& shape) {
  static constexpr struct {
    const char* name;
    EmissionShape shape;
  } kShapes[] = {{"point", EmissionShape::kPoint},
                 {"circle", EmissionShape::kCircle},
                 {"ring", EmissionShape::kRing},
                 {"rect", EmissionShape::kRect},
                 {"line", EmissionShape::kLine}};
  for (const auto& known : kShapes) {
    if (std::strcmp(text, known.name) == 0) {
      shape = known.shape;
      return true;
    }
  }
  return false;
}

// "rrggbb" in hexadecimal.
bool ReadColour(const char* text, float rgb[3]) {
  if (std::strlen(text) != 6) return false;
  for (int c = 0; c < 3; ++c) {
    int value = 0;
    for (int d = 0; d < 2; ++d) {
      const char digit = text[2 * c + d];
      int nibble = 0;
      if (digit >= '0' && digit <= '9') {
        nibble = digit - '0';
      } else if (digit >= 'a' && digit <= 'f') {
        nibble = digit - 'a' + 10;
      } else if (digit >= 'A' && digit <= 'F') {
        nibble = digit - 'A' + 10;
      } else {
        return false;
      }
      value = value * 16 + nibble;
    }
    rgb[c] = static_cast<float>(value) / 255.0f;
  }
  return true;
}

}  // namespace

bool FileReader::Read(const char* data, std::size_t size) {
  tinyxml2::XMLDocument document;
  if (document.Parse(data, size) != tinyxml2::XML_SUCCESS) {
    error_ = std::string("not well-formed XML: ") + document.ErrorStr();
    return false;
  }
  const XMLElement* root = document.RootElement();
  if (!root || std::strcmp(root->Name(), "particles") != 0) {
    error_ = "the top element is not 'particles'";
    return false;
  }
  if (!Count(*root, "seed", UINT32_MAX, seed_)) return false;
  for (const XMLElement* atlas = root->FirstChildElement("atlas"); atlas; atlas = atlas->NextSiblingElement("atlas")) {
    if (!ReadAtlas(*atlas)) return false;
  }
  file_.folders_.assign(1, File::Folder{});
  return ReadFolder(*root, 0, 0);
}

bool FileReader::ReadAtlas(const XMLElement& element) {
  if (file_.atlases_.size() >= kMaxAtlases) return Fail(element, "too many atlases");
  AtlasInfo atlas;
  const char* image = element.Attribute("image");
  if (!image || !*image) return Fail(element, "an atlas needs an 'image'");
  atlas.image = image;
  atlas.width = atlas.height = 0;
  if (!Count(element, "width", kMaxAtlasSide, atlas.width) || !Count(element, "height", kMaxAtlasSide, atlas.height)) {
    return false;
  }
  if (atlas.width == 0 || atlas.height == 0) return Fail(element, "an atlas needs a 'width' and a 'height'");
  const auto index = static_cast<std::uint32_t>(file_.atlases_.size());
  for (const XMLElement* frame = element.FirstChildElement("frame"); frame;
       frame = frame->NextSiblingElement("frame")) {
    if (frames_.size() >= kMaxFrames) return Fail(*frame, "too many frames");
    std::string name;
    std::uint32_t x = 0, y = 0, w = 0, h = 0;
    if (!Name(*frame, name) || !Count(*frame, "x", atlas.width, x) || !Count(*frame, "y", atlas.height, y) ||
        !Count(*frame, "w", atlas.width, w) || !Count(*frame, "h", atlas.height, h)) {
      return false;
    }
    if (w == 0 || h == 0 || x + w > atlas.width || y + h > atlas.height) {
      return Fail(*frame, "frame '" + name + "' does not lie inside its atlas");
    }
    const auto width = static_cast<float>(atlas.width);
    const auto height = static_cast<float>(atlas.height);
    frames_[name] = Frame{index, static_cast<float>(x) / width, static_cast<float>(y) / height,
                          static_cast<float>(x + w) / width, static_cast<float>(y + h) / height};
  }
  file_.atlases_.push_back(atlas);
  return true;
}

bool FileReader::ReadFolder(const XMLElement& element, std::size_t folder, int depth) {
  if (depth > kMaxFolderDepth) return Fail(element, "folders nest too deep");
  for (const XMLElement* child = element.FirstChildElement(); child; child = child->NextSiblingElement()) {
    const bool isEmitter = std::strcmp(child->Name(), "emitter") == 0;
    if (!isEmitter && std::strcmp(child->Name(), "folder") != 0) continue;
    if (++items_ > kMaxItems) return Fail(*child, "too many emitters and folders");
    if (isEmitter) {
      if (!ReadEmitter(*child, folder)) return false;
      continue;
    }
    std::string name;
    if (!Name(*child, name)) return false;
    if (name == "..") return Fail(*child, "'..' cannot name a folder");
    // A folder named twice in one parent is one folder.
    std::size_t index = file_.folders_.size();
    for (const File::Item& item : file_.folders_[folder].items) {
      if (!item.isEmitter && item.name == name) index = item.index;
    }
    if (index == file_.folders_.size()) {
      file_.folders_.push_back(File::Folder{name, folder, {}, 0});
      file_.folders_[folder].items.push_back(File::Item{name, false, index});
    }
    if (!ReadFolder(*child, index, depth + 1)) return false;
  }
  return true;
}

bool FileReader::ReadEmitter(const XMLElement& element, std::size_t folder) {
  auto def = std::make_shared<EmitterDef>();
  if (!Name(element, def->name)) return false;
  if (!Number(element, "duration", 0.01f, kMaxSeconds, def->duration) ||
      !Number(element, "warmup", 0.0f, kMaxSeconds, def->warmup) || !Number(element, "step", 0.001f, 1.0f, def->step) ||
      !Number(element, "width", 0.0f, kMaxDistance, def->width) ||
      !Number(element, "height", 0.0f, kMaxDistance, def->height)) {
    return false;
  }
  std::uint32_t loop = 0;
  if (!Count(element, "loop", 2, loop)) return false;
  def->loopMode = static_cast<std::int32_t>(loop);
  if (const char* shape = element.Attribute("shape"); shape && !ReadShape(shape, def->shape)) {
    return Fail(element, std::string("unknown shape '") + shape + "'");
  }
  def->seed = Random::Hash(seed_ ^ NameSeed(def->name));
  for (const XMLElement* type = element.FirstChildElement("particle"); type;
       type = type->NextSiblingElement("particle")) {
    if (def->types.size() >= kMaxTypes) return Fail(*type, "too many particle kinds");
    if (!ReadType(*type, def->types.emplace_back())) return false;
  }
  file_.folders_[folder].items.push_back(File::Item{def->name, true, file_.emitters_.size()});
  file_.emitters_.push_back(std::move(def));
  return true;
}

bool FileReader::ReadType(const XMLElement& element, ParticleTypeDef& type) {
  const char* frameName = element.Attribute("frame");
  const auto frame = frameName ? frames_.find(frameName) : frames_.end();
  if (frame == frames_.end()) return Fail(element, "a particle needs the 'frame' of an atlas");
  type.atlas = frame->second.atlas;
  type.u0 = frame->second.u0;
  type.v0 = frame->second.v0;
  type.u1 = frame->second.u1;
  type.v1 = frame->second.v1;
  type.limit = 200;
  type.sizeEnd = -1.0f;
  const bool read = Flag(element, "intense", type.intense) && Number(element, "rate", 0.0f, 10000.0f, type.rate) &&
                    Count(element, "burst", kMaxLimit, type.burst) && Count(element, "limit", kMaxLimit, type.limit) &&
                    Number(element, "life", 0.01f, kMaxSeconds, type.life) &&
                    Number(element, "life_var", 0.0f, kMaxSeconds, type.lifeVariation) &&
                    Number(element, "speed", -kMaxDistance, kMaxDistance, type.speed) &&
                    Number(element, "speed_var", 0.0f, kMaxDistance, type.speedVariation) &&
                    Number(element, "direction", -3600.0f, 3600.0f, type.direction) &&
                    Number(element, "spread", 0.0f, 360.0f, type.spread) &&
                    Number(element, "gravity_x", -kMaxDistance, kMaxDistance, type.gravityX) &&
                    Number(element, "gravity_y", -kMaxDistance, kMaxDistance, type.gravityY) &&
                    Number(element, "size", 0.0f, 4096.0f, type.size) &&
                    Number(element, "size_end", 0.0f, 4096.0f, type.sizeEnd) &&
                    Number(element, "size_var", 0.0f, 4096.0f, type.sizeVariation) &&
                    Number(element, "spin", -36000.0f, 36000.0f, type.spin) &&
                    Number(element, "spin_var", 0.0f, 36000.0f, type.spinVariation) &&
                    Flag(element, "random_angle", type.randomAngle) && Flag(element, "align", type.alignToMotion) &&
                    ReadCurve(element, "color", true, type.colour) && ReadCurve(element, "alpha", false, type.alpha);
  if (type.sizeEnd < 0.0f) type.sizeEnd = type.size;
  return read;
}

bool FileReader::ReadCurve(const XMLElement& element, const char* keyName, bool colour, Curve& curve) {
  for (const XMLElement* key = element.FirstChildElement(keyName); key; key = key->NextSiblingElement(keyName)) {
    if (curve.size() >= kMaxKeys) return Fail(*key, "too many keys");
    CurveKey& added = curve.emplace_back();
    if (!Number(*key, "at", 0.0f, 1.0f, added.at)) return false;
    if (curve.size() > 1 && added.at < curve[curve.size() - 2].at) {
      return Fail(*key, "keys must come in the order of their 'at'");
    }
    if (colour) {
      const char* rgb = key->Attribute("rgb");
      if (!rgb || !ReadColour(rgb, added.value)) return Fail(*key, "a colour key needs an 'rgb' of six hex digits");
    } else {
      added.value[0] = 1.0f;
      if (!Number(*key, "value", 0.0f, 1.0f, added.value[0])) return false;
    }
  }
  return true;
}

bool FileReader::Number(const XMLElement& element, const char* name, float low, float high, float& value) {
  const char* text = element.Attribute(name);
  if (!text) return true;
  float read = 0.0f;
  if (!tinyxml2::XMLUtil::ToFloat(text, &read) || !std::isfinite(read) || read < low || read > high) {
    return Fail(element, std::string("'") + name + "' must be a number from " + std::to_string(low) + " to " +
                             std::to_string(high));
  }
  value = read;
  return true;
}

bool FileReader::Count(const XMLElement& element, const char* name, std::uint32_t high, std::uint32_t& value) {
  const char* text = element.Attribute(name);
  if (!text) return true;
  unsigned read = 0;
  if (!tinyxml2::XMLUtil::ToUnsigned(text, &read) || read > high) {
    return Fail(element, std::string("'") + name + "' must be a whole number up to " + std::to_string(high));
  }
  value = read;
  return true;
}

bool FileReader::Flag(const XMLElement& element, const char* name, bool& value) {
  const char* text = element.Attribute(name);
  if (!text) return true;
  if (!tinyxml2::XMLUtil::ToBool(text, &value)) return Fail(element, std::string("'") + name + "' must be 0 or 1");
  return true;
}

bool FileReader::Name(const XMLElement& element, std::string& value) {
  const char* text = element.Attribute("name");
  if (!text || !*text) return Fail(element, "a 'name' is needed");
  value = text;
  return true;
}

bool FileReader::Fail(const XMLElement& element, const std::string& what) {
  error_ = "line " + std::to_string(element.GetLineNum()) + ", '" + element.Name() + "': " + what;
  return false;
}

}  // namespace particles
