#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Core/Base/NoCopy.h"
#include "Core/Base/WString.h"
#include "Core/Render/Image.h"

// One spell the map offers: its button images and the tower-type prototype
// whose upgraded cooldown is its recharge time.
struct SpellDef {
  std::string imagePath1;
  std::string imagePath2;
  int protoId = 0;
  int spellId = 0;
  int instantPrice = 0;  // gems for an instant recharge
  std::unique_ptr<render::Image> image1;
  std::unique_ptr<render::Image> image2;
};

// The spells of "kp/spells_sheet.csv" in file order.
class SpellTable : base::NoCopy {
 public:
  // Null when the image cannot be made; the spell stays without it.
  using ImageMaker = std::function<std::unique_ptr<render::Image>(const base::WString& path)>;

  // The game application's images, read without a layout.
  static ImageMaker GameImages();

  // Rows are "marker;prototype id;image 1;image 2;spell id;instant price"; a
  // row whose marker is exactly "#" is a comment. A missing file gives no
  // spells.
  void load(const base::WString& path, const ImageMaker& makeImage);
  void loadText(std::string_view text, const std::string& source, const ImageMaker& makeImage);

  // The first spell of that spell id, or null.
  const SpellDef* find(int spellId) const;
  const std::vector<std::unique_ptr<SpellDef>>& spells() const { return spells_; }

 private:
  std::vector<std::unique_ptr<SpellDef>> spells_;
};
