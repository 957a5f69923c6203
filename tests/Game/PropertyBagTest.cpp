#include "Game/KpPropertyBag.h"

#include <gtest/gtest.h>
#include <tinyxml2.h>

namespace {

KpPropertyBag BagOf(const char* xml) {
  tinyxml2::XMLDocument document;
  EXPECT_EQ(document.Parse(xml), tinyxml2::XML_SUCCESS);
  return KpPropertyBag(*document.RootElement());
}

TEST(PropertyBagTest, ReadsNamedNumbersAndTheirText) {
  const KpPropertyBag bag = BagOf(
      "<p><property name='radius_mult' value='2.5'/><x name='bad' value='abc'/>"
      "<property name='unit' value='3px'/><property name='spawn' value='1'/>"
      "<property name='spawn' value='0'/><property value='4'/><property name='none'/></p>");
  EXPECT_FLOAT_EQ(bag.getFloat("radius_mult"), 2.5f);
  EXPECT_EQ(bag.getString("radius_mult"), "2.5");
  EXPECT_FLOAT_EQ(bag.getFloat("bad"), 0.0f);
  EXPECT_FLOAT_EQ(bag.getFloat("unit"), 3.0f);
  EXPECT_FLOAT_EQ(bag.getFloat("spawn"), 0.0f) << "a later property of the same name wins";
  EXPECT_FLOAT_EQ(bag.getFloat(""), 4.0f);
  EXPECT_EQ(bag.getString("none"), "0");
}

TEST(PropertyBagTest, AnAbsentNameIsZeroAndEmpty) {
  const KpPropertyBag bag = BagOf("<p/>");
  EXPECT_FLOAT_EQ(bag.getFloat("goal"), 0.0f);
  EXPECT_EQ(bag.getString("goal"), "");
}

}  // namespace
