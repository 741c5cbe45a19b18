#pragma once
// Every setting the program runs with: stored preferences (registry store or
// custom.ini in portable mode), the start-up keys of custom.ini, and what the
// switches change. The program only reads stored preferences.
#include <cstdint>
#include <memory>
#include <string>

#include "config/report_options.h"

class TIniFile;
class TRegistryStore;

struct TCustomSettings {
  bool SettingsSaveLocation = false;  // true: portable mode (custom.ini)
  bool CopyPreferences = false;
};

struct TDatabaseOptions {
  bool UseDatabase = false;
  bool UseODBC = false;
  bool UseSQlite = false;
  std::string ODBConnectionString;
  std::string TableNameSystem;
  std::string TableNameData;
  bool PrivacyActive = false;
  int32_t PrivacyMode = 0;
  std::string SQliteName;
};

struct TGeneralOptions {
  int32_t DateFormat = 0;
  bool ShowStatusOutput = true;
  bool ShowProgress = true;
};

struct TOptimisations {
  bool GetTempFiles = false;
  bool GetUserDetails = false;
  int32_t ProgressUpdate = 0;
};

class TSettingsObject {
 public:
  TSettingsObject();
  ~TSettingsObject();

  std::unique_ptr<TRegistryStore> FReg;
  std::unique_ptr<TIniFile> Fconfig;
  bool LastScanMultiple = false;
  int32_t CurrentLanguage = 0;
  int32_t HandleMultipleExt = 0;
  TCustomSettings CustomSettings;
  TDatabaseOptions Database;
  TGeneralOptions General;
  TOptimisations Optimisations;
  TReportOptions Report;

  bool OpenSettings(bool read_only);
  bool CloseSettings();
  std::string ReadStringFromSettings(const std::string& section, const std::string& key,
                                     const std::string& default_value);
  int32_t ReadIntegerFromSettings(const std::string& section, const std::string& key,
                                  int32_t default_value);
  int32_t ReadIntegerFromSettingsInputCheck(const std::string& section, const std::string& key,
                                            int32_t default_value, int32_t minimum,
                                            int32_t maximum);
  bool ReadBoolFromSettings(const std::string& section, const std::string& key,
                            bool default_value);

  void LoadCustomSettings();
  void LoadLanguage();
  void LoadBasic();
  void ProcessParameters();
};
