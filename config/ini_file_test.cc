#include "config/ini_file.h"

#include <gtest/gtest.h>

TEST(IniFileTest, ReadsLikeAWindowsProfileFile) {
  TIniFile ini = TIniFile::FromText(
      "\xEF\xBB\xBF; comment\r\n"
      "[Main]\r\n"
      "  PortableMode = 1 \r\n"
      "useodbc=0x10\r\n"
      "connectionstring=\"DSN=x;UID=y\"\r\n"
      "portablemode=0\r\n"
      "[prefs]\n"
      "Empty=\n"
      "Bad=12z\n");
  EXPECT_EQ(ini.ReadString("MAIN", "portablemode", "d"), "1");  // case-insensitive, first wins
  EXPECT_EQ(ini.ReadInteger("Main", "UseODBC", 0), 16);
  EXPECT_EQ(ini.ReadString("Main", "ConnectionString", ""), "DSN=x;UID=y");  // quotes removed
  EXPECT_EQ(ini.ReadString("Prefs", "Empty", "default"), "");  // an empty value stays empty
  EXPECT_EQ(ini.ReadString("Prefs", "Missing", "default"), "default");
  EXPECT_EQ(ini.ReadInteger("Prefs", "Bad", 7), 7);
  EXPECT_EQ(ini.ReadString("Other", "PortableMode", "none"), "none");
}

TEST(IniFileTest, MissingFileReadsAsEmpty) {
  TIniFile ini("/nonexistent/custom.ini");
  EXPECT_FALSE(ini.Value("Main", "DataPath").has_value());
}
