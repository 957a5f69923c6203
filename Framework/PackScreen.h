#pragma once

#include "Core/Base/WString.h"
#include "Core/Widget/BaseBoard.h"

namespace gui {

// The main frame when the program is started with "--pack": it builds the
// pack file of every mounted folder and the program ends.
class PackScreen : public widget::BaseBoard {
 public:
  explicit PackScreen(base::WString name) : name_(std::move(name)) {}

  QLResultEnum Init() override;

 private:
  // The text given after "--pack"; the mounts say what is packed.
  base::WString name_;
};

}  // namespace gui
