#include "Core/File/PsdFile.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "Core/Base/LittleEndian.h"
#include "Core/Base/LogMessage.h"
#include "Core/Base/MemoryStream.h"
#include "Core/Base/TextConversion.h"
#include "Core/File/ImageFileInfo.h"
#include "Core/File/Path.h"
#include "Psd/PsdDocument.h"

namespace file {

namespace {

// The decoder bounds what it allocates from the header; this bounds the file
// read whole before the decoder sees it.
constexpr std::uint32_t kMaxDocumentBytes = 512u << 20;

}  // namespace

void PsdFile::DocumentDeleter::operator()(psd::PsdDocument* document) const { psd::FreePsdDocument(document); }

PsdFile::PsdFile(base::WString documentPath, FileContainer* container)
    : TableImageContainer(std::move(documentPath), container) {}

PsdFile::~PsdFile() = default;

QLResultEnum PsdFile::Load() {
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(GetPath(), kMaxDocumentBytes, bytes)) {
    QL_LOG(u"Layered document '%s' cannot be read\n").AddArg(GetPath());
    return QL_FAIL;
  }
  psd::PsdDocument* document = nullptr;
  const int code = psd::LoadPsdDocumentFromMemory(&document, bytes.data(), bytes.size());
  document_.reset(document);
  if (code != 0 || !document_) {
    QL_LOG(u"Layered document '%s' cannot be decoded (code %d)\n").AddArg(GetPath()).AddArg(code);
    document_.reset();
    return QL_FAIL;
  }
  AddLayers();
  return QL_OK;
}

// The decoder lists layers bottom-most first, a group's closing divider
// below its layers and its opening entry above them; walking from the top
// opens each group before its layers.
void PsdFile::AddLayers() {
  const std::vector<psd::PsdLayerEntry>& entries = document_->layers;
  std::vector<base::WString> groups;
  base::WString prefix;
  const auto rebuildPrefix = [&] {
    prefix.clear();
    for (const base::WString& group : groups) prefix += group + u'/';
  };
  for (std::size_t i = entries.size(); i-- > 0;) {
    const psd::PsdLayerEntry& entry = entries[i];
    if (entry.kind == psd::kPsdGroupStart) {
      groups.push_back(base::ToWide(entry.name, base::kEncodingUtf8));
      rebuildPrefix();
    } else if (entry.kind == psd::kPsdGroupEnd) {
      if (groups.empty()) continue;
      groups.pop_back();
      rebuildPrefix();
    } else {
      layers_.Add(PsdFileLayer(entry, prefix + base::ToWide(entry.name, base::kEncodingUtf8), static_cast<int>(i),
                               kImageScale));
    }
  }
}

base::Stream* PsdFile::OpenStream(const base::WString& path) {
  const PsdFileLayer* layer = layers_.Find(path);
  if (!layer) return nullptr;
  const std::vector<std::uint32_t>& pixels = layer->GetEntry().pixels;
  if (pixels.size() > UINT32_MAX / 4) {
    QL_LOG(u"Layer '%s' of '%s' is too big for a stream\n").AddArg(path).AddArg(GetPath());
    return nullptr;
  }
  // 0xAARRGGBB words stored little-endian: B, G, R, A in memory, as the
  // 32-bit ARGB texture format lays them out.
  std::vector<std::uint8_t> bytes;
  bytes.reserve(pixels.size() * 4);
  for (const std::uint32_t pixel : pixels) base::AppendU32(bytes, pixel);
  return new base::MemoryStream(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

base::StreamCreator* PsdFile::CreateStreamCreator(const base::WString&) { return nullptr; }

ImageFileInfo* PsdFile::OpenImage(const base::WString& name, const base::WString* extensions, int count, int* index) {
  const PsdFileLayer* layer = layers_.Find(name);
  if (!layer) return nullptr;
  // A layer's pixels are found under its bare name, the empty extension.
  for (int i = 0; extensions && i < count; ++i)
    if (extensions[i].empty() && index) *index = i;
  return new ImageFileInfo(GetNameWithoutExtension(name), name, this, true, *layer);
}

int PsdFile::GetImageCount() { return layers_.DistinctCount(); }

bool PsdFile::ImageFileExists(const base::WString&) { return false; }

}  // namespace file
