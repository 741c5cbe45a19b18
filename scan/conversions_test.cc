#include "scan/conversions.h"

#include <gtest/gtest.h>

#include <optional>

#include "config/language_handler.h"
#include "config/number_format.h"
#include "driver/globals.h"
#include "tests/support/global_objects.h"

namespace {

class ConvertTest : public ::testing::Test {
 protected:
  void SetUp() override {
    texts_.emplace(test_support::kTextTablesOnly);
    LanguageStrings.assign(700, "");
    LanguageStrings[74] = "Bytes";
    UnitStrings = {"B", "KB", "MB", "GB", "TB"};
    AppFormatSettings.DecimalSeparator = '.';
  }
  void TearDown() override {
    texts_.reset();
    AppFormatSettings.DecimalSeparator = '.';
  }
  std::optional<test_support::ScopedGlobals> texts_;
};

TEST_F(ConvertTest, UsefulUnitPicksTheUnitBelowTheNext) {
  const std::pair<int64_t, const char*> cases[] = {
      {-1, "0"},
      {0, "0 Bytes"},
      {1023, "1023 Bytes"},
      {1024, "1.00KB"},
      {1536, "1.50KB"},
      {1048575, "1024.00KB"},
      {1048576, "1.00MB"},
      {1152, "1.13KB"},  // 1.125: halves of the second decimal go up
      {5LL * 1073741824, "5.00GB"},
      {1099511627776LL, "1.00TB"},
      {1099511627776LL * 1536, "1536.00TB"},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(TConvert::ConvertToUsefulUnit(bytes), text) << bytes;
}

TEST_F(ConvertTest, FixedPointKeepsSevenSignificantDigits) {
  EXPECT_EQ(TConvert::FixedPoint(0), "0.00");
  EXPECT_EQ(TConvert::FixedPoint(2.5), "2.50");
  EXPECT_EQ(TConvert::FixedPoint(1.0 / 3), "0.33");
  EXPECT_EQ(TConvert::FixedPoint(123456.789), "123456.80");
  EXPECT_EQ(TConvert::FixedPoint(1234567.891), "1234568.00");
  EXPECT_EQ(TConvert::FixedPoint(12345678.0), "1.234568E+07");
  EXPECT_EQ(TConvert::FixedPoint(0.004), "0.00");
  EXPECT_EQ(TConvert::FixedPoint(0.005), "0.01");
  EXPECT_EQ(TConvert::FixedPoint(9.999), "10.00");
  AppFormatSettings.DecimalSeparator = ',';
  EXPECT_EQ(TConvert::FixedPoint(1.5), "1,50");
  EXPECT_EQ(TConvert::ConvertToUsefulUnit(1536), "1,50KB");
}

TEST_F(ConvertTest, SizeStringModes) {
  EXPECT_EQ(TConvert::GetSizeString(0, 1536), "1.50KB");
  EXPECT_EQ(TConvert::GetSizeString(1, 1536), "1536");
  EXPECT_EQ(TConvert::GetSizeString(2, 1048576), "1024.00KB");
  EXPECT_EQ(TConvert::GetSizeString(3, 1048576), "1.00MB");
  EXPECT_EQ(TConvert::GetSizeString(4, 536870912), "0.50GB");
  EXPECT_EQ(TConvert::GetSizeString(7, 10), "10 Bytes");
}

TEST_F(ConvertTest, SizeOnDiskRoundsUpToClusters) {
  EXPECT_EQ(TConvert::RoundUpToCluster(1, 4096), 4096);
  EXPECT_EQ(TConvert::RoundUpToCluster(4096, 4096), 4096);
  EXPECT_EQ(TConvert::RoundUpToCluster(4097, 4096), 8192);
  EXPECT_EQ(TConvert::RoundUpToCluster(0, 4096), 0);
  EXPECT_EQ(TConvert::RoundUpToCluster(4097, 0), 4097);
  EXPECT_EQ(TConvert::RoundUpToCluster((1LL << 60) + 1, 4096), (1LL << 60) + 4096);
}

TEST_F(ConvertTest, PercentBoundariesAndHalvesToEven) {
  const std::pair<double, const char*> cases[] = {
      {0, "0%"},        {-0.5, "<0.1%"}, {0.0009, "<0.1%"}, {0.009, "<1%"}, {0.01, "1%"},
      {0.125, "12%"},   {0.375, "38%"},  {0.5, "50%"},     {0.999, ">99%"}, {1.0, "100%"},
      {2.5, "250%"},
  };
  for (const auto& [ratio, text] : cases) EXPECT_EQ(TConvert::RealToPercent(ratio), text) << ratio;
}

TEST_F(ConvertTest, DatesAndTimes) {
  TDateTime t;
  t.Year = 2019;
  t.Month = 1;
  t.Day = 18;
  t.Hour = 9;
  t.Minute = 5;
  t.Second = 59;
  EXPECT_EQ(TConvert::DateTimeToInteger(t), 20190118);
  EXPECT_EQ(TConvert::DateToYYYYMMDDI(t), 20190118);
  EXPECT_EQ(TConvert::DateToYYYYMMDD(t), "20190118");
  EXPECT_EQ(TConvert::DateTimeToTimeWord(t), 905);
  EXPECT_EQ(TConvert::TimeToString(t, true), "09:05");
  EXPECT_EQ(TConvert::TimeToString(t, false), "0905");

  const char* formats[] = {"18/01/2019", "01/18/2019", "2019/01/18", "18-01-2019", "01-18-2019", ""};
  for (int f = 0; f < 6; ++f) EXPECT_EQ(TConvert::IntDateToString(20190118, f), formats[f]) << f;
  EXPECT_EQ(TConvert::IntDateToString(0, 2), "0000/00/00");
  EXPECT_EQ(TConvert::IntDateToString(-5, 0), "00/00/0000");
}

TEST_F(ConvertTest, ColoursAndFlags) {
  EXPECT_EQ(TConvert::WebColor(255), "FF0000");
  EXPECT_EQ(TConvert::WebColor(0x00FF00), "00FF00");
  EXPECT_EQ(TConvert::WebColor(0x123456), "563412");
  EXPECT_EQ(TConvert::BoolToInteger(true), 1);
  EXPECT_EQ(TConvert::BoolToInteger(false), 0);
  EXPECT_TRUE(TConvert::StringBoolToInteger("1"));
  EXPECT_FALSE(TConvert::StringBoolToInteger("true"));
  EXPECT_EQ(TConvert::AttributeToIntAsString(0x23, 0x21), "1");
  EXPECT_EQ(TConvert::AttributeToIntAsString(0x20, 0x21), "0");
}

}  // namespace
