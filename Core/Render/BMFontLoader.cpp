#include <tinyxml2.h>

#include <charconv>
#include <cmath>
#include <string_view>

#include "Core/App/Application.h"
#include "Core/Base/LogMessage.h"
#include "Core/Base/ReadWholeStream.h"
#include "Core/Base/Stream.h"
#include "Core/Base/TextTokenizer.h"
#include "Core/Base/Utf.h"
#include "Core/File/FileManager.h"
#include "Core/File/Path.h"
#include "Core/Render/BMFont.h"
#include "Core/Render/Image.h"
#include "Core/Render/Render.h"
#include "Core/Render/Render.h"

namespace render {

namespace {

// A font description is a few hundred kilobytes at most; anything far larger
// is not one, and is refused before it is read into memory.
constexpr std::uint32_t kMaxFileSize = 16u << 20;
// Far more pages than any font needs, and few enough that a damaged count
// cannot make the page list huge.
constexpr std::uint32_t kMaxPages = 256;
constexpr std::uint32_t kMaxCharacter = 0xFFFF;

// The channel values of a page: the glyph itself, or a constant one.
constexpr std::uint32_t kChannelGlyph = 0;
constexpr std::uint32_t kChannelOne = 4;

}  // namespace

// Reads the description into the font, stopping at the first thing that is
// missing or malformed and naming it in the log.
class BMFont::XmlReader {
 public:
  explicit XmlReader(BMFont& font) : font_(font) {}

  QLResultEnum Read(const tinyxml2::XMLDocument& document) {
    const tinyxml2::XMLElement* root = document.FirstChildElement("font");
    if (!root) return Fail(u"no 'font' element");
    if (const QLResultEnum result = ReadInfo(root->FirstChildElement("info")); result != QL_OK) return result;
    if (const QLResultEnum result = ReadCommon(root->FirstChildElement("common")); result != QL_OK) return result;
    if (const QLResultEnum result = ReadPages(root->FirstChildElement("pages")); result != QL_OK) return result;
    if (const QLResultEnum result = ReadChars(root->FirstChildElement("chars")); result != QL_OK) return result;
    return ReadKernings(root->FirstChildElement("kernings"));
  }

 private:
  QLResultEnum ReadInfo(const tinyxml2::XMLElement* info) {
    if (!info) return Fail(u"no 'info' element");
    float size = 0.0f;
    bool unicode = false;
    std::string padding;
    std::string spacing;
    const bool read = Text(info, "face", &font_.face_) && Real(info, "size", &size) &&
                      Bool(info, "bold", &font_.bold_) && Bool(info, "italic", &font_.italic_) &&
                      // Some writers misspell the attribute; either spelling is taken.
                      (info->Attribute("charset") ? Text(info, "charset", &font_.charset_)
                                                  : Text(info, "chasrset", &font_.charset_)) &&
                      Bool(info, "unicode", &unicode) && Real(info, "stretchH", &font_.stretchHeight_) &&
                      Bool(info, "smooth", &font_.smooth_) && Unsigned(info, "aa", &font_.antiAliasing_) &&
                      Text(info, "padding", &padding) && Text(info, "spacing", &spacing) &&
                      Unsigned(info, "outline", &font_.outline_);
    if (!read) return QL_FAIL;
    if (!unicode) return Fail(u"not a Unicode font");
    if (!SplitInts(padding, &font_.padding_)) return Fail(u"'padding' is not four integers");
    if (!SplitFloats(spacing, &font_.spacing_)) return Fail(u"'spacing' is not two numbers");
    // BMFont writes the size negative when it matched the characters' height
    // rather than the cell's; lines are still that far apart.
    font_.size_ = std::fabs(size) * font_.appScale_;
    return QL_OK;
  }

