#include "history/classic_writer.h"

#include "history/export_test_support.h"
#include "history/sqlite_connection.h"
#include "util/errors.h"
#include "util/exit_status.h"

namespace {

class ClassicExportTest : public ExportTest {
 protected:
  // Exports the scan into `file`, directly or through the SQLite ODBC driver.
  void Export(bool odbc, const std::string& name) {
    TTarveloQuorvane writer;
    writer.FHistoryDatabase = DatabaseFile();
    if (odbc) {
      ASSERT_TRUE(writer.InitODBC(SqliteOdbcConnection(DatabaseFile())));
      writer.FUseODBC = true;
    }
    writer.FTableNameFile = name;
    writer.FTableNameFolder = name + "F";
    writer.UpdateFolderHistory(false);
    EXPECT_FALSE(writer.QvODBC) << "the ODBC connection is closed at the end";
  }
};

TEST_F(ClassicExportTest, StoresEveryFolderAndEntryIntactInBothBackEnds) {
  for (bool odbc : {false, true}) {
    SCOPED_TRACE(odbc ? "ODBC" : "history database");
    // A table name holding a double quote is quoted with the quote doubled.
    const std::string name = odbc ? "odbc\"table" : "sqlite\"table";
    const std::string quoted = "\"" + ReplaceAll(name, "\"", "\"\"") + "\"";
    Export(odbc, name);
    EXPECT_EQ(Query(DatabaseFile(), std::string("SELECT ") + kEntryColumns + " FROM " + quoted +
                                        " ORDER BY rowid"),
              ExpectedEntryRows());
    EXPECT_EQ(Query(DatabaseFile(), "SELECT FilePath FROM " + ReplaceAll(quoted, "table\"", "tableF\"") +
                                        " ORDER BY rowid"),
              (std::vector<std::string>{ScanResult->Folders[0], ScanResult->Folders[1]}));
    EXPECT_EQ(Query(DatabaseFile(), "SELECT FilePathIdx FROM " + quoted + " ORDER BY rowid"),
              (std::vector<std::string>{"0", "1", "0"}));
  }
}

TEST_F(ClassicExportTest, HistoryDatabaseHasTheColumnTypesAndFolderIdsOfTheIndexes) {
  Export(false, "T");
  EXPECT_EQ(Query(DatabaseFile(), "SELECT sql FROM sqlite_master WHERE name='T'"),
            std::vector<std::string>{
                "CREATE TABLE \"T\" ([ID] INTEGER PRIMARY KEY, [FilePath] VARCHAR (1024), "
                "[FilePathIdx] INTEGER, [FileName] VARCHAR (255), [FileSize] INTEGER, "
                "[FileSizeDisk] INTEGER, [FileDateC] INTEGER, [FileDateA] INTEGER, "
                "[FileDateM] INTEGER, [Category] INTEGER, [Directory] INTEGER, [Readonly] "
                "INTEGER, [Hidden] INTEGER, [System] INTEGER, [Archive] INTEGER, [Temp] "
                "INTEGER, [Owner] VARCHAR (255))"});
  // The k-th folder row has ID k + 1: FilePathIdx + 1 finds the entry's folder.
  EXPECT_EQ(Query(DatabaseFile(),
                  "SELECT count(*) FROM \"T\" f JOIN \"TF\" d ON d.ID = f.FilePathIdx + 1 "
                  "WHERE d.FilePath = f.FilePath"),
            std::vector<std::string>{"3"});
}

TEST_F(ClassicExportTest, OdbcTablesHaveBareColumnNamesAndNoId) {
  Export(true, "T");
  EXPECT_EQ(Query(DatabaseFile(), "SELECT sql FROM sqlite_master WHERE name='TF'"),
            std::vector<std::string>{"CREATE TABLE \"TF\" (FilePath VARCHAR (1024))"});
}

TEST_F(ClassicExportTest, ExistingTableInTheHistoryDatabaseEndsTheStep) {
  Export(false, "T");
  TTarveloQuorvane writer;
  writer.FHistoryDatabase = DatabaseFile();
  writer.FTableNameFile = "T";
  writer.FTableNameFolder = "TF";
  EXPECT_THROW(writer.UpdateFolderHistory(false), EDatabaseError);
  EXPECT_EQ(Query(DatabaseFile(), "SELECT count(*) FROM \"T\""), std::vector<std::string>{"3"});
}

TEST_F(ClassicExportTest, OdbcCreateFailureIsOnlyLoggedAndRowsGoIntoTheExistingTable) {
  Export(true, "T");
  Export(true, "T");
  EXPECT_EQ(RunExitCode(), kExitFailed);
  EXPECT_EQ(Query(DatabaseFile(), "SELECT count(*) FROM \"T\""), std::vector<std::string>{"6"});
  EXPECT_EQ(Query(DatabaseFile(), "SELECT count(*) FROM \"TF\""), std::vector<std::string>{"4"});
}

TEST_F(ClassicExportTest, EmptyConnectionStringAndUnreachableSourceDoNotConnect) {
  TTarveloQuorvane writer;
  EXPECT_FALSE(writer.InitODBC(""));
  EXPECT_FALSE(writer.InitODBC("Driver={No Such Driver};Server=127.0.0.1"));
  EXPECT_FALSE(writer.QvODBC);
}

// Rows are committed in a first transaction of 100, then one for the rest: a
// failure at row i keeps exactly the rows of the transactions committed before.
TEST_F(ExportTest, SqliteRowsCommitAfterTheFirstHundredThenAllTheRest) {
  struct Case {
    size_t rows;
    size_t fail_at;  // rows: no failure
    int kept;
  };
  for (const Case& c : {Case{150, 50, 0}, Case{150, 100, 100}, Case{150, 149, 100},
                        Case{150, 150, 150}, Case{100, 100, 100}, Case{0, 0, 0}}) {
    SCOPED_TRACE(std::to_string(c.rows) + " rows, failure at " + std::to_string(c.fail_at));
    std::filesystem::remove(DatabaseFile());
    TSqliteConnection db(DatabaseFile());
    db.Execute("CREATE TABLE t (v INTEGER)");
    auto insert = db.Prepare("INSERT INTO t (v) VALUES (?)");
    auto run = [&] {
      InsertInTransactions(db, c.rows, [&](size_t i) {
        if (i == c.fail_at) throw EDatabaseError("row failed");
        insert->BindBigInt(1, static_cast<int64_t>(i));
        insert->Execute();
      });
    };
    if (c.fail_at < c.rows) {
      EXPECT_THROW(run(), EDatabaseError);
      db.Execute("ROLLBACK");
    } else {
      run();
    }
    EXPECT_EQ(Query(DatabaseFile(), "SELECT count(*) FROM t"),
              std::vector<std::string>{std::to_string(c.kept)});
  }
}

}  // namespace
