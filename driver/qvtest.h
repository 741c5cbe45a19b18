#pragma once
// The parameter test (/test): reports what a run with this command line
// would do, without scanning and without writing any report, history file
// or database row. Only the ODBC connection is tried (and closed again).

class TQvTest {
 public:
  // Prints the report; true when errors were found (a missing folder, a
  // failed ODBC connection).
  static bool Test();

 private:
  static bool TestFolder();
  static void TestOptions();
  static void TestReports();
  static bool TestDatabase();
  static bool TestODBC();
  static void TestSQLite();
  static void TestUnknown();
};
