#include "Core/Render/BMFont.h"

#include "Core/Base/LogMessage.h"
#include "Core/Base/Stream.h"
#include "Core/File/FileManager.h"
#include "Core/Render/Image.h"
#include "Core/Resource/ResourceManager.h"

namespace render {

namespace {

// The quads of one run are drawn with 16-bit indices.
constexpr std::uint32_t kMaxRunGlyphs = 0x10000 / 4;

}  // namespace

BMFont::BMFont() = default;
BMFont::~BMFont() = default;

QLResultEnum BMFont::Release() { return resource::ResourceManager::Instance()->Release(this); }

QLResultEnum BMFont::DoLoad() {
  const base::WString path = GetName() + u".fnt";
  int index = 0;
  const std::unique_ptr<file::FileInfo> entry(file::FileManager::Instance()->Open(path, nullptr, 0, &index));
  const std::unique_ptr<base::Stream> stream(entry ? entry->OpenStream() : nullptr);
  if (!stream) {
    QL_LOG(u"Font '%s' not found\n").AddArg(path);
    return QL_FAIL;
  }
  const QLResultEnum result = LoadXml(*stream);
  // A font that failed keeps nothing of what it read before the failure.
  if (result != QL_OK) {
    DoUnload();
    glyphs_.clear();
  }
  return result;
}

QLResultEnum BMFont::DoUnload() {
  pages_.clear();
  return QL_OK;
}

const BMFontGlyph* BMFont::FallbackGlyph(const TextFormat& format) const {
  if (format.fallback == u'\0') return nullptr;
  const auto found = glyphs_.find(format.fallback);
  return found == glyphs_.end() ? nullptr : &found->second;
}

const BMFontGlyph* BMFont::QuadGlyph(char16_t character, const TextGlyphs& glyphs) const {
  if (IsTextSpace(character)) return nullptr;
  const BMFontGlyph* glyph = glyphs.Find(character);
  if (!glyph || glyph->page >= pages_.size() || !pages_[glyph->page]) return nullptr;
  return glyph;
}

void BMFont::GroupByPage(const base::WString& text, const TextLines& lines, const TextGlyphs& glyphs,
                         PageRuns* runs) const {
  PageRun run;
  for (std::size_t l = 0; l < lines.Size(); ++l) {
    const TextLine& line = lines[l];
    for (std::uint32_t i = line.first; i < line.first + line.count; ++i) {
      const BMFontGlyph* glyph = QuadGlyph(text[i], glyphs);
      if (!glyph) continue;
      if (run.count > 0 && (glyph->page != run.page || run.count == kMaxRunGlyphs)) {
        runs->PushBack(run);
        run.count = 0;
      }
      run.page = glyph->page;
      ++run.count;
    }
  }
  if (run.count > 0) runs->PushBack(run);
}

}  // namespace render
