#pragma once

#include <vector>

#include "Core/Base/ImageInfo.h"
#include "Core/Base/Result.h"
#include "Core/Base/WString.h"

namespace file {
class ImageContainer;
}
namespace layer {
class HitTestListener;
class ImageLayer;
class Layer;
}  // namespace layer
namespace render {
class Render;
}
namespace widget {
class TrapHitTestListener;
class Widget;
}  // namespace widget

namespace gui {

// What a new layer does with the mouse.
enum LayerMouseMode : int { kLayerMouseDefault = 0, kLayerMouseIgnored = 1, kLayerMouseTrapped = 2 };

// Makes image layers from the layers of a layered folder for one widget and
// owns them: they are taken off their parents and deleted with the helper.
class GameControlHelper {
 public:
  GameControlHelper() = default;
  virtual ~GameControlHelper();
  GameControlHelper(const GameControlHelper&) = delete;
  GameControlHelper& operator=(const GameControlHelper&) = delete;

  // Opens the folder, which the helper then owns; 1 when it cannot be
  // opened. The render makes the images. The parent layer defaults to the
  // owner widget's layer.
  QLResultEnum Init(render::Render* render, const base::WString& folderName, widget::Widget* owner,
                    layer::HitTestListener* listener, layer::Layer* parent);
  QLResultEnum InitWithFolder(render::Render* render, file::ImageContainer* folder, widget::Widget* owner,
                              layer::HitTestListener* listener, layer::Layer* parent, bool ownsFolder);

  // A new image layer of the folder's layer of that name, placed where the
  // layout puts it and not yet recorded; the out values are untouched on
  // failure.
  QLResultEnum LoadImageLayer(const base::WString& name, math::Rect& rect, layer::ImageLayer*& out);
  // Loads the layer, places it relative to the stored parent layer and adds
  // it after the parent's children, or before them.
  QLResultEnum CreateImageLayer(const base::WString& name, int mode, layer::Layer* parent,
                                layer::ImageLayer** out);
  QLResultEnum CreateImageLayerBelow(const base::WString& name, int mode, layer::Layer* parent,
                                     layer::ImageLayer** out);
  // Records the layer and attaches it to the parent, the stored parent layer
  // when none is given.
  QLResultEnum AddLayer(layer::Layer* layer, int mode, layer::Layer* parent);
  QLResultEnum InsertLayerFirst(layer::Layer* layer, int mode, layer::Layer* parent);
  widget::TrapHitTestListener* GetTrapListener();

  file::ImageContainer* GetFolder() const { return folder_; }
  layer::Layer* GetParentLayer() const { return parentLayer_; }

 private:
  QLResultEnum CreatePlaced(const base::WString& name, layer::ImageLayer*& out);
  layer::Layer* Adopt(layer::Layer* layer, int mode, layer::Layer* parent);

  std::vector<layer::Layer*> createdLayers_;
  render::Render* render_ = nullptr;
  file::ImageContainer* folder_ = nullptr;
  bool ownsFolder_ = false;
  widget::Widget* owner_ = nullptr;
  layer::Layer* parentLayer_ = nullptr;
  layer::HitTestListener* listener_ = nullptr;
  widget::TrapHitTestListener* trapListener_ = nullptr;
};

}  // namespace gui
