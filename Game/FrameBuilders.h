#pragma once

#include "Core/Base/WString.h"

namespace base {
class ImageInfo;
}
namespace file {
class ImageContainer;
}
namespace layer {
class ImageLayer;
class Layer;
}  // namespace layer
namespace render {
class Image;
}
class KpFrameEntry;

// Null when the layout has no layer at exactly that path.
const base::ImageInfo* FindPsdLayer(file::ImageContainer& container, const base::WString& path);
// A new image of the layer, owned by the caller. Null when the layout has no
// such layer, when the layer has no pixels to show (logged) or when the
// application cannot make images (no renderer, logged once it has one).
render::Image* LoadPsdLayerImage(file::ImageContainer& container, const base::WString& path);
// A frame placed where the layer lies, owning its image; a path the layout
// lacks gives a frame with no image and a zero rectangle.
KpFrameEntry* CreateFrameEntryFromPsd(file::ImageContainer& container, const base::WString& path);
// Shows the layer's image (owned by the image layer) with the layer placed
// relative to the origin. A path the layout lacks leaves the image layer
// without an image.
void SetImageLayerFromPsd(layer::ImageLayer& imageLayer, file::ImageContainer& container, const base::WString& path,
                          float originX, float originY);
// Takes the layer out of its parent so that its owner may delete it.
void DetachLayer(layer::Layer* child);
