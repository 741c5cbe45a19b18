#include "config/registry_store.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>

#include "tests/support/global_objects.h"
#include "util/errors.h"

namespace {
class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    temp_dir_.emplace("tarvelo-reg-");
    dir_ = temp_dir_->path();
    path_ = (dir_ / "registry.reg").string();
  }
  void TearDown() override { temp_dir_.reset(); }
  void Write(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
  std::optional<test_support::ScopedTempDir> temp_dir_;
  std::filesystem::path dir_;
  std::string path_;
};
}  // namespace

TEST_F(RegistryStoreTest, ReadsTypedValuesIgnoringCase) {
  Write(
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Kestrovia\\Quorvane8]\r\n"
      "\"Language\"=dword:0000000a\r\n"
      "\"Prefs_XMLOutput\"=\"C:\\\\Tools\\\\ed \\\"x\\\".exe\"\r\n");
  TRegistryStore reg(path_);
  EXPECT_EQ(reg.ReadInteger("software\\kestrovia\\quorvane8", "LANGUAGE"), 10u);
  EXPECT_EQ(reg.ReadString("Software\\kestrovia\\Quorvane8", "prefs_xmloutput"), "C:\\Tools\\ed \"x\".exe");
  EXPECT_FALSE(reg.Read("Software\\kestrovia\\Quorvane8", "Missing").has_value());
  EXPECT_THROW(reg.ReadString("Software\\kestrovia\\Quorvane8", "Language"), ERegistryException);
  EXPECT_THROW(reg.ReadInteger("Software\\kestrovia\\Quorvane8", "Prefs_XMLOutput"), ERegistryException);
}

TEST_F(RegistryStoreTest, ReadsUtf16ExportOfTheWindowsEditor) {
  std::string text = "Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\Software\\k]\r\n\"N\"=\"\xC3\xA9\"\r\n";
  std::string utf16 = "\xFF\xFE";
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\xC3') {  // é as one UTF-16 unit
      utf16 += '\xE9';
      utf16 += '\0';
      ++i;
      continue;
    }
    utf16 += text[i];
    utf16 += '\0';
  }
  Write(utf16);
  TRegistryStore reg(path_);
  EXPECT_EQ(reg.ReadString("Software\\k", "n"), "\xC3\xA9");
}

TEST_F(RegistryStoreTest, SaveKeepsOtherKeysAndRoundTrips) {
  Write(
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Other]\r\n\"Keep\"=\"me\"\r\n");
  {
    TRegistryStore reg(path_);
    reg.Write("Software\\kestrovia\\Quorvane8", "Path0", std::string("/data/a \"b\"\\"));
    reg.Write("Software\\kestrovia\\Quorvane8", "Count", 42u);
    reg.Save();
  }
  TRegistryStore again(path_);
  EXPECT_EQ(again.ReadString("Software\\Other", "Keep"), "me");
  EXPECT_EQ(again.ReadString("Software\\kestrovia\\Quorvane8", "Path0"), "/data/a \"b\"\\");
  EXPECT_EQ(again.ReadInteger("Software\\kestrovia\\Quorvane8", "count"), 42u);
  EXPECT_FALSE(std::filesystem::exists(path_ + ".tmp"));
}

TEST_F(RegistryStoreTest, MalformedFileNamesFileAndLine) {
  Write("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\k]\r\nName=\"x\"\r\n");
  try {
    TRegistryStore reg(path_);
    FAIL() << "no error";
  } catch (const EConfigError& e) {
    EXPECT_NE(std::string(e.what()).find(path_ + ", line 4"), std::string::npos) << e.what();
  }
}

TEST_F(RegistryStoreTest, MissingFileIsEmptyAndNotCreated) {
  TRegistryStore reg(path_);
  EXPECT_FALSE(reg.Read("Software\\k", "x").has_value());
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(RegistryStoreTest, TextWithALineBreakIsRefusedAndTheStoreKept) {
  Write("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\k]\r\n\"A\"=\"1\"\r\n");
  TRegistryStore reg(path_);
  reg.Write("Software\\k", "Path0", std::string("/a\nb"));
  EXPECT_THROW(reg.Save(), EConfigError);
  EXPECT_EQ(TRegistryStore(path_).ReadString("Software\\k", "A"), "1");
}
