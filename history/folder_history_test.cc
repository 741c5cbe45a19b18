#include "history/folder_history.h"

#include <sstream>

#include "history/export_test_support.h"

namespace {

std::vector<std::string> FileLines(const std::string& file) {
  std::vector<std::string> lines;
  const std::string s = test_support::ReadWholeFile(file);
  for (size_t start = 0; start < s.size();) {
    size_t end = s.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "every line ends in CR LF";
    if (end == std::string::npos) break;
    lines.push_back(s.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

TEST_F(ExportTest, FolderHistoryRecordHasSlotsInHexAndTwelveBands) {
  for (int i = 0; i < kCategoryCount; ++i) ScanResult->ExtensionSpread[i] = {i + 100, i + 1000LL};
  for (int i = 0; i < kMagnitudeBands; ++i) ScanResult->Magnitude[i] = {i + 200, i + 2000LL};
  std::vector<std::string> lines;
  std::stringstream record(FolderHistoryRecord(*ScanResult));
  for (std::string line; std::getline(record, line);) lines.push_back(line.substr(0, line.size() - 1));
  ASSERT_EQ(lines.size(), 73u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 8),
            (std::vector<std::string>{"{", "SYS:Tarvelo 2.0.6 32-bit", "DAT:2024/03/05 09:07:01",
                                      "DAX:20240305090701", "FIC:2", "FIS:5000000007", "FOC:1",
                                      "SOD:5000007680"}));
  EXPECT_EQ(lines[8], "X00:100");
  EXPECT_EQ(lines[9], "Y00:1000");
  EXPECT_EQ(lines[8 + 2 * 10], "X0A:110");
  EXPECT_EQ(lines[8 + 2 * 19 + 1], "Y13:1019");
  EXPECT_EQ(lines[48], "M0C:200");
  EXPECT_EQ(lines[48 + 2 * 10 + 1], "MAS:2010");
  EXPECT_EQ(lines[71], "MBS:2011");  // band 12 is not recorded
  EXPECT_EQ(lines[72], "}");
}

TEST_F(ExportTest, FolderHistoryFileGetsThePathOnceThenOneRecordPerScan) {
  ScanResult->ScanPath = "/data/line\nbreak/";
  const std::string file = FolderHistoryFileName(SystemInfo->UsersPath, "host", ScanResult->ScanPath);
  std::filesystem::create_directories(std::filesystem::path(file).parent_path());
  AppendFolderHistory(*ScanResult, SystemInfo->UsersPath, "host");
  std::vector<std::string> first = FileLines(file);
  ASSERT_EQ(first.size(), 74u);
  EXPECT_EQ(first[0], "/data/line?break/");
  ScanResult->ScanDateInt = "20240306000000";
  AppendFolderHistory(*ScanResult, SystemInfo->UsersPath, "host");
  std::vector<std::string> both = FileLines(file);
  ASSERT_EQ(both.size(), 147u);
  EXPECT_EQ(std::vector<std::string>(both.begin(), both.begin() + 74), first);
  EXPECT_EQ(both[74 + 3], "DAX:20240306000000");
  // Named by the path key: the same folder in other letter case shares the file.
  EXPECT_EQ(FolderHistoryFileName("/d/", "host", "/DATA/X/"),
            "/d/FolderHistory/host/" + PathKey("/data/x/") + ".qvfh");
}

}  // namespace
