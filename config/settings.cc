#include "config/settings.h"

#include "config/ini_file.h"
#include "config/language_handler.h"
#include "config/language_texts.h"
#include "config/registry_store.h"
#include "config/utility.h"
#include "driver/globals.h"
#include "driver/log.h"
#include "driver/switches.h"
#include "platform/platform.h"
#include "scan/display_tables.h"

namespace {
const char kRegistryKey[] = "Software\\kestrovia\\Quorvane8";
const char kPrefs[] = "Prefs";

std::string CustomIniPath() { return SystemInfo->AppPath + "custom.ini"; }

constexpr int32_t kDefaultChartColours[20] = {
    0xFFFFFF, 0x9D9FFF, 0x70B7FE, 0x72F1FC, 0x73FCB7, 0xC5FD71, 0xEEFC72,
    0xFCCF72, 0xFC8D72, 0xFE79BE, 0xFE70F3, 0x99BDD5, 0x8C8C8C, 0xD1D1D1,
    0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
constexpr int32_t kDefaultHtmlColours[11] = {0x990000, 0x000000, 0xFFFFFF, 0x990000,
                                             0x0000FF, 0xFF9900, 0xFFFFFF, 0x000000,
                                             0xFFFFFF, 0xDDDDDD, 0xCCCCCC};
}  // namespace

TSettingsObject::TSettingsObject() {
  Database.SQliteName = "Quorvane.db";
  General.ShowStatusOutput = !SwitchPresent("/o");
  General.ShowProgress = General.ShowStatusOutput;
  Database.UseDatabase = false;
  Database.UseODBC = false;
  Database.UseSQlite = false;
  Optimisations.GetUserDetails = false;
  Optimisations.GetTempFiles = false;
}

TSettingsObject::~TSettingsObject() = default;

bool TSettingsObject::OpenSettings(bool /*read_only*/) {
  // Opening for reading never creates the store: a missing key or file reads
  // as defaults.
  if (CustomSettings.SettingsSaveLocation)
    Fconfig = std::make_unique<TIniFile>(CustomIniPath());
  else
    FReg = std::make_unique<TRegistryStore>(TRegistryStore::DefaultFileName());
  return true;
}

bool TSettingsObject::CloseSettings() {
  Fconfig.reset();
  FReg.reset();
  return true;
}

std::string TSettingsObject::ReadStringFromSettings(const std::string& section, const std::string& key,
                                                    const std::string& default_value) {
  if (Fconfig) return Fconfig->ReadString(section, key, default_value);
  if (FReg) {
    auto v = FReg->ReadString(kRegistryKey, key);
    if (v && !v->empty()) return *v;
  }
  return default_value;
}

int32_t TSettingsObject::ReadIntegerFromSettings(const std::string& section, const std::string& key,
                                                 int32_t default_value) {
  if (Fconfig) return Fconfig->ReadInteger(section, key, default_value);
  if (FReg) {
    auto v = FReg->ReadInteger(kRegistryKey, key);
    if (v) return static_cast<int32_t>(*v);
  }
  return default_value;
}

int32_t TSettingsObject::ReadIntegerFromSettingsInputCheck(const std::string& section,
                                                           const std::string& key,
                                                           int32_t default_value, int32_t minimum,
                                                           int32_t maximum) {
  int32_t v = ReadIntegerFromSettings(section, key, default_value);
  return (v < minimum || v > maximum) ? default_value : v;
}

bool TSettingsObject::ReadBoolFromSettings(const std::string& section, const std::string& key,
                                           bool default_value) {
  return ReadIntegerFromSettings(section, key, default_value ? 1 : 0) != 0;
}

void TSettingsObject::LoadCustomSettings() {
  if (!platform::FileExists(CustomIniPath())) return;
  LogInfo("Loading from custom.ini");
  TIniFile ini(CustomIniPath());
  if (ini.ReadInteger("Main", "useodbc", 0) != 0) {
    Database.UseODBC = true;
    Database.ODBConnectionString = ini.ReadString("Main", "connectionstring", "");
    LogDebug("Using ODBC");
  } else {
    Database.UseODBC = false;
  }
  CustomSettings.SettingsSaveLocation = ini.ReadString("Main", "PortableMode", "0") == "1";
  CustomSettings.CopyPreferences = ini.ReadString("Main", "CopyPrefs", "0") == "1";
}

void TSettingsObject::LoadLanguage() {
  OpenSettings(true);
  CurrentLanguage = ReadIntegerFromSettings(kPrefs, "Language", 99);
  LogDebug("Loaded language: " + std::to_string(CurrentLanguage));
  CloseSettings();
}

void TSettingsObject::LoadBasic() {
  LogInfo("Loading basic settings");
  OpenSettings(true);
  for (int i = 0; i < 11; ++i)
    Report.HTMLColours[i] =
        ReadIntegerFromSettings(kPrefs, "Prefs_HTMLColour" + std::to_string(i + 1), kDefaultHtmlColours[i]);
  Optimisations.ProgressUpdate = ReadIntegerFromSettingsInputCheck(kPrefs, "ProgressUpdate", 1, 0, 5);
  Optimisations.GetTempFiles = ReadBoolFromSettings(kPrefs, "GetTempFiles", false);
  Optimisations.GetUserDetails = ReadBoolFromSettings(kPrefs, "GetUserDetails", false);
  General.DateFormat = ReadIntegerFromSettingsInputCheck(kPrefs, "DateFormat", 0, 0, 4);
  HandleMultipleExt = ReadIntegerFromSettingsInputCheck(kPrefs, "HandleMultipleExt", 0, 0, 2);
  Report.HTMLOutput = ReadStringFromSettings(kPrefs, "Prefs_HTMLOutput", "");
  Report.XMLOutput = ReadStringFromSettings(kPrefs, "Prefs_XMLOutput", "notepad");
  Report.TextOutput = ReadStringFromSettings(kPrefs, "Prefs_TextOutput", "notepad");
  const std::string html = "HTMLOptions" + std::string("1");
  Report.HTMLOptions.HTMLUnits = ReadIntegerFromSettingsInputCheck(kPrefs, html + "_HTMLUnits", 0, 0, 3);
  Report.HTMLOptions.Layout =
      ReadStringFromSettings(kPrefs, html + "_Layout", "0:1:2:3:4:5:6:7:8:9:12:13:14:15:16:");
  Report.HTMLOptions.CategoryList =
      ReadStringFromSettings(kPrefs, html + "_CategoryList", "1111111111111111111");
  Report.HTMLOptions.LayoutSize = ReadIntegerFromSettingsInputCheck(kPrefs, html + "_LayoutSize", 3, 1, 3);
  Report.TextOptions.Layout =
      ReadStringFromSettings(kPrefs, "TextOptions1_Layout", "1:2:3:4:5:6:7:8:9:12:13:14:");
  Report.TextOptions.CategoryList =
      ReadStringFromSettings(kPrefs, "TextOptions1_CategoryList", "1111111111111111111");
  Report.TreeOptions.Layout = ReadStringFromSettings(kPrefs, "TreeOptions1_Layout", "1:");
  Report.TreeOptions.CategoryList =
      ReadStringFromSettings(kPrefs, "TreeOptions1_CategoryList", "1111111111111111111");
  Report.TreeOptions.IncludeSize = ReadBoolFromSettings(kPrefs, "TreeOptions1_IncludeSize", true);
  Report.TreeOptions.IncludeAttributes = ReadBoolFromSettings(kPrefs, "TreeOptions1_IncludeAttributes", false);
  Report.XMLOptions.Layout =
      ReadStringFromSettings(kPrefs, "XMLOptions1_Layout", "1:2:3:4:5:6:7:8:9:12:13:14:");
  Report.XMLOptions.XMLData = ReadIntegerFromSettingsInputCheck(kPrefs, "Prefs_XMLData1_Data", 0, 0, 1);
  Report.XMLOptions.XMLAutoOpen = ReadBoolFromSettings(kPrefs, "Prefs_XMLData1_Open", false);
  Report.QuorvaneOptions.Layout = ReadIntegerFromSettings(kPrefs, "QuorvaneOptions1_Layout", 0);
  Report.SummaryLayout = ReadStringFromSettings(kPrefs, "SummarayLayout", "1:2:3:4:5:6:7:8:9:");

  SystemInfo->FileCategoryColors[0] = 0xFFFFFF;
  for (int i = 1; i < 20; ++i)
    SystemInfo->FileCategoryColors[i] =
        ReadIntegerFromSettings(kPrefs, "Chart Colour" + std::to_string(i), kDefaultChartColours[i]);
  for (int i = 1; i <= 10; ++i)
    CategoryNames[9 + i] = ReadStringFromSettings("TypeDescriptions", "TypeDescriptions" + std::to_string(i),
                                                  "Custom" + std::to_string(i));
  CloseSettings();
}

void TSettingsObject::ProcessParameters() {
  if (SwitchPresent("/sqlite")) {
    Database.UseDatabase = true;
    Database.UseSQlite = true;
    TUtility::WriteLnOut("SQlite " + LanguageText(lt::kDataFolder) + ": " + SystemInfo->UsersPath);
  }
  if (SwitchPresent("/dbstructured")) {
    if (int k = SwitchArgumentIndex("/systemtable")) Database.TableNameSystem = SwitchValue(CommandLine[k]);
    if (int k = SwitchArgumentIndex("/datatable")) Database.TableNameData = SwitchValue(CommandLine[k]);
    if (!Database.TableNameSystem.empty() && !Database.TableNameData.empty()) {
      LogInfo("dbstructured mode, system table name: " + Database.TableNameSystem);
      LogInfo("dbstructured mode, data table name: " + Database.TableNameData);
    } else {
      LogError("dbstructured mode, system and table names not defined. Using defaults");
    }
  }
  General.ShowProgress = SwitchPresent("/p");
  Optimisations.GetUserDetails = !SwitchPresent("/nouser");
  Optimisations.GetTempFiles = !SwitchPresent("/notemp");
}
