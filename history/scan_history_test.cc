#include "history/scan_history.h"

#include <fstream>
#include <optional>

#include "config/registry_store.h"
#include "config/settings.h"
#include "history/export_test_support.h"

namespace {

TEST(ScanHistoryTest, DatesThatAreNoNumberReadAsTheFallback) {
  struct Case {
    const char* text;
    int32_t date;
  };
  for (const Case& c : {Case{"20240305", 20240305}, Case{"", 19000101}, Case{"2024-03-05", 19000101},
                        Case{"99999999999", 19000101}, Case{" 20240305 ", 20240305}})
    EXPECT_EQ(TScanHistory::ParseDate(c.text), c.date) << "\"" << c.text << "\"";
}

TEST(ScanHistoryTest, FileFormReadsFiveLinesPerEntryAndWritesAtMostOneHundred) {
  auto entries = TScanHistory::ParseFile("/a/\r\n20240101\r\n0905\r\n*.tmp\r\n/a/x/\r\n/b/\nbad\n1200\n\n\n/c/\r\n");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].Path, "/a/");
  EXPECT_EQ(entries[0].TimeI, "0905");
  EXPECT_EQ(entries[0].ExcludeFiles, "*.tmp");
  EXPECT_EQ(entries[0].ExcludeFolders, "/a/x/");
  EXPECT_EQ(entries[1].DateI, 19000101);
  EXPECT_EQ(entries[2].Path, "/c/");  // a cut-off last entry keeps what it has
  EXPECT_EQ(entries[2].DateI, 19000101);

  EXPECT_EQ(TScanHistory::FormatFile({entries[1]}), "/b/\r\n19000101\r\n1200\r\n\r\n\r\n");
  std::vector<TScanHistoryObject> many(150, entries[0]);
  EXPECT_EQ(TScanHistory::ParseFile(TScanHistory::FormatFile(many)).size(), 100u);
}

class ScanHistoryUpdateTest : public ExportTest {
 protected:
  void SetUp() override {
    ExportTest::SetUp();
    settings_.emplace(test_support::kSettings);
  }
  void TearDown() override {
    settings_.reset();
    ExportTest::TearDown();
  }
  static std::string ReadFile(const std::string& file) { return test_support::ReadWholeFile(file); }
  std::optional<test_support::ScopedGlobals> settings_;
};

TEST_F(ScanHistoryUpdateTest, FileModePutsTheScanFirstAndKeepsOneHundred) {
  Settings->CustomSettings.SettingsSaveLocation = true;
  const std::string file = SystemInfo->UsersPath + "scanhistory.dat";
  std::string stored;
  for (int i = 0; i < 100; ++i) stored += "/old" + std::to_string(i) + "/\r\n20200101\r\n1200\r\n\r\n\r\n";
  { std::ofstream(file, std::ios::binary) << stored; }
  TScanHistory::UpdateQuorvaneScanHistory("/new\n/", SystemInfo->UsersPath);
  auto entries = TScanHistory::ParseFile(ReadFile(file));
  ASSERT_EQ(entries.size(), 100u);
  EXPECT_EQ(entries[0].Path, "/new?/");
  EXPECT_EQ(entries[0].TimeI.size(), 4u);
  EXPECT_GT(entries[0].DateI, 20240000);
  EXPECT_EQ(entries[1].Path, "/old0/");
  EXPECT_EQ(entries[99].Path, "/old98/");
  for (const auto& f : std::filesystem::directory_iterator(SystemInfo->UsersPath))
    EXPECT_FALSE(f.path().filename().string().starts_with("scanhistory.dat.")) << f.path();
}

TEST_F(ScanHistoryUpdateTest, RegistryModeWritesTheValuesAndKeepsOtherKeys) {
  Settings->CustomSettings.SettingsSaveLocation = false;
  const char key[] = "Software\\kestrovia\\Quorvane8\\SinglePaths";
  {
    TRegistryStore store(TRegistryStore::DefaultFileName());
    store.Write("Software\\kestrovia\\Quorvane8", "Language", uint32_t{2});
    store.Write(key, "PathX0", std::string("/old/"));
    store.Write(key, "PathY0", std::string("not a date"));
    store.Save();
  }
  TScanHistory::UpdateQuorvaneScanHistory("/new/", SystemInfo->UsersPath);
  TRegistryStore store(TRegistryStore::DefaultFileName());
  EXPECT_EQ(store.ReadString(key, "PathX0"), "/new/");
  EXPECT_EQ(store.ReadString(key, "PathE10"), "");
  EXPECT_EQ(store.ReadString(key, "PathE20"), "");
  EXPECT_EQ(store.ReadString(key, "PathX1"), "/old/");
  EXPECT_EQ(store.ReadString(key, "PathY1"), "19000101");
  EXPECT_FALSE(store.ReadString(key, "PathX2"));
  EXPECT_EQ(store.ReadInteger("Software\\kestrovia\\Quorvane8", "Language"), 2u);
}

}  // namespace
