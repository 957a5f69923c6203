#pragma once

#include "Core/Base/Result.h"
#include "Core/Base/WString.h"

namespace resource {

class ResourceManager;
template <class T>
class MapDestroyer;

// Something made once per name and shared through counted handles. Creation
// and loading are apart: the manager names a resource, its user loads it when
// it needs the data.
class Resource {
 public:
  virtual ~Resource() = default;

  // Runs when the last handle is gone: each type hands itself back to the
  // manager's cache of that type.
  virtual QLResultEnum Release() = 0;

  QLResultEnum Init(const base::WString& name);
  // A second load or unload is harmless: it is only logged.
  QLResultEnum Load();
  QLResultEnum UnLoad();

  const base::WString& GetName() const { return name_; }
  bool IsLoaded() const { return loaded_; }
  // False once the manager that cached it is gone; its last handle frees it.
  bool IsCached() const { return cached_; }

 protected:
  virtual QLResultEnum OnInit() { return QL_OK; }
  virtual QLResultEnum DoLoad() = 0;
  virtual QLResultEnum DoUnload() = 0;

 private:
  friend class ResourceManager;
  template <class T>
  friend class MapDestroyer;

  base::WString name_;
  bool loaded_ = false;
  bool cached_ = false;
};

// Frees a resource that no cache holds any more, together with its count. A
// failed unload cannot keep it: nothing could reach it to try again.
void DestroyOrphan(Resource* resource, int* count);

}  // namespace resource
