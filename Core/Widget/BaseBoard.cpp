#include "Core/Widget/BaseBoard.h"

#include "Core/Layer/RectHitLayer.h"

namespace widget {

BaseBoard::BaseBoard() : WidgetHitTestListener(this) {
  SetListener(this, true);
  GetRectLayer()->SetListener(this);
}

QLResultEnum BaseBoard::Init() { return QL_OK; }

}  // namespace widget
