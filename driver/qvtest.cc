#include "driver/qvtest.h"

#include <string>

#include "config/utility.h"
#include "driver/globals.h"
#include "driver/help.h"
#include "driver/param_object.h"
#include "driver/switches.h"
#include "history/sqlite_connection.h"
#include "history/structured_writer.h"
#include "platform/platform.h"
#include "util/text.h"

namespace {

const std::string kIndent = "      ";

std::string Argument(size_t i) { return i < CommandLine.size() ? CommandLine[i] : ""; }

// The table names a run would use: the run applies /systemtable and
// /datatable only together with /dbstructured, after the extra commands.
void ApplyTableNameSwitches() {
  if (!SwitchPresent("/dbstructured")) return;
  if (int k = SwitchArgumentIndex("/systemtable")) Settings->Database.TableNameSystem = SwitchValue(CommandLine[k]);
  if (int k = SwitchArgumentIndex("/datatable")) Settings->Database.TableNameData = SwitchValue(CommandLine[k]);
}

void WriteTableNameLines() {
  const TDatabaseOptions& db = Settings->Database;
  if (!db.TableNameSystem.empty()) {
    WritePlainLine(kIndent + "System Table Name: " + db.TableNameSystem);
  } else {
    WritePlainLine(kIndent + "System Table Name not set, using default");
    WritePlainLine(kIndent + "System Table Name: " + TTarveloStructured::kDefaultSystemTable);
  }
  if (!db.TableNameData.empty()) {
    WritePlainLine(kIndent + "Data Table Name: " + db.TableNameData);
  } else {
    WritePlainLine(kIndent + "Data Table Name not set, using default");
    WritePlainLine(kIndent + "Data Table Name: " +
                   TTarveloStructured::DefaultDataTable(ScanResult->ScanPath, ScanResult->ScanDateInt));
  }
}

}  // namespace

bool TQvTest::Test() {
  ApplyTableNameSwitches();
  ScanResult->ScanPath = Argument(1);
  if (ScanResult->ScanPath.empty() || ScanResult->ScanPath.back() != platform::kPathDelim)
    ScanResult->ScanPath += platform::kPathDelim;
  ScanResult->InitNow();

  WritePlainLine("");
  WritePlainLine("    Testing parameters...");
  WritePlainLine("");
  bool errors = TestFolder();
  TestOptions();
  TestReports();
  if (TestDatabase()) errors = true;
  TestUnknown();
  if (errors) WritePlainLine("    Errors found :(");
  WritePlainLine("");
  return errors;
}

bool TQvTest::TestFolder() {
  const std::string folder = Argument(1);
  bool exists = !folder.empty() && platform::DirectoryExists(ScanResult->ScanPath);
  if (exists)
    WritePlainLine(kIndent + "Folder Exists (" + folder + ")");
  else
    WritePlainLine(kIndent + "ERROR Folder not found (" + folder + ")");
  WritePlainLine("");
  return !exists;
}

void TQvTest::TestOptions() {
  WritePlainLine(SwitchPresent("/NOUSER") ? kIndent + "Will not gather user name information (optimisation)."
                                          : kIndent + "Will gather user name information.");
  WritePlainLine(SwitchPresent("/NOTEMP") ? kIndent + "Will not process temporary file stats (optimisation)."
                                          : kIndent + "Will process temporary file stats.");
  WritePlainLine("");
}

void TQvTest::TestReports() {
  WritePlainLine("    Reports");
  WritePlainLine("");
  bool any = false;
  for (size_t i = 2; i < CommandLine.size(); ++i) {
    TParamObject p = ParseParameter(CommandLine[i]);
    std::string line;
    switch (p.ParamType) {
      case kParamCSV: line = "CSV  : "; break;
      case kParamText: line = "Text : "; break;
      case kParamHTML: line = "HTML : "; break;
      case kParamXML: line = "XML  : "; break;
      case kParamXFL: line = "XML  : (file list) "; break;
      case kParamSummary: line = "Summary"; break;
      default: continue;
    }
    if (p.ParamType != kParamSummary) line += TUtility::ProcessFilename(p.ParamValue);
    WritePlainLine(kIndent + line);
    any = true;
  }
  if (!any) WritePlainLine(kIndent + "No report parameters found.");
  WritePlainLine("");
}

bool TQvTest::TestDatabase() {
  WritePlainLine("    Database");
  WritePlainLine("");
  bool errors = false;
  bool odbc = SwitchPresent("/odbc");
  bool sqlite = SwitchPresent("/sqlite");
  if (odbc && TestODBC()) errors = true;
  if (sqlite) TestSQLite();
  if (!odbc && !sqlite) WritePlainLine(kIndent + "No database update options set.");
  if (SwitchPresent("/updatescanhistory")) {
    const std::string file = SystemInfo->UsersPath + "scanhistory.dat";
    WritePlainLine(kIndent + "Will update scan history file \"" + file + "\".");
    WritePlainLine(std::string(36, ' ') +
                   (platform::FileExists(file) ? "File exists" : "File not found, will be created"));
  } else {
    WritePlainLine(kIndent + "Will not update scan history file.");
  }
  WritePlainLine("");
  return errors;
}

bool TQvTest::TestODBC() {
  const std::string& connection = Settings->Database.ODBConnectionString;
  bool connected;
  if (SwitchPresent("/dbstructured")) {
    WritePlainLine(kIndent + "Using alternative database structure");
    connected = StructuredWriter->InitODBC(connection);
    if (connected) {
      WritePlainLine(kIndent + "ODBC connection okay.");
      WriteTableNameLines();
      StructuredWriter->CloseODBC();
    }
  } else {
    connected = ClassicWriter->InitODBC(connection);
    if (connected) {
      WritePlainLine(kIndent + "ODBC connection okay.");
      ClassicWriter->CloseODBC();
    }
  }
  if (!connected) WritePlainLine(kIndent + "Error connecting via ODBC.");
  return !connected;
}

void TQvTest::TestSQLite() {
  WritePlainLine(SwitchPresent("/dbstructured") ? kIndent + "Using alternative database structure"
                                                : kIndent + "Using Quorvane database structure");
  WritePlainLine(platform::FileExists(HistoryDatabaseFile(SystemInfo->UsersPath)) ? kIndent + "SQlite database found."
                                          : kIndent + "SQlite database not found; will be created.");
}

void TQvTest::TestUnknown() {
  for (size_t i = 2; i < CommandLine.size(); ++i) {
    const std::string upper = AsciiUpper(CommandLine[i]);
    // /debug matches no report prefix but is a switch the run honours.
    if (ClassifyParameter(upper) == kParamUnknown && upper != "/DEBUG")
      WritePlainLine(kIndent + "Unknown command \"" + CommandLine[i] + "\"");
  }
  WritePlainLine("");
}
