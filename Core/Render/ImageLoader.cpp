#include "Core/Render/ImageLoader.h"

#include "Core/Base/LogMessage.h"
#include "Core/Render/ImageDataDDS.h"
#include "Core/Render/ImageDataDevil.h"
#include "Core/Render/ImageDataRaw.h"

namespace render {

namespace {

std::unique_ptr<ImageData> NewDecoder(const base::WString& extension, int maxSide) {
  const base::WString key = extension.substr(0, 4);
  if (key == u".dds") return std::make_unique<ImageDataDDS>();
  if (key == u".bmp") return std::make_unique<ImageDataDevil>(platform::ImageType::kBmp, maxSide);
  if (key == u".jpg") return std::make_unique<ImageDataDevil>(platform::ImageType::kJpg, maxSide);
  if (key == u".gif") return std::make_unique<ImageDataDevil>(platform::ImageType::kGif, maxSide);
  if (key == u".png") return std::make_unique<ImageDataDevil>(platform::ImageType::kPng, maxSide);
  if (key == u".tga") return std::make_unique<ImageDataDevil>(platform::ImageType::kTga, maxSide);
  return nullptr;
}

}  // namespace

std::unique_ptr<ImageData> ImageLoader::CreateImageData(base::Stream& stream, const base::WString& extension,
                                                        int maxSide, const base::ImageInfo* description) const {
  std::unique_ptr<ImageData> decoder =
      description && description->fromDocument
          ? std::make_unique<ImageDataRaw>(static_cast<int>(description->rect.width),
                                           static_cast<int>(description->rect.height))
          : NewDecoder(extension, maxSide);
  if (!decoder) {
    QL_LOG(u"No image decoder for extension '%s'\n").AddArg(extension);
    return nullptr;
  }
  if (decoder->Load(stream, extension) != QL_OK) return nullptr;
  return decoder;
}

}  // namespace render
