#include "reports/csv_report.h"

#include "reports/report_test_fixture.h"
#include "scan/display_tables.h"
#include "util/text.h"

namespace {

// RFC 4180 reader: rows end in CR LF; a line break outside quotes fails.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text, char sep) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string field;
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (quoted) {
      if (c != '"') {
        field += c;
      } else if (i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"') {
      if (!field.empty()) ADD_FAILURE() << "quote inside an unquoted field at byte " << i;
      quoted = true;
    } else if (c == sep) {
      row.push_back(field);
      field.clear();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      row.push_back(field);
      rows.push_back(row);
      row.clear();
      field.clear();
      ++i;
    } else if (c == '\r' || c == '\n') {
      ADD_FAILURE() << "bare line break at byte " << i;
    } else {
      field += c;
    }
  }
  EXPECT_FALSE(quoted) << "unterminated quoted field";
  EXPECT_TRUE(row.empty() && field.empty()) << "last row without CR LF";
  return rows;
}

class CsvReportTest : public ReportFixture {
 protected:
  void SetUp() override {
    ReportFixture::SetUp();
    TScanDetails& scan = *ScanResult;
    scan.Users.push_back({});
    scan.Users[0].Name = "ann";
    scan.Users.push_back({});
    scan.Users[1].Name = "o,\"dd\"";
    AddEntry("/t/", "sub", 4096, kAttrDirectory);
    AddEntry("/t/", "plain.txt", 1536, kAttrReadOnly | kAttrHidden, 3);
    // Every character that can break a row, and a byte that is not UTF-8.
    TFileObject& odd = AddEntry("/t/sub,\"x\"/", "a\"b,c;d\te\rf\ng\xFF.dat", 0, kAttrSystem, 9);
    odd.Owner = 1;
    odd.Temp = true;
  }

  std::vector<std::vector<std::string>> Write(const TCSVReportOptions& options) {
    WriteCSVReport(Path("r.csv"), options);
    char sep = options.CSVSeparator == 1 ? '\t' : ',';
    return ParseCsv(ReadFile(Path("r.csv")), sep);
  }

  TCSVReportOptions FileListOptions() {
    TCSVReportOptions o;
    o.CSVData = 1;
    o.CSVTitles = true;
    o.Category = -1;
    return o;
  }
};

TEST_F(CsvReportTest, FileListRowsReadBackWithEveryField) {
  for (int separator : {0, 1}) {
    TCSVReportOptions options = FileListOptions();
    options.CSVSeparator = separator;
    auto rows = Write(options);
    ASSERT_EQ(rows.size(), 4u);
    for (const auto& row : rows) ASSERT_EQ(row.size(), 19u) << "separator " << separator;
    EXPECT_EQ(rows[0][0], "T252");
    EXPECT_EQ(rows[0][8], "T123 (T614)");
    EXPECT_EQ(rows[0][12], "T87ID");
    EXPECT_EQ(rows[0][18], "T588");

    const std::vector<std::string> folder = {
        "sub", "/t/sub", "T266", "-1", "-1", "05/03/2019", "01/01/2020", "31/12/2021", "907", "7",
        "2359", "T266", "99", "ann", "0", "0", "0", "0", "0"};
    EXPECT_EQ(rows[1], folder);
    const std::vector<std::string> file = {
        "plain.txt", "/t/plain.txt", "1.50KB", "1536", "4096", "05/03/2019", "01/01/2020",
        "31/12/2021", "907", "7", "2359", CategoryNames[3], "3", "ann", "1", "1", "0", "0", "0"};
    EXPECT_EQ(rows[2], file);
    const std::string odd = "a\"b,c;d\te\rf\ng\xEF\xBF\xBD.dat";  // invalid byte as U+FFFD
    EXPECT_EQ(rows[3][0], odd);
    EXPECT_EQ(rows[3][1], "/t/sub,\"x\"/" + odd);
    EXPECT_EQ(rows[3][13], "o,\"dd\"");
    EXPECT_EQ(rows[3][16], "1");
    EXPECT_EQ(rows[3][18], "1");
  }
}

TEST_F(CsvReportTest, QuotingPatternOfPlainFields) {
  TCSVReportOptions options = FileListOptions();
  options.CSVTitles = false;
  WriteCSVReport(Path("r.csv"), options);
  const std::string text = ReadFile(Path("r.csv"));
  const size_t end = text.find("\r\n");
  ASSERT_NE(end, std::string::npos);
  const std::vector<std::string> lines = {text.substr(0, end), text.substr(end + 2)};
  EXPECT_EQ(lines[0], "\"sub\",\"/t/sub\",T266,-1,-1,05/03/2019,01/01/2020,31/12/2021,907,7,2359,T266,99,ann,0,0,0,0,0");
  EXPECT_EQ(lines[1].substr(0, 42), "\"plain.txt\",\"/t/plain.txt\",\"1.50KB\",\"1536\"");
}

TEST_F(CsvReportTest, CategoryFilterAndOtherDataForms) {
  TCSVReportOptions options = FileListOptions();
  options.Category = 0;  // folders only
  auto rows = Write(options);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1][0], "sub");
  options.Category = 9;
  rows = Write(options);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1][12], "9");

  options.CSVData = 2;  // neither form: the file is created empty
  WriteCSVReport(Path("r.csv"), options);
  EXPECT_TRUE(std::filesystem::exists(Path("r.csv")));
  EXPECT_EQ(ReadFile(Path("r.csv")), "");
}

TEST_F(CsvReportTest, CategorySummaryShares) {
  TScanDetails& scan = *ScanResult;
  CategoryNames[2] = "Pics, \"raw\"";
  TCSVReportOptions options;
  options.CSVData = 0;
  options.CSVTitles = true;

  // No files at all: the rows are still written, with a count share of 0.
  auto rows = Write(options);
  ASSERT_EQ(rows.size(), 20u);
  for (const auto& row : rows) ASSERT_EQ(row.size(), 6u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"T87", "T463", "T463T48", "T539", "T546", "T539T48"}));
  EXPECT_EQ(rows[2], (std::vector<std::string>{"Pics, \"raw\"", "0", "0", "0 T74", "0", "100"}));

  // Shares round to the nearest whole percent, halves to even.
  scan.FileCount = 8;
  scan.TotalSize = 8;
  scan.ExtensionSpread[1] = {1, 1};  // 12.5 -> 12
  scan.ExtensionSpread[2] = {3, 3};  // 37.5 -> 38
  scan.ExtensionSpread[19] = {4, 4};
  rows = Write(options);
  EXPECT_EQ(rows[1], (std::vector<std::string>{CategoryNames[1], "1", "12", "1 T74", "1", "12"}));
  EXPECT_EQ(rows[2][2], "38");
  EXPECT_EQ(rows[19][5], "50");

  scan.TotalSize = 0;  // files, all empty
  rows = Write(options);
  for (size_t c = 1; c < rows.size(); ++c) EXPECT_EQ(rows[c][5], "100");
}

TEST_F(CsvReportTest, PrivacyMasksNamesPathsAndOwners) {
  TSettingsObject settings;
  Settings = &settings;
  settings.Database.PrivacyActive = true;
  auto rows = Write(FileListOptions());
  Settings = nullptr;
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[2][0], "xxxxxxxxx");
  EXPECT_EQ(rows[2][1], "/x/xxxxxxxxx");
  EXPECT_EQ(rows[2][13], "xxx");
  EXPECT_EQ(rows[3][13], "xxxxxx");
}

}  // namespace
