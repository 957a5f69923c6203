#include "Core/Gui/GameControlHelper.h"

#include <memory>

#include "Core/File/FileManager.h"
#include "Core/File/ImageContainer.h"
#include "Core/Layer/ImageLayer.h"
#include "Core/Render/Image.h"
#include "Core/Render/Render.h"
#include "Core/Widget/TrapHitTestListener.h"
#include "Core/Widget/Widget.h"

namespace gui {

GameControlHelper::~GameControlHelper() {
  for (layer::Layer* layer : createdLayers_) {
    if (layer::Layer* parent = layer->GetParent()) parent->RemoveChild(layer);
    delete layer;
  }
  delete trapListener_;
  if (ownsFolder_) delete folder_;
}

QLResultEnum GameControlHelper::Init(render::Render* render, const base::WString& folderName, widget::Widget* owner,
                                     layer::HitTestListener* listener, layer::Layer* parent) {
  file::ImageContainer* folder = file::FileManager::Instance()->OpenImageContainer(folderName);
  if (!folder) return QL_FAIL;
  return InitWithFolder(render, folder, owner, listener, parent, true);
}

QLResultEnum GameControlHelper::InitWithFolder(render::Render* render, file::ImageContainer* folder,
                                               widget::Widget* owner, layer::HitTestListener* listener,
                                               layer::Layer* parent, bool ownsFolder) {
  if (ownsFolder_ && folder_ != folder) delete folder_;
  render_ = render;
  folder_ = folder;
  ownsFolder_ = ownsFolder;
  owner_ = owner;
  listener_ = listener;
  parentLayer_ = parent ? parent : (owner ? owner->GetLayer() : nullptr);
  return QL_OK;
}

QLResultEnum GameControlHelper::LoadImageLayer(const base::WString& name, math::Rect& rect,
                                               layer::ImageLayer*& out) {
  if (!render_) return QL_FAIL;
  base::ImageInfo info;
  layer::ImageLayer* layer = nullptr;
  if (const QLResultEnum result = layer::ImageLayer::Create(*render_, name, folder_, &layer, &info)) return result;
  layer->SetListener(listener_);
  rect = info.rect;
  out = layer;
  return QL_OK;
}

QLResultEnum GameControlHelper::CreatePlaced(const base::WString& name, layer::ImageLayer*& out) {
  math::Rect rect;
  if (const QLResultEnum result = LoadImageLayer(name, rect, out)) return result;
  if (parentLayer_) {
    const math::Point3& origin = parentLayer_->GetPosition();
    const math::Point3& position = out->GetPosition();
    out->SetPosition(position.x - origin.x, position.y - origin.y, position.z - origin.z);
  }
  return QL_OK;
}

QLResultEnum GameControlHelper::CreateImageLayer(const base::WString& name, int mode, layer::Layer* parent,
                                                 layer::ImageLayer** out) {
  layer::ImageLayer* layer = nullptr;
  if (const QLResultEnum result = CreatePlaced(name, layer)) return result;
  if (out) *out = layer;
  return AddLayer(layer, mode, parent);
}

QLResultEnum GameControlHelper::CreateImageLayerBelow(const base::WString& name, int mode, layer::Layer* parent,
                                                      layer::ImageLayer** out) {
  layer::ImageLayer* layer = nullptr;
  if (const QLResultEnum result = CreatePlaced(name, layer)) return result;
  if (out) *out = layer;
  return InsertLayerFirst(layer, mode, parent);
}

layer::Layer* GameControlHelper::Adopt(layer::Layer* layer, int mode, layer::Layer* parent) {
  if (mode == kLayerMouseIgnored) layer->SetHitTestable(false);
  if (mode == kLayerMouseTrapped) layer->SetListener(GetTrapListener());
  createdLayers_.push_back(layer);
  return parent ? parent : parentLayer_;
}

QLResultEnum GameControlHelper::AddLayer(layer::Layer* layer, int mode, layer::Layer* parent) {
  if (layer::Layer* target = Adopt(layer, mode, parent)) target->AddChild(layer);
  return QL_OK;
}

QLResultEnum GameControlHelper::InsertLayerFirst(layer::Layer* layer, int mode, layer::Layer* parent) {
  if (layer::Layer* target = Adopt(layer, mode, parent)) target->InsertChildFirst(layer);
  return QL_OK;
}

widget::TrapHitTestListener* GameControlHelper::GetTrapListener() {
  if (!trapListener_) trapListener_ = new widget::TrapHitTestListener(owner_);
  return trapListener_;
}

}  // namespace gui
