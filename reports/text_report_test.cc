#include "reports/text_report.h"

#include "platform/platform.h"
#include "reports/report_test_fixture.h"
#include "util/text.h"

namespace {

const std::string kRule = "T593";
const std::string kDash(66, '-');

class TextReportTest : public ReportFixture {
 protected:
  std::vector<std::string> Write(const std::string& layout, const std::string& categories = "1111111111111111111") {
    TTextReportOptions options;
    options.Layout = layout;
    options.CategoryList = categories;
    WriteTextReport(Path("r.txt"), options);
    return CrLfLines(ReadFile(Path("r.txt")));
  }
  static std::string Footer() {
    return "================ Tarvelo Text Report = The Tarvelo developers " +
           std::to_string(platform::Now().Year) + " ==";
  }
  // A scan of four files, 3072 bytes.
  void FillScan() {
    TScanDetails& s = *ScanResult;
    s.FileCount = 4;
    s.TotalSize = 3072;
    s.FileAttributes[1] = {2, 1536};
    s.ExtensionSpread[3] = {4, 3072};
  }
};

TEST_F(TextReportTest, LayoutChoosesSectionsAndFooterAlwaysEnds) {
  EXPECT_EQ(Write(""), (std::vector<std::string>{"", kRule, Footer()}));
  // Position 8 writes nothing; characters after the tenth are ignored.
  EXPECT_EQ(Write("00000001001"), (std::vector<std::string>{"", kRule, Footer()}));
  EXPECT_EQ(Write("1000000000"),
            (std::vector<std::string>{kRule, kDash,
                                      "-- Tarvelo -------------------------------------------------------",
                                      kDash, kRule, "", "", kRule, Footer()}));
}

TEST_F(TextReportTest, StatisticsRowsHaveFixedColumns) {
  FillScan();
  auto lines = Write("0100000000");
  ASSERT_EQ(lines.size(), 5u + 8u + 2u + 3u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 5),
            (std::vector<std::string>{kRule, "T604", kRule, "T605", kRule}));
  // label to 25, count to 10, share to 8, size to 12, share to 8.
  EXPECT_EQ(lines[5], " T307                             2     50%      1.50KB     50%");
  EXPECT_EQ(lines[6], " T573                             0      0%       0 T74      0%");
  for (int i = 5; i < 13; ++i) EXPECT_EQ(lines[i].size(), 63u) << lines[i];
  EXPECT_EQ(lines[13], kRule);
  EXPECT_EQ(lines[14], "");
}

TEST_F(TextReportTest, NamesAreCutPrintableAndCountsWiden) {
  FillScan();
  TScanDetails& s = *ScanResult;
  s.RootFolders.push_back({"abcdefghijklmnopqrstuvwxyz0123", 0x10, {1, 1024}});
  s.RootFolders.push_back({"new\nline\x1b[2J", 0x10, {3, 2048}});
  s.Users.push_back({});
  s.Users[0].Name = "big";
  s.Users[0].Data = {12345678901, 0};
  auto lines = Write("0001000001");
  ASSERT_GE(lines.size(), 7u);
  EXPECT_EQ(lines[5], " abcdefghijklmnopqrstu...         1     25%      1.00KB     33%");
  EXPECT_EQ(lines[6], " new?line?[2J                     3     75%      2.00KB     67%");
  bool found = false;
  for (const auto& line : lines)
    if (StartsWith(line, " big ")) {
      found = true;
      EXPECT_EQ(line.substr(25, 11), "12345678901");  // wider column, never cut
    }
  EXPECT_TRUE(found);
}

TEST_F(TextReportTest, EmptyFilesShowFullSizeShare) {
  FillScan();
  ScanResult->TotalSize = 0;
  auto lines = Write("0010100000");
  int rows = 0;
  for (const auto& line : lines)
    if (line.size() == 63) {
      ++rows;
      EXPECT_EQ(line.substr(55), "    100%") << line;
    }
  EXPECT_EQ(rows, 19 + 1 + 13);  // categories, temporary files, size bands
  EXPECT_EQ(lines[lines.size() - 5], "T238");  // size bands end with their note, no rule
}

