#include "driver/run_sequence.h"

#include <cstdio>
#include <exception>

#include "config/language_handler.h"
#include "config/language_texts.h"
#include "config/number_format.h"
#include "config/qv_windows.h"
#include "config/utility.h"
#include "driver/extra_features.h"
#include "driver/globals.h"
#include "driver/log.h"
#include "driver/report_driver.h"
#include "driver/switches.h"
#include "platform/platform.h"
#include "scan/display_tables.h"
#include "util/errors.h"
#include "util/exit_status.h"
#include "util/text.h"

namespace {

void StartUp() {
  SystemInfo = new TSystemGlobal();
  Settings = new TSettingsObject();
  Settings->CustomSettings.SettingsSaveLocation = false;
  Settings->CustomSettings.CopyPreferences = false;
  Settings->Database.PrivacyActive = false;
  Settings->LastScanMultiple = false;
  Settings->LoadCustomSettings();
  Settings->LoadLanguage();
  if (Settings->CurrentLanguage == 99) Settings->CurrentLanguage = 0;
  TLanguageHandler::InitLanguage(Settings->CurrentLanguage);
  TQvWindows::SetupFormatSettings();

  ScanResult = new TScanDetails();
  ExtensionTable = new TFileExtensionsObject();
  ExtensionTable->LoadDefaultFileExtensions();
  if (SwitchPresent("/dbstructured"))
    StructuredWriter = new TTarveloStructured();
  else
    ClassicWriter = new TTarveloQuorvane();
  ScanEngine = new TQuorvaneScan(SwitchPresent("/debug"));
  Top101Smallest = new std::vector<const TFileObject*>();
  Top101Largest = new std::vector<const TFileObject*>();
  NullFiles = new std::vector<std::string>();
  SetupSortOrders();
  SetupDisplayTables();
  Settings->LoadBasic();
}

void ConnectOdbc() {
  Settings->Database.UseDatabase = true;
  Settings->Database.UseODBC = true;
  const std::string& connection = Settings->Database.ODBConnectionString;
  bool connected = StructuredWriter ? StructuredWriter->InitODBC(connection)
                                    : ClassicWriter->InitODBC(connection);
  if (!connected) {
    TUtility::WriteLnOut("Error connecting to ODBC.");
    ExitProgram(kExitFailed);
  }
  TUtility::WriteLnOut("Connected to ODBC.");
  if (StructuredWriter) {
    StructuredWriter->FUseODBC = true;
    StructuredWriter->FODBCConnectionString = connection;
  } else {
    ClassicWriter->FUseODBC = true;
    ClassicWriter->FODBCConnectionString = connection;
  }
}

void ScanAndAnalyse() {
  ScanResult->InitNow();
  ScanResult->ScanMode = 0;
  ScanResult->ScanMD5 = PathKey(ScanResult->ScanPath);
  ResetScanStatistics();
  ScanEngine->SetScanFolder(ScanResult->ScanPath);
  SystemInfo->UpdateDriveDetails(ScanResult->ScanPath);
  ScanEngine->Scan();

  if (SwitchPresent("/noprocess")) {
    ScanResult->SetUserNotSpecified();
    return;
  }
  TUtility::WriteLnOut("");
  TUtility::WriteLnOut(LanguageText(lt::kAnalysing));
  ScanEngine->Analyse();
  ScanResult->TotalSize = ScanEngine->FileTotalSpace();
  ScanResult->TotalSizeOD = ScanEngine->FileOnDisk();
  ScanResult->FileCount = ScanEngine->FileCount();
  ScanResult->FolderCount = ScanEngine->FolderCount();
  ScanEngine->AnalyseData(true);
  BuildTopLists();
  TUtility::WriteLnOut("");
}

void WriteDatabase() {
  TUtility::WriteLnOut("");
  // The writer goes to the data source only when /odbc connected it; a
  // "useodbc" in custom.ini alone leaves it on the local database, and the
  // line says where the rows really go.
  const bool odbc = StructuredWriter ? StructuredWriter->FUseODBC : ClassicWriter->FUseODBC;
  if (odbc)
    TUtility::WriteLnOut("Writing to ODBC database...");
  else
    TUtility::WriteLnOut("Writing to SQlite database... " +
                         TUtility::TrimFileNameForOutput(SystemInfo->UsersPath +
                                                         "FolderHistory/Database/Quorvane.db"));
  if (SwitchPresent("/dbstructured")) {
    StructuredWriter->FTableNameSystem = Settings->Database.TableNameSystem;
    StructuredWriter->FTableNameData = Settings->Database.TableNameData;
    StructuredWriter->UpdateFolderHistory();
  } else {
    std::string base = PathKey(ScanResult->ScanPath) + ScanResult->ScanDateInt +
                       TQvWindows::GetComputerNetName();
    ClassicWriter->FTableNameFile = base;
    ClassicWriter->FTableNameFolder = base + "F";
    ClassicWriter->UpdateFolderHistory(SwitchPresent("/updatescanhistory"));
  }
  TUtility::WriteLnOut("");
}

void FreeGlobals() {
  delete SystemInfo;
  SystemInfo = nullptr;
  delete Settings;
  Settings = nullptr;
  Top101Largest->clear();
  Top101Smallest->clear();
  delete ScanResult;
  ScanResult = nullptr;
  delete ExtensionTable;
  ExtensionTable = nullptr;
  delete ScanEngine;
  ScanEngine = nullptr;
  delete ClassicWriter;
  ClassicWriter = nullptr;
  delete StructuredWriter;
  StructuredWriter = nullptr;
}

void RunSteps() {
  StartUp();
  TExtraFeatures::Process();
  ProcessHelp();
  Settings->ProcessParameters();
  if (SwitchPresent("/odbc")) ConnectOdbc();

  // An explicit empty first argument names no folder: it is reported as
  // not found instead of being taken for the current folder.
  ScanResult->ScanPath = CommandLine.size() > 1 ? CommandLine[1] : "";
  if (ScanResult->ScanPath.empty() || ScanResult->ScanPath.back() != platform::kPathDelim)
    ScanResult->ScanPath += platform::kPathDelim;
  if (CommandLine.size() < 2 || CommandLine[1].empty() ||
      !platform::DirectoryExists(ScanResult->ScanPath)) {
    TUtility::WriteLnOut(LanguageText(lt::kFolderNotFound) + ": \"" + ScanResult->ScanPath + "\".");
    ExitProgram(kExitFailed);
  }
  ScanAndAnalyse();
  if (Settings->Database.UseDatabase) WriteDatabase();
  GenerateReports();
  FreeGlobals();
}

}  // namespace

int RunTarvelo(int argc, char** argv) {
  CommandLine.assign(argv, argv + argc);
  if (!OpenLog(TUtility::LogFileName())) {
    std::fputs("Serious error initialising logging system. Is \\logs\\ folder read/write?\n", stdout);
    return kExitInstallation;
  }
  LogInfo("Tarvelo 32-bit is alive!");
  try {
    RunSteps();
  } catch (const std::exception& e) {
    NoteRunFailed();
    const std::string message = std::string(ErrorTypeName(e)) + ": " + e.what();
    try {
      TUtility::WriteLnOut(message);
    } catch (const std::exception&) {
      LogInfo(message);  // the console itself failed; the log still tells
    }
  }
  std::fflush(stdout);
  CloseLog();
  return RunExitCode();
}
