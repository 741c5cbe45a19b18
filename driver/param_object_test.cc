#include "driver/param_object.h"

#include <gtest/gtest.h>

#include "config/utility.h"
#include "driver/switches.h"
#include "platform/platform.h"
#include "util/text.h"

namespace {

TEST(ParamObjectTest, SplitsOptionsAndFileName) {
  struct Case {
    const char* argument;
    int type;
    const char* options;
    const char* value;
  } cases[] = {
      {"/csv{0};x.csv", kParamCSV, "0", "x.csv"},
      {"/TXT{1x};Report A.txt", kParamText, "1x", "Report A.txt"},
      {"/html{111111111131};r.htm", kParamHTML, "111111111131", "r.htm"},
      {"/csv}x{;a.csv", kParamCSV, "", "a.csv"},        // braces backwards: no options
      {"/csv{1;0}", kParamCSV, "1;0", "0}"},            // first ";" starts the name
      {"/xfl{0};list.xml", kParamXFL, "0", "list.xml"},
      {"/csv;b;c.csv", kParamCSV, "", "b;c.csv"},      // only the first ";" splits
      {"/sum{1};x", kParamSummary, "", ""},             // not a report: nothing taken
      {"/open;x", kParamOpen, "", ""},
      {"/foo;x", kParamUnknown, "", ""},
  };
  for (const auto& c : cases) {
    TParamObject p = ParseParameter(c.argument);
    EXPECT_EQ(p.ParamType, c.type) << c.argument;
    EXPECT_EQ(p.Options, c.options) << c.argument;
    EXPECT_EQ(p.ParamValue, c.value) << c.argument;
  }
}

TEST(ParamObjectTest, OptionDigitAndFlag) {
  EXPECT_EQ(OptionDigit("0", 1, 1), 0);
  EXPECT_EQ(OptionDigit("0", 2, 7), 7);   // beyond the end
  EXPECT_EQ(OptionDigit("1x3", 2, 7), 7);  // not a digit
  EXPECT_EQ(OptionDigit("1x3", 3, 7), 3);
  EXPECT_EQ(OptionDigit("", 0, 4), 4);
  EXPECT_TRUE(OptionFlag("0", 2, true));
  EXPECT_FALSE(OptionFlag("00", 2, true));
  EXPECT_FALSE(OptionFlag("0x", 2, true));  // within the string: not a digit is off
  EXPECT_TRUE(OptionFlag("09", 2, false));
  EXPECT_FALSE(OptionFlag("", 1, false));
}

TEST(ProcessFilenameTest, ExpandsEveryMacroAtEveryOccurrence) {
  EXPECT_EQ(TUtility::ProcessFilename("plain name.csv"), "plain name.csv");
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  // Retried when the clock passes a second boundary between the readings.
  for (int attempt = 0; attempt < 5; ++attempt) {
    TDateTime before = platform::Now();
    std::string got = TUtility::ProcessFilename("$QvD/r_$yyyy$mm$dd_$Th$Tm$Ts_$YY_$DD_$yyyy.txt");
    TDateTime after = platform::Now();
    if (before.Second != after.Second) continue;
    std::string want = "/r_" + ZeroPad(before.Year, 4) + ZeroPad(before.Month, 2) +
                       ZeroPad(before.Day, 2) + "_" + ZeroPad(before.Hour, 2) +
                       ZeroPad(before.Minute, 2) + ZeroPad(before.Second, 2) + "_" +
                       ZeroPad(before.Year % 100, 2) + "_" + kDays[before.DayOfWeek] + "_" +
                       ZeroPad(before.Year, 4) + ".txt";
    EXPECT_EQ(got, want);
    break;
  }
  std::string folder = platform::ProgramFolder();
  folder.pop_back();
  EXPECT_EQ(TUtility::ProcessFilename("$QvF/x"), folder + "/x");
  EXPECT_EQ(TUtility::ProcessFilename("$qvf$th$"), "$qvf$th$");  // macros are case-sensitive
}

}  // namespace