  QLResultEnum ReadCommon(const tinyxml2::XMLElement* common) {
    if (!common) return Fail(u"no 'common' element");
    float lineHeight = 0.0f;
    float base = 0.0f;
    std::uint32_t pages = 0;
    std::uint32_t packed = 0;
    std::uint32_t alpha = 0;
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
    const bool read = Real(common, "lineHeight", &lineHeight) && Real(common, "base", &base) &&
                      Real(common, "scaleW", &font_.pageWidth_) && Real(common, "scaleH", &font_.pageHeight_) &&
                      Unsigned(common, "pages", &pages) && Unsigned(common, "packed", &packed) &&
                      Unsigned(common, "alphaChnl", &alpha) && Unsigned(common, "redChnl", &red) &&
                      Unsigned(common, "greenChnl", &green) && Unsigned(common, "blueChnl", &blue);
    if (!read) return QL_FAIL;
    if (packed != 0 || alpha != kChannelGlyph || red != kChannelOne || green != kChannelOne || blue != kChannelOne) {
      return Fail(u"pages must hold the glyphs in alpha, with white colour");
    }
    if (pages > kMaxPages) return Fail(u"too many pages");
    font_.lineHeight_ = lineHeight * font_.appScale_;
    font_.base_ = base * font_.appScale_;
    font_.pages_.resize(pages);
    return QL_OK;
  }

  QLResultEnum ReadPages(const tinyxml2::XMLElement* pages) {
    if (!pages) return Fail(u"no 'pages' element");
    for (const tinyxml2::XMLElement* page = pages->FirstChildElement("page"); page;
         page = page->NextSiblingElement("page")) {
      std::uint32_t id = 0;
      std::string file;
      if (!Unsigned(page, "id", &id) || !Text(page, "file", &file)) return QL_FAIL;
      if (id >= font_.pages_.size()) return Fail(u"a page id beyond the page count");
      if (!font_.render_) return Fail(u"no Render to make the pages with");
      const base::WString path = file::GetFolder(font_.GetName()) + base::WideFromUtf8Lenient(file);
      if (const QLResultEnum result = font_.render_->CreateImage(path, nullptr, &font_.pages_[id]); result != QL_OK) {
        QL_LOG(u"Font '%s': page '%s' cannot be loaded\n").AddArg(font_.GetName()).AddArg(path);
        return result;
      }
    }
    return QL_OK;
  }

  QLResultEnum ReadChars(const tinyxml2::XMLElement* chars) {
    if (!chars) return Fail(u"no 'chars' element");
    const float scale = font_.fontScale_ * font_.appScale_;
    for (const tinyxml2::XMLElement* element = chars->FirstChildElement("char"); element;
         element = element->NextSiblingElement("char")) {
      std::uint32_t id = 0;
      BMFontGlyph glyph;
      const bool read = Unsigned(element, "id", &id) && Real(element, "x", &glyph.x) && Real(element, "y", &glyph.y) &&
                        Real(element, "width", &glyph.width) && Real(element, "height", &glyph.height) &&
                        Real(element, "xoffset", &glyph.xOffset) && Real(element, "yoffset", &glyph.yOffset) &&
                        Real(element, "xadvance", &glyph.xAdvance) && Unsigned(element, "page", &glyph.page) &&
                        Unsigned(element, "chnl", &glyph.channel);
      if (!read) return QL_FAIL;
      // Characters beyond 16 bits cannot be named in a 16-bit text; folding
      // them onto a 16-bit code would replace another character's glyph.
      if (id > kMaxCharacter) continue;
      glyph.x *= scale;
      glyph.y *= scale;
      glyph.width *= scale;
      glyph.height *= scale;
      glyph.xOffset *= font_.appScale_;
      glyph.yOffset *= font_.appScale_;
      glyph.xAdvance *= font_.appScale_;
      font_.glyphs_[static_cast<char16_t>(id)] = std::move(glyph);
    }
    return QL_OK;
  }

  QLResultEnum ReadKernings(const tinyxml2::XMLElement* kernings) {
    if (!kernings) return QL_OK;
    for (const tinyxml2::XMLElement* element = kernings->FirstChildElement("kerning"); element;
         element = element->NextSiblingElement("kerning")) {
      std::uint32_t first = 0;
      std::uint32_t second = 0;
      float amount = 0.0f;
      if (!Unsigned(element, "first", &first) || !Unsigned(element, "second", &second) ||
          !Real(element, "amount", &amount)) {
        return QL_FAIL;
      }
      // A pair with a character that had no room in 16 bits went with it.
      if (first > kMaxCharacter || second > kMaxCharacter) continue;
      const auto glyph = font_.glyphs_.find(static_cast<char16_t>(second));
      if (glyph == font_.glyphs_.end()) return Fail(u"a kerning pair for a character without glyph");
      glyph->second.kernings[static_cast<char16_t>(first)] = amount * font_.appScale_;
    }
    return QL_OK;
  }

