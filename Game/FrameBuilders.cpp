#include "Game/FrameBuilders.h"

#include <memory>

#include "Core/Base/ImageInfo.h"
#include "Core/Base/LogMessage.h"
#include "Core/File/ImageContainer.h"
#include "Core/Layer/ImageLayer.h"
#include "Core/Layer/Layer.h"
#include "Core/Render/Image.h"
#include "Framework/GameApplication.h"
#include "Game/KpFrameEntry.h"

const base::ImageInfo* FindPsdLayer(file::ImageContainer& container, const base::WString& path) {
  return container.FindImageInfo(path);
}

render::Image* LoadPsdLayerImage(file::ImageContainer& container, const base::WString& path) {
  const base::ImageInfo* layer = FindPsdLayer(container, path);
  // Box and centre markers of a document have a place but no pixels.
  if (!layer || !layer->drawable) return nullptr;
  if (layer->rect.width <= 0.0f || layer->rect.height <= 0.0f) {
    QL_LOG(u"Layer '%s' of '%s' has no size and is not drawn\n").AddArg(path).AddArg(container.GetPath());
    return nullptr;
  }
  framework::GameApplication* application = framework::GameApplication::Instance();
  if (!application) return nullptr;
  std::unique_ptr<render::Image> image = application->CreateImage(layer->name, &container);
  if (!image) QL_LOG(u"Layer '%s' of '%s' could not be read and is not drawn\n").AddArg(path).AddArg(container.GetPath());
  return image.release();
}

KpFrameEntry* CreateFrameEntryFromPsd(file::ImageContainer& container, const base::WString& path) {
  auto frame = new KpFrameEntry;
  frame->ownsImage = true;
  frame->image = LoadPsdLayerImage(container, path);
  if (const base::ImageInfo* layer = FindPsdLayer(container, path)) {
    frame->x = layer->rect.x;
    frame->y = layer->rect.y;
    frame->width = layer->rect.width;
    frame->height = layer->rect.height;
    frame->name = layer->name;
    frame->z = layer->index;
  }
  return frame;
}

void SetImageLayerFromPsd(layer::ImageLayer& imageLayer, file::ImageContainer& container, const base::WString& path,
                          float originX, float originY) {
  imageLayer.SetImage(LoadPsdLayerImage(container, path), true);
  const base::ImageInfo* layer = FindPsdLayer(container, path);
  if (!layer) return;
  imageLayer.SetPosition(layer->rect.x - originX, layer->rect.y - originY, 0.0f);
}

void DetachLayer(layer::Layer* child) {
  if (!child) return;
  layer::Layer* parent = child->GetParent();
  if (parent && !parent->GetChildren().empty()) parent->RemoveChild(child);
}
