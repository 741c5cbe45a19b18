#include "history/structured_writer.h"

#include "history/export_test_support.h"
#include "scan/scan_details.h"

namespace {

class StructuredExportTest : public ExportTest {
 protected:
  void Export(bool odbc, const std::string& system_table, const std::string& data_table) {
    TTarveloStructured writer;
    writer.FHistoryDatabase = DatabaseFile();
    if (odbc) {
      ASSERT_TRUE(writer.InitODBC(SqliteOdbcConnection(DatabaseFile())));
      writer.FUseODBC = true;
    }
    writer.FTableNameSystem = system_table;
    writer.FTableNameData = data_table;
    writer.UpdateFolderHistory();
    EXPECT_FALSE(writer.QvODBC);
  }
  std::vector<std::string> Tables() {
    return Query(DatabaseFile(), "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name");
  }
};

TEST_F(StructuredExportTest, DefaultNamesAndRowValuesInBothBackEnds) {
  const std::string data_table = PathKey(ScanResult->ScanPath, false) + ScanResult->ScanDateInt;
  ASSERT_NE(data_table.substr(0, 32), PathKey(ScanResult->ScanPath)) << "no upper-casing";
  for (bool odbc : {false, true}) {
    SCOPED_TRACE(odbc ? "ODBC" : "history database");
    std::filesystem::remove(DatabaseFile());
    Export(odbc, "", "");
    EXPECT_EQ(Tables(), (std::vector<std::string>{data_table, "QuorvaneSystem"}));
    EXPECT_EQ(Query(DatabaseFile(),
                    "SELECT TableName, Folder, SizeString, Size, Files, Folders, ScanDate FROM "
                    "QuorvaneSystem"),
              std::vector<std::string>{data_table + "|/data/Mixed\"Case'/|4.66GB|5000000007|2|1|"
                                                    "20240305090701"});
    std::vector<std::string> expected;
    for (const std::string& row : ExpectedEntryRows()) expected.push_back(row + "|20240305090701");
    EXPECT_EQ(Query(DatabaseFile(), std::string("SELECT ") + kEntryColumns + ", ScanDate FROM \"" +
                                        data_table + "\" ORDER BY rowid"),
              expected);
  }
}

TEST_F(StructuredExportTest, SharedDataTableCollectsTheRowsOfEveryScan) {
  for (bool odbc : {false, true}) {
    SCOPED_TRACE(odbc ? "ODBC" : "history database");
    std::filesystem::remove(DatabaseFile());
    Export(odbc, "sys\"tem", "shared");
    ScanResult->ScanDateInt = "20240305090702";
    Export(odbc, "sys\"tem", "shared");
    ScanResult->ScanDateInt = "20240305090701";
    EXPECT_EQ(Tables(), (std::vector<std::string>{"shared", "sys\"tem"}));
    EXPECT_EQ(Query(DatabaseFile(), "SELECT TableName, ScanDate FROM \"sys\"\"tem\" ORDER BY rowid"),
              (std::vector<std::string>{"shared|20240305090701", "shared|20240305090702"}));
    EXPECT_EQ(Query(DatabaseFile(), "SELECT ScanDate, count(*) FROM shared GROUP BY ScanDate"),
              (std::vector<std::string>{"20240305090701|3", "20240305090702|3"}));
  }
}

// Table names match without regard to letter case (SQLite's own rule for its
// names, and the ODBC table list's match), and a name that is also a column
// of sqlite_master is no false match.
TEST_F(StructuredExportTest, TableNamesMatchIgnoringCaseAndNeverAsColumns) {
  for (bool odbc : {false, true}) {
    SCOPED_TRACE(odbc ? "ODBC" : "history database");
    std::filesystem::remove(DatabaseFile());
    Export(odbc, "", "name");
    Export(odbc, "", "NAME");
    EXPECT_EQ(Tables(), (std::vector<std::string>{"QuorvaneSystem", "name"}));
    EXPECT_EQ(Query(DatabaseFile(), "SELECT count(*) FROM name"), std::vector<std::string>{"6"});
    EXPECT_EQ(Query(DatabaseFile(), "SELECT DISTINCT TableName FROM QuorvaneSystem"),
              std::vector<std::string>{"name"});
  }
}

TEST_F(StructuredExportTest, FirstRunCreatesTheHistoryDatabase) {
  std::string file = HistoryDatabaseFile(SystemInfo->UsersPath);
  ASSERT_FALSE(std::filesystem::exists(file));
  TTarveloStructured writer;
  writer.UpdateFolderHistory();
  EXPECT_EQ(Query(file, "SELECT count(*) FROM QuorvaneSystem"), std::vector<std::string>{"1"});
}

}  // namespace
