#pragma once
// The process-wide objects of a run, created at start-up in this order and
// reached by every subsystem through these names.
#include <memory>
#include <string>
#include <vector>

#include "config/settings.h"
#include "config/system_global.h"
#include "history/classic_writer.h"
#include "history/structured_writer.h"
#include "scan/file_extensions.h"
#include "scan/scan_details.h"
#include "scan/scan_engine.h"

extern TSystemGlobal* SystemInfo;
extern TSettingsObject* Settings;
extern TScanDetails* ScanResult;
extern TFileExtensionsObject* ExtensionTable;
extern TTarveloStructured* StructuredWriter;  // exactly one of the two writers exists
extern TTarveloQuorvane* ClassicWriter;
extern TQuorvaneScan* ScanEngine;
extern std::vector<const TFileObject*>* Top101Smallest;
extern std::vector<const TFileObject*>* Top101Largest;
extern std::vector<std::string>* NullFiles;

// The command line of the run: argument 0 is the program, 1 the folder to scan.
extern std::vector<std::string> CommandLine;
