#include "Core/Resource/Resource.h"

#include "Core/Base/LogMessage.h"

namespace resource {

QLResultEnum Resource::Init(const base::WString& name) {
  name_ = name;
  return OnInit();
}

QLResultEnum Resource::Load() {
  if (loaded_) {
    QL_LOG_BLOCK(u"Trying to Load already loaded resource '%s'.\n").AddArg(name_);
    return QL_OK;
  }
  if (const QLResultEnum result = DoLoad(); result != QL_OK) return result;
  loaded_ = true;
  return QL_OK;
}

QLResultEnum Resource::UnLoad() {
  if (!loaded_) {
    QL_LOG_BLOCK(u"Trying to UnLoad already unloaded resource '%s'.\n").AddArg(name_);
    return QL_OK;
  }
  if (const QLResultEnum result = DoUnload(); result != QL_OK) return result;
  loaded_ = false;
  return QL_OK;
}

void DestroyOrphan(Resource* resource, int* count) {
  if (resource->IsLoaded()) resource->UnLoad();
  delete resource;
  delete count;
}

}  // namespace resource
