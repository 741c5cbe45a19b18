#include "driver/switches.h"

#include <gtest/gtest.h>

#include "driver/globals.h"

namespace {
struct CommandLineScope {
  explicit CommandLineScope(std::vector<std::string> args) : saved(CommandLine) { CommandLine = std::move(args); }
  ~CommandLineScope() { CommandLine = saved; }
  std::vector<std::string> saved;
};
}  // namespace

TEST(SwitchesTest, SwitchPresentIsWholeArgumentIgnoringAsciiCase) {
  CommandLineScope cl({"tarvelo", "/test", "/ODBC", "/odbc=1", "/\xC3\xA9"});
  EXPECT_TRUE(SwitchPresent("/test"));  // argument 1 counts
  EXPECT_TRUE(SwitchPresent("/odbc"));
  EXPECT_FALSE(SwitchPresent("/odb"));
  EXPECT_FALSE(SwitchPresent("/\xC3\x89"));  // É is not é: ASCII-only folding
}

TEST(SwitchesTest, ValueSwitchesTakeTheLastContainingArgument) {
  CommandLineScope cl({"tarvelo", "/d", "/systemtable:A", "x/SYSTEMTABLE;B", "/datatable"});
  int k = SwitchArgumentIndex("/systemtable");
  EXPECT_EQ(k, 3);
  EXPECT_EQ(SwitchValue(CommandLine[k]), "B");
  EXPECT_EQ(SwitchValue(CommandLine[SwitchArgumentIndex("/datatable")]), "");
  EXPECT_EQ(SwitchArgumentIndex("/nothing"), 0);
  EXPECT_EQ(SwitchValue("/a:b;c"), "b;c");
  EXPECT_EQ(SwitchValue("/a:"), "");
}

TEST(SwitchesTest, ClassifyParameterByPrefixInTableOrder) {
  const std::pair<const char*, int> cases[] = {
      {"/CSVX", 16}, {"/TXT", 17}, {"/TEXT{1}", 17}, {"/HTMLREPORT", 18}, {"/XML", 19},
      {"/XFL", 20},  {"/SUM", 21}, {"/OPEN", 255},   {"/P", 1},           {"/ODBC", 2},
      {"/O", 2},     {"/SQLITE", 8}, {"/DBSTRUCTURED", 9}, {"/NOUSER", 32}, {"/TEST", 145},
      {"/FOO", 0},   {"X/CSV", 0},
  };
  for (const auto& [arg, code] : cases) EXPECT_EQ(ClassifyParameter(arg), code) << arg;
}
