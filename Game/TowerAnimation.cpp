#include "Game/TowerAnimation.h"

#include <set>
#include <utility>

#include "Core/Base/LogMessage.h"
#include "Core/Base/TextConversion.h"
#include "Game/KpProto.h"
#include "Game/SpriteDef.h"
#include "Game/SpriteExtent.h"

namespace {

// Each gap is worth one line, not one per frame.
bool FirstReport(int protoId, const std::string& group) {
  static std::set<std::pair<int, std::string>> reported;
  return reported.emplace(protoId, group).second;
}

}  // namespace

TowerAnimation::TowerAnimation(const KpProto& tierProto) : proto_(tierProto), fps_(tierProto.fps) {
  if (fps_ > 0.0f) return;
  fps_ = kDefaultFps;
  if (FirstReport(proto_.id, "fps"))
    QL_LOG(u"Tower %d plays at %f frames per second; it plays at 20\n").AddArg(proto_.id).AddArg(proto_.fps);
}

const std::vector<KpFrameEntry*>* TowerAnimation::find(const std::string& group) const {
  return proto_.sprite ? proto_.sprite->findGroup(group) : nullptr;
}

const std::vector<KpFrameEntry*>& TowerAnimation::frames(const std::string& group) const {
  static const std::vector<KpFrameEntry*> kNone;
  const std::vector<KpFrameEntry*>* list = find(group);
  if (list && !list->empty()) return *list;
  if (FirstReport(proto_.id, group))
    QL_LOG(u"Tower %d has no frames in the sprite group '%s'; they are not shown\n")
        .AddArg(proto_.id)
        .AddArg(base::ToWide(group, base::kEncodingUtf8));
  return kNone;
}

const KpFrameEntry* TowerAnimation::frameAtOrLast(const std::string& group, std::size_t index) const {
  return FrameAtOrLast(frames(group), index);
}

const KpFrameEntry* TowerAnimation::frameAt(const std::string& group, std::size_t index) const {
  const std::vector<KpFrameEntry*>& list = frames(group);
  return index < list.size() ? list[index] : nullptr;
}

const KpFrameEntry* TowerAnimation::optionalMarker(const std::string& group) const {
  const std::vector<KpFrameEntry*>* list = find(group);
  return list && !list->empty() ? list->front() : nullptr;
}
