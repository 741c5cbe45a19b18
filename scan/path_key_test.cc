#include <gtest/gtest.h>

#include "scan/scan_details.h"

TEST(PathKeyTest, Md5OfUpperCasedAsciiBytes) {
  // MD5("ABC") = 902FBDD2B1DF0C4F70B4A5D23525E932
  EXPECT_EQ(PathKey("abc"), "902FBDD2B1DF0C4F70B4A5D23525E932");
  EXPECT_EQ(PathKey("abc", false), PathKey("abc", false));
  EXPECT_NE(PathKey("abc", false), PathKey("abc"));
}

TEST(PathKeyTest, NonAsciiUnitsBecomeQuestionMarks) {
  // é is one UTF-16 unit, an emoji two, an invalid byte one.
  EXPECT_EQ(PathKey("/d/\xC3\xA9/"), PathKey("/D/?/"));
  EXPECT_EQ(PathKey("/\xF0\x9F\x98\x80"), PathKey("/??"));
  EXPECT_EQ(PathKey("/\xFF"), PathKey("/?"));
  EXPECT_EQ(PathKey("/Data/"), PathKey("/DATA/"));
}
