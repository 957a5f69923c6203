#include <algorithm>

#include "Psd/PsdColor.h"
#include "Psd/PsdError.h"
#include "Psd/PsdItemReaders.h"

namespace psd {

namespace {

bool ReadFlag(PsdCursor& block) { return block.U8() != 0; }

// A length byte and that many bytes; a zero ends the name early, as the
// stored form is read as a zero-terminated text.
std::string ReadPascalText(PsdCursor& block) {
  const std::uint8_t length = block.U8();
  std::string text(length, '\0');
  text.resize(block.Read(text.data(), length));
  text.resize(std::min(text.size(), text.find('\0')));
  return text;
}

void ReadFace(PsdCursor& block, PsdTypeFace& face) {
  face.mark = block.I16();
  face.fontType = block.I32();
  face.fontName = ReadPascalText(block);
  face.familyName = ReadPascalText(block);
  face.styleName = ReadPascalText(block);
  face.script = block.I16();
  ReadPsdElements(block, block.I32(), face.designAxes, [](PsdCursor& cursor, std::int32_t& value) {
    value = cursor.I32();
  });
}

void ReadStyle(PsdCursor& block, PsdTypeStyle& style) {
  style.mark = block.I16();
  style.faceMark = block.I16();
  style.size = block.I32();
  style.tracking = block.I32();
  style.kerning = block.I32();
  style.leading = block.I32();
  style.baselineShift = block.I32();
  style.autoKerning = ReadFlag(block);
  block.Skip(1);
  style.rotate = ReadFlag(block);
}

void ReadLine(PsdCursor& block, PsdTypeLine& line) {
  line.characterCount = block.I32();
  line.orientation = block.I16();
  line.alignment = block.I16();
  line.character = block.I16();
  line.style = block.I16();
}

}  // namespace

int ReadPsdTypeTool(PsdCursor& block, PsdLayerEntry& entry) {
  PsdTypeTool& type = AddPsdItem<PsdTypeTool>(entry, kPsdTypeToolItem);
  for (double& value : type.transform) {
    value = block.Double();
  }
  ReadPsdElements(block, block.I16(), type.faces, ReadFace);
  ReadPsdElements(block, block.I16(), type.styles, ReadStyle);
  type.type = block.I16();
  type.scalingFactor = block.I32();
  type.characterCount = block.I32();
  type.horizontalPlacement = block.I32();
  type.verticalPlacement = block.I32();
  type.selectionStart = block.I32();
  type.selectionEnd = block.I32();
  ReadPsdElements(block, block.I16(), type.lines, ReadLine);
  type.color = ReadPsdColor(block);
  type.antiAlias = ReadFlag(block);
  return kPsdOk;
}

}  // namespace psd