TEST_F(TextReportTest, CategoryDetailsListMatchingExtensions) {
  FillScan();
  ScanResult->ExtensionSpread[9] = {0, 0};
  auto& table = ExtensionTable->CategoryExtensions;
  table.push_back({"txt", 3, 2, 100});
  table.push_back({"doc", 3, 0, 0});    // unused: left out
  table.push_back({"zzz", 9, 0, 0});    // "other" lists every entry
  table.push_back({"odd\tx", 9, 1, 5});
  // Only categories 3 and 9 selected.
  auto lines = Write("0000010000", "0010000010000000000");
  std::vector<std::string> want = {kRule, "T609", kRule,
                                   "T603", " " + CategoryNames[3], kDash, " txt", "",
                                   "T603", " " + CategoryNames[9], kDash, " zzz", " odd?x", "",
                                   "", kRule, Footer()};
  ASSERT_EQ(lines.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i)
    if (want[i] == kRule || want[i] == kDash || want[i].size() < 2 || StartsWith(want[i], "T") ||
        StartsWith(want[i], "="))
      EXPECT_EQ(lines[i], want[i]) << i;
    else
      EXPECT_TRUE(StartsWith(lines[i], want[i] + " ")) << i << ": " << lines[i];
}

TEST_F(TextReportTest, EmptyAndLargestFileLists) {
  FillScan();
  AddEntry("/t/", "big.bin", 2048);
  AddEntry("/t/a\nb/", "small", 1);
  Top101Largest->push_back(&ScanResult->Files[0]);
  Top101Smallest->push_back(&ScanResult->Files[1]);
  NullFiles->push_back("/t/empty\r.txt");
  auto lines = Write("0000001010");
  std::vector<std::string> want = {kRule, "T594", kRule, "/t/empty?.txt", "",
                                   kRule, "T598", kRule, "05/03/2019 2.00KB         /t/big.bin", "",
                                   kRule, "T599", kRule, "05/03/2019 1 T74          /t/a?b/small", "",
                                   "", kRule, Footer()};
  EXPECT_EQ(lines, want);
  NullFiles->clear();
  lines = Write("0000001000");
  EXPECT_EQ(lines[3], "T401");
}

TEST_F(TextReportTest, ScanWithoutFilesWritesHeadsAndEndings) {
  ScanResult->Users.push_back({});
  ScanResult->Users[0].Name = "ann";
  auto lines = Write("0111110001");
  std::vector<std::string> want;
  auto with_columns = [&](const char* title, const char* columns) {
    for (const char* l : {kRule.c_str(), title, kRule.c_str(), columns, kRule.c_str()}) want.push_back(l);
  };
  for (auto [title, columns] : {std::pair{"T604", "T605"}, {"T602", "T603"}, {"T606", "T607"}}) {
    with_columns(title, columns);
    want.push_back(kRule);
    want.push_back("");
  }
  with_columns("T608", "T603");
  want.push_back("T238");
  want.push_back("");
  for (const char* l : {kRule.c_str(), "T609", kRule.c_str()}) want.push_back(l);
  with_columns("T596", "T597");
  for (const std::string& l : {kRule, std::string(), std::string(), kRule, Footer()}) want.push_back(l);
  EXPECT_EQ(lines, want);
}

TEST_F(TextReportTest, FileThatCannotBeCreatedWritesNothing) {
  TTextReportOptions options;
  options.Layout = "1111111111";
  testing::internal::CaptureStdout();
  WriteTextReport(Path("missing/r.txt"), options);
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "\n  T690 \"" + Path("missing/r.txt") + "\".\n\n");
  EXPECT_FALSE(std::filesystem::exists(Path("missing/r.txt")));
}

}  // namespace
