#pragma once

#include <cstddef>
#include <map>
#include <utility>
#include <vector>

#include "Core/Base/Result.h"
#include "Core/Base/WString.h"
#include "Core/File/ImageContainer.h"

namespace file {

// The folder path a layout query is given, as the layer names are matched
// against it: '/' separators, one trailing '/', letters A-Z lower-cased.
base::WString LayerFolderKey(const base::WString& folder);
base::WString LowerCaseAscii(base::WString text);
// Where the group of name directly under the folder key ends (the position of
// its closing '/'); npos when name is not inside such a group.
std::size_t GroupEndUnder(const base::WString& name, const base::WString& folderKey);

// The layers of a layout by name, and the order they were read in. Layer is
// base::ImageInfo or a type derived from it.
template <class Layer>
class ImageContainerTable {
 public:
  // A name seen before keeps its first layer; the order still gets an entry,
  // which points at that first layer.
  Layer& Add(Layer layer) {
    auto [entry, inserted] = layers_.try_emplace(layer.name, std::move(layer));
    order_.push_back(&entry->second);
    return entry->second;
  }

  const Layer* Find(const base::WString& name) const {
    const auto found = layers_.find(name);
    return found == layers_.end() ? nullptr : &found->second;
  }
  // Null outside the order list.
  const Layer* At(int i) const {
    return i >= 0 && static_cast<std::size_t>(i) < order_.size() ? order_[static_cast<std::size_t>(i)] : nullptr;
  }
  int OrderCount() const { return static_cast<int>(order_.size()); }
  int DistinctCount() const { return static_cast<int>(layers_.size()); }

  QLResultEnum ListImages(const base::WString& folder, bool recursive, std::vector<base::WString>& out,
                          bool relativeNames) const {
    const base::WString key = LayerFolderKey(folder);
    for (const Layer* layer : order_) {
      const base::WString& name = layer->name;
      if (!name.starts_with(key)) continue;
      if (!recursive && name.find(u'/', key.size()) != base::WString::npos) continue;
      out.push_back(relativeNames ? name.substr(key.size()) : name);
    }
    return QL_OK;
  }

  // Names in the map are sorted, so the names of one group follow each other.
  QLResultEnum ListFolders(const base::WString& folder, std::vector<base::WString>& out) const {
    const base::WString key = LayerFolderKey(folder);
    bool any = false;
    base::WString last;
    for (const auto& [name, layer] : layers_) {
      const std::size_t end = GroupEndUnder(name, key);
      if (end == base::WString::npos) continue;
      base::WString group = name.substr(key.size(), end - key.size());
      if (any && group == last) continue;
      any = true;
      last = group;
      out.push_back(std::move(group));
    }
    return QL_OK;
  }

  bool HasImage(const base::WString& name) const { return Find(LowerCaseAscii(name)) != nullptr; }

  bool HasFolder(const base::WString& folder) const {
    const base::WString key = LayerFolderKey(folder);
    for (const auto& entry : layers_)
      if (GroupEndUnder(entry.first, key) != base::WString::npos) return true;
    return false;
  }

 private:
  std::map<base::WString, Layer> layers_;
  std::vector<const Layer*> order_;
};

// A layout whose layers are kept in a table: the queries both forms of a
// layout answer alike.
template <class Layer>
class TableImageContainer : public ImageContainer {
 public:
  using ImageContainer::ImageContainer;

  const base::ImageInfo* FindImageInfo(const base::WString& name) override { return layers_.Find(name); }
  const base::ImageInfo* GetImageInfo(int i) override { return layers_.At(i); }
  QLResultEnum ListImages(const base::WString& folder, bool recursive, std::vector<base::WString>& out,
                          bool relativeNames) override {
    return layers_.ListImages(folder, recursive, out, relativeNames);
  }
  // A group is named by the part of its path below folder, relative names or
  // not.
  QLResultEnum ListFolders(const base::WString& folder, std::vector<base::WString>& out, bool) override {
    return layers_.ListFolders(folder, out);
  }
  bool HasImage(const base::WString& name) override { return layers_.HasImage(name); }
  bool HasFolder(const base::WString& folder) override { return layers_.HasFolder(folder); }

 protected:
  ImageContainerTable<Layer> layers_;
};

}  // namespace file