  bool Text(const tinyxml2::XMLElement* element, const char* name, std::string* out) {
    const char* value = element->Attribute(name);
    if (!value) return Missing(element, name);
    *out = value;
    return true;
  }

  bool Real(const tinyxml2::XMLElement* element, const char* name, float* out) {
    const tinyxml2::XMLError error = element->QueryFloatAttribute(name, out);
    if (error == tinyxml2::XML_SUCCESS && std::isfinite(*out)) return true;
    return error == tinyxml2::XML_NO_ATTRIBUTE ? Missing(element, name) : Malformed(element, name);
  }

  bool Unsigned(const tinyxml2::XMLElement* element, const char* name, std::uint32_t* out) {
    const char* value = element->Attribute(name);
    if (!value) return Missing(element, name);
    // Only plain digits: the XML parser would take "-1" for a huge count.
    const std::string_view text(value);
    std::uint32_t parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return Malformed(element, name);
    *out = parsed;
    return true;
  }

  bool Bool(const tinyxml2::XMLElement* element, const char* name, bool* out) {
    const tinyxml2::XMLError error = element->QueryBoolAttribute(name, out);
    if (error == tinyxml2::XML_SUCCESS) return true;
    return error == tinyxml2::XML_NO_ATTRIBUTE ? Missing(element, name) : Malformed(element, name);
  }

  template <std::size_t N>
  static bool SplitInts(const std::string& text, std::array<int, N>* out) {
    TextTokenizer tokens(text, ',', false);
    if (tokens.CountTokens() != static_cast<int>(N)) return false;
    for (int& value : *out) tokens.NextInt(value);
    return true;
  }

  template <std::size_t N>
  static bool SplitFloats(const std::string& text, std::array<float, N>* out) {
    TextTokenizer tokens(text, ',', false);
    if (tokens.CountTokens() != static_cast<int>(N)) return false;
    for (float& value : *out) tokens.NextFloat(value);
    return true;
  }

  bool Missing(const tinyxml2::XMLElement* element, const char* name) {
    QL_LOG(u"Font '%s': '%s' has no '%s'\n")
        .AddArg(font_.GetName())
        .AddArg(base::WideFromUtf8Lenient(element->Name()))
        .AddArg(base::WideFromUtf8Lenient(name));
    return false;
  }

  bool Malformed(const tinyxml2::XMLElement* element, const char* name) {
    QL_LOG(u"Font '%s': '%s' of '%s' is malformed\n")
        .AddArg(font_.GetName())
        .AddArg(base::WideFromUtf8Lenient(name))
        .AddArg(base::WideFromUtf8Lenient(element->Name()));
    return false;
  }

  QLResultEnum Fail(const base::WString& what) {
    QL_LOG(u"Font '%s': %s\n").AddArg(font_.GetName()).AddArg(what);
    return QL_FAIL;
  }

  BMFont& font_;
};

QLResultEnum BMFont::LoadXml(base::Stream& stream) {
  fontScale_ = file::FileManager::Instance()->fontScale;
  const app::Application* application = app::Application::Existing();
  appScale_ = application ? application->GetFontScale() : 1.0f;
  glyphs_.clear();
  pages_.clear();

  std::vector<std::uint8_t> bytes;
  if (!base::ReadWholeStream(stream, kMaxFileSize, u"Font '" + GetName() + u"'", bytes)) return QL_FAIL;
  tinyxml2::XMLDocument document;
  if (document.Parse(reinterpret_cast<const char*>(bytes.data()), bytes.size()) != tinyxml2::XML_SUCCESS) {
    QL_LOG(u"Font '%s' is not well-formed XML\n").AddArg(GetName());
    return QL_FAIL;
  }
  return XmlReader(*this).Read(document);
}

}  // namespace render
