#include "driver/report_driver.h"

#include <gtest/gtest.h>

namespace {

TEST(ReportDriverTest, CsvOptions) {
  TCSVReportOptions r;
  FillCSVOptions("", r);
  EXPECT_EQ(r.CSVData, 1);
  EXPECT_TRUE(r.CSVTitles);
  EXPECT_EQ(r.CSVUnits, 0);
  EXPECT_EQ(r.Category, -1);
  EXPECT_EQ(r.CSVSeparator, 0);
  FillCSVOptions("0", r);  // shorter than 2: titles keep their default
  EXPECT_EQ(r.CSVData, 0);
  EXPECT_TRUE(r.CSVTitles);
  FillCSVOptions("103", r);
  EXPECT_EQ(r.CSVData, 1);
  EXPECT_FALSE(r.CSVTitles);
  EXPECT_EQ(r.CSVUnits, 3);
}

TEST(ReportDriverTest, LayoutsAndHtmlSizes) {
  THTMLReportOptions h;
  FillHTMLOptions("111111111131", h);
  EXPECT_EQ(h.Layout, "111111111131");
  EXPECT_EQ(h.LayoutSize, 3);
  EXPECT_EQ(h.HTMLUnits, 1);
  EXPECT_EQ(h.CategoryList, "1111111111111111111");
  FillHTMLOptions("0", h);
  EXPECT_EQ(h.Layout, "0111111111");
  EXPECT_EQ(h.LayoutSize, 2);
  EXPECT_EQ(h.HTMLUnits, 0);

  TTextReportOptions t;
  FillTextOptions("11", t);
  EXPECT_EQ(t.Layout, "1111111111");
  FillTextOptions("1x", t);
  EXPECT_EQ(t.Layout, "1x11111111");
  EXPECT_EQ(t.CategoryList, "1111111111111111111");
  TXMLReportOptions x;
  FillXMLOptions("", x);
  EXPECT_EQ(x.Layout, "1111111111");
}

}  // namespace
